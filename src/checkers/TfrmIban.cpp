#include "checkers/TfrmIban.h"

TfrmIban::TfrmIban(QWidget* opener)
    : ToolDialog(opener, QStringLiteral(" Controllo IBAN"), QSize(608, 270), Placement::CentredOnScreen)
{
}

void TfrmIban::Prefill(const QString&)
{
}
