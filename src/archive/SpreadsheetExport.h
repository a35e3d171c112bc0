#pragma once
// The spreadsheet export that both archives share: a table holding the whole archive as
// the export screen's grid shows it, and the writer of the export file, an HTML table
// behind the Excel workbook header, on one line of Windows-1252 text.
//
// Each archive only describes its export (ExportDescription): the record file, the grid's
// columns and the fields they show, and the file's sheet name and columns.
#include "storage/FileError.h"
#include "storage/Progress.h"
#include "storage/RecordFile.h"
#include "storage/Records.h"
#include "storage/Text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A column of the grid after its row-number column.
struct ExportGridColumn {
    std::string name;              // the column's name, "colCampo01"
    Text title;                    // its title in the grid
    int width = 0;                 // in screen units
    bool editable = false;         // whether the user may type into its cells
    std::vector<FieldSpec> fields; // what it shows: one field, or several joined by one blank
};

// A grid column of a layout's fields (one, or several joined by one blank).
template <const auto& Layout>
ExportGridColumn GridColumnOf(std::string name, std::u16string_view title, int width, bool editable,
                              std::initializer_list<FieldOf<Layout>> fields)
{
    ExportGridColumn column{std::move(name), Text(title), width, editable, {}};
    for (const auto field : fields)
        column.fields.push_back(Layout.At(field));
    return column;
}

// A column of the export file.
struct ExportFileColumn {
    Text title;
    int width = 0;
    std::string gridColumn; // name of the grid column whose cells it writes
};

struct ExportDescription {
    RecordLayout records;    // the archive exported
    std::vector<ExportGridColumn> grid;
    Text sheetName;          // the text of the x:Name element
    std::string exportFile;  // "Database.xls", in the program folder
    std::vector<ExportFileColumn> file;
};

// The most records an export holds: a worksheet has 1,048,576 rows, and the first holds the
// titles.
inline constexpr std::size_t MaxExportRows = 1048575;

// How much of the archive the table holds after Load.
enum class ExportFill {
    Whole,          // every record
    Partial,        // reading stopped at a failure (FileFailure): the rows read before it
    TooManyRecords, // more records than MaxExportRows: nothing read
    OutOfMemory,    // the records do not fit in memory: nothing kept
};

// Load refused the archive as a whole (ExportFill TooManyRecords or OutOfMemory); the table
// is then empty. what() is the error's Text().
class ExportTooLarge : public std::runtime_error {
public:
    ExportTooLarge(ExportFill fill, const FileError& error) : std::runtime_error(error.Text()), fill(fill), error(error) {}
    ExportFill fill;
    FileError error;
};

// The grid's data: one row per record, one cell per grid column (without the row number).
// The table does not hold the archive's text: filling it reads the whole archive once and
// keeps, for each row, a fingerprint of its cells; a cell is read again from the archive
// when it is asked for (a few rows at a time, the file opened and closed around each read)
// and shown only when its row still matches the fingerprint. So the memory held does not
// grow with the text, and the grid still shows exactly what the archive held when it was
// filled: a row that another program changed since, or that can no longer be read, shows
// empty and the table no longer counts as the whole archive. Cells the user edits are
// kept as typed, beside them.
class ExportTable {
public:
    explicit ExportTable(const ExportDescription& description);

    const ExportDescription& Description() const { return *description_; }

    // Reads the record file (creating it empty when missing) into the table, replacing its
    // contents and edits, and reports the records read to `progress`. The table has one row
    // per record counted when the file was opened; on a FileFailure the rows read before
    // the failure keep their cells and the others stay empty. An archive of more than
    // MaxExportRows records is not read at all, and one whose rows do not fit in memory is
    // not kept: ExportTooLarge, and the table is empty. The memory held grows with the rows
    // read, never with their text or with the size the file claims.
    void Load(Progress& progress = Unwatched());

    // What the last Load read (Partial also before the first); and why it is not Whole.
    // A row that fails to be read again, or that no longer matches, makes it Partial.
    ExportFill Fill() const { return fill_; }
    const FileError& FillFailure() const { return fillFailure_; }

    std::size_t RowCount() const { return rows_; }
    std::size_t ColumnCount() const { return columns_; }
    bool IsEditable(std::size_t column) const { return description_->grid[column].editable; }

    // The cell as the grid shows it.
    Text Cell(std::size_t row, std::size_t column) const;
    // What the user typed into a cell (kept as typed; the export trims it).
    void SetCell(std::size_t row, std::size_t column, Text text);

    // A cell for the writer: its bytes as read from the file, or the edited text.
    struct CellView {
        std::string_view stored;
        const Text* edited = nullptr;
    };

    // The rows read again from the archive from the first to the last, for the writer: the
    // file stays open for the whole pass and is closed when the reader goes. Throws
    // FileFailure when the archive cannot be read or a row no longer matches the table.
    class Rows {
    public:
        explicit Rows(const ExportTable& table);
        // Moves to the next row; false after the last.
        bool Next();
        std::size_t Index() const { return row_; }
        CellView View(std::size_t column) const;

    private:
        const ExportTable& table_;
        TRecordFile file_;
        std::optional<RecordScanner> scan_;
        std::size_t row_ = 0;
        std::size_t next_ = 0;
        std::vector<char> cells_;   // the row's cell lengths, then its text (see BuildRow)
        std::vector<std::size_t> starts_; // where each cell's text begins in cells_
    };

    // The bytes the table holds (fingerprints, edits, the rows read for the grid), for the
    // benchmark.
    std::size_t MemoryBytes() const;

private:
    // Why a table that was never loaded is not the whole archive.
    static FileError NotRead() { return {{}, {}, "the archive was not read"}; }
    std::size_t Key(std::size_t row, std::size_t column) const { return row * columns_ + column; }
    void Clear();
    void ReadRecords(Progress& progress);
    // Puts the record's cells into `cells`: the cells' lengths (one uint16_t each), then
    // their text back to back. Returns the bytes used; `cells` holds RowBufferBytes().
    std::size_t BuildRow(const uint8_t* record, char* cells) const;
    std::size_t RowBufferBytes() const { return columns_ * sizeof(uint16_t) + rowBytes_; }
    // Tells a row read again from the one the table was filled with.
    static uint64_t Fingerprint(const char* cells, std::size_t bytes);
    struct Block;
    // The block of rows that holds `row`, read from the archive unless it is one of the two
    // read last.
    const Block& BlockOf(std::size_t row) const;
    // A row read again no longer is what the table was filled with.
    void Lost(const FileError& why) const;

    // The rows the grid reads at a time: a screenful and more.
    static constexpr std::size_t BlockRows = 64;

    const ExportDescription* description_;
    std::size_t columns_;
    std::size_t rowBytes_;             // the most bytes a row's cells can take
    std::size_t rows_ = 0;
    std::size_t filled_ = 0;           // rows read by the last Load; the others are empty
    mutable ExportFill fill_ = ExportFill::Partial;
    mutable FileError fillFailure_ = NotRead();
    std::vector<uint64_t> fingerprints_; // of each filled row's cells
    std::unordered_map<std::size_t, Text> edits_;
    std::vector<bool> rowEdited_;      // rows with at least one edit, so that reading stays cheap

    // The two blocks of rows the grid read last: a screen across the end of a block
    // reads each once.
    struct Block {
        std::size_t first = 0;
        std::vector<char> cells;       // RowBufferBytes() per row, as BuildRow leaves them
        std::vector<bool> good;        // the row was read and matches its fingerprint
    };
    mutable std::array<Block, 2> blocks_;
    mutable std::size_t lastBlock_ = 0;
};

// Where the export file lies: the program folder and the description's file name.
std::filesystem::path ExportFilePath(const ExportDescription& description);

// Writes the table into its export file, replacing any file of that name. The file is
// written beside it under another name and put in its place only when complete, so a failed
// export leaves the earlier file untouched; an existing file that this process may not write
// (write bits off, also for the superuser, or not a regular file) is not replaced, and a
// replaced file keeps its rights. A table that does not hold the whole archive (Fill() not
// Whole) writes nothing. Throws FileFailure: the file could not be created, written or put
// in place, or the table does not hold the whole archive; the earlier file is then left as
// it was.
//
// Cells are written trimmed, each data cell marked as text (sdnum="1040;0;@") so that no
// spreadsheet program turns a tax number into a number or archive text into a formula. Unlike the table's raw text, the characters <, > and & are
// written as &lt; &gt; &amp; (a spreadsheet program would read them as markup and lose
// text), line breaks inside a cell as &#13; and &#10; (the file stays one line), and an
// edited character that Windows-1252 lacks as a numeric character reference.
//
// The rows are read again from the archive (ExportTable::Rows) and reported to `progress`
// as they are written; a row that no longer matches the table fails the export.
void WriteSpreadsheet(const ExportTable& table, Progress& progress = Unwatched());
