#include "database/TfrmDatabase.h"

#include "app/StatusLine.h"

#include <QLabel>

TfrmDatabase::TfrmDatabase(QWidget* parent)
    : SheetScreen(QStringLiteral(" Velorbis 4.0 - Gestione Database"), StatusLine::Blue, parent)
{
}

void TfrmDatabase::MostraScheda(const TSchedaDatabase& sheet, std::size_t position)
{
    (void)sheet; // the sheet's boxes come with the sheet screen itself
    Position()->setText(QString::number(position));
}
