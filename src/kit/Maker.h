#pragma once

#include <QColor>
#include <QString>

// The program's name and colour, and who makes it, as the captions, the start menu, the about
// and the copyright screens show them.
namespace Maker {
inline const QString ProgramName = QStringLiteral("Velorbis 4.0");
// The blue of the program's icons and titles.
inline const QColor BrandBlue = QColor(0x24, 0x5C, 0xB8);
// A work screen's caption: " Velorbis 4.0 - <title>".
inline QString Caption(const QString& title) { return u' ' + ProgramName + QStringLiteral(" - ") + title; }
inline const QString WebAddress = QStringLiteral("https://velorbis.example.com");
inline const QString WebAddressShown = QStringLiteral("velorbis.example.com");
inline const QString InfoEmail = QStringLiteral("info@velorbis.example.com");
inline const QString CopyrightNotice = QStringLiteral("Copyright © 2026 Velorbis Software");
// The maker, as the copyright notice names it; the creator and author of the PDFs the program writes.
inline const QString CompanyName = QStringLiteral("Velorbis Software");
} // namespace Maker
