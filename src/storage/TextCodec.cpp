#include "storage/TextCodec.h"

#include "storage/Cp1252.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace {

std::size_t StoredLength(const uint8_t* field, std::size_t width)
{
    return std::min<std::size_t>(field[0], width);
}

void DecodeBytes(const uint8_t* bytes, std::size_t count, Text& out)
{
    out.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = Cp1252Table[bytes[i]];
}

// Blanks and controls are the same bytes in Windows-1252 as in Unicode (codes 0..32).
bool IsTrimmedByte(uint8_t byte)
{
    return byte <= 32;
}

} // namespace

void EncodeText(std::u16string_view text, std::size_t width, uint8_t* field)
{
    assert(width <= 255); // the length byte must be able to say it
    const Text trimmed = Trim(text);
    uint8_t* bytes = field + 1;
    std::size_t length = ToCp1252(trimmed, bytes, width);
    while (length > 0 && IsTrimmedByte(bytes[length - 1]))
        --length; // the cut may have ended on a blank
    field[0] = static_cast<uint8_t>(length);
    std::memset(bytes + length, 0, width - length);
}

Text DecodeText(const uint8_t* field, std::size_t width)
{
    const uint8_t* bytes = field + 1;
    std::size_t begin = 0, end = StoredLength(field, width);
    while (begin < end && IsTrimmedByte(bytes[begin]))
        ++begin;
    while (end > begin && IsTrimmedByte(bytes[end - 1]))
        --end;
    Text text;
    DecodeBytes(bytes + begin, end - begin, text);
    return text;
}

Text DecodeTextUntrimmed(const uint8_t* field, std::size_t width)
{
    Text text;
    DecodeTextUntrimmedInto(field, width, text);
    return text;
}

void DecodeTextUntrimmedInto(const uint8_t* field, std::size_t width, Text& out)
{
    DecodeBytes(field + 1, StoredLength(field, width), out);
}
