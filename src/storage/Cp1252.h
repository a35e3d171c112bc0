#pragma once
// The Windows-1252 code page of the record fields and the settings files.
#include "storage/Text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cp1252_detail {
// 0x80..0x9F; the five bytes the code page leaves unassigned decode, as on Windows,
// to the C1 control of the same number.
inline constexpr char16_t High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, //
};

constexpr std::array<char16_t, 256> MakeTable()
{
    std::array<char16_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte)
        table[byte] = (byte >= 0x80 && byte < 0xA0) ? High[byte - 0x80] : static_cast<char16_t>(byte);
    return table;
}
} // namespace cp1252_detail

// Byte -> character, all 256 bytes.
inline constexpr std::array<char16_t, 256> Cp1252Table = cp1252_detail::MakeTable();

inline char16_t Cp1252ToUnicode(uint8_t byte)
{
    return Cp1252Table[byte];
}

inline constexpr uint8_t Cp1252Unknown = '?';

// Character -> byte. Characters of the code page map exactly; others become a look-alike
// where one exists (a letter with a foreign accent becomes the plain letter, ł becomes l,
// a typographic dash becomes '-'), '?' otherwise.
uint8_t UnicodeToCp1252(char32_t codePoint);

// Converts text, one byte per character (a surrogate pair is one character), writing at
// most maxBytes bytes to out. Returns the number of bytes written.
std::size_t ToCp1252(std::u16string_view text, uint8_t* out, std::size_t maxBytes);
std::string ToCp1252(std::u16string_view text);
Text FromCp1252(std::string_view bytes);
// The text's bytes when every character has one in the code page (exact: no look-alike,
// which would find texts the user did not type); nullopt otherwise.
std::optional<std::string> ExactCp1252(std::u16string_view text);
