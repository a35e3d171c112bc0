#pragma once

#include <QString>

// The two text rules every screen applies: trimming takes off leading and trailing
// characters of code 32 or below; upper-casing changes only the letters a to z.
QString TrimText(const QString& text);
QString UpperAZ(const QString& text);
