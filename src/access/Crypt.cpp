#include "access/Crypt.h"

namespace {

uint16_t NextKey(uint16_t key, uint8_t scrambled)
{
    return static_cast<uint16_t>((uint32_t(scrambled) + key) * CryptMultiplier + CryptIncrement);
}

uint8_t KeyByte(uint16_t key)
{
    return static_cast<uint8_t>(key >> 8);
}

int HexValue(char16_t digit)
{
    if (digit >= u'0' && digit <= u'9')
        return digit - u'0';
    if (digit >= u'A' && digit <= u'F')
        return digit - u'A' + 10;
    if (digit >= u'a' && digit <= u'f')
        return digit - u'a' + 10;
    return -1;
}

} // namespace

Text CryptEncode(std::u16string_view plain)
{
    static constexpr char16_t Digits[] = u"0123456789ABCDEF";
    Text hex;
    hex.reserve(plain.size() * 2);
    uint16_t key = CryptStartKey;
    for (const char16_t character : plain) {
        const uint8_t scrambled = static_cast<uint8_t>(character & 0xFF) ^ KeyByte(key);
        hex += Digits[scrambled >> 4];
        hex += Digits[scrambled & 0x0F];
        key = NextKey(key, scrambled);
    }
    return hex;
}

Text CryptDecode(std::u16string_view hex)
{
    Text plain;
    plain.reserve(hex.size() / 2);
    uint16_t key = CryptStartKey;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        const int high = HexValue(hex[i]), low = HexValue(hex[i + 1]);
        if (high < 0 || low < 0)
            throw FileFailure({{}, {}, "not a hexadecimal digit pair at position " + std::to_string(i + 1)});
        const auto scrambled = static_cast<uint8_t>(high << 4 | low);
        plain += static_cast<char16_t>(scrambled ^ KeyByte(key));
        key = NextKey(key, scrambled);
    }
    return plain;
}
