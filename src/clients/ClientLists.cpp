#include "clients/ClientLists.h"

namespace ClientLists {

SearchCriteria Criteria(std::span<const Text, SearchFields.size()> typed)
{
    return CriteriaOn<ClientLayout>(SearchFields, typed);
}

ResultLines Search(const SearchCriteria& criteria)
{
    return SearchRecords<ClientLayout>(SearchLine, criteria);
}

void ListToRecontact(ResultLines& into)
{
    ListRecords<ClientLayout>(RecontactLine, FieldIs(TSchedaCliente::FieldSpecOf(F::Ricontatta), MarkYes), into);
}

std::optional<FoundRecord<ClientLayout>> FindClient(LineFormat format, std::u16string_view line)
{
    return FindRecordOfLine<ClientLayout>(format, line);
}

} // namespace ClientLists
