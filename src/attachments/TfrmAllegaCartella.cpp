#include "attachments/TfrmAllegaCartella.h"

TfrmAllegaCartella::TfrmAllegaCartella(QWidget* opener)
    : ToolDialog(opener, QStringLiteral(" Allega file"), QSize(634, 534), Placement::CentredOnScreen)
{
}

void TfrmAllegaCartella::Prefill(const QString&, const QStringList&)
{
}
