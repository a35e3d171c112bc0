// The report engine at scale: the list print of N result lines (argv[1], default 100000;
// about 1,800 A4 landscape pages) laid out and written to a PDF file, and one sheet page
// written as Cliente.pdf is. Prints the time and peak memory of each; the list is also
// written at a tenth of its size, to show that memory does not grow with the pages written.
// Run: build/bench/report_bench [N]   (./build.sh bench runs every benchmark)

#include "BenchSupport.h"
#include "SyntheticArchive.h"

#include "app/Program.h"
#include "kit/Maker.h"
#include "kit/PageRenderer.h"
#include "kit/Printing.h"
#include "archive/ResultLines.h"
#include "report/ListPrint.h"
#include "report/SheetPages.h"

#include <QApplication>
#include <QFile>
#include <QPdfWriter>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

using bench::Measure;
using bench::Step;

void Print(const char* name, const Step& step)
{
    bench::PrintStep(name, step, 34);
}

// Result lines of the database's fixed-column layout (153 characters), sorted as the list
// shows them.
ResultLines SyntheticLines(std::size_t count)
{
    bench::WordSource words(7);
    ResultLines lines;
    lines.Reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        Text line;
        for (const std::size_t width : {26, 2, 26, 2, 26, 26}) {
            Text piece = width == 2 ? Text(2, u' ') : words.Phrase(width - 4);
            piece.resize(width, u' ');
            line += piece;
        }
        line += u"  Tel. " + words.Phrase(15) + Text(15 - std::min<std::size_t>(15, words.Phrase(15).size()), u' ');
        line.resize(146, u' ');
        line += u"  C.F. RSSMRA80A01F205X";
        line.resize(153, u' ');
        lines.Add(line);
    }
    lines.Sort();
    return lines;
}

void WriteListPdf(const ResultLines& lines, const std::filesystem::path& path)
{
    const report::ResultLineSource source(lines);
    const report::ListReport list = report::ListPrint(u"Riepilogo Schede", source, Printing::Now());
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write " + path.string());
    QPdfWriter writer(&file);
    writer.setResolution(1200);
    if (!ReportDocument(list).PaintOn(writer))
        throw std::runtime_error("the list could not be painted");
}

double Mb(const std::filesystem::path& path)
{
    return static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::size_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000;
    const std::filesystem::path folder = bench::UseTemporaryProgramFolder("velorbis-report-bench");
    PrepareApplication(QString::fromStdString(folder.string()));

    std::printf("report_bench: list print of %zu lines, one sheet page\n", count);

    // Fonts are loaded once per run, as in the program after its first print.
    const report::Page warmUp = report::DatabaseSheetPage({}, Printing::Now());
    Printing::WritePdf(warmUp, QString::fromStdString((folder / "warmup.pdf").string()), {});

    report::DatabaseSheetTexts texts;
    bench::WordSource words(3);
    for (std::size_t i = 0; i < texts.titles.size(); ++i)
        texts.titles[i] = words.Phrase(20);
    for (Text& value : texts.values)
        value = words.Phrase(120);
    const std::filesystem::path sheetPath = ProgramFile("Cliente.pdf");
    const Step sheet = Measure([&] {
        const report::Page page = report::DatabaseSheetPage(texts, Printing::Now());
        const FileOutcome written = Printing::WritePdf(page, QString::fromStdString(sheetPath.string()),
                                                   {QStringLiteral("Scheda informativa"), QStringLiteral("Scheda informativa"),
                                                    Maker::CompanyName, Maker::CompanyName});
        if (!written)
            std::printf("  sheet page failed: %s\n", written.Error().Text().c_str());
    });
    Print("one sheet page to PDF", sheet);
    std::printf("  %-34s %8.1f KB   goal: under 0.2 s\n", "Cliente.pdf", Mb(sheetPath) * 1024);

    for (const std::size_t lines : {count / 10, count}) {
        const ResultLines shown = SyntheticLines(lines);
        const std::filesystem::path listPath = folder / ("list" + std::to_string(lines) + ".pdf");
        const report::ResultLineSource source(shown);
        const report::ListReport list = report::ListPrint(u"Riepilogo Schede", source, Printing::Now());
        const std::size_t pages = report::ListLayout(list).PageCount();
        char name[64];
        std::snprintf(name, sizeof name, "list of %zu lines (%zu pages)", lines, pages);
        const Step step = Measure([&] { WriteListPdf(shown, listPath); });
        Print(name, step);
        std::printf("  %-34s %8.1f MB, %.0f pages/s\n", "PDF", Mb(listPath),
                    step.seconds > 0 ? static_cast<double>(pages) / step.seconds : 0.0);
    }
    std::printf("  goal: 100,000 lines in under 10 s, peak memory the same for both list sizes\n");

    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
