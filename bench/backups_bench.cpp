// The copy of the day of a large archive, as the first start of a day makes it: through the
// start menu (the screen path), as the core call, and beside SQLite copying the same rows
// with its online backup. Two archives of the same size: typical sheets, whose records are
// mostly padding, and sheets with every field half full, the worst case for packing.
//
//     backups_bench [sheets]     (default 100000 sheets and as many clients)

#include "BenchSupport.h"
#include "ListBenchSupport.h"
#include "SyntheticArchive.h"

#include "app/Program.h"
#include "archive/Backups.h"
#include "backups/DailyCopy.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

// A sheet as offices fill them: a few short fields, an address, a note; the rest empty.
TSchedaDatabase TypicalSheet(std::size_t index)
{
    bench::WordSource words(index + 1);
    TSchedaDatabase sheet;
    for (const DatabaseField field : {DatabaseField::Campo01, DatabaseField::Campo02, DatabaseField::Campo03,
                                      DatabaseField::Campo04, DatabaseField::Campo05, DatabaseField::Campo06})
        sheet.Set(field, words.Phrase(14));
    sheet.Set(DatabaseField::Campo07, words.Phrase(60));
    sheet.Set(DatabaseField::Cliente, words.Phrase(22));
    sheet.Set(DatabaseField::IndirizzoRes, words.Phrase(24));
    sheet.Set(DatabaseField::ComuneRes, words.Phrase(10));
    sheet.Set(DatabaseField::ProvRes, u"RM");
    sheet.Set(DatabaseField::Recapito, words.Digits(10));
    sheet.Set(DatabaseField::Segnala, index % 10 == 0 ? MarkYes : MarkNo);
    return sheet;
}

TSchedaCliente TypicalClient(std::size_t index)
{
    bench::WordSource words(index + 7);
    TSchedaCliente client;
    client.Set(ClientField::Cliente, words.Phrase(22));
    client.Set(ClientField::DataNasc, u"01/02/1970");
    client.Set(ClientField::ComuneNasc, words.Phrase(10));
    client.Set(ClientField::ProvNasc, u"RM");
    client.Set(ClientField::IndirizzoRes, words.Phrase(24));
    client.Set(ClientField::ComuneRes, words.Phrase(10));
    client.Set(ClientField::CapRes, words.Digits(5));
    client.Set(ClientField::TelCel, words.Digits(10));
    client.Set(ClientField::CodFisc, u"RSSMRA80A01H501U");
    client.Set(ClientField::Note, words.Phrase(50));
    client.Set(ClientField::Ricontatta, index % 10 == 0 ? MarkYes : MarkNo);
    return client;
}

void RemoveCopies()
{
    std::filesystem::remove_all(ProgramFolder() / backups::FolderName);
}

double Megabytes(const std::filesystem::path& path) { return std::filesystem::file_size(path) / 1e6; }

void Measure(const char* archive, std::size_t count, Program& program)
{
    const double recordsMb = Megabytes(ProgramFile(DatabaseLayout.fileName)) + Megabytes(ProgramFile(ClientLayout.fileName));
    std::printf("\n%s: %zu sheets and %zu clients, %.0f MB of record files\n", archive, count, count, recordsMb);
    backups::BackupFolder folder(ProgramFolder());
    const backups::Moment today = backups::Now();

    RemoveCopies();
    const bench::Step core = bench::Measure([&] {
        if (folder.MakeDailyCopy(today).result != backups::DailyResult::Written)
            std::exit(1);
    });
    const auto copies = folder.Copies();
    bench::PrintStep("core: copy of the day", core, 34);
    std::printf("  %-34s %8.1f MB\n", "  the copy's size", Megabytes(copies.front().path));

    // The next day on an unchanged archive: the files are compared with the newest copy.
    std::filesystem::rename(copies.front().path, ProgramFolder() / backups::FolderName / "2000-01-01.zip");
    const bench::Step unchanged = bench::Measure([&] {
        if (folder.MakeDailyCopy(today).result != backups::DailyResult::Unchanged)
            std::exit(1);
    });
    bench::PrintStep("core: unchanged, no copy", unchanged, 34);

    RemoveCopies();
    const bench::Step screen = bench::Measure([&] {
        program.ShowStartMenu(); // the first showing of the run makes the copy
        QApplication::processEvents();
    });
    bench::PrintStep("screen: first showing of the menu", screen, 34);
    if (folder.Copies().size() != 1)
        std::exit(1);

#ifdef VELORBIS_HAVE_SQLITE
    const std::filesystem::path database = ProgramFolder() / "bench.sqlite";
    {
        bench::Sqlite sqlite(database.string(), bench::Sqlite::DatabaseLine());
        sqlite.Load(DatabaseLayout);
    }
    const std::filesystem::path copy = ProgramFolder() / "bench-copy.sqlite";
    const bench::Step sqlite = bench::Measure([&] {
        sqlite3* source = nullptr;
        sqlite3* target = nullptr;
        sqlite3_open(database.c_str(), &source);
        sqlite3_open(copy.c_str(), &target);
        sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
        sqlite3_backup_step(backup, -1);
        sqlite3_backup_finish(backup);
        sqlite3_close(target);
        sqlite3_close(source);
    });
    std::printf("  SQLite online backup of the same sheets alone (%.0f MB, no packing):\n", Megabytes(database));
    bench::PrintStep("  sqlite3_backup_step", sqlite, 34);
    std::filesystem::remove(database);
    std::filesystem::remove(copy);
#endif
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::filesystem::path folder = bench::UseTemporaryProgramFolder("velorbis-backups-bench");
    PrepareApplication(QString::fromStdString(folder.string()));
    std::printf("backups_bench: the copy of the day, record files in the page cache; peak memory above the\n"
                "resident size at the step's start\n");

    bench::WriteSynthetic<TSchedaDatabase>(DatabaseLayout, count, TypicalSheet);
    bench::WriteSynthetic<TSchedaCliente>(ClientLayout, count, TypicalClient);
    {
        Program program;
        Measure("typical sheets", count, program);
    }
    bench::WriteSyntheticDatabase(count);
    bench::WriteSyntheticClients(count);
    {
        Program program;
        Measure("every field half full", count, program);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
