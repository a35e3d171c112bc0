#include "checkers/TfrmCodFisc.h"

#include "app/Widgets.h"

#include <QLineEdit>

TfrmCodFisc::TfrmCodFisc(QWidget* opener)
    : ToolDialog(opener, QStringLiteral(" Controllo codice fiscale"), QSize(478, 254), Placement::CentredOnScreen)
{
    m_txtCodFisc = Widgets::NewLineEdit(this, QStringLiteral("txtCodFisc"));
}

void TfrmCodFisc::Prefill(const QString& codFisc)
{
    m_txtCodFisc->setText(codFisc);
}
