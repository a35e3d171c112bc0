#include "database/TfrmTrovaDatabase.h"

TfrmTrovaDatabase::TfrmTrovaDatabase(QWidget* opener)
    : ToolDialog(opener, QStringLiteral(" Trova schede in archivio"), QSize(862, 560), Placement::CentredOnScreen)
{
}
