#include "storage/Text.h"

#include "storage/Unicode.h"

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

std::string ToUtf8(std::u16string_view text)
{
    return unicode::ToUtf8(text);
}

Text FromUtf8(std::string_view utf8)
{
    return unicode::FromUtf8(utf8);
}
