// What odd files in the program folder and a second copy of the program cost:
//   - reading Archivio.ini once (as a screen does on showing) when it is a normal file, a
//     damaged 50 MB file, a sparse 2 GB file: time and peak memory;
//   - two programs (two processes) saving 100 new sheets each into one Database.pro at the
//     same time, with plain writes and with each write paused halfway for 2 ms (as on a slow
//     share): how many confirmed saves are missing or doubled afterwards, and how many do not
//     lie at the position their save reported.
// Run: build/bench/oddfiles_bench   (./build.sh bench runs every benchmark; the archive size
// it passes does not apply here)

#include "BenchSupport.h"

#include "archive/SheetArchive.h"
#include "storage/IniFile.h"
#include "storage/IoFaults.h"
#include "storage/Records.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr std::size_t S = TSchedaDatabase::Size;

void MakeSettings(const std::filesystem::path& path, std::uintmax_t size, bool sparse)
{
    std::filesystem::remove(path);
    std::ofstream file(path, std::ios::binary);
    file << "[Database]\r\nNome Archivio=Biblioteca\r\n";
    if (!sparse) {
        const std::string junk(1 << 20, 'x');
        for (std::uintmax_t written = 0; written + junk.size() <= size; written += junk.size())
            file << junk;
    }
    file.close();
    std::filesystem::resize_file(path, size);
}

void MeasureSettingsRead(const char* name, const std::filesystem::path& path)
{
    bench::Memory::ResetPeak();
    const long startKb = bench::Memory::StatusKb("VmRSS");
    const auto start = std::chrono::steady_clock::now();
    const IniValues values = SettingsFile().Load();
    const Text archiveName = values.Read(u"Database", u"Nome Archivio");
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("  %-24s %10.1f MB  %9.6f s  peak RSS +%.1f MB  %s\n", name,
                std::filesystem::file_size(path) / (1024.0 * 1024.0), elapsed.count(),
                (bench::Memory::StatusKb("VmHWM") - startKb) / 1024.0,
                values.Unreadable() ? "refused as unreadable" : ("name \"" + ToUtf8(archiveName) + "\"").c_str());
}

std::vector<uint8_t> SavedBy(char program, int save)
{
    std::vector<uint8_t> record(S, uint8_t(program));
    std::snprintf(reinterpret_cast<char*>(record.data()), S, "%c%06d", program, save);
    return record;
}

// Child process: saves `count` new sheets, writing "save position" lines to `report`.
[[noreturn]] void SavingProgram(char program, int count, int pauseMicroseconds, int report)
{
    IoFaults::SlowWrites(std::chrono::microseconds(pauseMicroseconds));
    const SheetArchive archive(DatabaseLayout);
    for (int save = 0; save < count; ++save) {
        const SaveResult result = archive.Save(SavedBy(program, save).data(), NewSheet);
        if (result.outcome != SaveResult::Outcome::Appended)
            continue;
        const std::string line = std::to_string(save) + " " + std::to_string(result.position) + "\n";
        if (::write(report, line.data(), line.size()) < 0)
            break;
    }
    ::_exit(0);
}

// Two processes saving `saves` new sheets each at the same time.
void MeasureTwoPrograms(const std::filesystem::path& folder, int saves, int pause)
{
    std::filesystem::remove(folder / DatabaseLayout.fileName);
    std::printf("oddfiles_bench: two programs saving %d new sheets each, writes paused %d us halfway\n", saves,
                pause);
    const auto start = std::chrono::steady_clock::now();
    std::map<std::string, std::size_t> reported;
    std::vector<std::pair<pid_t, int>> children;
    for (const char program : {'A', 'B'}) {
        int pipeEnds[2];
        if (::pipe(pipeEnds) != 0)
            return;
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipeEnds[0]);
            SavingProgram(program, saves, pause, pipeEnds[1]);
        }
        ::close(pipeEnds[1]);
        children.emplace_back(child, pipeEnds[0]);
    }
    for (std::size_t i = 0; i < children.size(); ++i) {
        std::string output;
        char block[4096];
        for (ssize_t got; (got = ::read(children[i].second, block, sizeof block)) > 0;)
            output.append(block, static_cast<std::size_t>(got));
        ::close(children[i].second);
        ::waitpid(children[i].first, nullptr, 0);
        std::size_t at = 0;
        while (at < output.size()) {
            const std::size_t end = output.find('\n', at);
            int save = 0;
            std::size_t position = 0;
            if (std::sscanf(output.c_str() + at, "%d %zu", &save, &position) == 2) {
                const auto record = SavedBy(i == 0 ? 'A' : 'B', save);
                reported[std::string(reinterpret_cast<const char*>(record.data()), 7)] = position;
            }
            at = end == std::string::npos ? output.size() : end + 1;
        }
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;

    std::ifstream file(folder / DatabaseLayout.fileName, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::map<std::string, int> found;
    int misplaced = 0;
    for (std::size_t index = 0; index < bytes.size() / S; ++index) {
        const std::string tag = bytes.substr(index * S, 7);
        ++found[tag];
        if (const auto it = reported.find(tag); it != reported.end() && it->second != index + 1)
            ++misplaced;
    }
    int missing = 0, doubled = 0;
    for (const auto& [tag, position] : reported) {
        const auto it = found.find(tag);
        missing += it == found.end();
        doubled += it != found.end() && it->second > 1;
    }
    std::printf("  confirmed saves %zu, records in the file %zu, missing %d, doubled %d, not where reported %d,"
                " %.2f s\n",
                reported.size(), bytes.size() / S, missing, doubled, misplaced, elapsed.count());
}

} // namespace

int main()
{
    const std::filesystem::path folder = bench::UseTemporaryProgramFolder("velorbis-oddfiles-bench");
    const std::filesystem::path settings = folder / "Archivio.ini";

    std::printf("oddfiles_bench: one reading of Archivio.ini\n");
    MakeSettings(settings, 1024, false);
    MeasureSettingsRead("normal 1 KB file", settings);
    MakeSettings(settings, std::uintmax_t(50) << 20, false);
    MeasureSettingsRead("damaged 50 MB file", settings);
    MakeSettings(settings, std::uintmax_t(2) << 30, true);
    MeasureSettingsRead("sparse 2 GB file", settings);
    std::filesystem::remove(settings);

    for (const int pause : {0, 2000})
        MeasureTwoPrograms(folder, 100, pause);
    std::filesystem::remove_all(folder);
    return 0;
}
