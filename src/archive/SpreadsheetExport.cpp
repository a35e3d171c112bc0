#include "archive/SpreadsheetExport.h"

#include "storage/Cp1252.h"
#include "storage/PosixIo.h"
#include "storage/ProgramFolder.h"
#include "storage/RecordFile.h"
#include "storage/TemporaryFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
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
    if (rowBytes_ > ChunkBytes)
        throw std::logic_error("export row wider than a block of the table");
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
    std::vector<std::unique_ptr<char[]>>().swap(chunks_);
    chunkUsed_ = 0;
    textBytes_ = 0;
    std::vector<uint64_t>().swap(rowStart_);
    std::vector<uint16_t>().swap(lengths_);
    std::unordered_map<std::size_t, Text>().swap(edits_);
    std::vector<bool>().swap(rowEdited_);
}

void ExportTable::Load()
{
    Clear();
    fill_ = ExportFill::Partial;
    fillFailure_ = NotRead();
    try {
        ReadRecords();
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
        fillFailure_ = {"read", ProgramFile(description_->records.fileName), "the archive's text does not fit in memory"};
        throw ExportTooLarge(fill_, fillFailure_);
    }
    fill_ = ExportFill::Whole;
    fillFailure_ = {};
}

void ExportTable::ReadRecords()
{
    TRecordFile file(description_->records);
    file.Open();
    const std::size_t count = file.Count();
    if (count > MaxExportRows)
        throw ExportTooLarge(ExportFill::TooManyRecords,
                             {"export", file.Path(),
                              std::to_string(count) + " records, more than the " + std::to_string(MaxExportRows)
                                  + " rows a worksheet holds"});
    rows_ = count;
    rowStart_.assign(count, 0);
    lengths_.assign(count * columns_, 0);
    rowEdited_.assign(count, false);

    RecordScanner scan(file, 4 << 20);
    while (const uint8_t* record = scan.Next()) {
        const std::size_t row = scan.Index();
        char* const first = RowRoom(rowStart_[row]);
        char* next = first;
        uint16_t* lengths = &lengths_[row * columns_];
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
            lengths[column] = static_cast<uint16_t>(next - before);
        }
        chunkUsed_ += static_cast<std::size_t>(next - first);
        textBytes_ += static_cast<std::size_t>(next - first);
    }
    file.Close();
}

char* ExportTable::RowRoom(uint64_t& start)
{
    if (chunks_.empty() || ChunkBytes - chunkUsed_ < rowBytes_) {
        // Allocated, not touched: only the pages the text fills are ever in memory.
        chunks_.push_back(std::make_unique_for_overwrite<char[]>(ChunkBytes));
        chunkUsed_ = 0;
    }
    start = (chunks_.size() - 1) * uint64_t(ChunkBytes) + chunkUsed_;
    return chunks_.back().get() + chunkUsed_;
}

ExportTable::CellView ExportTable::View(std::size_t row, std::size_t column) const
{
    if (rowEdited_[row]) {
        if (auto it = edits_.find(Key(row, column)); it != edits_.end())
            return {{}, &it->second};
    }
    const uint16_t* lengths = &lengths_[row * columns_];
    const uint64_t start = rowStart_[row];
    const char* cell = chunks_[start / ChunkBytes].get() + start % ChunkBytes;
    for (std::size_t c = 0; c < column; ++c)
        cell += lengths[c];
    return {std::string_view(cell, lengths[column]), nullptr};
}

Text ExportTable::Cell(std::size_t row, std::size_t column) const
{
    const CellView cell = View(row, column);
    if (cell.edited)
        return *cell.edited;
    Text text(cell.stored.size(), u'\0');
    for (std::size_t i = 0; i < cell.stored.size(); ++i)
        text[i] = Cp1252ToUnicode(static_cast<uint8_t>(cell.stored[i]));
    return text;
}

void ExportTable::SetCell(std::size_t row, std::size_t column, Text text)
{
    edits_[Key(row, column)] = std::move(text);
    rowEdited_[row] = true;
}

std::size_t ExportTable::MemoryBytes() const
{
    std::size_t bytes = textBytes_ + rowStart_.size() * sizeof(uint64_t) + lengths_.size() * sizeof(uint16_t)
        + rowEdited_.size() / 8;
    for (const auto& [key, text] : edits_)
        bytes += sizeof key + text.capacity() * sizeof(char16_t);
    return bytes;
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

void WriteSpreadsheet(const ExportTable& table)
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
    for (std::size_t row = 0; row < table.RowCount(); ++row) {
        out.Raw(RowOpen);
        for (const std::size_t column : sources) {
            out.Raw(DataCellOpen);
            const ExportTable::CellView cell = table.View(row, column);
            if (cell.edited)
                out.Escaped(std::u16string_view(Trim(*cell.edited)));
            else
                out.Escaped(TrimBytes(cell.stored));
            out.Raw(CellClose);
        }
        out.Raw(RowClose);
    }
    out.Raw(Footer);
    out.Finish();

    if (!temporary.Replace(target))
        throw FileFailure(FileError::OfErrno("put the export in place of", target, errno));
}
