#include "storage/Cp1252.h"

#include "storage/Unicode.h"

#include <algorithm>
#include <iterator>

namespace {

struct BestFit {
    char32_t from;
    uint8_t to;
};

// Look-alikes for characters that have no decomposition to a Windows-1252 character.
// Sorted by code point.
constexpr BestFit ExtraBestFit[] = {
    {0x0110, 'D'},  {0x0111, 'd'},  {0x0126, 'H'},  {0x0127, 'h'},  {0x0131, 'i'},
    {0x0138, 'k'},  {0x013F, 'L'},  {0x0140, 'l'},  {0x0141, 'L'},  {0x0142, 'l'},
    {0x014A, 'N'},  {0x014B, 'n'},  {0x0166, 'T'},  {0x0167, 't'},  {0x0180, 'b'},
    {0x0189, 'D'},  {0x0197, 'I'},  {0x019A, 'l'},  {0x01B5, 'Z'},  {0x01B6, 'z'},
    {0x01E4, 'G'},  {0x01E5, 'g'},  {0x02B9, '\''}, {0x02BA, '"'},  {0x02BC, '\''},
    {0x02C4, '^'},  {0x02C8, '\''}, {0x02CB, '`'},  {0x02CD, '_'},  {0x0393, 'G'},
    {0x0398, 'T'},  {0x03A3, 'S'},  {0x03A6, 'F'},  {0x03A9, 'O'},  {0x03B1, 'a'},
    {0x03B2, 0xDF}, {0x03B4, 'd'},  {0x03B5, 'e'},  {0x03BC, 0xB5}, {0x03C0, 'p'},
    {0x03C3, 's'},  {0x03C4, 't'},  {0x03C6, 'f'},  {0x2010, '-'},  {0x2011, '-'},
    {0x2012, '-'},  {0x2015, '-'},  {0x2017, '_'},  {0x201B, '\''}, {0x201F, '"'},
    {0x2032, '\''}, {0x2033, '"'},  {0x2035, '`'},  {0x2044, '/'},  {0x2212, '-'},
    {0x2215, '/'},  {0x2216, '\\'}, {0x2217, '*'},  {0x2223, '|'},  {0x2236, ':'},
    {0x223C, '~'},
};

// Characters of the code page map to their own byte.
bool MappedExactly(char32_t c, uint8_t& byte)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        byte = static_cast<uint8_t>(c);
        return true;
    }
    for (int candidate = 0x80; candidate < 0xA0; ++candidate)
        if (Cp1252Table[candidate] == c) {
            byte = static_cast<uint8_t>(candidate);
            return true;
        }
    return false;
}

bool FromExtraTable(char32_t c, uint8_t& byte)
{
    auto it = std::lower_bound(std::begin(ExtraBestFit), std::end(ExtraBestFit), c,
                               [](const BestFit& entry, char32_t value) { return entry.from < value; });
    if (it == std::end(ExtraBestFit) || it->from != c)
        return false;
    byte = it->to;
    return true;
}

// A compatibility decomposition that leaves exactly one character besides combining
// marks gives that character's byte: ā -> a, ǿ -> ø, a full-width A -> A.
bool FromDecomposition(char32_t c, uint8_t& byte)
{
    const char32_t base = unicode::DecompositionBase(c);
    return base != 0 && (MappedExactly(base, byte) || FromExtraTable(base, byte));
}

} // namespace

uint8_t UnicodeToCp1252(char32_t codePoint)
{
    uint8_t byte = 0;
    if (MappedExactly(codePoint, byte))
        return byte;
    if (codePoint >= 0x80 && codePoint < 0xA0)
        return Cp1252Unknown; // C1 controls outside the five that Windows keeps
    if (FromExtraTable(codePoint, byte) || FromDecomposition(codePoint, byte))
        return byte;
    return Cp1252Unknown;
}

std::size_t ToCp1252(std::u16string_view text, uint8_t* out, std::size_t maxBytes)
{
    std::size_t written = 0;
    std::size_t i = 0;
    while (i < text.size() && written < maxBytes) {
        const char32_t c = unicode::Next(text, i);
        out[written++] = unicode::IsSurrogate(c) ? Cp1252Unknown : UnicodeToCp1252(c);
    }
    return written;
}

std::string ToCp1252(std::u16string_view text)
{
    std::string bytes(text.size(), '\0');
    bytes.resize(ToCp1252(text, reinterpret_cast<uint8_t*>(bytes.data()), bytes.size()));
    return bytes;
}

Text FromCp1252(std::string_view bytes)
{
    Text text(bytes.size(), u'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        text[i] = Cp1252Table[static_cast<uint8_t>(bytes[i])];
    return text;
}

std::optional<std::string> ExactCp1252(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (const char16_t c : text) {
        if (c <= 0xFF && Cp1252Table[c] == c) {
            bytes.push_back(static_cast<char>(c));
            continue;
        }
        const auto* high = std::find(std::begin(cp1252_detail::High), std::end(cp1252_detail::High), c);
        if (high == std::end(cp1252_detail::High))
            return std::nullopt;
        bytes.push_back(static_cast<char>(0x80 + (high - std::begin(cp1252_detail::High))));
    }
    return bytes;
}
