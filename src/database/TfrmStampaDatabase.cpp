#include "database/TfrmStampaDatabase.h"

TfrmStampaDatabase::TfrmStampaDatabase(QWidget* opener)
    : ToolDialog(opener, QStringLiteral(" Stampa scheda"), QSize(364, 287), Placement::CentredOnOpener)
{
}
