// The database export screen: the whole archive in a grid, edits in the editable columns,
// the export with its two questions, its failure message, and opening the file.

#include "support/ScreenTest.h"
#include "support/StorageTest.h"

#include "clients/TfrmExpClienti.h"
#include "kit/ExportModel.h"
#include "kit/ExportTool.h"
#include "kit/Widgets.h"
#include "database/TfrmDatabase.h"
#include "database/TfrmExpDatabase.h"
#include "storage/Records.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTableView>

#include <sys/resource.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <deque>

namespace {

using F = DatabaseField;

QByteArray Sheets(std::size_t count)
{
    QByteArray bytes;
    for (std::size_t i = 0; i < count; ++i) {
        TSchedaDatabase sheet;
        const std::string number = std::to_string(i + 1);
        sheet.Set(F::Campo01, u"Scheda " + Text(number.begin(), number.end()));
        sheet.Set(F::Cliente, u"Bianchi & Rossi");
        sheet.Set(F::ComuneRes, u"Città");
        sheet.Set(F::PartitaIva, u"01234567890");
        sheet.Set(F::Segnala, i % 2 ? MarkYes : MarkNo);
        bytes.append(reinterpret_cast<const char*>(sheet.data()), static_cast<qsizetype>(sheet.Size));
    }
    return bytes;
}

// Answers the message boxes one after the other, and remembers what they said.
class ScriptedAnswers {
public:
    explicit ScriptedAnswers(std::deque<QMessageBox::StandardButton> answers) : m_answers(std::move(answers))
    {
        Messages::SetHandler([this](MessageKind kind, const QString& text) {
            shown.append({kind, text});
            if (m_answers.empty())
                return QMessageBox::Ok;
            const auto answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        });
    }
    ~ScriptedAnswers() { Messages::SetHandler({}); }
    QList<ShownMessage> shown;

private:
    std::deque<QMessageBox::StandardButton> m_answers;
};

const int PartitaIvaColumn = 22; // in the grid, after "N."

const QString ExportFailed = QStringLiteral("Attenzione: il sistema non permette di esportare i dati."
                                            "\n\r\n\rAccertarsi che il file di Excel non sia già aperto.");

int ModeOf(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return -1;
    return int(info.st_mode & 07777);
}

// The address space the process holds now, in bytes.
qint64 AddressSpace()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmSize:"))
            return line.mid(7).trimmed().split(' ').value(0).toLongLong() * 1024;
    return -1;
}

// Run as a second process (as an unprivileged user, or with a memory limit): shows the export
// over the folder given and prints the messages it shows (each answered Yes) and the grid's
// row count. With a second argument N, the process may hold
// only N MB of address space more than it holds once the program is made, and the export
// is clicked too.
int Helper(int argc, char** argv)
{
    if (argc < 1)
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    char name[] = "helper";
    char* qtArgv[] = {name, nullptr};
    QApplication app(qtArgc, qtArgv);
    PrepareApplication(QString::fromLocal8Bit(argv[0]));
    Messages::SetHandler([](MessageKind, const QString& text) {
        std::printf("%s\n", text.toUtf8().toPercentEncoding().constData());
        return text == ExportTool::ConfirmOpenText ? QMessageBox::No : QMessageBox::Yes;
    });
    TfrmExpDatabase tool(nullptr);
    if (argc > 1) {
        const rlim_t limit = rlim_t(AddressSpace() + (qint64(std::atoi(argv[1])) << 20));
        const rlimit space{limit, limit};
        if (::setrlimit(RLIMIT_AS, &space) != 0)
            return 5;
    }
    tool.show();
    std::printf("rows %d\n", tool.Model()->rowCount());
    if (argc > 1)
        tool.cmdEsportaClick();
    return 0;
}

} // namespace

class TstExportScreen : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;
    std::unique_ptr<TfrmExpDatabase> tool;

    QString ExportPath() const { return fixture->Path(QStringLiteral("Database.xls")); }
    void Show(std::size_t sheets)
    {
        fixture->WriteFile(QStringLiteral("Database.pro"), Sheets(sheets));
        ShowTool();
    }
    void ShowTool()
    {
        tool = std::make_unique<TfrmExpDatabase>(nullptr);
        tool->show();
        QVERIFY(QTest::qWaitForWindowExposed(tool.get()));
    }
    QTableView* Grid() { return Child<QTableView>(tool.get(), "grdRecords"); }
    QString Status() { return Child<QLabel>(tool.get(), "panInfo")->text(); }

private slots:
    void init() { fixture.Start(ScreenTestFixture::Recording::None); }
    void cleanup()
    {
        tool.reset();
        fixture.Stop();
    }

    void theScreenHasItsCaptionSizeAndControls()
    {
        Show(0);
        QCOMPARE(tool->windowTitle(), QStringLiteral(" Esporta database in Microsoft Excel"));
        QCOMPARE(tool->size(), QSize(862, 560));
        for (const char* name : {"cmdEsporta", "cmdGuida", "cmdEsci"}) {
            auto* command = Child<CommandPicture>(tool.get(), name);
            QVERIFY(command);
            QCOMPARE(command->cursor().shape(), Qt::PointingHandCursor);
        }
        for (const char* name : {"panContainer", "shpSfondo", "shpInfo", "panInfo"})
            QVERIFY(Child(tool.get(), name));
        QCOMPARE(Status(), QStringLiteral("Esportazione archivio in Microsoft Excel."));
    }

    void theGridShowsEverySheetWithItsColumns()
    {
        Show(3);
        QTableView* grid = Grid();
        auto* model = qobject_cast<ExportModel*>(grid->model());
        QVERIFY(model);
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(model->columnCount(), 26);

        QStringList columns;
        for (int c = 0; c < model->columnCount(); ++c)
            columns.append(QStringLiteral("%1|%2|%3|%4")
                               .arg(model->ColumnName(c), model->headerData(c, Qt::Horizontal).toString())
                               .arg(grid->columnWidth(c))
                               .arg(model->flags(model->index(0, c)) & Qt::ItemIsEditable ? "yes" : "no"));
        QStringList expected{"colNum|N.|60|no"};
        for (int i = 1; i <= 14; ++i)
            expected.append(QStringLiteral("colCampo%1|Campo %2|250|yes").arg(i, 2, 10, QLatin1Char('0')).arg(i));
        expected += QStringList{
            "colCliente|Cognome e nome|250|no",          "colIndirizzoRes|Via e numero civico|250|no",
            "colComuneRes|Comune di residenza|250|yes",  "colProvRes|Prov.|120|yes",
            "colRecapito|Recapito preferenziale|200|no", "colEmail|E-mail|250|no",
            "colCodFisc|Codice fiscale|150|no",          "colPartitaIva|Partita IVA|150|yes",
            "colGoogle|Filtri ricerca con Google|250|yes", "colWeb|Sito Internet|250|yes",
            "colSegnala|Segnalato|120|yes"};
        QCOMPARE(columns, expected);

        for (int row = 0; row < 3; ++row) {
            QCOMPARE(model->index(row, 0).data().toString(), QString::number(row + 1));
            QCOMPARE(model->index(row, 1).data().toString(), QStringLiteral("Scheda %1").arg(row + 1));
            QCOMPARE(grid->rowHeight(row), 21);
        }
        QCOMPARE(model->index(1, 15).data().toString(), QStringLiteral("Bianchi & Rossi"));
        QCOMPARE(model->index(1, 25).data().toString(), QStringLiteral("Sì"));
        QCOMPARE(grid->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
        QVERIFY(grid->alternatingRowColors());
    }

    void manySheetsCostNoWidgetPerRow()
    {
        Show(3);
        const qsizetype fewRows = Grid()->findChildren<QWidget*>().size();
        tool.reset();
        Show(3000);
        QCOMPARE(Grid()->model()->rowCount(), 3000);
        Grid()->scrollToBottom();
        QCOMPARE(Grid()->findChildren<QWidget*>().size(), fewRows);
    }

    void theExportWritesTheGridAndOpensTheFileThroughTheShell()
    {
        Show(3);
        OpenedUrls opened;
        ScriptedAnswers answers({QMessageBox::Yes, QMessageBox::Yes});
        Click(Child(tool.get(), "cmdEsporta"));
        QCOMPARE(answers.shown.size(), 2);
        QCOMPARE(answers.shown[0].kind, MessageKind::Confirmation);
        QCOMPARE(answers.shown[0].text,
                 QStringLiteral("L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero "
                                "di schede presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?"));
        QCOMPARE(answers.shown[1].kind, MessageKind::Confirmation);
        QCOMPARE(answers.shown[1].text, QStringLiteral("Le schede in archivio sono state esportate con successo."
                                                       "\r\n\r\nSi vuole aprire il file di Excel?"));
        QCOMPARE(opened.urls, QList<QUrl>{QUrl::fromLocalFile(ExportPath())});
        const QByteArray file = ReadBytes(ExportPath());
        QVERIFY(file.contains("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">Scheda 3</td>"));
        QVERIFY(file.contains("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">Bianchi &amp; Rossi</td>"));
        QVERIFY(file.contains("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">Citt\xE0</td>"));
        QVERIFY(tool->isVisible()); // the screen stays open
    }

    void answeringNoStops_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("first");
        QTest::addColumn<bool>("written");
        QTest::newRow("no to the export") << QMessageBox::No << false;
        QTest::newRow("no to opening") << QMessageBox::Yes << true;
    }
    void answeringNoStops()
    {
        QFETCH(QMessageBox::StandardButton, first);
        QFETCH(bool, written);
        Show(1);
        OpenedUrls opened;
        ScriptedAnswers answers({first, QMessageBox::No});
        Click(Child(tool.get(), "cmdEsporta"));
        QCOMPARE(answers.shown.size(), written ? 2 : 1);
        QCOMPARE(QFileInfo::exists(ExportPath()), written);
        QVERIFY(opened.urls.isEmpty());
    }

    void whatIsTypedIntoAnEditableCellIsExportedTrimmedButNeverSaved()
    {
        Show(2);
        const QByteArray archive = ReadBytes(fixture->Path(QStringLiteral("Database.pro")));
        QTableView* grid = Grid();
        const QModelIndex cell = grid->model()->index(1, PartitaIvaColumn);
        grid->setCurrentIndex(cell);
        grid->edit(cell);
        auto* editor = grid->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("  98765<4> "));
        // Exported while the editor is still open: the text stands as typed.
        ScriptedAnswers answers({QMessageBox::Yes, QMessageBox::No});
        Click(Child(tool.get(), "cmdEsporta"));
        QVERIFY(ReadBytes(ExportPath()).contains(
            "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">98765&lt;4&gt;</td><td style=\"text-align: left;\" sdnum=\"1040;0;@\">"));
        QCOMPARE(cell.data().toString(), QStringLiteral("  98765<4> "));
        QCOMPARE(ReadBytes(fixture->Path(QStringLiteral("Database.pro"))), archive);

        // A column that is not editable opens no editor.
        const QModelIndex name = grid->model()->index(1, 15);
        grid->setCurrentIndex(name);
        QTest::ignoreMessage(QtWarningMsg, "edit: editing failed");
        grid->edit(name);
        QCOMPARE(grid->viewport()->findChildren<QLineEdit*>().size(), 1); // only the one opened above

        // Showing the export again shows the archive's values.
        tool.reset();
        ShowTool();
        QCOMPARE(Grid()->model()->index(1, PartitaIvaColumn).data().toString(), QStringLiteral("01234567890"));
    }

    void aFileThatCannotBeReplacedGivesTheMessageAndStaysAsItWas()
    {
        Show(2);
        fixture->WriteFile(QStringLiteral("Database.xls"), "earlier export");
        ScriptedAnswers answers({QMessageBox::Yes, QMessageBox::Yes});
        OpenedUrls opened;
        IoFaults::FailNext(IoOp::Rename);
        Click(Child(tool.get(), "cmdEsporta"));
        QCOMPARE(answers.shown.size(), 2);
        QCOMPARE(answers.shown[1].kind, MessageKind::Plain);
        QCOMPARE(answers.shown[1].text, QStringLiteral("Attenzione: il sistema non permette di esportare i dati."
                                                       "\n\r\n\rAccertarsi che il file di Excel non sia già aperto."));
        QCOMPARE(ReadBytes(ExportPath()), QByteArray("earlier export"));
        QVERIFY(opened.urls.isEmpty());
        // Once the file is free again the export works.
        ScriptedAnswers again({QMessageBox::Yes, QMessageBox::No});
        Click(Child(tool.get(), "cmdEsporta"));
        QCOMPARE(again.shown.size(), 2);
        QVERIFY(ReadBytes(ExportPath()).startsWith("<html"));
    }

    // As the tests' superuser: an export file whose write bits are off stays as it is and the
    // failure message is shown; a replaced one keeps its rights. Both export screens.
    void aReadOnlyExportIsNotReplacedAndAReplacedOneKeepsItsRights_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("replaced");
        for (const char* file : {"Database.xls", "Clienti.xls"}) {
            QTest::addRow("%s 0444", file) << file << 0444 << false;
            QTest::addRow("%s 0400", file) << file << 0400 << false;
            QTest::addRow("%s 0600", file) << file << 0600 << true;
            QTest::addRow("%s 0664", file) << file << 0664 << true;
        }
    }
    void aReadOnlyExportIsNotReplacedAndAReplacedOneKeepsItsRights()
    {
        QFETCH(QString, file);
        QFETCH(int, mode);
        QFETCH(bool, replaced);
        const QString path = fixture->Path(file);
        fixture->WriteFile(file, "earlier export");
        SetMode(path, mode_t(mode));
        const bool clients = file == QStringLiteral("Clienti.xls");
        const WorkScreenId id = clients ? WorkScreenId::ClientSheet : WorkScreenId::DatabaseSheet;
        fixture->program->ShowScreen(id);
        QWidget* screen = fixture->program->Screen(id);
        ScriptedAnswers answers({QMessageBox::Yes, QMessageBox::No});
        WhenModal([&](QWidget* modal) {
            QCOMPARE(modal->metaObject()->className(), clients ? "TfrmExpClienti" : "TfrmExpDatabase");
            Click(Child(modal, "cmdEsporta"));
            Click(Child(modal, "cmdEsci"));
        });
        Click(Child(screen, "cmdEsporta")); // from the sheet screen, as the user opens it
        QCOMPARE(answers.shown.size(), 2);
        if (replaced) {
            QCOMPARE(answers.shown[1].kind, MessageKind::Confirmation);
            QVERIFY(ReadBytes(path).startsWith("<html"));
        } else {
            QCOMPARE(answers.shown[1].kind, MessageKind::Plain);
            QCOMPARE(answers.shown[1].text, ExportFailed);
            QCOMPARE(ReadBytes(path), QByteArray("earlier export"));
        }
        QCOMPARE(ModeOf(path), mode);
        const QStringList files = QDir(fixture->folder.path()).entryList(QDir::Files | QDir::Hidden);
        QVERIFY2(files.filter(QStringLiteral(".tmp")).isEmpty(), qPrintable(files.join(u' ')));
    }

    // A grid that could not be filled (the archive failed to open, or a later read failed)
    // does not replace the earlier export with part of the archive: the failure is said at
    // once, nothing is asked, and the earlier file stays.
    void anExportAfterAFailedFillKeepsTheEarlierFile_data()
    {
        QTest::addColumn<int>("skippedReads");
        QTest::addColumn<int>("rows");
        QTest::newRow("the archive could not be opened") << -1 << 0;
        QTest::newRow("the second block could not be read") << 1 << 1200;
    }
    void anExportAfterAFailedFillKeepsTheEarlierFile()
    {
        QFETCH(int, skippedReads);
        QFETCH(int, rows);
        fixture->WriteFile(QStringLiteral("Database.pro"), Sheets(1200)); // more than one block of 4 MB
        fixture->WriteFile(QStringLiteral("Database.xls"), "earlier export");
        MessageRecorder recorder;
        if (skippedReads < 0)
            IoFaults::FailNext(IoOp::Open);
        else
            IoFaults::FailNext(IoOp::Read, unsigned(skippedReads));
        ShowTool();
        IoFaults::Reset();
        QCOMPARE(Grid()->model()->rowCount(), rows);
        QCOMPARE(recorder.shown.size(), 1); // the archive-access message

        recorder.answer = QMessageBox::Yes;
        OpenedUrls opened;
        Click(Child(tool.get(), "cmdEsporta"));
        QCOMPARE(recorder.shown.size(), 2);
        QCOMPARE(recorder.shown[1].kind, MessageKind::Plain);
        QCOMPARE(recorder.shown[1].text, ExportFailed);
        QCOMPARE(ReadBytes(ExportPath()), QByteArray("earlier export"));
        QVERIFY(opened.urls.isEmpty());
        QVERIFY(tool->isVisible());
    }

    // A sparse archive of 100 GB (28 million sheets): the screen comes up empty with the
    // message at once, without reading or reserving anything by the file's size; the export
    // says so again and writes nothing; the program goes on as before.
    void aHugeArchiveIsRefusedAtOnceAndTheProgramStaysUsable()
    {
        QFile archive(fixture->Path(QStringLiteral("Database.pro")));
        if (!archive.open(QIODevice::WriteOnly) || !archive.resize(qint64(100) << 30))
            QSKIP("the file system does not hold a sparse file of 100 GB");
        archive.close();
        fixture->WriteFile(QStringLiteral("Database.xls"), "earlier export");
        const QString tooMany = QStringLiteral(
            "Attenzione: l'archivio contiene più schede di quante un foglio di lavoro di Microsoft Excel ne possa "
            "contenere (al massimo 1.048.575).\n\r\n\rL'archivio non può essere mostrato né esportato in "
            "Microsoft Excel.");

        fixture->program->ShowScreen(WorkScreenId::DatabaseSheet);
        MessageRecorder recorder;
        recorder.answer = QMessageBox::Yes;
        int opened = 0;
        for (int time = 0; time < 2; ++time) { // and once more: nothing was left broken
            WhenModal([&](QWidget* modal) {
                ++opened;
                auto* model = qobject_cast<ExportModel*>(Child<QTableView>(modal, "grdRecords")->model());
                QCOMPARE(model->rowCount(), 0);
                QCOMPARE(recorder.shown.size(), 1);
                QCOMPARE(recorder.shown[0].kind, MessageKind::Warning);
                QCOMPARE(recorder.shown[0].text, tooMany);
                Click(Child(modal, "cmdEsporta"));
                QCOMPARE(recorder.shown.size(), 2);
                QCOMPARE(recorder.shown[1].text, tooMany);
                recorder.shown.clear();
                Click(Child(modal, "cmdEsci"));
            });
            Click(Child(fixture->program->Database(), "cmdEsporta"));
        }
        QCOMPARE(opened, 2);
        QCOMPARE(ReadBytes(ExportPath()), QByteArray("earlier export"));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmDatabase")});
        // The sheet screen still works on the archive: a new sheet goes after the 28 million
        // empty ones.
        QWidget* sheet = fixture->program->Database();
        Child<QLineEdit>(sheet, "txtCampo01")->setText(QStringLiteral("Titolo"));
        Child<QLineEdit>(sheet, "txtCliente")->setText(QStringLiteral("Rossi"));
        Click(Child(sheet, "cmdSalva"));
        QCOMPARE(recorder.shown.size(), 1);
        QCOMPARE(recorder.shown[0].text, QStringLiteral("La scheda corrente è stata inserita in archivio."));
        const qint64 sheets = (qint64(100) << 30) / qint64(TSchedaDatabase::Size);
        QCOMPARE(Child<QLabel>(sheet, "lblPosizione")->text(), QString::number(sheets + 1));
    }

    // An archive whose text does not fit in the memory the process may hold is shown whole
    // and exported all the same: the grid reads its cells from the archive as it shows them,
    // and the export reads the archive again as it writes.
    void anArchiveBeyondTheMemoryIsShownAndExported()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the address sanitizer needs an address space without a limit");
#endif
        TSchedaDatabase full;
        for (const FieldSpec& field : TSchedaDatabase::Fields())
            full.Set(static_cast<F>(&field - TSchedaDatabase::Fields().data()), Text(field.width, u'x'));
        QByteArray sheets;
        sheets.reserve(40000 * qsizetype(TSchedaDatabase::Size));
        for (int i = 0; i < 40000; ++i) // 152 MB, nearly all of it text
            sheets.append(reinterpret_cast<const char*>(full.data()), qsizetype(TSchedaDatabase::Size));
        fixture->WriteFile(QStringLiteral("Database.pro"), sheets);
        sheets.clear();
        fixture->WriteFile(QStringLiteral("Database.xls"), "earlier export");

        QProcess helper;
        StartHelper(helper, {fixture->folder.path(), QStringLiteral("64")});
        QVERIFY(helper.waitForFinished(120000));
        QCOMPARE(helper.exitStatus(), QProcess::NormalExit);
        QCOMPARE(helper.exitCode(), 0);
        QStringList lines = QString::fromUtf8(helper.readAllStandardOutput()).trimmed().split(u'\n');
        for (QString& line : lines)
            line = QString::fromUtf8(QByteArray::fromPercentEncoding(line.toUtf8()));
        QCOMPARE(lines, (QStringList{QStringLiteral("rows 40000"), ExportTool::ConfirmExportText,
                                     ExportTool::ConfirmOpenText}));
        const QByteArray file = ReadBytes(ExportPath());
        QVERIFY(file.startsWith("<html"));
        QCOMPARE(file.count("<tr>"), 40001);
    }

    void anArchiveThatCannotBeReadIsReported()
    {
        fixture->WriteFile(QStringLiteral("Database.pro"), Sheets(2));
        MessageRecorder recorder;
        IoFaults::FailNext(IoOp::Open);
        ShowTool();
        QCOMPARE(recorder.shown.size(), 1);
        QCOMPARE(recorder.shown[0].kind, MessageKind::Plain);
        QCOMPARE(recorder.shown[0].text, QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio."
                                                        "\n\r\n\rAccertarsi di possedere i privilegi di scrittura nella "
                                                        "cartella di installazione del programma."));
        QCOMPARE(Grid()->model()->rowCount(), 0);
    }

    // An archive the user may read but not write (marked read-only, of another user) is
    // shown whole, without a message, and left as it was.
    void aReadOnlyArchiveIsShownAndLeftAlone()
    {
        const QByteArray archive = Sheets(2);
        fixture->WriteFile(QStringLiteral("Database.pro"), archive);
        SetMode(fixture->Path(QStringLiteral("Database.pro")), 0444);
        SetMode(fixture->folder.path(), 0777);
        const HelperResult result = RunUnprivileged({fixture->folder.path()});
        SetMode(fixture->folder.path(), 0700);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.output, QStringLiteral("rows 2"));
        QCOMPARE(ReadBytes(fixture->Path(QStringLiteral("Database.pro"))), archive);
    }

    void guidaShowsTheTopicOfTheExport()
    {
        Show(0);
        QString title, text;
        WhenModal([&](QWidget* guide) {
            QCOMPARE(guide->metaObject()->className(), "TfrmGuida");
            title = Child<QLabel>(guide, "lblTitolo")->text();
            text = Child<QPlainTextEdit>(guide, "txtGuida")->toPlainText();
            Click(Child(guide, "btnChiudi"));
        });
        Click(Child(tool.get(), "cmdGuida"));
        QCOMPARE(title, QStringLiteral("Esportazione database in Microsoft Excel."));
        // The box shows each CR LF as one line break.
        QCOMPARE(text, QString(TfrmExpDatabase::HelpText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        const QStringList paragraphs = TfrmExpDatabase::HelpText().split(QStringLiteral("\r\n\r\n"));
        QCOMPARE(paragraphs.size(), 3);
        QCOMPARE(paragraphs[0],
                 QStringLiteral("Il pulsante Esporta archivio consente di esportare tutte le schede del database in un "
                                "foglio di lavoro di Microsoft Excel, che potrà essere aperto con qualsiasi software in "
                                "grado di gestire i file in formato XLS (ad esempio, con Open Office, Libre Office o "
                                "Microsoft Office)."));
        for (const QString& paragraph : paragraphs) {
            QVERIFY2(paragraph == paragraph.trimmed() && paragraph.endsWith(u'.'), qPrintable(paragraph));
            QVERIFY2(!paragraph.contains(u'\r') && !paragraph.contains(u'\n'), qPrintable(paragraph));
            QVERIFY2(!paragraph.contains(QStringLiteral("  ")), qPrintable(paragraph));
        }
    }

    void theStatusLineDescribesTheCommandUnderTheMouse()
    {
        Show(3);
        QTest::mouseMove(Child(tool.get(), "cmdEsporta"));
        QCOMPARE(Status(), QStringLiteral("Esporta l'archivio in formato Microsoft Excel."));
        QTest::mouseMove(Child(tool.get(), "cmdGuida"));
        QCOMPARE(Status(), QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
        QTest::mouseMove(Child(tool.get(), "cmdEsci"));
        QCOMPARE(Status(), QStringLiteral("Esci da questo ambiente di lavoro."));
        QTest::mouseMove(Grid()->viewport(), QPoint(100, 10));
        QCOMPARE(Status(), QString());
        QTest::mouseMove(Child(tool.get(), "cmdEsci"));
        QTest::mouseMove(Child(tool.get(), "shpSfondo"), QPoint(452, 74)); // between the pictures
        QCOMPARE(Status(), QString());
    }

    void esciClosesTheScreen()
    {
        fixture->WriteFile(QStringLiteral("Database.pro"), Sheets(1));
        QPointer<QWidget> opened;
        WhenModal([&](QWidget* screen) {
            opened = screen;
            QCOMPARE(screen->metaObject()->className(), "TfrmExpDatabase");
            Click(Child(screen, "cmdEsci"));
        });
        OpenTool<TfrmExpDatabase>(nullptr);
        QVERIFY(opened.isNull());
    }
};

int main(int argc, char** argv)
{
    if (argc > 1 && std::string_view(argv[1]) == UnprivilegedHelperFlag)
        return Helper(argc - 2, argv + 2);
    QApplication app(argc, argv);
    TstExportScreen test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_export_screen.moc"
