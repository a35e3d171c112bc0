#pragma once

// What the list benchmarks share (search_bench times the core calls, screens_bench the
// screens that make them): best of three runs with wall clock and processor time, one read
// of a record file as the floor, the queries, and the same rows in SQLite with the same
// searches, lists and export.

#include "BenchSupport.h"

#include "archive/ResultLines.h"
#include "archive/SheetSearch.h"
#include "archive/SpreadsheetExport.h"
#include "database/DatabaseLists.h"
#include "storage/ProgramFolder.h"
#include "storage/RecordFile.h"
#include "storage/Records.h"
#include "storage/Text.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <time.h>
#include <unistd.h>
#include <vector>

#ifdef VELORBIS_HAVE_SQLITE
#include <sqlite3.h>
#endif

namespace bench {

// Processor time of the whole process, which other loads on the machine disturb less than
// the wall clock.
inline double CpuMs()
{
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The figures of a step run three times.
struct Runs {
    double bestMs = 0;
    double bestCpuMs = 0;
    long peakKb = 0;   // resident high-water mark during the first run
    long beforeKb = 0; // resident size when the step began
    std::vector<std::string> lines; // what the first run returned
};

// The clock of one run, for a step that itself says where the timed part starts and ends
// (a screen step starts with a click and ends inside the event loop of the tool it opened).
class Stopwatch {
public:
    explicit Stopwatch(bool measureMemory) : m_measureMemory(measureMemory) {}
    void Start()
    {
        if (m_measureMemory) {
            Memory::ResetPeak();
            m_beforeKb = Memory::StatusKb("VmRSS");
        }
        m_start = std::chrono::steady_clock::now();
        m_cpuStart = bench::CpuMs();
    }
    void Stop()
    {
        m_cpuMs = bench::CpuMs() - m_cpuStart;
        m_ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_start).count();
        if (m_measureMemory)
            m_peakKb = Memory::StatusKb("VmHWM");
        m_stopped = true;
    }
    bool Stopped() const { return m_stopped; }
    // The first of the three runs, the one that measures memory and keeps the lines.
    bool FirstRun() const { return m_measureMemory; }
    double Ms() const { return m_ms; }
    double ProcessorMs() const { return m_cpuMs; }
    long BeforeKb() const { return m_beforeKb; }
    long PeakKb() const { return m_peakKb; }

private:
    bool m_measureMemory;
    bool m_stopped = false;
    std::chrono::steady_clock::time_point m_start;
    double m_cpuStart = 0, m_ms = 0, m_cpuMs = 0;
    long m_beforeKb = 0, m_peakKb = 0;
};

// Runs `step` three times; the first run gives the memory peak and the lines, the best of
// the three the times. The step starts and stops the watch itself.
inline Runs RunThreeTimed(const std::function<std::vector<std::string>(Stopwatch&)>& step)
{
    Runs runs;
    for (int run = 0; run < 3; ++run) {
        Stopwatch watch(run == 0);
        std::vector<std::string> lines = step(watch);
        if (!watch.Stopped())
            throw std::runtime_error("a step ended without stopping its watch");
        if (run == 0) {
            runs.beforeKb = watch.BeforeKb();
            runs.peakKb = watch.PeakKb();
            runs.lines = std::move(lines);
            runs.bestMs = watch.Ms();
            runs.bestCpuMs = watch.ProcessorMs();
        } else {
            runs.bestMs = std::min(runs.bestMs, watch.Ms());
            runs.bestCpuMs = std::min(runs.bestCpuMs, watch.ProcessorMs());
        }
    }
    return runs;
}

// The same, the whole of `step` timed.
inline Runs RunThree(const std::function<std::vector<std::string>()>& step)
{
    return RunThreeTimed([&](Stopwatch& watch) {
        watch.Start();
        std::vector<std::string> lines = step();
        watch.Stop();
        return lines;
    });
}

// The floor: the whole record file read once into one reused 4 MiB buffer, as `cat` does.
inline std::vector<std::string> ReadTheFileOnce(const RecordLayout& layout)
{
    const std::string path = ProgramFile(layout.fileName).string();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("open " + path);
    std::vector<char> buffer(4 << 20);
    while (::read(fd, buffer.data(), buffer.size()) > 0) {
    }
    ::close(fd);
    return {};
}

struct Query {
    const char* name;
    std::array<Text, 10> criteria; // in the order of the search's criteria boxes
};

// No criterion; "rossi" in the first box; "rossi", "mi" and "a" in the first box and the two
// boxes named (indexes in the order of the search's criteria boxes).
inline std::vector<Query> ThreeQueries(const std::array<const char*, 3>& names, std::size_t mi, std::size_t a)
{
    std::vector<Query> queries(3);
    for (std::size_t i = 0; i < queries.size(); ++i)
        queries[i].name = names[i];
    queries[1].criteria[0] = u"rossi";
    queries[2].criteria[0] = u"rossi";
    queries[2].criteria[mi] = u"mi";
    queries[2].criteria[a] = u"a";
    return queries;
}

inline std::vector<std::string> Utf8Lines(const ResultLines& lines)
{
    std::vector<std::string> out;
    out.reserve(lines.Size());
    for (std::size_t row = 0; row < lines.Size(); ++row)
        out.push_back(ToUtf8(lines.Line(row)));
    return out;
}

// Whether two lists hold the same lines, in whatever order.
inline bool SameLines(std::vector<std::string> a, std::vector<std::string> b)
{
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return a == b;
}

#ifdef VELORBIS_HAVE_SQLITE

// The rows of a record file as a table `sheets` of SQLite, and the program's searches,
// lists and export run over it.
class Sqlite {
public:
    // `line`: the SQL expression of a record's result line over the table's columns.
    // `path`: a database file, or ":memory:".
    Sqlite(const std::string& path, std::string line) : line_(std::move(line))
    {
        if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK)
            Fail("open");
        Exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;");
    }
    ~Sqlite() { sqlite3_close(db_); }
    Sqlite(const Sqlite&) = delete;
    Sqlite& operator=(const Sqlite&) = delete;

    void Exec(const std::string& sql)
    {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            std::fprintf(stderr, "sqlite: %s\n", error ? error : "?");
            std::exit(1);
        }
    }

    // One TEXT column per field, each holding the field as the search sees it (converted,
    // not trimmed).
    void Load(const RecordLayout& layout)
    {
        std::string columns, marks;
        for (const FieldSpec& field : layout.fields) {
            columns += std::string(columns.empty() ? "" : ", ") + field.name + " TEXT";
            marks += marks.empty() ? "?" : ", ?";
        }
        Exec("CREATE TABLE sheets (" + columns + ")");
        Exec("BEGIN");
        sqlite3_stmt* insert = Prepare("INSERT INTO sheets VALUES (" + marks + ")");
        TRecordFile file(layout);
        file.Open();
        RecordScanner scan(file);
        std::vector<std::string> values(layout.fields.size());
        while (const uint8_t* record = scan.Next()) {
            for (std::size_t i = 0; i < values.size(); ++i) {
                const FieldSpec& field = layout.fields[i];
                values[i] = ToUtf8(DecodeTextUntrimmed(record + field.offset, field.width));
                sqlite3_bind_text(insert, int(i + 1), values[i].data(), int(values[i].size()), SQLITE_STATIC);
            }
            if (sqlite3_step(insert) != SQLITE_DONE)
                Fail("insert");
            sqlite3_reset(insert);
        }
        file.Close();
        sqlite3_finalize(insert);
        Exec("COMMIT");
    }

    // A trimmed field padded or cut to its column.
    static std::string Column(const char* field, int width)
    {
        return "substr(trim(" + std::string(field) + ") || '" + std::string(std::size_t(width), ' ') + "', 1, " +
               std::to_string(width) + ")";
    }
    static std::string DatabaseLine()
    {
        return Column("Campo01", 26) + " || '  ' || " + Column("Campo02", 26) + " || '  ' || " + Column("Campo03", 26) +
               " || " + Column("Cliente", 26) + " || '  Tel. ' || " + Column("Recapito", 15) + " || '  C.F. ' || " +
               Column("CodFisc", 16);
    }
    // The client line: four columns, then the last field trimmed and whole.
    static std::string ClientLine(const char* last)
    {
        return Column("Cliente", 26) + " || '  Tel. ' || " + Column("Recapito", 15) + " || '  ' || " +
               Column("Occupazione", 25) + " || '  Prod. ' || " + Column("Prodotti", 30) + " || '  ' || trim(" + last +
               ")";
    }

    // The same line and the same order as the program's list: trimmed fields padded or cut
    // to their columns, ordered by the line with a to z upper-cased (SQLite's upper() and
    // LIKE fold only ASCII letters, as the program does).
    std::vector<std::string> Lines(const std::string& where, const std::vector<std::string>& arguments)
    {
        sqlite3_stmt* query = Prepare("SELECT line FROM (SELECT " + line_ + " AS line FROM sheets" +
                                      (where.empty() ? "" : " WHERE " + where) + ") ORDER BY upper(line)");
        for (std::size_t i = 0; i < arguments.size(); ++i)
            sqlite3_bind_text(query, int(i + 1), arguments[i].data(), int(arguments[i].size()), SQLITE_STATIC);
        std::vector<std::string> lines;
        int status;
        while ((status = sqlite3_step(query)) == SQLITE_ROW)
            lines.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(query, 0)),
                               std::size_t(sqlite3_column_bytes(query, 0)));
        if (status != SQLITE_DONE)
            Fail("select");
        sqlite3_finalize(query);
        return lines;
    }

    std::vector<std::string> Search(const Query& query, const SearchDescription& search = DatabaseLists::Search)
    {
        std::string where;
        std::vector<std::string> arguments;
        for (std::size_t i = 0; i < query.criteria.size(); ++i) {
            if (query.criteria[i].empty())
                continue;
            const FieldSpec& field = search.criteriaFields[i];
            arguments.push_back(ToUtf8(query.criteria[i]));
            where += std::string(where.empty() ? "" : " AND ") + field.name + " LIKE '%' || ?" +
                     std::to_string(arguments.size()) + " || '%'";
        }
        return Lines(where, arguments);
    }

    std::vector<std::string> Flagged() { return Lines("trim(Segnala) = ?1", {ToUtf8(MarkYes)}); }
    std::vector<std::string> ToRecontact() { return Lines("trim(Ricontatta) = ?1", {ToUtf8(MarkYes)}); }

    // The export grid's data: every row with the cells of the grid's columns (fields
    // trimmed, several joined by one blank), kept one after the other in one text as the
    // grid's table keeps them. Returns the number of rows.
    std::size_t ExportGrid(const ExportDescription& description, std::string& cells)
    {
        std::vector<std::string> columns;
        for (const ExportGridColumn& column : description.grid)
            columns.push_back(GridCell(column));
        cells.clear();
        std::size_t rows = 0;
        Select(columns, [&](sqlite3_stmt* row) {
            ++rows;
            for (int i = 0; i < int(columns.size()); ++i) {
                cells.append(reinterpret_cast<const char*>(sqlite3_column_text(row, i)),
                             std::size_t(sqlite3_column_bytes(row, i)));
                cells.push_back('\t');
            }
        });
        return rows;
    }

    // The export file's table (its columns in its order) written as HTML rows to `path`, the
    // cells as SQLite gives them (no escaping, UTF-8). Returns the number of rows.
    std::size_t ExportFile(const ExportDescription& description, const std::string& path)
    {
        std::vector<std::string> columns;
        for (const ExportFileColumn& fileColumn : description.file)
            for (const ExportGridColumn& column : description.grid)
                if (column.name == fileColumn.gridColumn)
                    columns.push_back(GridCell(column));
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << "<html><body><table>";
        std::size_t rows = 0;
        Select(columns, [&](sqlite3_stmt* row) {
            ++rows;
            out << "<tr>";
            for (int i = 0; i < int(columns.size()); ++i) {
                out << "<td>";
                out.write(reinterpret_cast<const char*>(sqlite3_column_text(row, i)), sqlite3_column_bytes(row, i));
                out << "</td>";
            }
            out << "</tr>";
        });
        out << "</table></body></html>";
        out.close();
        if (!out)
            throw std::runtime_error("write " + path);
        return rows;
    }

private:
    static std::string GridCell(const ExportGridColumn& column)
    {
        std::string cell;
        for (const FieldSpec& field : column.fields)
            cell += std::string(cell.empty() ? "" : " || ' ' || ") + "trim(" + field.name + ")";
        return cell;
    }
    void Select(const std::vector<std::string>& columns, const std::function<void(sqlite3_stmt*)>& each)
    {
        std::string list;
        for (const std::string& column : columns)
            list += (list.empty() ? "" : ", ") + column;
        sqlite3_stmt* query = Prepare("SELECT " + list + " FROM sheets ORDER BY rowid");
        int status;
        while ((status = sqlite3_step(query)) == SQLITE_ROW)
            each(query);
        if (status != SQLITE_DONE)
            Fail("select");
        sqlite3_finalize(query);
    }
    sqlite3_stmt* Prepare(const std::string& sql)
    {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), int(sql.size()), &statement, nullptr) != SQLITE_OK)
            Fail("prepare");
        return statement;
    }
    [[noreturn]] void Fail(const char* what)
    {
        std::fprintf(stderr, "sqlite %s: %s\n", what, sqlite3_errmsg(db_));
        std::exit(1);
    }
    sqlite3* db_ = nullptr;
    std::string line_;
};

#endif

} // namespace bench
