#include "kit/Formats.h"

#include <QLocale>

namespace Formats {

void Apply()
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

// Italian's own short format has a two-digit year; the program shows all four.
QString ShortDateFormat()
{
    return QStringLiteral("dd/MM/yyyy");
}

QString ShortDate(const QDate& date)
{
    return QLocale().toString(date, ShortDateFormat());
}

} // namespace Formats
