// Search and list benchmark: the list tools' searches over a synthetic Database.pro of N
// sheets and a synthetic Clienti.pro of N clients (argv[1], default 100000), the flagged and
// the recontact lists, against the same searches run by SQLite over the same rows, with the
// peak memory of each step.
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
#include <fcntl.h>
#include <malloc.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>
#include <fstream>
#include <functional>
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
    double bestCpuMs = 0; // processor time of the process, which other loads on the machine disturb less
    long peakKb = 0;   // resident high-water mark during the first run
    long beforeKb = 0; // resident size when the step began
    std::vector<std::string> lines;
};

double CpuMs()
{
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Runs `step` three times; the first run gives the memory peak and the lines, the best of
// the three the times.
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
        const double cpuStart = CpuMs();
        lines = step();
        const double cpuMs = CpuMs() - cpuStart;
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (run == 0) {
            measure.peakKb = Memory::StatusKb("VmHWM");
            measure.lines = std::move(lines);
            measure.bestMs = ms;
            measure.bestCpuMs = cpuMs;
        } else {
            measure.bestMs = std::min(measure.bestMs, ms);
            measure.bestCpuMs = std::min(measure.bestCpuMs, cpuMs);
        }
    }
    return measure;
}

// The floor: the whole file read once into one reused 4 MiB buffer, as `cat` does.
std::vector<std::string> ReadTheFileOnce()
{
    const std::string path = ProgramFile(DatabaseLayout.fileName).string();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("open " + path);
    std::vector<char> buffer(4 << 20);
    while (::read(fd, buffer.data(), buffer.size()) > 0) {
    }
    ::close(fd);
    return {};
}

// What mapping the file would cost instead of reading it: the matching of `criteria` over a
// read-only private mapping of the whole file (no lines built). On machines where each page
// newly mapped costs the hypervisor a trap, this is slower than reading the file.
std::vector<std::string> MatchOverAMapping(const SearchCriteria& criteria)
{
    const std::string path = ProgramFile(DatabaseLayout.fileName).string();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("open " + path);
    const std::size_t bytes = std::filesystem::file_size(path);
    void* mapped = ::mmap(nullptr, bytes, PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (mapped == MAP_FAILED)
        throw std::runtime_error("mmap " + path);
    std::size_t hits = 0;
    for (std::size_t offset = 0; offset + DatabaseLayout.size <= bytes; offset += DatabaseLayout.size)
        hits += criteria.Matches(static_cast<const uint8_t*>(mapped) + offset);
    ::munmap(mapped, bytes);
    return std::vector<std::string>(hits);
}

struct Query {
    const char* name;
    std::array<Text, 10> criteria; // in the order of the search's criteria boxes
};

// No criterion; "rossi" in the first box; "rossi", "mi" and "a" in the first box and the two
// boxes named (indexes in the order of the search's criteria boxes).
std::vector<Query> ThreeQueries(const std::array<const char*, 3>& names, std::size_t mi, std::size_t a)
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

// Campo01; then Cliente and ComuneRes.
std::vector<Query> Queries()
{
    return ThreeQueries({"search, no criterion", "search, 1 criterion", "search, 3 criteria"}, 6, 7);
}

std::vector<std::string> Utf8Lines(const ResultLines& lines)
{
    std::vector<std::string> out;
    out.reserve(lines.Size());
    for (std::size_t row = 0; row < lines.Size(); ++row)
        out.push_back(ToUtf8(lines.Line(row)));
    return out;
}

// What the program's list holds: the lines are timed as they are built; the copy into
// UTF-8 strings for the comparison with SQLite happens after the clock stops.
std::vector<std::string> OurSearch(const Query& query, std::size_t& listBytes,
                                   const SearchDescription& search = DatabaseLists::Search)
{
    ResultLines lines = SearchRecords(search, SearchCriteria(search, query.criteria));
    listBytes = lines.MemoryBytes();
    return {};
}

#ifdef VELORBIS_HAVE_SQLITE

class Sqlite {
public:
    // `line`: the SQL expression of a record's result line over the table's columns.
    Sqlite(const std::string& path, std::string line) : line_(std::move(line))
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

    // The same line and the same order as the program's list: trimmed fields padded or cut
    // to their columns, ordered by the line with a to z upper-cased (SQLite's upper() and
    // LIKE fold only ASCII letters, as the program does).
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
        const std::string& line = line_;
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
    std::string line_;
};

#endif

double Mb(long kb) { return kb / 1024.0; }

void PrintRow(const char* step, const Measure& ours, const Measure* theirs, std::size_t lines, std::size_t listBytes,
              bool same)
{
    std::printf("%-22s %8zu %9.1f %9.1f", step, lines, ours.bestMs, ours.bestCpuMs);
    if (theirs)
        std::printf(" %9.1f %10.1f %7.2f", theirs->bestMs, theirs->bestCpuMs, ours.bestMs / theirs->bestMs);
    else
        std::printf(" %9s %10s %7s", "-", "-", "-");
    std::printf(" %9.1f %9.1f", Mb(ours.peakKb - ours.beforeKb), listBytes / 1048576.0);
    if (theirs)
        std::printf(" %10.1f   %s", Mb(theirs->peakKb - theirs->beforeKb), same ? "yes" : "NO");
    std::printf("\n");
}

// Compares one of our lists with SQLite's and prints the row.
void CompareAndPrint(const char* step, Measure ours, std::vector<std::string> ourLines, std::size_t listBytes,
                     const std::function<std::vector<std::string>()>& theirs)
{
    ours.lines = std::move(ourLines);
#ifdef VELORBIS_HAVE_SQLITE
    Measure sqliteRun = Run(theirs);
    std::vector<std::string> a = ours.lines, b = sqliteRun.lines;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    PrintRow(step, ours, &sqliteRun, ours.lines.size(), listBytes, a == b);
#else
    (void)theirs;
    PrintRow(step, ours, nullptr, ours.lines.size(), listBytes, false);
#endif
}

// The client search (no, one and three criteria) and the recontact list over Clienti.pro.
void ClientSection(const std::filesystem::path& folder, std::size_t count)
{
    bench::WriteSyntheticClients(count);
    std::printf("\n%zu clients, Clienti.pro %.0f MB\n", count,
                std::filesystem::file_size(ProgramFile(ClientLayout.fileName)) / 1e6);
#ifdef VELORBIS_HAVE_SQLITE
    Sqlite sqlite((folder / "clients.sqlite").string(), Sqlite::ClientLine("Note"));
    sqlite.Load(ClientLayout);
    Sqlite recontact((folder / "recontact.sqlite").string(), Sqlite::ClientLine("Questioni"));
    recontact.Load(ClientLayout);
#else
    (void)folder;
#endif
    // Cliente; then ComuneRes and Occupazione.
    const std::vector<Query> queries =
        ThreeQueries({"clients, no criterion", "clients, 1 criterion", "clients, 3 criteria"}, 1, 5);
    for (const Query& query : queries) {
        std::size_t listBytes = 0;
        const Measure ours = Run([&] { return OurSearch(query, listBytes, ClientLists::Search); });
        CompareAndPrint(query.name, ours,
                        Utf8Lines(SearchRecords(ClientLists::Search, SearchCriteria(ClientLists::Search, query.criteria))),
                        listBytes, [&] {
#ifdef VELORBIS_HAVE_SQLITE
                            return sqlite.Search(query, ClientLists::Search);
#else
                            return std::vector<std::string>();
#endif
                        });
    }
    std::size_t listBytes = 0;
    const Measure ours = Run([&] {
        ResultLines lines;
        ClientLists::ListToRecontact(lines);
        listBytes = lines.MemoryBytes();
        return std::vector<std::string>();
    });
    ResultLines lines;
    ClientLists::ListToRecontact(lines);
    CompareAndPrint("recontact list", ours, Utf8Lines(lines), listBytes, [&] {
#ifdef VELORBIS_HAVE_SQLITE
        return recontact.ToRecontact();
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

    auto start = Clock::now();
    bench::WriteSyntheticDatabase(count);
    const double writeSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    const auto fileBytes = std::filesystem::file_size(ProgramFile(DatabaseLayout.fileName));
    std::printf("search_bench: %zu sheets, Database.pro %.0f MB (written in %.1f s)\n", count, fileBytes / 1e6,
                writeSeconds);

#ifdef VELORBIS_HAVE_SQLITE
    start = Clock::now();
    Sqlite sqlite((folder / "bench.sqlite").string(), Sqlite::DatabaseLine());
    sqlite.Load(DatabaseLayout);
    std::printf("SQLite table on disk, one TEXT column per field, loaded in %.1f s (not timed below)\n",
                std::chrono::duration<double>(Clock::now() - start).count());
#endif
    std::printf("times: best of 3 runs to the finished, sorted list (file in the page cache), wall clock and\n"
                "processor time of the process; ratio: ours / SQLite, wall clock; memory in MiB: peak above the\n"
                "resident size at the step's start (first run), and what our list holds\n\n");
    std::printf("%-22s %8s %9s %9s %9s %10s %7s %9s %9s %10s   %s\n", "step", "lines", "ours ms", "ours cpu",
                "SQLite ms", "SQLite cpu", "ratio", "peak MB", "list MB", "SQLite MB", "same lines");

    PrintRow("read the file once", Run(ReadTheFileOnce), nullptr, 0, 0, false);
    {
        const SearchCriteria threeCriteria(DatabaseLists::Search, Queries()[2].criteria);
        const Measure mapped = Run([&] { return MatchOverAMapping(threeCriteria); });
        PrintRow("3 criteria over mmap", mapped, nullptr, mapped.lines.size(), 0, false);
    }

    for (const Query& query : Queries()) {
        std::size_t listBytes = 0;
        Measure ours = Run([&] { return OurSearch(query, listBytes); });
        ours.lines = Utf8Lines(SearchRecords(DatabaseLists::Search, SearchCriteria(DatabaseLists::Search, query.criteria)));
#ifdef VELORBIS_HAVE_SQLITE
        Measure theirs = Run([&] { return sqlite.Search(query); });
        std::vector<std::string> a = ours.lines, b = theirs.lines;
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        PrintRow(query.name, ours, &theirs, ours.lines.size(), listBytes, a == b);
#else
        PrintRow(query.name, ours, nullptr, ours.lines.size(), listBytes, false);
#endif
    }

    std::size_t flaggedBytes = 0;
    Measure ours = Run([&] {
        ResultLines lines;
        DatabaseLists::ListFlagged(lines);
        flaggedBytes = lines.MemoryBytes();
        return std::vector<std::string>();
    });
    {
        ResultLines lines;
        DatabaseLists::ListFlagged(lines);
        ours.lines = Utf8Lines(lines);
    }
#ifdef VELORBIS_HAVE_SQLITE
    Measure theirs = Run([&] { return sqlite.Flagged(); });
    std::vector<std::string> a = ours.lines, b = theirs.lines;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    PrintRow("flagged list", ours, &theirs, ours.lines.size(), flaggedBytes, a == b);
#else
    PrintRow("flagged list", ours, nullptr, ours.lines.size(), flaggedBytes, false);
#endif

    ClientSection(folder, count);
    std::filesystem::remove_all(folder);
    return 0;
}
