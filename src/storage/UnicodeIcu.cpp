// The Unicode facts from ICU.
#include "storage/Unicode.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/ustring.h>

#include <cstdint>
#include <stdexcept>

namespace unicode {

namespace {
constexpr UChar32 Replacement = 0xFFFD;

void CheckConversion(UErrorCode status, const char* what)
{
    if (U_FAILURE(status))
        throw std::runtime_error(std::string(what) + ": " + u_errorName(status));
}
} // namespace

char32_t DecompositionBase(char32_t c)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfkd = icu::Normalizer2::getNFKDInstance(status);
    if (U_FAILURE(status))
        return 0;
    icu::UnicodeString decomposition;
    if (!nfkd->getDecomposition(static_cast<UChar32>(c), decomposition))
        return 0;
    char32_t base = 0;
    int bases = 0;
    for (int32_t i = 0; i < decomposition.length(); i = decomposition.moveIndex32(i, 1)) {
        const UChar32 part = decomposition.char32At(i);
        const int8_t type = u_charType(part);
        if (type == U_NON_SPACING_MARK || type == U_ENCLOSING_MARK || type == U_COMBINING_SPACING_MARK)
            continue;
        base = static_cast<char32_t>(part);
        ++bases;
    }
    return bases == 1 ? base : 0;
}

bool EqualFolded(std::u16string_view a, std::u16string_view b)
{
    UErrorCode status = U_ZERO_ERROR;
    return u_strCaseCompare(a.data(), static_cast<int32_t>(a.size()), b.data(), static_cast<int32_t>(b.size()),
                            U_FOLD_CASE_DEFAULT, &status) == 0
        && U_SUCCESS(status);
}

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

std::u16string FromUtf8(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    std::u16string result(utf8.size(), u'\0'); // never more units than bytes
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(result.data(), static_cast<int32_t>(result.size()), &length, utf8.data(),
                         static_cast<int32_t>(utf8.size()), Replacement, nullptr, &status);
    CheckConversion(status, "UTF-8 to UTF-16");
    result.resize(static_cast<std::size_t>(length));
    return result;
}

} // namespace unicode
