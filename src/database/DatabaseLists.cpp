#include "database/DatabaseLists.h"

namespace DatabaseLists {

void ListFlagged(ResultLines& into, Progress& progress)
{
    ListRecords(DatabaseLayout, Line, FieldIs(DatabaseLayout.At(F::Segnala), MarkYes), into, progress);
}

std::optional<FoundRecord<DatabaseLayout>> FindSheet(std::u16string_view line)
{
    return FindRecordOfLine<DatabaseLayout>(Line, line);
}

} // namespace DatabaseLists
