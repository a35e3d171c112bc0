#include "database/DatabaseLists.h"

namespace DatabaseLists {

SearchCriteria Criteria(std::span<const Text, SearchFields.size()> typed)
{
    return CriteriaOn<DatabaseLayout>(SearchFields, typed);
}

ResultLines Search(const SearchCriteria& criteria)
{
    return SearchRecords<DatabaseLayout>(Line, criteria);
}

void ListFlagged(ResultLines& into)
{
    ListRecords<DatabaseLayout>(Line, FieldIs(TSchedaDatabase::FieldSpecOf(F::Segnala), MarkYes), into);
}

std::optional<FoundRecord<DatabaseLayout>> FindSheet(std::u16string_view line)
{
    return FindRecordOfLine<DatabaseLayout>(Line, line);
}

} // namespace DatabaseLists
