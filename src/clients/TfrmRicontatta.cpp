#include "clients/TfrmRicontatta.h"

#include "clients/ClientLists.h"
#include "kit/Widgets.h"

TfrmRicontatta::TfrmRicontatta(SheetScreen& served)
    : ListTool(served, QStringLiteral(" Riepilogo Clienti da ricontattare"), SharedFindText(),
               Pictures::Header(QSize(862, 70), Pictures::Icon::Clients, QColor(0xC0, 0x1B, 0x1B),
                                QStringLiteral("Riepilogo Clienti da ricontattare"),
                                {QStringLiteral("I Clienti contrassegnati con \"Da ricontattare\".")}),
               Count::None)
{
    SetPrintTitle(QStringLiteral("Riepilogo Clienti da ricontattare"));
    SetMarkedListTabOrder();
}

Text& TfrmRicontatta::SharedFindText()
{
    static Text findText;
    return findText;
}

void TfrmRicontatta::FormShow()
{
    ShowMarkedLines(ClientLists::ListToRecontact, QStringLiteral("Ricerca clienti da ricontattare in corso. Attendere..."));
}

void TfrmRicontatta::OpenLine(std::u16string_view line)
{
    if (const auto found = ClientLists::FindClient(ClientLists::RecontactLine, line))
        Served().MostraScheda(found->record.data(), found->position);
}
