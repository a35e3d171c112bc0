#include "checkers/TfrmCodFisc.h"

TfrmCodFisc::TfrmCodFisc(QWidget* opener)
    : ToolDialog(opener, QStringLiteral(" Controllo codice fiscale"), QSize(478, 254), Placement::CentredOnScreen)
{
}

void TfrmCodFisc::Prefill(const QString&)
{
}
