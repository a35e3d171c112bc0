#include "archive/ResultLines.h"

#include "storage/Cp1252.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <limits>

namespace {

char16_t FoldUpper(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

char16_t FoldLower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

std::u16string_view TrimmedView(std::u16string_view text)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsTrimmedAway(text[begin]))
        ++begin;
    while (end > begin && IsTrimmedAway(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// The first four characters of a line in list order, packed so that comparing two keys
// compares those characters (a shorter line is padded with code 0).
uint64_t OrderKey(std::u16string_view line)
{
    uint64_t key = 0;
    for (std::size_t i = 0; i < 4; ++i)
        key = (key << 16) | (i < line.size() ? FoldUpper(line[i]) : 0u);
    return key;
}

int CompareFrom(std::u16string_view a, std::u16string_view b, std::size_t from)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = from; i < common; ++i) {
        const char16_t ca = FoldUpper(a[i]), cb = FoldUpper(b[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

} // namespace

std::size_t BuildLine(const uint8_t* record, LineFormat format, char16_t* out)
{
    char16_t* next = out;
    for (const LinePiece& piece : format) {
        if (piece.kind == LinePiece::Kind::Fixed) {
            next = std::copy(piece.text.begin(), piece.text.end(), next);
            continue;
        }
        const uint8_t* field = record + piece.offset;
        const uint8_t* bytes = field + 1;
        std::size_t begin = 0, end = std::min<std::size_t>(field[0], piece.fieldWidth);
        while (begin < end && bytes[begin] <= 32)
            ++begin;
        while (end > begin && bytes[end - 1] <= 32)
            --end;
        std::size_t length = end - begin;
        if (piece.kind == LinePiece::Kind::Column)
            length = std::min<std::size_t>(length, piece.columnWidth);
        for (std::size_t i = 0; i < length; ++i)
            *next++ = Cp1252Table[bytes[begin + i]];
        if (piece.kind == LinePiece::Kind::Column)
            next = std::fill_n(next, piece.columnWidth - length, u' ');
    }
    return static_cast<std::size_t>(next - out);
}

Text BuildLine(const uint8_t* record, LineFormat format)
{
    Text line(MaxLineLength(format), u' ');
    line.resize(BuildLine(record, format, line.data()));
    return line;
}

int CompareInListOrder(std::u16string_view a, std::u16string_view b)
{
    return CompareFrom(a, b, 0);
}

char16_t* ResultLines::Room(std::size_t length)
{
    if (blocks_.empty() || blockSize_ - blockUsed_ < length) {
        blockSize_ = std::max(BlockChars, length);
        blocks_.push_back(std::make_unique_for_overwrite<char16_t[]>(blockSize_));
        allocatedChars_ += blockSize_;
        blockUsed_ = 0;
    }
    return blocks_.back().get() + blockUsed_;
}

void ResultLines::Add(const uint8_t* record, LineFormat format)
{
    char16_t* room = Room(MaxLineLength(format));
    const std::size_t length = BuildLine(record, format, room);
    blockUsed_ += length;
    lines_.emplace_back(room, length);
}

void ResultLines::Add(std::u16string_view line)
{
    char16_t* room = Room(line.size());
    std::copy(line.begin(), line.end(), room);
    blockUsed_ += line.size();
    lines_.emplace_back(room, line.size());
}

void ResultLines::Sort()
{
    assert(lines_.size() <= std::numeric_limits<uint32_t>::max());
    struct Entry {
        uint64_t key;
        uint32_t index;
    };
    std::vector<Entry> entries(lines_.size());
    for (std::size_t i = 0; i < lines_.size(); ++i)
        entries[i] = {OrderKey(lines_[i]), static_cast<uint32_t>(i)};
    std::sort(entries.begin(), entries.end(), [this](const Entry& x, const Entry& y) {
        if (x.key != y.key)
            return x.key < y.key;
        const std::u16string_view a = lines_[x.index], b = lines_[y.index];
        // Equal keys: the first characters up to four agree.
        const int order = CompareFrom(a, b, std::min({std::size_t(4), a.size(), b.size()}));
        return order != 0 ? order < 0 : x.index < y.index;
    });
    std::vector<std::u16string_view> sorted;
    sorted.reserve(lines_.size());
    for (const Entry& entry : entries)
        sorted.push_back(lines_[entry.index]);
    lines_ = std::move(sorted);
}

void ResultLines::Clear()
{
    *this = ResultLines();
}

std::size_t ResultLines::MemoryBytes() const
{
    return allocatedChars_ * sizeof(char16_t) + lines_.capacity() * sizeof(std::u16string_view);
}

Text LowerAZ(std::u16string_view text)
{
    Text folded(text);
    for (char16_t& c : folded)
        c = FoldLower(c);
    return folded;
}

std::size_t FindInList(const ResultLines& lines, std::optional<std::size_t> selected,
                       std::u16string_view typed, Text& sharedFindText)
{
    const std::size_t count = lines.Size();
    assert(count > 0);
    const std::size_t cursor = selected && *selected < count ? *selected : 0;
    const Text find = LowerAZ(typed);
    Text folded;
    auto holds = [&](std::size_t row) {
        if (find.empty())
            return false;
        const std::u16string_view line = lines.Line(row);
        folded.resize(line.size());
        std::transform(line.begin(), line.end(), folded.begin(), [](char16_t c) { return FoldLower(c); });
        return folded.find(find) != Text::npos;
    };

    std::optional<std::size_t> found;
    std::size_t start = cursor;
    if (find != sharedFindText) {
        start = 0;
        if (holds(0))
            found = 0;
    }
    for (std::size_t step = 1; !found && step <= count; ++step) {
        const std::size_t row = (start + step) % count;
        if (holds(row))
            found = row;
    }
    sharedFindText = find;
    return found.value_or(cursor);
}

std::optional<std::size_t> LastRecordWithLine(TRecordFile& file, LineFormat format,
                                              std::u16string_view line, uint8_t* record)
{
    const std::u16string_view wanted = TrimmedView(line);
    Text built(MaxLineLength(format), u' ');
    std::optional<std::size_t> position;
    RecordScanner scan(file, RecordScanner::CachedBlockBytes);
    while (const uint8_t* candidate = scan.Next()) {
        const std::size_t length = BuildLine(candidate, format, built.data());
        if (TrimmedView(std::u16string_view(built.data(), length)) == wanted) {
            position = scan.Index() + 1;
            std::memcpy(record, candidate, file.RecordSize());
        }
    }
    return position;
}
