// The Unicode facts from tables made from ICU (UnicodeTables.inc), and UTF-8 conversions
// that treat ill-formed input as ICU does. The Windows build takes these; on Linux they are
// compared with ICU's answers by the tests.
#include "storage/Unicode.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace unicode::tables {

namespace {

struct Decomposition {
    char32_t from;
    char32_t base;
};

struct Folding {
    char32_t from;
    char32_t to[3];
};

#include "storage/UnicodeTables.inc"

constexpr char32_t Replacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t c)
{
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
        return;
    }
    out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
}

// The folded characters of a text, one by one; a lone surrogate folds to itself.
class FoldedCharacters {
public:
    explicit FoldedCharacters(std::u16string_view text) : text_(text) {}
    // False after the last one.
    bool Next(char32_t& c)
    {
        if (pending_ < 3 && folded_[pending_] != 0) {
            c = folded_[pending_++];
            return true;
        }
        if (at_ >= text_.size())
            return false;
        Fold(unicode::Next(text_, at_), folded_);
        c = folded_[0];
        pending_ = 1;
        return true;
    }

private:
    std::u16string_view text_;
    std::size_t at_ = 0;
    char32_t folded_[3] = {0, 0, 0};
    std::size_t pending_ = 3;
};

} // namespace

char32_t DecompositionBase(char32_t c)
{
    const auto found = std::lower_bound(std::begin(Decompositions), std::end(Decompositions), c,
                                        [](const Decomposition& entry, char32_t value) { return entry.from < value; });
    return found != std::end(Decompositions) && found->from == c ? found->base : 0;
}

void Fold(char32_t c, char32_t folded[3])
{
    const auto found = std::lower_bound(std::begin(Foldings), std::end(Foldings), c,
                                        [](const Folding& entry, char32_t value) { return entry.from < value; });
    if (found != std::end(Foldings) && found->from == c) {
        std::copy(std::begin(found->to), std::end(found->to), folded);
        return;
    }
    folded[0] = c;
    folded[1] = folded[2] = 0;
}

bool EqualFolded(std::u16string_view a, std::u16string_view b)
{
    FoldedCharacters left(a), right(b);
    for (;;) {
        char32_t x = 0, y = 0;
        const bool more = left.Next(x);
        if (more != right.Next(y))
            return false;
        if (!more)
            return true;
        if (x != y)
            return false;
    }
}

std::string ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = unicode::Next(text, i);
        AppendUtf8(out, IsSurrogate(c) ? Replacement : c);
    }
    return out;
}

std::u16string FromUtf8(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    const auto byte = [&](std::size_t at) { return static_cast<uint8_t>(utf8[at]); };
    for (std::size_t i = 0; i < utf8.size();) {
        const uint8_t lead = byte(i++);
        if (lead < 0x80) {
            out += static_cast<char16_t>(lead);
            continue;
        }
        // The well-formed sequences: how many bytes follow the lead, and the range of the first.
        std::size_t follow = 0;
        uint8_t low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF)
            follow = 1;
        else if (lead >= 0xE0 && lead <= 0xEF) {
            follow = 2;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            follow = 3;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        }
        char32_t c = lead & (follow == 1 ? 0x1F : follow == 2 ? 0x0F : 0x07);
        std::size_t taken = 0;
        for (; taken < follow && i < utf8.size(); ++taken) {
            const uint8_t next = byte(i);
            if (next < low || next > high)
                break;
            c = (c << 6) | (next & 0x3F);
            ++i;
            low = 0x80;
            high = 0xBF;
        }
        // A sequence cut short is one replacement; the byte that cut it starts the next.
        AppendUtf16(out, follow != 0 && taken == follow ? c : Replacement);
    }
    return out;
}

} // namespace unicode::tables

#ifdef VELORBIS_UNICODE_TABLES
// The build without ICU: the tables are the answers.
namespace unicode {
char32_t DecompositionBase(char32_t c) { return tables::DecompositionBase(c); }
bool EqualFolded(std::u16string_view a, std::u16string_view b) { return tables::EqualFolded(a, b); }
std::string ToUtf8(std::u16string_view text) { return tables::ToUtf8(text); }
std::u16string FromUtf8(std::string_view utf8) { return tables::FromUtf8(utf8); }
} // namespace unicode
#endif
