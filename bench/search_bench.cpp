// List-tool benchmark: the searches and the marked lists (flagged sheets, clients to
// recontact) over a synthetic Database.pro and a synthetic Clienti.pro of N records each
// (argv[1], default 100000), against the same searches run by SQLite over the same rows, with
// the peak memory of each step.
//
//     ./build.sh bench [N]      or      build/bench/search_bench [N]

#include "BenchSupport.h"
#include "SyntheticArchive.h"

#include "clients/ClientLists.h"
#include "database/DatabaseLists.h"
#include "storage/ProgramFolder.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <fstream>
#include <functional>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#ifdef VELORBIS_HAVE_SQLITE
#include <sqlite3.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

using bench::Memory;

struct Measure {
    double bestMs = 0;
    long peakKb = 0;   // resident high-water mark during the first run
    long beforeKb = 0; // resident size when the step began
    std::vector<std::string> lines;
};

// Runs `step` three times; the first run gives the memory peak and the lines, the best of
// the three the time.
Measure Run(const std::function<std::vector<std::string>()>& step)
{
    Measure measure;
    for (int run = 0; run < 3; ++run) {
        std::vector<std::string> lines;
        if (run == 0) {
            Memory::ResetPeak();
            measure.beforeKb = Memory::StatusKb("VmRSS");
        }
        const auto start = Clock::now();
        lines = step();
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (run == 0) {
            measure.peakKb = Memory::StatusKb("VmHWM");
            measure.lines = std::move(lines);
            measure.bestMs = ms;
        } else {
            measure.bestMs = std::min(measure.bestMs, ms);
        }
    }
    return measure;
}

struct Query {
    const char* name;
    std::array<Text, 10> criteria; // in the order of the archive's criteria boxes
};

// What the benchmark runs over one archive: its file, its searches and marked list, and the
// same line built by SQLite.
struct ArchiveBench {
    const char* title;
    const char* markedStep;
    const char* recordFile;
    std::size_t recordSize;
    std::span<const FieldSpec> fields;
    std::array<const FieldSpec*, 10> searchFields;
    std::string lineSql;       // SQLite's expression of the search's result line
    std::string markedLineSql; // and of the marked list's
    const char* markedField; // the field whose "Sì" marks a record for the list
    std::function<void(std::size_t)> write;
    std::function<ResultLines(const std::array<Text, 10>&)> search;
    std::function<void(ResultLines&)> marked;
    std::vector<Query> queries;
};

// A field trimmed and padded or cut to its column, as SQLite builds it.
std::string SqlColumn(const char* field, int width)
{
    return "substr(trim(" + std::string(field) + ") || '" + std::string(std::size_t(width), ' ') + "', 1, " +
           std::to_string(width) + ")";
}

ArchiveBench DatabaseBench()
{
    ArchiveBench archive{"Database.pro", "flagged list", TSchedaDatabase::FileName, TSchedaDatabase::Size,
                         TSchedaDatabase::Fields(), {}, {}, {}, "Segnala", bench::WriteSyntheticDatabase,
                         [](const std::array<Text, 10>& typed) {
                             return DatabaseLists::Search(DatabaseLists::Criteria(typed));
                         },
                         DatabaseLists::ListFlagged, std::vector<Query>(3)};
    for (std::size_t i = 0; i < 10; ++i)
        archive.searchFields[i] = &TSchedaDatabase::FieldSpecOf(DatabaseLists::SearchFields[i]);
    archive.lineSql = SqlColumn("Campo01", 26) + " || '  ' || " + SqlColumn("Campo02", 26) + " || '  ' || " +
                      SqlColumn("Campo03", 26) + " || " + SqlColumn("Cliente", 26) + " || '  Tel. ' || " +
                      SqlColumn("Recapito", 15) + " || '  C.F. ' || " + SqlColumn("CodFisc", 16);
    archive.markedLineSql = archive.lineSql;
    archive.queries[0].name = "search, no criterion";
    archive.queries[1].name = "search, 1 criterion";
    archive.queries[1].criteria[0] = u"rossi"; // Campo01
    archive.queries[2].name = "search, 3 criteria";
    archive.queries[2].criteria[0] = u"rossi"; // Campo01
    archive.queries[2].criteria[6] = u"mi";    // Cliente
    archive.queries[2].criteria[7] = u"a";     // ComuneRes
    return archive;
}

ArchiveBench ClientBench()
{
    ArchiveBench archive{"Clienti.pro", "recontact list", TSchedaCliente::FileName, TSchedaCliente::Size,
                         TSchedaCliente::Fields(), {}, {}, {}, "Ricontatta", bench::WriteSyntheticClients,
                         [](const std::array<Text, 10>& typed) {
                             return ClientLists::Search(ClientLists::Criteria(typed));
                         },
                         ClientLists::ListToRecontact, std::vector<Query>(3)};
    for (std::size_t i = 0; i < 10; ++i)
        archive.searchFields[i] = &TSchedaCliente::FieldSpecOf(ClientLists::SearchFields[i]);
    const std::string columns = SqlColumn("Cliente", 26) + " || '  Tel. ' || " + SqlColumn("Recapito", 15) +
                                " || '  ' || " + SqlColumn("Occupazione", 25) + " || '  Prod. ' || " +
                                SqlColumn("Prodotti", 30) + " || '  ' || ";
    archive.lineSql = columns + "trim(Note)";
    archive.markedLineSql = columns + "trim(Questioni)";
    archive.queries[0].name = "search, no criterion";
    archive.queries[1].name = "search, 1 criterion";
    archive.queries[1].criteria[0] = u"rossi"; // Cliente
    archive.queries[2].name = "search, 3 criteria";
    archive.queries[2].criteria[0] = u"rossi"; // Cliente
    archive.queries[2].criteria[1] = u"mi";    // ComuneRes
    archive.queries[2].criteria[9] = u"a";     // Note
    return archive;
}

std::vector<std::string> Utf8Lines(const ResultLines& lines)
{
    std::vector<std::string> out;
    out.reserve(lines.Size());
    for (std::size_t row = 0; row < lines.Size(); ++row)
        out.push_back(ToUtf8(lines.Line(row)));
    return out;
}

#ifdef VELORBIS_HAVE_SQLITE

class Sqlite {
public:
    explicit Sqlite(const std::string& path)
    {
        if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK)
            Fail("open");
        Exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;");
    }
    ~Sqlite() { sqlite3_close(db_); }

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
    void Load(const ArchiveBench& archive)
    {
        std::string columns, marks;
        for (const FieldSpec& field : archive.fields) {
            columns += std::string(columns.empty() ? "" : ", ") + field.name + " TEXT";
            marks += marks.empty() ? "?" : ", ?";
        }
        Exec("DROP TABLE IF EXISTS sheets");
        Exec("CREATE TABLE sheets (" + columns + ")");
        Exec("BEGIN");
        sqlite3_stmt* insert = Prepare("INSERT INTO sheets VALUES (" + marks + ")");
        TRecordFile file(archive.recordFile, archive.recordSize);
        file.Open();
        RecordScanner scan(file);
        std::vector<std::string> values(archive.fields.size());
        while (const uint8_t* record = scan.Next()) {
            for (std::size_t i = 0; i < values.size(); ++i) {
                const FieldSpec& field = archive.fields[i];
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

    // The same line and the same order as the program's list: trimmed fields padded or cut
    // to their columns, ordered by the line with a to z upper-cased (SQLite's upper() and
    // LIKE fold only ASCII letters, as the program does).
    std::vector<std::string> Lines(const std::string& line, const std::string& where,
                                   const std::vector<std::string>& arguments)
    {
        sqlite3_stmt* query = Prepare("SELECT line FROM (SELECT " + line + " AS line FROM sheets" +
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

    std::vector<std::string> Search(const ArchiveBench& archive, const Query& query)
    {
        std::string where;
        std::vector<std::string> arguments;
        for (std::size_t i = 0; i < query.criteria.size(); ++i) {
            if (query.criteria[i].empty())
                continue;
            const FieldSpec& field = *archive.searchFields[i];
            arguments.push_back(ToUtf8(query.criteria[i]));
            where += std::string(where.empty() ? "" : " AND ") + field.name + " LIKE '%' || ?" +
                     std::to_string(arguments.size()) + " || '%'";
        }
        return Lines(archive.lineSql, where, arguments);
    }

    std::vector<std::string> Marked(const ArchiveBench& archive)
    {
        return Lines(archive.markedLineSql, "trim(" + std::string(archive.markedField) + ") = ?1", {ToUtf8(MarkYes)});
    }

private:
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
};

#endif

double Mb(long kb) { return kb / 1024.0; }

void PrintRow(const char* step, const Measure& ours, const Measure* theirs, std::size_t lines, std::size_t listBytes,
              bool same)
{
    std::printf("%-22s %8zu %9.1f", step, lines, ours.bestMs);
    if (theirs)
        std::printf(" %9.1f %7.2f", theirs->bestMs, ours.bestMs / theirs->bestMs);
    else
        std::printf(" %9s %7s", "-", "-");
    std::printf(" %9.1f %9.1f", Mb(ours.peakKb - ours.beforeKb), listBytes / 1048576.0);
    if (theirs)
        std::printf(" %10.1f   %s", Mb(theirs->peakKb - theirs->beforeKb), same ? "yes" : "NO");
    std::printf("\n");
}

void RunArchive(const ArchiveBench& archive, std::size_t count, const std::filesystem::path& folder)
{
    auto start = Clock::now();
    archive.write(count);
    const double writeSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    const auto fileBytes = std::filesystem::file_size(ProgramFile(archive.recordFile));
    std::printf("\n%s: %zu records, %.0f MB (written in %.1f s)\n", archive.title, count, fileBytes / 1e6,
                writeSeconds);
#ifdef VELORBIS_HAVE_SQLITE
    start = Clock::now();
    Sqlite sqlite((folder / "bench.sqlite").string());
    sqlite.Load(archive);
    std::printf("SQLite table on disk, one TEXT column per field, loaded in %.1f s (not timed below)\n",
                std::chrono::duration<double>(Clock::now() - start).count());
#else
    (void)folder;
#endif
    std::printf("%-22s %8s %9s %9s %7s %9s %9s %10s   %s\n", "step", "lines", "ours ms", "SQLite ms", "ratio",
                "peak MB", "list MB", "SQLite MB", "same lines");

    auto report = [&](const char* step, Measure& ours, std::size_t listBytes,
                      [[maybe_unused]] const std::function<std::vector<std::string>()>& theirsStep) {
#ifdef VELORBIS_HAVE_SQLITE
        Measure theirs = Run(theirsStep);
        std::vector<std::string> a = ours.lines, b = theirs.lines;
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        PrintRow(step, ours, &theirs, ours.lines.size(), listBytes, a == b);
#else
        PrintRow(step, ours, nullptr, ours.lines.size(), listBytes, false);
#endif
    };
    for (const Query& query : archive.queries) {
        std::size_t listBytes = 0;
        Measure ours = Run([&] {
            listBytes = archive.search(query.criteria).MemoryBytes();
            return std::vector<std::string>();
        });
        ours.lines = Utf8Lines(archive.search(query.criteria));
        report(query.name, ours, listBytes, [&] {
#ifdef VELORBIS_HAVE_SQLITE
            return sqlite.Search(archive, query);
#else
            return std::vector<std::string>();
#endif
        });
    }
    std::size_t markedBytes = 0;
    Measure ours = Run([&] {
        ResultLines lines;
        archive.marked(lines);
        markedBytes = lines.MemoryBytes();
        return std::vector<std::string>();
    });
    {
        ResultLines lines;
        archive.marked(lines);
        ours.lines = Utf8Lines(lines);
    }
    report(archive.markedStep, ours, markedBytes, [&] {
#ifdef VELORBIS_HAVE_SQLITE
        return sqlite.Marked(archive);
#else
        return std::vector<std::string>();
#endif
    });
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const std::filesystem::path folder = bench::UseTemporaryProgramFolder("velorbis-search-bench");
    std::printf("search_bench: the list tools over %zu records of each archive\n", count);
    std::printf("times: best of 3 runs to the finished, sorted list (file in the page cache); memory in MiB: peak\n"
                "above the resident size at the step's start (first run), and what our list holds\n");
    RunArchive(DatabaseBench(), count, folder);
    RunArchive(ClientBench(), count, folder);
    std::filesystem::remove_all(folder);
    return 0;
}
