#include "archive/WebAddress.h"

#include <algorithm>
#include <array>

namespace {

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; }

bool EqualsFolded(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
               return Lower(x) == Lower(y);
           });
}

// The scheme of `text` ("http" of "http://..."), or empty when the text does not start with
// one. "example.it:8080" is a host and a port, not a scheme.
std::u16string_view SchemeOf(std::u16string_view text)
{
    if (text.empty() || !IsAsciiLetter(text.front()))
        return {};
    std::size_t i = 1;
    while (i < text.size() && (IsAsciiLetter(text[i]) || IsDigit(text[i]) || text[i] == u'+' || text[i] == u'-'
                               || text[i] == u'.'))
        ++i;
    if (i >= text.size() || text[i] != u':')
        return {};
    if (i + 1 < text.size() && IsDigit(text[i + 1]))
        return {};
    return text.substr(0, i);
}

bool IsWebScheme(std::u16string_view scheme)
{
    return EqualsFolded(scheme, u"http") || EqualsFolded(scheme, u"https") || EqualsFolded(scheme, u"ftp");
}

bool LooksLikeLocalPath(std::u16string_view text)
{
    if (text.front() == u'/' || text.front() == u'\\' || text.front() == u'~' || text.front() == u'.')
        return true;
    // A drive letter: "C:" alone or followed by anything.
    return text.size() >= 2 && IsAsciiLetter(text[0]) && text[1] == u':';
}

// The host of "scheme://[user@]host[:port][/...]": letters of any script, digits, '-', '.',
// '_' and the brackets of an IPv6 address; never empty.
bool HasUsableHost(std::u16string_view address, std::size_t authorityStart)
{
    std::u16string_view rest = address.substr(authorityStart);
    const std::size_t end = rest.find_first_of(u"/?#\\");
    std::u16string_view authority = rest.substr(0, end);
    if (const std::size_t at = authority.rfind(u'@'); at != std::u16string_view::npos)
        authority.remove_prefix(at + 1);
    std::u16string_view host = authority;
    if (!host.empty() && host.front() == u'[') {
        const std::size_t close = host.find(u']');
        if (close == std::u16string_view::npos || close == 1)
            return false;
        host = host.substr(0, close + 1);
    } else if (const std::size_t colon = host.find(u':'); colon != std::u16string_view::npos) {
        host = host.substr(0, colon);
    }
    if (host.empty())
        return false;
    return std::all_of(host.begin(), host.end(), [](char16_t c) {
        return c > 127 || IsAsciiLetter(c) || IsDigit(c) || c == u'-' || c == u'.' || c == u'_' || c == u'['
               || c == u']' || c == u':';
    });
}

bool HasControlCharacters(std::u16string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char16_t c) { return c < 32 || c == 127; });
}

} // namespace

std::optional<Text> WebAddressToOpen(std::u16string_view typed)
{
    const Text text = Trim(typed);
    if (text.empty() || HasControlCharacters(text) || LooksLikeLocalPath(text))
        return std::nullopt;
    Text address;
    const std::u16string_view scheme = SchemeOf(text);
    if (scheme.empty())
        address = u"http://" + text;
    else if (IsWebScheme(scheme))
        address = text;
    else
        return std::nullopt;
    const std::size_t colon = address.find(u':');
    if (address.compare(colon + 1, 2, u"//") != 0 || !HasUsableHost(address, colon + 3))
        return std::nullopt;
    return address;
}

Text WebSearchAddress(std::u16string_view phrase)
{
    Text address = u"http://www.google.it/search?q=";
    for (char16_t c : Trim(phrase)) {
        switch (c) {
        case u'%': address += u"%25"; break;
        case u'&': address += u"%26"; break;
        case u'#': address += u"%23"; break;
        case u'+': address += u"%2B"; break;
        default: address += c; break;
        }
    }
    return address;
}

Text MailToAddress(std::u16string_view email)
{
    const Text address = Trim(email);
    return u"mailto:" + Trim(std::u16string_view(address).substr(0, address.find(u'?')));
}
