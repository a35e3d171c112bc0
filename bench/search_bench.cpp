// Search and list benchmark: the list tools' searches over a synthetic Database.pro of N
// sheets and a synthetic Clienti.pro of N clients (argv[1], default 100000), the flagged and
// the recontact lists, against the same searches run by SQLite over the same rows, with the
// peak memory of each step.
//
//     ./build.sh bench [N]      or      build/bench/search_bench [N]

#include "ListBenchSupport.h"
#include "SyntheticArchive.h"

#include "clients/ClientLists.h"
#include "database/DatabaseLists.h"
#include "storage/ProgramFolder.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Measure = bench::Runs;
using bench::Query;
using bench::ThreeQueries;
using bench::Utf8Lines;
#ifdef VELORBIS_HAVE_SQLITE
using bench::Sqlite;
#endif

Measure Run(const std::function<std::vector<std::string>()>& step) { return bench::RunThree(step); }

std::vector<std::string> ReadTheFileOnce() { return bench::ReadTheFileOnce(DatabaseLayout); }

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

// Campo01; then Cliente and ComuneRes.
std::vector<Query> Queries()
{
    return ThreeQueries({"search, no criterion", "search, 1 criterion", "search, 3 criteria"}, 6, 7);
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
    PrintRow(step, ours, &sqliteRun, ours.lines.size(), listBytes, bench::SameLines(ours.lines, sqliteRun.lines));
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
        PrintRow(query.name, ours, &theirs, ours.lines.size(), listBytes, bench::SameLines(ours.lines, theirs.lines));
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
    PrintRow("flagged list", ours, &theirs, ours.lines.size(), flaggedBytes, bench::SameLines(ours.lines, theirs.lines));
#else
    PrintRow("flagged list", ours, nullptr, ours.lines.size(), flaggedBytes, false);
#endif

    ClientSection(folder, count);
    std::filesystem::remove_all(folder);
    return 0;
}
