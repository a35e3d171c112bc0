// Both exports at scale: writes a synthetic Database.pro and Clienti.pro of N records each
// (argv[1], default 100000) into a temporary program folder, then times the two steps of the
// export screen and prints the peak memory of each:
//   - filling the grid's data (ExportTable::Load, what the screen's model loads on showing);
//   - writing Database.xls / Clienti.xls from it (WriteSpreadsheet).
// Run: build/bench/export_bench [N]   (./build.sh bench runs every benchmark)

#include "BenchSupport.h"
#include "SyntheticArchive.h"

#include "clients/ClientExport.h"
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

void RunExport(const ExportDescription& description, std::size_t count, void (*write)(std::size_t))
{
    const std::string exportName = description.exportFile;
    std::printf("\n%s: %zu records\n", exportName.c_str(), count);
    const auto start = std::chrono::steady_clock::now();
    write(count);
    const std::chrono::duration<double> written = std::chrono::steady_clock::now() - start;
    std::printf("  synthetic %-18s %8.1f MB written in %.1f s (not part of the export)\n",
                description.records.fileName,
                Mb(static_cast<double>(std::filesystem::file_size(ProgramFile(description.records.fileName)))),
                written.count());

    ExportTable table(description);
    const Step load = Measure([&] { table.Load(); });
    Print("fill the grid's data", load);

    std::size_t characters = 0;
    for (std::size_t row = 0; row < table.RowCount(); ++row)
        for (std::size_t column = 0; column < table.ColumnCount(); ++column)
            characters += table.View(row, column).stored.size();
    std::printf("  grid data held               %8.1f MB for %.1f MB of decoded text (%zu characters, UTF-16)\n",
                Mb(static_cast<double>(table.MemoryBytes())), Mb(2.0 * static_cast<double>(characters)), characters);

    const Step writeFile = Measure([&] { WriteSpreadsheet(table); });
    Print(("write " + exportName).c_str(), writeFile);
    std::printf("  %-28s %8.1f MB, %.0f records/s\n", exportName.c_str(),
                Mb(static_cast<double>(std::filesystem::file_size(ExportFilePath(table.Description())))),
                writeFile.seconds > 0 ? static_cast<double>(count) / writeFile.seconds : 0.0);
    std::printf("  export total (fill + write)  %8.3f s   goal: 100,000 records written in under 5 s\n",
                load.seconds + writeFile.seconds);
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000;
    const std::filesystem::path folder = bench::UseTemporaryProgramFolder("velorbis-export-bench");
    std::printf("export_bench: the export screens' two steps over %zu records of each archive\n", count);
    RunExport(DatabaseExport(), count, bench::WriteSyntheticDatabase);
    RunExport(ClientExport(), count, bench::WriteSyntheticClients);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
