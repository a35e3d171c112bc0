#include "clients/TfrmRicontatta.h"

TfrmRicontatta::TfrmRicontatta(QWidget* opener)
    : ToolDialog(opener, QStringLiteral(" Riepilogo Clienti da ricontattare"), QSize(862, 560), Placement::CentredOnScreen)
{
}
