#include "attachments/TfrmAllegaCartella.h"

#include "app/Widgets.h"

#include <QLabel>
#include <QLineEdit>

TfrmAllegaCartella::TfrmAllegaCartella(QWidget* opener)
    : ToolDialog(opener, QStringLiteral(" Allega file"), QSize(634, 534), Placement::CentredOnScreen)
{
    m_lblMemory = Widgets::NewHiddenLabel(this, QStringLiteral("lblMemory"));
    for (int i = 0; i < 3; ++i) {
        m_txtFile[i] = Widgets::NewLineEdit(this, QStringLiteral("txtFile%1").arg(i + 1, 2, 10, QLatin1Char('0')));
        m_txtDesc[i] = Widgets::NewLineEdit(this, QStringLiteral("txtDesc%1").arg(i + 1, 2, 10, QLatin1Char('0')));
    }
}

void TfrmAllegaCartella::Prefill(const QString& mode, const AttachmentTexts& texts)
{
    m_lblMemory->setText(mode);
    for (int i = 0; i < 3; ++i) {
        m_txtFile[i]->setText(texts.files[i]);
        m_txtDesc[i]->setText(texts.descriptions[i]);
    }
}
