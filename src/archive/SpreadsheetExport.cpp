#include "archive/SpreadsheetExport.h"

#include "storage/Cp1252.h"
#include "storage/ProgramFolder.h"
#include "storage/RecordFile.h"
#include "storage/TemporaryFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <cerrno>
#include <functional>
#include <limits>
#include <new>

namespace {

bool IsTrimmedByte(uint8_t byte)
{
    return byte <= 32;
}

std::string_view TrimBytes(std::string_view bytes)
{
    std::size_t begin = 0, end = bytes.size();
    while (begin < end && IsTrimmedByte(static_cast<uint8_t>(bytes[begin])))
        ++begin;
    while (end > begin && IsTrimmedByte(static_cast<uint8_t>(bytes[end - 1])))
        --end;
    return bytes.substr(begin, end - begin);
}

// The field's text bytes as DecodeText reads them, before conversion.
std::string_view FieldBytes(const uint8_t* record, const FieldSpec& fieldSpec)
{
    const uint8_t* field = record + fieldSpec.offset;
    const std::size_t length = std::min<std::size_t>(field[0], fieldSpec.width);
    return TrimBytes(std::string_view(reinterpret_cast<const char*>(field + 1), length));
}

// The most bytes a row can take: every field full, and the blanks that join fields.
std::size_t MaxRowBytes(const ExportDescription& description)
{
    std::size_t bytes = 0;
    for (const ExportGridColumn& column : description.grid) {
        for (const FieldSpec& field : column.fields)
            bytes += field.width;
        if (!column.fields.empty())
            bytes += column.fields.size() - 1;
    }
    return bytes;
}

// The cell `column` of a row as BuildRow leaves it.
std::string_view StoredCell(const char* cells, std::size_t columns, std::size_t column)
{
    std::size_t start = columns * sizeof(uint16_t);
    uint16_t length = 0;
    for (std::size_t c = 0; c <= column; ++c) {
        start += length;
        std::memcpy(&length, cells + c * sizeof(uint16_t), sizeof length);
    }
    return {cells + start, length};
}

FileError ChangedSince(const RecordLayout& records, std::size_t row)
{
    return {"read", ProgramFile(records.fileName),
            "record " + std::to_string(row) + " changed after the export's grid was filled"};
}

// Filling and writing tell how far they are every so many rows.
constexpr std::size_t ProgressRows = 1024;

} // namespace

ExportTable::ExportTable(const ExportDescription& description)
    : description_(&description), columns_(description.grid.size()), rowBytes_(MaxRowBytes(description))
{
    for (const ExportGridColumn& column : description.grid) {
        std::size_t width = column.fields.empty() ? 0 : column.fields.size() - 1;
        for (const FieldSpec& field : column.fields)
            width += field.width;
        if (width > std::numeric_limits<uint16_t>::max())
            throw std::logic_error("export column " + column.name + " too wide");
    }
    for (const ExportFileColumn& fileColumn : description.file) {
        const auto found = std::find_if(description.grid.begin(), description.grid.end(),
                                        [&](const ExportGridColumn& c) { return c.name == fileColumn.gridColumn; });
        if (found == description.grid.end())
            throw std::logic_error("export file column of unknown grid column " + fileColumn.gridColumn);
    }
}

void ExportTable::Clear()
{
    // Swapped with empty ones, so that the memory is given back.
    rows_ = 0;
    filled_ = 0;
    std::vector<uint64_t>().swap(fingerprints_);
    std::unordered_map<std::size_t, Text>().swap(edits_);
    std::vector<bool>().swap(rowEdited_);
    blocks_ = {};
    lastBlock_ = 0;
}

void ExportTable::Load(Progress& progress)
{
    Clear();
    fill_ = ExportFill::Partial;
    fillFailure_ = NotRead();
    try {
        ReadRecords(progress);
    } catch (const FileFailure& failure) {
        fillFailure_ = failure.Error();
        throw;
    } catch (const ExportTooLarge& refused) {
        fill_ = refused.fill;
        fillFailure_ = refused.error;
        throw;
    } catch (const std::bad_alloc&) {
        Clear();
        fill_ = ExportFill::OutOfMemory;
        fillFailure_ = {"read", ProgramFile(description_->records.fileName), "the archive's rows do not fit in memory"};
        throw ExportTooLarge(fill_, fillFailure_);
    }
    fill_ = ExportFill::Whole;
    fillFailure_ = {};
}

void ExportTable::ReadRecords(Progress& progress)
{
    TRecordFile file(description_->records);
    file.Open();
    const std::size_t count = file.Count();
    if (count > MaxExportRows)
        throw ExportTooLarge(ExportFill::TooManyRecords,
                             {"export", file.Path(),
                              std::to_string(count) + " records, more than the " + std::to_string(MaxExportRows)
                                  + " rows a worksheet holds"});
    fingerprints_.assign(count, 0);
    rowEdited_.assign(count, false);
    progress.Reached(0, count);

    // The rows count only once the reading is over: the grid, painted while the progress
    // is shown, asks for no cell meanwhile.
    std::vector<char> cells(RowBufferBytes());
    try {
        RecordScanner scan(file, 4 << 20);
        while (const uint8_t* record = scan.Next()) {
            const std::size_t row = scan.Index();
            fingerprints_[row] = Fingerprint(cells.data(), BuildRow(record, cells.data()));
            filled_ = row + 1;
            if (filled_ % ProgressRows == 0)
                progress.Reached(filled_, count);
        }
        file.Close();
    } catch (const FileFailure&) {
        rows_ = count;
        throw;
    }
    rows_ = count;
    progress.Reached(count, count);
}

std::size_t ExportTable::BuildRow(const uint8_t* record, char* cells) const
{
    char* const text = cells + columns_ * sizeof(uint16_t);
    char* next = text;
    for (std::size_t column = 0; column < columns_; ++column) {
        char* const before = next;
        bool firstField = true;
        for (const FieldSpec& field : description_->grid[column].fields) {
            if (!firstField)
                *next++ = ' ';
            const std::string_view bytes = FieldBytes(record, field);
            next = std::copy(bytes.begin(), bytes.end(), next);
            firstField = false;
        }
        const auto length = static_cast<uint16_t>(next - before);
        std::memcpy(cells + column * sizeof(uint16_t), &length, sizeof length);
    }
    return static_cast<std::size_t>(next - cells);
}

uint64_t ExportTable::Fingerprint(const char* cells, std::size_t bytes)
{
    return std::hash<std::string_view>{}(std::string_view(cells, bytes));
}

void ExportTable::Lost(const FileError& why) const
{
    if (fill_ != ExportFill::Whole)
        return;
    fill_ = ExportFill::Partial;
    fillFailure_ = why;
}

const ExportTable::Block& ExportTable::BlockOf(std::size_t row) const
{
    const std::size_t first = row / BlockRows * BlockRows;
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        if (!blocks_[i].cells.empty() && blocks_[i].first == first) {
            lastBlock_ = i;
            return blocks_[i];
        }
    }
    // In place of the one used longest ago.
    lastBlock_ = (lastBlock_ + 1) % blocks_.size();
    Block& block = blocks_[lastBlock_];
    const std::size_t rowBuffer = RowBufferBytes();
    const std::size_t count = std::min(BlockRows, filled_ - first);
    block.first = first;
    block.cells.resize(BlockRows * rowBuffer);
    block.good.assign(BlockRows, false);
    std::vector<uint8_t> records(count * description_->records.size);
    try {
        TRecordFile file(description_->records);
        file.Open();
        file.ReadRecords(first, count, records.data());
        file.Close();
    } catch (const FileFailure& failure) {
        Lost(failure.Error());
        return block;
    }
    for (std::size_t i = 0; i < count; ++i) {
        char* const cells = block.cells.data() + i * rowBuffer;
        const std::size_t bytes = BuildRow(records.data() + i * description_->records.size, cells);
        block.good[i] = Fingerprint(cells, bytes) == fingerprints_[first + i];
        if (!block.good[i])
            Lost(ChangedSince(description_->records, first + i));
    }
    return block;
}

Text ExportTable::Cell(std::size_t row, std::size_t column) const
{
    if (row >= rows_)
        return {}; // asked while the table is being filled
    if (rowEdited_[row]) {
        if (auto it = edits_.find(Key(row, column)); it != edits_.end())
            return it->second;
    }
    if (row >= filled_)
        return {};
    const Block& block = BlockOf(row);
    if (!block.good[row - block.first])
        return {};
    const std::string_view stored =
        StoredCell(block.cells.data() + (row - block.first) * RowBufferBytes(), columns_, column);
    Text text(stored.size(), u'\0');
    for (std::size_t i = 0; i < stored.size(); ++i)
        text[i] = Cp1252ToUnicode(static_cast<uint8_t>(stored[i]));
    return text;
}

void ExportTable::SetCell(std::size_t row, std::size_t column, Text text)
{
    edits_[Key(row, column)] = std::move(text);
    rowEdited_[row] = true;
}

std::size_t ExportTable::MemoryBytes() const
{
    std::size_t bytes = fingerprints_.size() * sizeof(uint64_t) + rowEdited_.size() / 8;
    for (const Block& block : blocks_)
        bytes += block.cells.size() + block.good.size() / 8;
    for (const auto& [key, text] : edits_)
        bytes += sizeof key + text.capacity() * sizeof(char16_t);
    return bytes;
}

ExportTable::Rows::Rows(const ExportTable& table) : table_(table), file_(table.description_->records)
{
    file_.Open();
    scan_.emplace(file_, RecordScanner::CachedBlockBytes);
    cells_.resize(table.RowBufferBytes());
    starts_.resize(table.columns_);
}

bool ExportTable::Rows::Next()
{
    if (next_ >= table_.filled_)
        return false;
    const uint8_t* record = scan_->Next();
    if (!record)
        throw FileFailure({"read", file_.Path(), "the archive holds fewer records than when it was shown"});
    row_ = next_++;
    const std::size_t bytes = table_.BuildRow(record, cells_.data());
    if (Fingerprint(cells_.data(), bytes) != table_.fingerprints_[row_]) {
        const FileError changed = ChangedSince(table_.description_->records, row_);
        table_.Lost(changed);
        throw FileFailure(changed);
    }
    std::size_t start = table_.columns_ * sizeof(uint16_t);
    for (std::size_t column = 0; column < table_.columns_; ++column) {
        starts_[column] = start;
        uint16_t length;
        std::memcpy(&length, cells_.data() + column * sizeof(uint16_t), sizeof length);
        start += length;
    }
    return true;
}

ExportTable::CellView ExportTable::Rows::View(std::size_t column) const
{
    if (table_.rowEdited_[row_]) {
        if (auto it = table_.edits_.find(table_.Key(row_, column)); it != table_.edits_.end())
            return {{}, &it->second};
    }
    uint16_t length;
    std::memcpy(&length, cells_.data() + column * sizeof(uint16_t), sizeof length);
    return {std::string_view(cells_.data() + starts_[column], length), nullptr};
}

std::filesystem::path ExportFilePath(const ExportDescription& description)
{
    return ProgramFile(description.exportFile);
}

namespace {

// The workbook header, up to the sheet name and after it; the rest of the table's frame.
constexpr std::string_view HeaderStart =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\""
    " xmlns:x=\"urn:schemas-microsoft-com:office:excel\""
    " xmlns=\"http://www.w3.org/TR/REC-html40\">"
    "<head>"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
    "<!--[if gte mso 9]><xml>"
    "<x:ExcelWorkbook>"
    "<x:ExcelWorksheets>"
    "<x:ExcelWorksheet>"
    "<x:Name>";
constexpr std::string_view HeaderEnd =
    "</x:Name>"
    "<x:WorksheetOptions>"
    "<x:Selected/>"
    "<x:Panes>"
    "<x:Pane>"
    "<x:Number>1</x:Number>"
    "<x:ActiveRow>3</x:ActiveRow>"
    "</x:Pane>"
    "</x:Panes>"
    "<x:ProtectContents>False</x:ProtectContents>"
    "<x:ProtectObjects>False</x:ProtectObjects>"
    "<x:ProtectScenarios>False</x:ProtectScenarios>"
    "</x:WorksheetOptions>"
    "</x:ExcelWorksheet>"
    "</x:ExcelWorksheets>"
    "</x:ExcelWorkbook>"
    "</xml><![endif]-->"
    "</head>"
    "<body>"
    "<table x:str>";
constexpr std::string_view Footer = "</table></body></html>";
constexpr std::string_view RowOpen = "<tr>";
constexpr std::string_view RowClose = "</tr>";
constexpr std::string_view TitleCellOpen = "<td style=\"text-align: left; font-weight: bold;\" width=";
// sdnum marks every data cell as text for LibreOffice, which ignores the table's x:str: without
// it a VAT number 00743110157 would open as the number 743110157 and a cell beginning with "="
// as a live formula.
constexpr std::string_view DataCellOpen = "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">";
constexpr std::string_view CellClose = "</td>";

// Bytes of a cell that cannot be written as they are.
constexpr std::array<const char*, 256> MakeReplacements()
{
    std::array<const char*, 256> replacements{};
    replacements['<'] = "&lt;";
    replacements['>'] = "&gt;";
    replacements['&'] = "&amp;";
    replacements['\r'] = "&#13;";
    replacements['\n'] = "&#10;";
    return replacements;
}
constexpr std::array<const char*, 256> Replacements = MakeReplacements();

// Collects the file's bytes and hands them to the temporary file in large blocks.
class SpreadsheetStream {
public:
    SpreadsheetStream(TemporaryFile& file, const std::filesystem::path& target) : file_(file), target_(target)
    {
        buffer_.reserve(BlockBytes + 4096);
    }

    void Raw(std::string_view bytes)
    {
        buffer_ += bytes;
        FlushIfFull();
    }

    // Windows-1252 text, its markup characters and line breaks replaced.
    void Escaped(std::string_view bytes)
    {
        std::size_t start = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (const char* replacement = Replacements[static_cast<uint8_t>(bytes[i])]) {
                buffer_.append(bytes, start, i - start);
                buffer_ += replacement;
                start = i + 1;
            }
        }
        buffer_.append(bytes, start, bytes.size() - start);
        FlushIfFull();
    }

    // Text from the screen, converted to Windows-1252 character by character; a character the
    // code page lacks is written as a numeric character reference, so nothing is lost.
    void Escaped(std::u16string_view text)
    {
        for (std::size_t i = 0; i < text.size(); ++i) {
            char32_t codePoint = text[i];
            if (codePoint >= 0xD800 && codePoint < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00
                && text[i + 1] < 0xE000) {
                codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (text[i + 1] - 0xDC00);
                ++i;
            }
            const uint8_t byte = UnicodeToCp1252(codePoint);
            if (codePoint < 0x10000 && Cp1252ToUnicode(byte) == codePoint) {
                const char c = static_cast<char>(byte);
                Escaped(std::string_view(&c, 1));
            } else {
                buffer_ += "&#" + std::to_string(static_cast<uint32_t>(codePoint)) + ";";
            }
        }
        FlushIfFull();
    }

    void Finish()
    {
        Flush();
    }

private:
    static constexpr std::size_t BlockBytes = 1 << 20;

    void FlushIfFull()
    {
        if (buffer_.size() >= BlockBytes)
            Flush();
    }
    void Flush()
    {
        if (!buffer_.empty() && !file_.Append(buffer_.data(), buffer_.size()))
            throw FileFailure(FileError::OfErrno("write beside", target_, errno));
        buffer_.clear();
    }

    TemporaryFile& file_;
    const std::filesystem::path& target_;
    std::string buffer_;
};

// Indices of the grid columns the file's columns write, in the file's order.
std::vector<std::size_t> FileColumnSources(const ExportDescription& description)
{
    std::vector<std::size_t> sources;
    for (const ExportFileColumn& fileColumn : description.file) {
        const auto found = std::find_if(description.grid.begin(), description.grid.end(),
                                        [&](const ExportGridColumn& c) { return c.name == fileColumn.gridColumn; });
        sources.push_back(static_cast<std::size_t>(found - description.grid.begin()));
    }
    return sources;
}

} // namespace

void WriteSpreadsheet(const ExportTable& table, Progress& progress)
{
    const ExportDescription& description = table.Description();
    if (table.Fill() != ExportFill::Whole)
        throw FileFailure({"export", ExportFilePath(description),
                           "the table holds only part of the archive (" + table.FillFailure().Text() + ")"});
    const Replacement plan = PlanReplacement(ExportFilePath(description));
    if (!plan.Allowed())
        throw FileFailure(plan.Refusal());
    const std::filesystem::path& target = plan.target;
    TemporaryFile temporary(plan);
    if (!temporary.Created())
        throw FileFailure(FileError::OfErrno("create a file beside", target, errno));
    // Read from the first row to the last; the archive is closed when the export is over,
    // after the file is in place (a read-only file that then fails to close loses nothing).
    ExportTable::Rows rows(table);

    SpreadsheetStream out(temporary, target);
    out.Raw(HeaderStart);
    out.Escaped(std::u16string_view(description.sheetName));
    out.Raw(HeaderEnd);

    out.Raw(RowOpen);
    for (const ExportFileColumn& column : description.file) {
        out.Raw(TitleCellOpen);
        out.Raw(std::to_string(column.width));
        out.Raw(">");
        out.Escaped(std::u16string_view(column.title));
        out.Raw(CellClose);
    }
    out.Raw(RowClose);

    const std::vector<std::size_t> sources = FileColumnSources(description);
    const std::size_t total = table.RowCount();
    progress.Reached(0, total);
    while (rows.Next()) {
        out.Raw(RowOpen);
        for (const std::size_t column : sources) {
            out.Raw(DataCellOpen);
            const ExportTable::CellView cell = rows.View(column);
            if (cell.edited)
                out.Escaped(std::u16string_view(Trim(*cell.edited)));
            else
                out.Escaped(TrimBytes(cell.stored));
            out.Raw(CellClose);
        }
        out.Raw(RowClose);
        if ((rows.Index() + 1) % ProgressRows == 0)
            progress.Reached(rows.Index() + 1, total);
    }
    out.Raw(Footer);
    out.Finish();

    if (!temporary.Replace(target))
        throw FileFailure(FileError::OfErrno("put the export in place of", target, errno));
    progress.Reached(total, total);
}
