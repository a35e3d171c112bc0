// The list and export screens as a user clicks them: a synthetic Database.pro of N sheets and
// a synthetic Clienti.pro of N clients (argv[1], default 100000) in a temporary program
// folder, the program's own screens brought up headless, and each tool opened by the command
// the user clicks on its sheet screen. Each screen step is timed from the click to the moment
// its list (or grid) and its count have been painted; beside it: the core call that the
// screen makes, the same query in SQLite over the same rows, one read of the record file, and
// the peak resident memory of the whole process during the screen step.
//
//     ./build.sh bench [N]      or      build/bench/screens_bench [N]

#include "ListBenchSupport.h"
#include "SyntheticArchive.h"

#include "app/Program.h"
#include "archive/SheetSearch.h"
#include "archive/SpreadsheetExport.h"
#include "clients/ClientExport.h"
#include "clients/ClientLists.h"
#include "clients/TfrmClienti.h"
#include "database/DatabaseExport.h"
#include "database/DatabaseLists.h"
#include "database/TfrmDatabase.h"
#include "kit/ExportTool.h"
#include "kit/Messages.h"
#include "storage/ProgramFolder.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QProgressDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using bench::Runs;
using bench::Stopwatch;

#ifdef VELORBIS_HAVE_SQLITE
using Sqlite = bench::Sqlite;
#else
// Without SQLite the rows say "-" on its side.
struct Sqlite {
    Sqlite(const std::string&, const std::string&) {}
    static std::string DatabaseLine() { return {}; }
    static std::string ClientLine(const char*) { return {}; }
    void Load(const RecordLayout&) {}
    std::vector<std::string> Search(const bench::Query&, const SearchDescription& = DatabaseLists::Search) { return {}; }
    std::vector<std::string> Flagged() { return {}; }
    std::vector<std::string> ToRecontact() { return {}; }
    std::size_t ExportGrid(const ExportDescription&, std::string&) { return 0; }
    std::size_t ExportFile(const ExportDescription&, const std::string&) { return 0; }
};
#endif

// However long a tool of a million records takes, a wait longer than this is a fault.
constexpr int WaitMs = 10 * 60 * 1000;

// What went wrong inside a tool's event loop, reported once the click that opened it returns.
std::string g_failure;

void Fail(const std::string& what)
{
    if (g_failure.empty())
        g_failure = what;
}

void ThrowIfFailed()
{
    if (!g_failure.empty())
        throw std::runtime_error(g_failure);
}

template <class T = QWidget>
T* Child(QWidget* screen, const char* name)
{
    T* child = screen->findChild<T*>(QString::fromLatin1(name));
    if (!child)
        throw std::runtime_error(std::string("no control ") + name + " on " + screen->metaObject()->className());
    return child;
}

void Click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

// Notes when the widgets named (or the viewports of the views named) have been painted
// since the last Await: the moment the user sees them.
class PaintWatch : public QObject {
public:
    PaintWatch() { qApp->installEventFilter(this); }
    ~PaintWatch() override { qApp->removeEventFilter(this); }

    void Await(std::initializer_list<const char*> names)
    {
        m_awaited.clear();
        for (const char* name : names)
            m_awaited.insert(QString::fromLatin1(name));
    }
    bool AllPainted() const { return m_awaited.isEmpty(); }

    // Processes events until every awaited widget has been painted (bounded).
    void WaitForPaint()
    {
        const QDeadlineTimer deadline(WaitMs);
        while (!AllPainted() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (!AllPainted())
            Fail("not painted in time: " + m_awaited.values().join(u' ').toStdString());
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_awaited.isEmpty()) {
            if (auto* widget = qobject_cast<QWidget*>(watched)) {
                m_awaited.remove(widget->objectName());
                if (QWidget* parent = widget->parentWidget()) // a view's viewport
                    m_awaited.remove(parent->objectName());
            }
        }
        return false;
    }

private:
    QSet<QString> m_awaited;
};

// Runs `action` on the modal tool as soon as it is up, while the click that opened it waits
// in exec(); `click` is that click. The wait is bounded, and the action must close the tool.
void ClickAndActOnModal(const std::function<void()>& click, const std::function<void(QDialog*)>& action)
{
    auto deadline = std::make_shared<QDeadlineTimer>(WaitMs);
    auto acted = std::make_shared<bool>(false);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [action, poll, deadline, acted]() {
        if (*acted)
            return;
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (qobject_cast<QProgressDialog*>(modal)) // the tool's own long work, not the tool
            modal = nullptr;
        if (modal) {
            *acted = true;
            try {
                action(modal);
            } catch (const std::exception& failure) {
                Fail(failure.what());
            }
            if (modal->isVisible()) {
                Fail(std::string("the tool was left open: ") + modal->metaObject()->className());
                modal->done(QDialog::Rejected);
            }
        } else if (deadline->hasExpired()) {
            *acted = true;
            Fail("no tool came up in time");
        } else {
            QTimer::singleShot(0, *poll);
        }
    };
    QTimer::singleShot(0, *poll);
    click();
    if (!*acted) {
        *acted = true; // the poll still queued does nothing
        Fail("the click opened no tool");
    }
    ThrowIfFailed();
}

// Headless unless told otherwise; the offscreen platform's own screen (800 x 800) is
// smaller than the sheet screens, whose lower commands it would leave unpainted, so that
// platform gets a screen of 1920 x 1080 as a user has.
void UseAFullSizeScreen(const std::filesystem::path& folder)
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "offscreen")
        return;
    const std::filesystem::path config = folder / "offscreen-screen.json";
    std::ofstream(config) << R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": 1920, "height": 1080,)"
                          << R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QByteArray::fromStdString(config.string()));
}

// Qt's messages, less the offscreen platform's note at every tool it cannot raise.
void QuietPlatform(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message == QLatin1String("This plugin does not support raise()"))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

std::vector<std::string> ShownLines(QAbstractItemView* list)
{
    std::vector<std::string> lines;
    const QAbstractItemModel* model = list->model();
    lines.reserve(std::size_t(model->rowCount()));
    for (int row = 0; row < model->rowCount(); ++row)
        lines.push_back(model->index(row, 0).data().toString().toStdString());
    return lines;
}

// One row of the table: a screen step and what stands beside it.
struct Row {
    Row(const char* step, Runs screen) : step(step), screen(std::move(screen)) {}
    const char* step;
    Runs screen;
    std::size_t screenLines = 0;
    std::string check; // what the screen's count says, when it says it
    Runs core;
    const Runs* readOnce = nullptr;
    bool haveSqlite = false;
    Runs sqlite;
    std::size_t sqliteLines = 0;
    bool sameLines = false;
    bool compareLines = true; // false: only the counts are compared (the export grids)
};

double Mb(long kb) { return kb / 1024.0; }

void PrintHeader(const char* title)
{
    std::printf("\n%s\n", title);
    std::printf("%-28s %8s %9s %9s %9s %9s %8s %8s %8s %8s %8s %9s  %s\n", "screen step", "lines", "screen ms",
                "scr cpu", "core ms", "SQLite ms", "read ms", "scr/SQL", "scr/core", "peak MB", "+MB", "SQL lines",
                "same");
}

void Print(const Row& row)
{
    const bool haveCore = row.core.bestMs > 0;
    std::printf("%-28s %8zu %9.1f %9.1f", row.step, row.screenLines, row.screen.bestMs, row.screen.bestCpuMs);
    if (haveCore)
        std::printf(" %9.1f", row.core.bestMs);
    else
        std::printf(" %9s", "-");
    if (row.haveSqlite)
        std::printf(" %9.1f", row.sqlite.bestMs);
    else
        std::printf(" %9s", "-");
    std::printf(" %8.1f", row.readOnce ? row.readOnce->bestMs : 0.0);
    if (row.haveSqlite)
        std::printf(" %8.2f", row.screen.bestMs / row.sqlite.bestMs);
    else
        std::printf(" %8s", "-");
    if (haveCore)
        std::printf(" %8.2f", row.screen.bestMs / row.core.bestMs);
    else
        std::printf(" %8s", "-");
    std::printf(" %8.1f %8.1f", Mb(row.screen.peakKb), Mb(row.screen.peakKb - row.screen.beforeKb));
    if (row.haveSqlite) {
        const bool sameCount = row.screenLines == row.sqliteLines;
        const char* same = row.compareLines ? (sameCount && row.sameLines ? "yes" : "NO")
                                            : (sameCount ? "count yes" : "count NO");
        std::printf(" %9zu  %s", row.sqliteLines, same);
    } else {
        std::printf(" %9s  -", "-");
    }
    if (!row.check.empty())
        std::printf("   [%s]", row.check.c_str());
    std::printf("\n");
}

// The program as the user has it: the start menu, then a sheet screen.
class Session {
public:
    explicit Session(Program& program) : m_program(program) {}

    // The sheet screen reached by `command` on the start menu, from the click to its painted
    // position; the screen shown before is left by its "Esci", as the user leaves it. The
    // sheet screen stays up.
    Runs SheetFromStartMenu(const char* command, QWidget* sheet)
    {
        return bench::RunThreeTimed([&](Stopwatch& watch) {
            for (QWidget* window : QApplication::topLevelWidgets())
                if (window->isVisible() && window != m_program.Avvio())
                    Click(Child(window, "cmdEsci"));
            if (!m_program.Avvio()->isVisible())
                m_program.ShowScreen(WorkScreenId::StartMenu);
            QCoreApplication::processEvents();
            m_paints.Await({"lblPosizione"});
            watch.Start();
            Click(Child(m_program.Avvio(), command));
            m_paints.WaitForPaint();
            watch.Stop();
            ThrowIfFailed();
            if (!sheet->isVisible() || m_program.Avvio()->isVisible())
                throw std::runtime_error(std::string(command) + " did not hand over to its sheet screen");
            return std::vector<std::string>();
        });
    }

    // A search tool opened by "Trova" on `sheet`: the criteria typed, then the click on
    // "Cerca" to the painted list and count.
    Runs Search(QWidget* sheet, const std::vector<std::pair<const char*, QString>>& typed, std::string& check)
    {
        return bench::RunThreeTimed([&](Stopwatch& watch) {
            std::vector<std::string> lines;
            ClickAndActOnModal([&] { Click(Child(sheet, "cmdTrova")); }, [&](QDialog* tool) {
                for (const auto& [box, text] : typed)
                    QTest::keyClicks(Child<QLineEdit>(tool, box), text);
                QCoreApplication::processEvents();
                m_paints.Await({"lstRecords", "lblTrovate"});
                watch.Start();
                Click(Child(tool, "btnCerca"));
                m_paints.WaitForPaint();
                watch.Stop();
                auto* list = Child<QAbstractItemView>(tool, "lstRecords");
                if (watch.FirstRun()) {
                    lines = ShownLines(list);
                    check = Child<QLabel>(tool, "lblTrovate")->text().toStdString();
                    if (check.find(" " + std::to_string(lines.size()) + " ") == std::string::npos)
                        Fail("the count says otherwise: " + check);
                }
                Click(Child(tool, "btnChiudi"));
            });
            return lines;
        });
    }

    // A list of marked records opened by `command` on `sheet`, from the click to the
    // painted list.
    Runs MarkedList(QWidget* sheet, const char* command)
    {
        return bench::RunThreeTimed([&](Stopwatch& watch) {
            std::vector<std::string> lines;
            m_paints.Await({"lstRecords"});
            ClickAndActOnModal(
                [&] {
                    watch.Start();
                    Click(Child(sheet, command));
                },
                [&](QDialog* tool) {
                    m_paints.WaitForPaint();
                    watch.Stop();
                    if (watch.FirstRun())
                        lines = ShownLines(Child<QAbstractItemView>(tool, "lstRecords"));
                    Click(Child(tool, "btnChiudi"));
                });
            return lines;
        });
    }

    // The export screen opened by "Esporta" on `sheet`, from the click to the painted grid;
    // with `write`, from the click on its "Esporta" to the question after the file is written.
    Runs Export(QWidget* sheet, bool write, std::size_t& rows)
    {
        return bench::RunThreeTimed([&](Stopwatch& watch) {
            m_paints.Await({"grdRecords"});
            ClickAndActOnModal(
                [&] {
                    if (!write)
                        watch.Start();
                    Click(Child(sheet, "cmdEsporta"));
                },
                [&](QDialog* tool) {
                    m_paints.WaitForPaint();
                    if (write) {
                        QCoreApplication::processEvents();
                        m_asked = 0;
                        watch.Start();
                        Click(Child(tool, "cmdEsporta"));
                        QCoreApplication::processEvents();
                        watch.Stop();
                        if (m_asked != 2)
                            Fail("the export asked " + std::to_string(m_asked) + " questions instead of 2");
                    } else {
                        watch.Stop();
                    }
                    rows = std::size_t(Child<QAbstractItemView>(tool, "grdRecords")->model()->rowCount());
                    Click(Child(tool, "cmdEsci"));
                });
            return std::vector<std::string>();
        });
    }

    // Answers the export's two questions as a user who exports and does not open the file;
    // any other message is a fault of the run.
    QMessageBox::StandardButton Answer(MessageKind, const QString& text)
    {
        ++m_asked;
        if (text == ExportTool::ConfirmExportText)
            return QMessageBox::Yes;
        if (text == ExportTool::ConfirmOpenText)
            return QMessageBox::No;
        Fail("unexpected message: " + text.toStdString());
        return QMessageBox::Ok;
    }

private:
    Program& m_program;
    PaintWatch m_paints;
    int m_asked = 0;
};

Runs CoreSearch(const SearchDescription& search, const bench::Query& query)
{
    return bench::RunThree([&] {
        ResultLines lines = SearchRecords(search, SearchCriteria(search, query.criteria));
        return std::vector<std::string>(lines.Size());
    });
}

Runs CoreList(void (*list)(ResultLines&, Progress&))
{
    return bench::RunThree([&] {
        ResultLines lines;
        list(lines, Unwatched());
        return std::vector<std::string>(lines.Size());
    });
}

// The two criteria of a selective search, as the boxes of the tool and as the query.
struct TwoCriteria {
    std::vector<std::pair<const char*, QString>> typed;
    bench::Query query;
};

TwoCriteria Criteria(const char* firstBox, std::size_t first, const char* firstText, const char* secondBox,
                     std::size_t second, const char* secondText)
{
    TwoCriteria criteria{{{firstBox, QString::fromUtf8(firstText)}, {secondBox, QString::fromUtf8(secondText)}},
                         {"", {}}};
    criteria.query.criteria[first] = QString::fromUtf8(firstText).toStdU16String();
    criteria.query.criteria[second] = QString::fromUtf8(secondText).toStdU16String();
    return criteria;
}

// Fills a row's SQLite side: the query run three times, its lines compared with the screen's.
void BesideSqlite(Row& row, const std::function<std::vector<std::string>()>& query)
{
#ifdef VELORBIS_HAVE_SQLITE
    row.haveSqlite = true;
    row.sqlite = bench::RunThree(query);
    row.sqliteLines = row.sqlite.lines.size();
    row.sameLines = bench::SameLines(row.screen.lines, row.sqlite.lines);
    row.sqlite.lines.clear();
#else
    (void)row;
    (void)query;
#endif
}

void Finish(Row& row)
{
    row.screenLines = row.screen.lines.size();
    Print(row);
    row.screen.lines.clear();
}

void ExportRows(Session& session, QWidget* sheet, const ExportDescription& description, const Runs& readOnce,
                [[maybe_unused]] Sqlite& db)
{
    const std::string file = description.exportFile;
    const std::string openName = "export " + file.substr(0, file.find('.')) + ", open";
    const std::string writeName = "export, write " + file;
    std::size_t rows = 0;

    // Both screen steps first, so that the process's memory during them holds nothing the
    // core and SQLite runs leave in the heap.
    Row open{openName.c_str(), session.Export(sheet, false, rows)};
    open.screenLines = rows;
    Row write{writeName.c_str(), session.Export(sheet, true, rows)};
    write.screenLines = rows;
    write.check = file + " " + std::to_string(std::filesystem::file_size(ExportFilePath(description)) / 1000000) +
                  " MB";
    for (Row* row : {&open, &write}) {
        row->readOnce = &readOnce;
        row->compareLines = false;
    }

    open.core = bench::RunThreeTimed([&](Stopwatch& watch) {
        watch.Start();
        auto table = std::make_unique<ExportTable>(description);
        table->Load();
        watch.Stop(); // the screen's clock too stops before its grid is freed
        return std::vector<std::string>();
    });
    {
        ExportTable table(description);
        table.Load();
        write.core = bench::RunThree([&] {
            WriteSpreadsheet(table);
            return std::vector<std::string>();
        });
    }
#ifdef VELORBIS_HAVE_SQLITE
    std::string cells;
    open.haveSqlite = true;
    open.sqlite = bench::RunThree([&] {
        open.sqliteLines = db.ExportGrid(description, cells);
        return std::vector<std::string>();
    });
    cells = std::string();
    const std::string htmlPath = ProgramFile("sqlite-" + file + ".html").string();
    write.haveSqlite = true;
    write.sqlite = bench::RunThree([&] {
        write.sqliteLines = db.ExportFile(description, htmlPath);
        return std::vector<std::string>();
    });
    std::filesystem::remove(htmlPath);
#endif
    Print(open);
    Print(write);
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // each row as soon as it is measured
    const std::filesystem::path folder = bench::UseTemporaryProgramFolder("velorbis-screens-bench");
    UseAFullSizeScreen(folder);
    int status = 0;
    try {
        auto start = std::chrono::steady_clock::now();
        bench::WriteSyntheticDatabase(count);
        bench::WriteSyntheticClients(count);
        std::printf("screens_bench: %zu sheets (Database.pro %.0f MB) and %zu clients (Clienti.pro %.0f MB), written "
                    "in %.1f s\n",
                    count, std::filesystem::file_size(ProgramFile(DatabaseLayout.fileName)) / 1e6, count,
                    std::filesystem::file_size(ProgramFile(ClientLayout.fileName)) / 1e6,
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        start = std::chrono::steady_clock::now();
        Sqlite sheets((folder / "sheets.sqlite").string(), Sqlite::DatabaseLine());
        sheets.Load(DatabaseLayout);
        Sqlite clients((folder / "clients.sqlite").string(), Sqlite::ClientLine("Note"));
        clients.Load(ClientLayout);
        Sqlite recontact((folder / "recontact.sqlite").string(), Sqlite::ClientLine("Questioni"));
        recontact.Load(ClientLayout);
#ifdef VELORBIS_HAVE_SQLITE
        std::printf("SQLite tables on disk, one TEXT column per field, loaded in %.1f s (not timed below)\n",
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
#endif
        std::printf(
            "screen: from the click to the list (grid) and its count painted, the program's screens on %s;\n"
            "core: the call the screen makes; SQLite: the same query over the same rows; read: the record file read\n"
            "once; times best of 3 (file in the page cache); scr cpu: processor time of the process; peak MB: resident\n"
            "high-water mark of the whole process during the screen step (first run), +MB: over its start\n",
            qgetenv("QT_QPA_PLATFORM").startsWith("offscreen:") ? "offscreen, a 1920 x 1080 screen"
                                                                 : qgetenv("QT_QPA_PLATFORM").constData());

        int qtArgc = 1;
        char* qtArgv[] = {argv[0], nullptr};
        QApplication application(qtArgc, qtArgv);
        qInstallMessageHandler(QuietPlatform);
        PrepareApplication(QString::fromStdString(folder.string()));
        auto program = std::make_unique<Program>();
        Session session(*program);
        Messages::SetHandler([&](MessageKind kind, const QString& text) { return session.Answer(kind, text); });

        // The database archive.
        const Runs readSheets = bench::RunThree([] { return bench::ReadTheFileOnce(DatabaseLayout); });
        QWidget* database = program->Database();
        char title[160];
        std::snprintf(title, sizeof title, "Database.pro, %zu sheets", count);
        PrintHeader(title);
        {
            Row row{"sheet screen from the menu", session.SheetFromStartMenu("cmdDatabase", database)};
            row.readOnce = &readSheets;
            Finish(row);
        }
        {
            std::string check;
            const bench::Query all{"", {}};
            Row row{"search, no criterion", session.Search(database, {}, check)};
            row.check = check;
            row.readOnce = &readSheets;
            row.core = CoreSearch(DatabaseLists::Search, all);
            BesideSqlite(row, [&] { return sheets.Search(all); });
            Finish(row);
        }
        {
            // About 1% of the sheets, like search_bench's selective query.
            const TwoCriteria two = Criteria("txtCampo01", 0, "rossi", "txtCliente", 6, "roma");
            std::string check;
            Row row{"search, 2 criteria", session.Search(database, two.typed, check)};
            row.check = check;
            row.readOnce = &readSheets;
            row.core = CoreSearch(DatabaseLists::Search, two.query);
            BesideSqlite(row, [&] { return sheets.Search(two.query); });
            Finish(row);
        }
        {
            Row row{"flagged list", session.MarkedList(database, "cmdSegnalati")};
            row.readOnce = &readSheets;
            row.core = CoreList(DatabaseLists::ListFlagged);
            BesideSqlite(row, [&] { return sheets.Flagged(); });
            Finish(row);
        }
        ExportRows(session, database, DatabaseExport(), readSheets, sheets);

        // The client archive.
        const Runs readClients = bench::RunThree([] { return bench::ReadTheFileOnce(ClientLayout); });
        QWidget* clientSheet = program->Clienti();
        std::snprintf(title, sizeof title, "Clienti.pro, %zu clients", count);
        PrintHeader(title);
        {
            Row row{"sheet screen from the menu", session.SheetFromStartMenu("cmdClienti", clientSheet)};
            row.readOnce = &readClients;
            Finish(row);
        }
        {
            std::string check;
            const bench::Query all{"", {}};
            Row row{"client search, no criterion", session.Search(clientSheet, {}, check)};
            row.check = check;
            row.readOnce = &readClients;
            row.core = CoreSearch(ClientLists::Search, all);
            BesideSqlite(row, [&] { return clients.Search(all, ClientLists::Search); });
            Finish(row);
        }
        {
            const TwoCriteria two = Criteria("txtCliente", 0, "rossi", "txtComuneRes", 1, "roma");
            std::string check;
            Row row{"client search, 2 criteria", session.Search(clientSheet, two.typed, check)};
            row.check = check;
            row.readOnce = &readClients;
            row.core = CoreSearch(ClientLists::Search, two.query);
            BesideSqlite(row, [&] { return clients.Search(two.query, ClientLists::Search); });
            Finish(row);
        }
        {
            Row row{"recontact list", session.MarkedList(clientSheet, "cmdRicontatta")};
            row.readOnce = &readClients;
            row.core = CoreList(ClientLists::ListToRecontact);
            BesideSqlite(row, [&] { return recontact.ToRecontact(); });
            Finish(row);
        }
        ExportRows(session, clientSheet, ClientExport(), readClients, clients);

        Messages::SetHandler({});
        program.reset();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "screens_bench: %s\n", failure.what());
        status = 1;
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return status;
}
