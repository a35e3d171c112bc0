// The database export at scale: writes a synthetic Database.pro of N sheets (argv[1], default
// 100000) into a temporary program folder, then times the two steps of the export screen and
// prints the peak memory of each:
//   - filling the grid's data (ExportTable::Load, what the screen's model loads on showing);
//   - writing Database.xls from it (WriteSpreadsheet).
// Run: build/bench/export_bench [N]   (./build.sh bench runs every benchmark)

#include "SyntheticArchive.h"

#include "database/DatabaseExport.h"
#include "database/SpreadsheetExport.h"
#include "storage/ProgramFolder.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// Writes `count` synthetic sheets into Database.pro in one pass, without a flush per record.
void WriteExportBenchArchive(std::size_t count)
{
    std::ofstream out(ProgramFile("Database.pro"), std::ios::binary | std::ios::trunc);
    for (std::size_t i = 0; i < count; ++i) {
        const TSchedaDatabase sheet = bench::SyntheticSheet(i);
        out.write(reinterpret_cast<const char*>(sheet.data()), static_cast<std::streamsize>(sheet.Size));
    }
    if (!out.flush())
        throw std::runtime_error("cannot write the synthetic archive");
}

long StatusKb(const char* key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(key) + ":";
    while (std::getline(status, line))
        if (line.rfind(prefix, 0) == 0)
            return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
    return -1;
}

// Makes the peak resident size start again from the current one.
void ResetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

double Mb(double bytes)
{
    return bytes / (1024.0 * 1024.0);
}

struct Step {
    double seconds;
    long startKb;
    long peakKb;
};

template <class Action>
Step Measure(Action action)
{
    ResetPeak();
    const long startKb = StatusKb("VmRSS");
    const auto start = std::chrono::steady_clock::now();
    action();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return {elapsed.count(), startKb, StatusKb("VmHWM")};
}

void Print(const char* name, const Step& step)
{
    std::printf("  %-28s %8.3f s   peak RSS %8.1f MB (+%.1f MB over the %0.1f MB before)\n", name, step.seconds,
                step.peakKb / 1024.0, (step.peakKb - step.startKb) / 1024.0, step.startKb / 1024.0);
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000;
    char folderTemplate[] = "/tmp/velorbis-export-bench-XXXXXX";
    if (!::mkdtemp(folderTemplate)) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path folder(folderTemplate);
    SetProgramFolder(folder);

    std::printf("export_bench: %zu sheets\n", count);
    const auto start = std::chrono::steady_clock::now();
    WriteExportBenchArchive(count);
    const std::chrono::duration<double> written = std::chrono::steady_clock::now() - start;
    std::printf("  synthetic Database.pro       %8.1f MB written in %.1f s (not part of the export)\n",
                Mb(static_cast<double>(std::filesystem::file_size(ProgramFile("Database.pro")))), written.count());

    ExportTable table(DatabaseExport());
    const Step load = Measure([&] { table.Load(); });
    Print("fill the grid's data", load);

    std::size_t characters = 0;
    for (std::size_t row = 0; row < table.RowCount(); ++row)
        for (std::size_t column = 0; column < table.ColumnCount(); ++column)
            characters += table.View(row, column).stored.size();
    std::printf("  grid data held               %8.1f MB for %.1f MB of decoded text (%zu characters, UTF-16)\n",
                Mb(static_cast<double>(table.MemoryBytes())), Mb(2.0 * static_cast<double>(characters)), characters);

    const Step write = Measure([&] { WriteSpreadsheet(table); });
    Print("write Database.xls", write);
    std::printf("  Database.xls                 %8.1f MB, %.0f sheets/s\n",
                Mb(static_cast<double>(std::filesystem::file_size(ExportFilePath(table.Description())))),
                write.seconds > 0 ? static_cast<double>(count) / write.seconds : 0.0);
    std::printf("  export total (fill + write)  %8.3f s   goal: 100,000 sheets written in under 5 s\n",
                load.seconds + write.seconds);

    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
