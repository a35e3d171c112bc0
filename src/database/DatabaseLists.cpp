#include "database/DatabaseLists.h"

namespace DatabaseLists {

SearchCriteria Criteria(std::span<const Text, SearchFields.size()> typed)
{
    SearchCriteria criteria;
    for (std::size_t i = 0; i < SearchFields.size(); ++i)
        criteria.Add<DatabaseLayout>(SearchFields[i], typed[i]);
    return criteria;
}

ResultLines Search(const SearchCriteria& criteria)
{
    ResultLines lines;
    if (criteria.Filled() == 0)
        ListRecords<DatabaseLayout>(Line, EveryRecord(), lines);
    else
        ListRecords<DatabaseLayout>(Line, [&criteria](const uint8_t* record) { return criteria.Matches(record); },
                                    lines);
    return lines;
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
