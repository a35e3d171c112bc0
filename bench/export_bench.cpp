// The database export at scale: writes a synthetic Database.pro of N sheets (argv[1], default
// 100000) into a temporary program folder, then times the two steps of the export screen and
// prints the peak memory of each:
//   - filling the grid's data (ExportTable::Load, what the screen's model loads on showing);
//   - writing Database.xls from it (WriteSpreadsheet).
// Run: build/bench/export_bench [N]   (./build.sh bench runs every benchmark)

#include "BenchSupport.h"
#include "SyntheticArchive.h"

#include "database/DatabaseExport.h"
#include "archive/SpreadsheetExport.h"
#include "storage/ProgramFolder.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

double Mb(double bytes)
{
    return bytes / (1024.0 * 1024.0);
}

using bench::Measure;
using bench::Step;

void Print(const char* name, const Step& step)
{
    bench::PrintStep(name, step, 28);
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000;
    const std::filesystem::path folder = bench::UseTemporaryProgramFolder("velorbis-export-bench");

    std::printf("export_bench: %zu sheets\n", count);
    const auto start = std::chrono::steady_clock::now();
    bench::WriteSyntheticDatabase(count);
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
