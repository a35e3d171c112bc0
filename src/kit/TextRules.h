#pragma once

#include "storage/Text.h"

#include <QString>

#include <string_view>

// The program's texts (UTF-16, as the record fields decode) as the screens show them, and back.
QString ToQString(std::u16string_view text);
Text ToText(const QString& text);

// The two text rules every screen applies: trimming takes off leading and trailing
// characters of code 32 or below; upper-casing changes only the letters a to z.
QString TrimText(const QString& text);
QString UpperAZ(const QString& text);

// The text as the archive holds it: every character that Windows-1252 lacks replaced by the
// look-alike (or '?') that saving a record or a settings file writes. One character in, one
// character out: a character written with two UTF-16 units becomes one.
QString StorableText(const QString& text);
