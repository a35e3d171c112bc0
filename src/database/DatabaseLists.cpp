#include "database/DatabaseLists.h"

namespace DatabaseLists {

void ListFlagged(ResultLines& into)
{
    ListRecords(DatabaseLayout, Line, FieldIs(DatabaseLayout.At(F::Segnala), MarkYes), into);
}

std::optional<FoundRecord<DatabaseLayout>> FindSheet(std::u16string_view line)
{
    return FindRecordOfLine<DatabaseLayout>(Line, line);
}

} // namespace DatabaseLists
