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
