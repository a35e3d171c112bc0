#include "storage/Text.h"

#include <unicode/ustring.h>

#include <stdexcept>

Text Trim(std::u16string_view text)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsTrimmedAway(text[begin]))
        ++begin;
    while (end > begin && IsTrimmedAway(text[end - 1]))
        --end;
    return Text(text.substr(begin, end - begin));
}

Text UpperAZ(std::u16string_view text)
{
    Text result(text);
    for (char16_t& c : result)
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
    return result;
}

namespace {
constexpr UChar32 Replacement = 0xFFFD;

void CheckConversion(UErrorCode status, const char* what)
{
    if (U_FAILURE(status))
        throw std::runtime_error(std::string(what) + ": " + u_errorName(status));
}
} // namespace

std::string ToUtf8(std::u16string_view text)
{
    if (text.empty())
        return {};
    std::string result(text.size() * 3, '\0'); // a UTF-16 unit never needs more than 3 bytes
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(result.data(), static_cast<int32_t>(result.size()), &length, text.data(),
                       static_cast<int32_t>(text.size()), Replacement, nullptr, &status);
    CheckConversion(status, "UTF-16 to UTF-8");
    result.resize(static_cast<std::size_t>(length));
    return result;
}

Text FromUtf8(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    Text result(utf8.size(), u'\0'); // never more units than bytes
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(result.data(), static_cast<int32_t>(result.size()), &length, utf8.data(),
                         static_cast<int32_t>(utf8.size()), Replacement, nullptr, &status);
    CheckConversion(status, "UTF-8 to UTF-16");
    result.resize(static_cast<std::size_t>(length));
    return result;
}
