#include "archive/ResultLines.h"

#include "storage/Cp1252.h"

#include <algorithm>
#include <array>
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

// The rank of each byte's character in the list order: characters compared by code value
// after turning a to z into A to Z, so a and A share a rank. Ranks start at 1: 0 marks the
// end of a line, which comes before any character.
const std::array<uint8_t, 256>& Ranks()
{
    static const std::array<uint8_t, 256> ranks = [] {
        std::array<char16_t, 256> folded{};
        for (int byte = 0; byte < 256; ++byte)
            folded[byte] = FoldUpper(Cp1252Table[byte]);
        std::array<char16_t, 256> sorted = folded;
        std::sort(sorted.begin(), sorted.end());
        const auto end = std::unique(sorted.begin(), sorted.end());
        std::array<uint8_t, 256> table{};
        for (int byte = 0; byte < 256; ++byte)
            table[byte] = static_cast<uint8_t>(std::lower_bound(sorted.begin(), end, folded[byte]) - sorted.begin() + 1);
        return table;
    }();
    return ranks;
}

// The ranks of bytes [from, from + 8) of a line, packed so that comparing two keys compares
// those characters in list order (0 past the end of the line).
uint64_t RankKey(const uint8_t* line, std::size_t length, std::size_t from)
{
    const std::array<uint8_t, 256>& ranks = Ranks();
    uint64_t key = 0;
    for (std::size_t i = from; i < from + 8; ++i)
        key = (key << 8) | (i < length ? ranks[line[i]] : 0u);
    return key;
}

// The bytes a field piece shows: the field trimmed (codes 32 and below at both ends), cut to
// its column.
std::basic_string_view<uint8_t> PieceBytes(const uint8_t* record, const LinePiece& piece)
{
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
    return {bytes + begin, length};
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
        const std::basic_string_view<uint8_t> bytes = PieceBytes(record, piece);
        for (const uint8_t byte : bytes)
            *next++ = Cp1252Table[byte];
        if (piece.kind == LinePiece::Kind::Column)
            next = std::fill_n(next, piece.columnWidth - bytes.size(), u' ');
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

uint8_t* ResultLines::Room(std::size_t bytes)
{
    if (blocks_.empty() || blockSize_ - blockUsed_ < bytes) {
        blockSize_ = std::max(BlockBytes, bytes);
        blocks_.push_back(std::make_unique_for_overwrite<uint8_t[]>(blockSize_));
        allocatedBytes_ += blockSize_;
        blockUsed_ = 0;
    }
    return blocks_.back().get() + blockUsed_;
}

// A stored line of the format: for each field piece, one length byte and the field's trimmed
// bytes (cut to its column). A line given whole: two length bytes (low first), its bytes.
void ResultLines::Add(const uint8_t* record, LineFormat format)
{
    assert(lines_.empty() || (format.data() == format_.data() && format.size() == format_.size()));
    if (lines_.empty()) {
        format_ = format;
        maxLength_ = MaxLineLength(format);
        fixedBytes_.clear();
        for (const LinePiece& piece : format)
            fixedBytes_.push_back(piece.kind == LinePiece::Kind::Fixed ? ToCp1252(piece.text) : std::string());
    }
    uint8_t* const room = Room(format.size() + maxLength_);
    uint8_t* next = room;
    for (const LinePiece& piece : format) {
        if (piece.kind == LinePiece::Kind::Fixed)
            continue;
        const std::basic_string_view<uint8_t> bytes = PieceBytes(record, piece);
        *next++ = static_cast<uint8_t>(bytes.size());
        next = std::copy(bytes.begin(), bytes.end(), next);
    }
    blockUsed_ += static_cast<std::size_t>(next - room);
    lines_.push_back(room);
}

void ResultLines::Add(std::u16string_view line)
{
    assert(format_.empty() && line.size() <= 0xFFFF);
    const std::size_t length = std::min<std::size_t>(line.size(), 0xFFFF);
    uint8_t* const room = Room(2 + length);
    room[0] = static_cast<uint8_t>(length & 0xFF);
    room[1] = static_cast<uint8_t>(length >> 8);
    ToCp1252(line.substr(0, length), room + 2, length);
    blockUsed_ += 2 + length;
    maxLength_ = std::max(maxLength_, length);
    lines_.push_back(room);
}

std::size_t ResultLines::Expand(const uint8_t* stored, uint8_t* out) const
{
    if (format_.empty()) {
        const std::size_t length = stored[0] | (std::size_t(stored[1]) << 8);
        std::copy_n(stored + 2, length, out);
        return length;
    }
    uint8_t* next = out;
    for (std::size_t i = 0; i < format_.size(); ++i) {
        const LinePiece& piece = format_[i];
        if (piece.kind == LinePiece::Kind::Fixed) {
            next = std::copy(fixedBytes_[i].begin(), fixedBytes_[i].end(), next);
            continue;
        }
        const std::size_t length = *stored++;
        next = std::copy_n(stored, length, next);
        stored += length;
        if (piece.kind == LinePiece::Kind::Column)
            next = std::fill_n(next, piece.columnWidth - length, uint8_t(' '));
    }
    return static_cast<std::size_t>(next - out);
}

std::size_t ResultLines::LineBytes(std::size_t row, uint8_t* out) const
{
    return Expand(Stored(row), out);
}

Text ResultLines::Line(std::size_t row) const
{
    std::vector<uint8_t> bytes(maxLength_);
    const std::size_t length = LineBytes(row, bytes.data());
    Text line(length, u' ');
    for (std::size_t i = 0; i < length; ++i)
        line[i] = Cp1252Table[bytes[i]];
    return line;
}

// Sorted by the first eight characters; lines that agree on them are sorted by the next
// eight, and so on, so that each line is looked at again only as long as others share its
// beginning. Equal lines keep the order of adding.
void ResultLines::Sort()
{
    assert(lines_.size() <= std::numeric_limits<uint32_t>::max());
    struct Entry {
        uint64_t key;
        uint32_t index;
    };
    std::vector<uint8_t> buffer(maxLength_);
    const auto keyAt = [&](uint32_t index, std::size_t from) {
        return RankKey(buffer.data(), Expand(lines_[index], buffer.data()), from);
    };
    const auto before = [](const Entry& x, const Entry& y) { return x.key != y.key ? x.key < y.key : x.index < y.index; };
    std::vector<Entry> entries(lines_.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        entries[i] = {keyAt(static_cast<uint32_t>(i), 0), static_cast<uint32_t>(i)};
    std::sort(entries.begin(), entries.end(), before);

    struct Run {
        std::size_t begin, end, from;
    };
    std::vector<Run> runs;
    const auto addTies = [&](std::size_t begin, std::size_t end, std::size_t from) {
        for (std::size_t i = begin; i < end;) {
            std::size_t j = i + 1;
            while (j < end && entries[j].key == entries[i].key)
                ++j;
            // A key ending in 0 ends the lines: lines that share it are equal.
            if (j - i > 1 && (entries[i].key & 0xFF) != 0)
                runs.push_back({i, j, from + 8});
            i = j;
        }
    };
    addTies(0, entries.size(), 0);
    while (!runs.empty()) {
        const Run run = runs.back();
        runs.pop_back();
        for (std::size_t i = run.begin; i < run.end; ++i)
            entries[i].key = keyAt(entries[i].index, run.from);
        std::sort(entries.begin() + std::ptrdiff_t(run.begin), entries.begin() + std::ptrdiff_t(run.end), before);
        addTies(run.begin, run.end, run.from);
    }
    order_.resize(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        order_[i] = entries[i].index;
}

void ResultLines::Clear()
{
    *this = ResultLines();
}

std::size_t ResultLines::MemoryBytes() const
{
    return allocatedBytes_ + lines_.capacity() * sizeof(const uint8_t*) + order_.capacity() * sizeof(uint32_t);
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
    // Lines hold only characters of the code page: a text with others is in none.
    const std::optional<std::string> findBytes = ExactCp1252(find);
    std::vector<uint8_t> line(lines.MaxLength());
    auto holds = [&](std::size_t row) {
        if (find.empty() || !findBytes)
            return false;
        const std::size_t length = lines.LineBytes(row, line.data());
        for (std::size_t i = 0; i < length; ++i)
            line[i] = static_cast<uint8_t>(static_cast<unsigned>(line[i] - 'A') < 26u ? line[i] + ('a' - 'A') : line[i]);
        return std::string_view(reinterpret_cast<const char*>(line.data()), length).find(*findBytes)
               != std::string_view::npos;
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
