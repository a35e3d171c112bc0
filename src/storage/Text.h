#pragma once
// Texts of the program: UTF-16, because every character of the Windows-1252 record
// fields fits in one unit, and the screens hand their texts over in UTF-16 as well.
#include <string>
#include <string_view>

using Text = std::u16string;

// Removes leading and trailing characters whose code is 32 or less (blanks and controls).
Text Trim(std::u16string_view text);
// Upper-cases the letters a to z and nothing else.
Text UpperAZ(std::u16string_view text);

// Conversions at the program's edges (file names, messages); invalid sequences become U+FFFD.
std::string ToUtf8(std::u16string_view text);
Text FromUtf8(std::string_view utf8);

inline bool IsTrimmedAway(char16_t c) { return c <= 32; }
