#include "checkers/TfrmPartitaIva.h"

TfrmPartitaIva::TfrmPartitaIva(QWidget* opener)
    : ToolDialog(opener, QStringLiteral(" Controllo partita IVA"), QSize(480, 254), Placement::CentredOnScreen)
{
}

void TfrmPartitaIva::Prefill(const QString&)
{
}
