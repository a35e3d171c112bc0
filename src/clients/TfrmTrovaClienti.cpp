#include "clients/TfrmTrovaClienti.h"

TfrmTrovaClienti::TfrmTrovaClienti(QWidget* opener)
    : ToolDialog(opener, QStringLiteral(" Trova Clienti in archivio"), QSize(862, 560), Placement::CentredOnScreen)
{
}
