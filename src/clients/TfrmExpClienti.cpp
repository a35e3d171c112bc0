#include "clients/TfrmExpClienti.h"

TfrmExpClienti::TfrmExpClienti(QWidget* opener)
    : ToolDialog(opener, QStringLiteral(" Esporta archivio Clienti in Microsoft Excel"), QSize(862, 560), Placement::CentredOnScreen)
{
}
