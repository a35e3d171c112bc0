// Both exports at scale: writes a synthetic Database.pro and Clienti.pro of N records each
// (argv[1], default 100000) into a program folder (argv[2], kept and used again by the next
// run of the same N; a temporary one otherwise), then times each step and prints its peak
// resident memory:
//   - filling the grid's data (ExportTable::Load) and writing the export file from it
//     (WriteSpreadsheet), the core alone;
//   - the export screen as the user has it: opened until its grid is painted, a hundred
//     screens of the grid spread over the archive, and its export command (both questions
//     answered, the second with No);
// and last the peak resident memory of the whole run.
// Run: build/bench/export_bench [N [folder]]   (./build.sh bench runs every benchmark)

#include "BenchSupport.h"
#include "SyntheticArchive.h"

#include "app/Program.h"
#include "archive/SpreadsheetExport.h"
#include "clients/ClientExport.h"
#include "clients/TfrmExpClienti.h"
#include "database/DatabaseExport.h"
#include "database/TfrmExpDatabase.h"
#include "kit/Messages.h"
#include "storage/ProgramFolder.h"

#include <QApplication>
#include <QTableView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

double Mb(double bytes)
{
    return bytes / (1024.0 * 1024.0);
}

using bench::Measure;
using bench::Step;

long peakKb = 0; // the highest peak of every step so far

void Print(const char* name, const Step& step)
{
    bench::PrintStep(name, step, 28);
    peakKb = std::max(peakKb, step.peakKb);
}

template <class Tool>
void RunExport(const ExportDescription& description, std::size_t count, void (*write)(std::size_t))
{
    const std::string exportName = description.exportFile;
    std::printf("\n%s: %zu records\n", exportName.c_str(), count);
    const std::filesystem::path archive = ProgramFile(description.records.fileName);
    std::error_code absent;
    if (std::filesystem::file_size(archive, absent) != count * description.records.size) {
        const auto start = std::chrono::steady_clock::now();
        write(count);
        const std::chrono::duration<double> written = std::chrono::steady_clock::now() - start;
        std::printf("  synthetic %-18s %8.1f MB written in %.1f s (not part of the export)\n",
                    description.records.fileName, Mb(static_cast<double>(std::filesystem::file_size(archive))),
                    written.count());
    } else {
        std::printf("  synthetic %-18s %8.1f MB kept from an earlier run\n", description.records.fileName,
                    Mb(static_cast<double>(std::filesystem::file_size(archive))));
    }

    {
        ExportTable table(description);
        const Step load = Measure([&] { table.Load(); });
        Print("fill the grid's data", load);
        std::printf("  grid data held               %8.1f MB\n", Mb(static_cast<double>(table.MemoryBytes())));

        const Step writeFile = Measure([&] { WriteSpreadsheet(table); });
        Print(("write " + exportName).c_str(), writeFile);
        std::printf("  %-28s %8.1f MB, %.0f records/s\n", exportName.c_str(),
                    Mb(static_cast<double>(std::filesystem::file_size(ExportFilePath(table.Description())))),
                    writeFile.seconds > 0 ? static_cast<double>(count) / writeFile.seconds : 0.0);
    }

    // The screen: shown until its grid is painted, then its export command.
    Tool* tool = nullptr;
    const Step open = Measure([&] {
        tool = new Tool(nullptr);
        tool->show();
        QApplication::processEvents();
        tool->repaint();
    });
    Print("open the screen", open);
    // A hundred screens spread over the archive, as dragging the scroll bar shows them.
    auto* grid = tool->template findChild<QTableView*>(QStringLiteral("grdRecords"));
    const Step scroll = Measure([&] {
        for (int screen = 0; screen < 100; ++screen) {
            grid->scrollTo(grid->model()->index(static_cast<int>(count / 100 * screen), 1), QAbstractItemView::PositionAtTop);
            grid->viewport()->repaint();
        }
    });
    Print("show 100 screens of the grid", scroll);
    int asked = 0;
    Messages::SetHandler([&](MessageKind, const QString&) {
        return ++asked == 1 ? QMessageBox::Yes : QMessageBox::No;
    });
    const Step exported = Measure([&] { tool->cmdEsportaClick(); });
    Messages::SetHandler({});
    Print("export from the screen", exported);
    if (asked != 2)
        std::printf("  the export asked %d questions instead of two: it failed\n", asked);
    delete tool;
    std::printf("  goal: open under 3 s, write under 10 s, the whole program under 500 MB\n");
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    const std::size_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000;
    const bool keep = argc > 2;
    std::filesystem::path folder;
    if (keep) {
        folder = argv[2];
        std::filesystem::create_directories(folder);
        SetProgramFolder(folder);
    } else {
        folder = bench::UseTemporaryProgramFolder("velorbis-export-bench");
    }
    PrepareApplication(QString::fromStdString(folder.string()));
    std::printf("export_bench: the export screens' steps over %zu records of each archive\n", count);
    RunExport<TfrmExpDatabase>(DatabaseExport(), count, bench::WriteSyntheticDatabase);
    RunExport<TfrmExpClienti>(ClientExport(), count, bench::WriteSyntheticClients);
    std::printf("\npeak resident memory of the whole run: %.1f MB\n", peakKb / 1024.0);
    std::error_code ignored;
    if (!keep)
        std::filesystem::remove_all(folder, ignored);
    return 0;
}
