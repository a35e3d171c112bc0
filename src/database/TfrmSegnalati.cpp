#include "database/TfrmSegnalati.h"

TfrmSegnalati::TfrmSegnalati(QWidget* opener)
    : ToolDialog(opener, QStringLiteral(" Riepilogo record segnalati"), QSize(862, 560), Placement::CentredOnScreen)
{
}
