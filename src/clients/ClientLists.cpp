#include "clients/ClientLists.h"

namespace ClientLists {

void ListToRecontact(ResultLines& into, Progress& progress)
{
    ListRecords(ClientLayout, RecontactLine, FieldIs(ClientLayout.At(F::Ricontatta), MarkYes), into, progress);
}

std::optional<FoundRecord<ClientLayout>> FindClient(LineFormat format, std::u16string_view line)
{
    return FindRecordOfLine<ClientLayout>(format, line);
}

} // namespace ClientLists
