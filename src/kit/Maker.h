#pragma once

#include <QString>

// Who makes the program, as the start menu, the about and the copyright screens show it.
namespace Maker {
inline const QString ProgramName = QStringLiteral("Velorbis 4.0");
inline const QString WebAddress = QStringLiteral("https://velorbis.example.com");
inline const QString WebAddressShown = QStringLiteral("velorbis.example.com");
inline const QString InfoEmail = QStringLiteral("info@velorbis.example.com");
inline const QString CopyrightNotice = QStringLiteral("Copyright © 2026 Velorbis Software");
// The maker, as the copyright notice names it; the creator and author of the PDFs the program writes.
inline const QString CompanyName = QStringLiteral("Velorbis Software");
} // namespace Maker
