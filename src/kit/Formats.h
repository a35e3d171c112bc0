#pragma once
// The program's formats for dates and numbers, the same in every screen and printed page:
// Italian (decimal comma), dates as day/month/four-digit year.
#include <QDate>
#include <QString>

namespace Formats {

// Makes Italian the process's locale; done once at start-up.
void Apply();

// "dd/MM/yyyy": 07/03/2026.
QString ShortDateFormat();
QString ShortDate(const QDate& date);

} // namespace Formats
