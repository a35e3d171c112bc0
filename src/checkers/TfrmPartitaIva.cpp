#include "checkers/TfrmPartitaIva.h"

#include "app/Widgets.h"

#include <QLineEdit>

TfrmPartitaIva::TfrmPartitaIva(QWidget* opener)
    : ToolDialog(opener, QStringLiteral(" Controllo partita IVA"), QSize(480, 254), Placement::CentredOnScreen)
{
    m_txtPartitaIva = Widgets::NewLineEdit(this, QStringLiteral("txtPartitaIva"));
}

void TfrmPartitaIva::Prefill(const QString& partitaIva)
{
    m_txtPartitaIva->setText(partitaIva);
}
