#include "checkers/TfrmCarta.h"

TfrmCarta::TfrmCarta(QWidget* opener)
    : ToolDialog(opener, QStringLiteral(" Controllo carta di credito"), QSize(519, 254), Placement::CentredOnScreen)
{
}

void TfrmCarta::Prefill(const QString&)
{
}
