#pragma once
// The result lines of the four list tools (database search, flagged sheets, client search,
// clients to recontact): how a record becomes one fixed-column line, the list of lines in
// its display order, the find in list, and finding the record a chosen line stands for.
// Each tool only supplies its record layout and its line format.
#include "storage/RecordFile.h"
#include "storage/Records.h"
#include "storage/Text.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// One piece of a line: a field made exactly as wide as its column, a field whole, or a
// fixed text. Fields are trimmed first (codes 32 and below at both ends).
struct LinePiece {
    enum class Kind : uint8_t { Column, Whole, Fixed };
    Kind kind;
    uint16_t offset = 0;      // of the field's length byte in the record
    uint16_t fieldWidth = 0;  // of the field in the record
    uint16_t columnWidth = 0; // Column: padded with blanks or cut to this many characters
    std::u16string_view text = {}; // Fixed

    // Characters this piece can take in a line.
    constexpr std::size_t MaxLength() const
    {
        switch (kind) {
        case Kind::Column:
            return columnWidth;
        case Kind::Whole:
            return fieldWidth;
        case Kind::Fixed:
            break;
        }
        return text.size();
    }
};

template <const auto& Layout>
constexpr LinePiece Column(FieldOf<Layout> field, uint16_t width)
{
    const FieldSpec& fieldSpec = Layout.At(field);
    return {LinePiece::Kind::Column, fieldSpec.offset, fieldSpec.width, width};
}

template <const auto& Layout>
constexpr LinePiece Whole(FieldOf<Layout> field)
{
    const FieldSpec& fieldSpec = Layout.At(field);
    return {LinePiece::Kind::Whole, fieldSpec.offset, fieldSpec.width, 0};
}

constexpr LinePiece Fixed(std::u16string_view text)
{
    return {LinePiece::Kind::Fixed, 0, 0, 0, text};
}

using LineFormat = std::span<const LinePiece>;

constexpr std::size_t MaxLineLength(LineFormat format)
{
    std::size_t length = 0;
    for (const LinePiece& piece : format)
        length += piece.MaxLength();
    return length;
}

// Writes the line of `record` to `out` (at least MaxLineLength(format) characters of room)
// and returns its length.
std::size_t BuildLine(const uint8_t* record, LineFormat format, char16_t* out);
Text BuildLine(const uint8_t* record, LineFormat format);

// The list order: the whole lines compared character by character by code value after
// turning a to z into A to Z. Negative, zero or positive like a three-way comparison.
int CompareInListOrder(std::u16string_view a, std::u16string_view b);

// The lines of a list tool. Lines are added as records are read, then sorted once into the
// list order (lines that compare equal keep the order of the file). A line is kept as its
// record gives it: the trimmed bytes of each field it shows, in the archive's code page;
// the blanks of its columns and its fixed texts come from the format when the line is
// asked for. So a million lines take about a third of their shown size, in a few large
// blocks, with no allocation per line.
class ResultLines {
public:
    ResultLines() = default;
    ResultLines(ResultLines&&) noexcept = default;
    ResultLines& operator=(ResultLines&&) noexcept = default;

    // Every line added to one list has the same format.
    void Add(const uint8_t* record, LineFormat format);
    // A line given whole (for lines that come from no record); characters the archive's code
    // page lacks become '?'.
    void Add(std::u16string_view line);
    void Reserve(std::size_t lines) { lines_.reserve(lines); }
    void Sort();
    void Clear();

    std::size_t Size() const { return lines_.size(); }
    bool Empty() const { return lines_.empty(); }
    // Row `row` in display order once sorted (in the order of adding before).
    Text Line(std::size_t row) const;
    // The same line in the archive's code page, written to `out` (room for MaxLength()
    // bytes); returns its length.
    std::size_t LineBytes(std::size_t row, uint8_t* out) const;
    std::size_t MaxLength() const { return maxLength_; }
    // Bytes held for the lines: their stored text, one pointer per line and the order.
    std::size_t MemoryBytes() const;

private:
    uint8_t* Room(std::size_t bytes);
    std::size_t Expand(const uint8_t* stored, uint8_t* out) const;
    const uint8_t* Stored(std::size_t row) const { return lines_[order_.empty() ? row : order_[row]]; }

    static constexpr std::size_t BlockBytes = 1 << 20;
    LineFormat format_{};   // empty: the lines were given whole
    std::vector<std::string> fixedBytes_; // the fixed texts of format_, in the code page
    std::size_t maxLength_ = 0;
    std::vector<std::unique_ptr<uint8_t[]>> blocks_;
    std::size_t blockUsed_ = 0;
    std::size_t blockSize_ = 0;
    std::size_t allocatedBytes_ = 0;
    std::vector<const uint8_t*> lines_; // in the order of adding
    std::vector<uint32_t> order_;       // display row -> index in lines_, once sorted
};

// The find in list ("Trova") over a list that has lines, with `selected` as the cursor.
// `sharedFindText` is the find text of the previous "Trova" of the same kind of tool; it
// becomes the new one. A new text starts at line 0 and tests it; the same text again starts
// after the selected line; both wrap round. Returns the row to select: the line found, or
// the cursor (line 0 when nothing was selected) when no line holds the text.
std::size_t FindInList(const ResultLines& lines, std::optional<std::size_t> selected,
                       std::u16string_view typed, Text& sharedFindText);

// Folds A to Z to a to z and nothing else.
Text LowerAZ(std::u16string_view text);

// Reads every record of an open file and returns the 1-based position of the last whose
// line, trimmed, equals `line` trimmed, with its bytes in `record` (RecordSize() bytes).
// Throws FileFailure.
std::optional<std::size_t> LastRecordWithLine(TRecordFile& file, LineFormat format,
                                              std::u16string_view line, uint8_t* record);

// The same for a layout's own file in the program folder, opened and closed here.
template <const auto& Layout>
struct FoundRecord {
    TRecord<Layout> record;
    std::size_t position; // 1-based
};

template <const auto& Layout>
std::optional<FoundRecord<Layout>> FindRecordOfLine(LineFormat format, std::u16string_view line)
{
    TRecordFile file(Layout);
    file.Open();
    FoundRecord<Layout> found{};
    const std::optional<std::size_t> position = LastRecordWithLine(file, format, line, found.record.data());
    file.Close();
    if (!position)
        return std::nullopt;
    found.position = *position;
    return found;
}
