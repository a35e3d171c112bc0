#include "clients/TfrmTrovaClienti.h"

#include "kit/Widgets.h"

#include <QLabel>

TfrmTrovaClienti::TfrmTrovaClienti(QWidget* opener)
    : ToolDialog(opener, QStringLiteral(" Trova Clienti in archivio"), QSize(862, 560), Placement::CentredOnScreen)
{
    m_lblMemory = Widgets::NewHiddenLabel(this, QStringLiteral("lblMemory"));
}

void TfrmTrovaClienti::SetMode(const QString& mode)
{
    m_lblMemory->setText(mode);
}
