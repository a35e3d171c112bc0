#pragma once
// The few facts about Unicode the core needs. On Linux they come from ICU (UnicodeIcu.cpp);
// on Windows, which has no ICU to link against everywhere, from tables made from the same
// ICU data when the program was written (UnicodeTables.cpp). The tables answer exactly as
// ICU does for every code point: a test on Linux checks it.
#include <cstddef>
#include <string>
#include <string_view>

namespace unicode {

// The one character that the compatibility decomposition (NFKD) of c leaves besides
// combining marks: ā -> a, ǿ -> ø, a full-width A -> A. 0 when c has no decomposition or
// it leaves no such character or several.
char32_t DecompositionBase(char32_t c);
// The texts are equal under Unicode's full default case folding ("Straße" and "STRASSE").
bool EqualFolded(std::u16string_view a, std::u16string_view b);
// Conversions; each ill-formed part (a lone surrogate, a maximal invalid byte sequence)
// becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view utf8);

inline bool IsLead(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
inline bool IsTrail(char16_t c) { return c >= 0xDC00 && c < 0xE000; }
inline bool IsSurrogate(char32_t c) { return c >= 0xD800 && c < 0xE000; }

// The character at text[i], moving i past it: a surrogate pair is one character, a lone
// surrogate is given as it is.
inline char32_t Next(std::u16string_view text, std::size_t& i)
{
    const char16_t first = text[i++];
    if (IsLead(first) && i < text.size() && IsTrail(text[i]))
        return 0x10000 + ((static_cast<char32_t>(first) - 0xD800) << 10) + (text[i++] - 0xDC00);
    return first;
}

// The same answers from the tables alone, on every system (the tests compare them with ICU's).
namespace tables {
char32_t DecompositionBase(char32_t c);
bool EqualFolded(std::u16string_view a, std::u16string_view b);
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view utf8);
// The full default case folding of c: up to three characters, the unused ones 0.
void Fold(char32_t c, char32_t folded[3]);
} // namespace tables

} // namespace unicode
