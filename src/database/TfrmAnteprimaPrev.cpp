#include "database/TfrmAnteprimaPrev.h"

TfrmAnteprimaPrev::TfrmAnteprimaPrev(QWidget* opener)
    : ToolDialog(opener, QStringLiteral(" Anteprima di stampa"), QSize(364, 287), Placement::CentredOnOpener)
{
}
