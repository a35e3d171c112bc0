#include "database/TfrmExpDatabase.h"

TfrmExpDatabase::TfrmExpDatabase(QWidget* opener)
    : ToolDialog(opener, QStringLiteral(" Esporta database in Microsoft Excel"), QSize(862, 560), Placement::CentredOnScreen)
{
}
