#include "database/TfrmDatabase.h"

#include "app/StatusLine.h"

TfrmDatabase::TfrmDatabase(QWidget* parent)
    : SheetScreen(QStringLiteral(" Velorbis 4.0 - Gestione Database"), StatusLine::Blue, parent)
{
}
