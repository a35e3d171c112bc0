// An archive the program may read but not write, one another copy of the program is saving
// into, and one on a full disk, as a user meets them on both sheet screens: whatever only
// reads works as usual; a save that cannot be done says why, keeps what the user typed and
// writes nothing.

#include "support/Mounts.h"
#include "support/ScreenTest.h"
#include "support/StandardErrorCapture.h"
#include "support/StorageTest.h"

#include "kit/Failures.h"
#include "kit/ListTool.h"
#include "kit/SheetScreen.h"
#include "kit/TextBoxes.h"
#include "storage/Records.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <thread>

Q_DECLARE_METATYPE(Archive)

namespace {

const QString Inserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString Modified = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");

// What differs between the two archives for these tests.
struct ArchiveUse {
    const char* file;
    const char* listCommand; // the list of marked records
    QStringList requiredBoxes; // what a new sheet must have for Salva
};

ArchiveUse UseOf(Archive archive)
{
    if (archive == Archive::Database)
        return {"Database.pro", "cmdSegnalati", {"txtCampo01", "txtCliente"}};
    return {"Clienti.pro", "cmdRicontatta", {"txtCliente"}};
}

// Records 1 to count of the archive, each marked (flagged, to recontact) and named
// "Cliente n".
QByteArray Records(Archive archive, int count)
{
    QByteArray bytes;
    for (int n = 1; n <= count; ++n) {
        const Text name = T(QStringLiteral("Cliente %1").arg(n));
        if (archive == Archive::Database) {
            TSchedaDatabase sheet;
            sheet.Set(DatabaseField::Campo01, T(QStringLiteral("Scheda %1").arg(n)));
            sheet.Set(DatabaseField::Cliente, name);
            sheet.Set(DatabaseField::Segnala, MarkYes);
            bytes.append(reinterpret_cast<const char*>(sheet.data()), qsizetype(sheet.Size));
        } else {
            TSchedaCliente client;
            client.Set(ClientField::Cliente, name);
            client.Set(ClientField::Ricontatta, MarkYes);
            bytes.append(reinterpret_cast<const char*>(client.data()), qsizetype(client.Size));
        }
    }
    return bytes;
}

// The program's messages, each with the cursor shown at the moment it came up.
struct Message {
    MessageKind kind;
    QString text;
    bool waitCursor;
};

class MessageLog {
public:
    MessageLog()
    {
        Messages::SetHandler([this](MessageKind kind, const QString& text) {
            const QCursor* cursor = QGuiApplication::overrideCursor();
            shown.append({kind, text, cursor && cursor->shape() == Qt::WaitCursor});
            return answer;
        });
    }
    ~MessageLog() { Messages::SetHandler({}); }
    QList<Message> shown;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
};

// Whether this process has `path` open (the sheet screens keep no file open between actions).
bool OpenHere(const std::filesystem::path& path)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        std::error_code ignored;
        if (std::filesystem::read_symlink(entry.path(), ignored) == path)
            return true;
    }
    return false;
}

// Watches, from a second thread, the cursor shown while the user interface thread has the
// archive open: a save that waits for another copy of the program blocks that thread, so
// nothing on it could look. The cursor is read only between two looks that find the archive
// open, when the save is under way and the cursor stack stands still.
class CursorWhileOpen {
public:
    explicit CursorWhileOpen(const QString& archive)
        : m_path(std::filesystem::absolute(archive.toStdString())), m_thread([this] { Watch(); })
    {
    }
    ~CursorWhileOpen() { Stop(); }
    // Stops watching; true when the wait cursor showed while the archive was open.
    bool SawWaitCursor()
    {
        Stop();
        return m_sawWait;
    }

private:
    void Watch()
    {
        while (!m_stop) {
            if (OpenHere(m_path)) {
                const QCursor* cursor = QGuiApplication::overrideCursor();
                const bool wait = cursor && cursor->shape() == Qt::WaitCursor;
                if (OpenHere(m_path)) {
                    m_sawWait = wait;
                    return;
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    void Stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }

    std::filesystem::path m_path;
    std::atomic<bool> m_stop{false};
    bool m_sawWait = false;
    std::thread m_thread;
};

// One user's session with the program over an archive it may read but not write, on the
// sheet screen of `archive`. Browses, searches and opens a sheet found, lists the marked
// records, loads the export (and, when the folder takes files, exports), then tries Salva on
// the sheet shown and on a new one, and Duplica: each is refused with the archive-access
// error, the boxes keep the edits, and the archive stays byte for byte as it was.
void UseReadOnlyArchive(Program& program, const QString& folder, Archive archive, bool folderWritable)
{
    const ArchiveUse use = UseOf(archive);
    const QString path = QDir(folder).filePath(QString::fromLatin1(use.file));
    const QByteArray before = ReadBytes(path);
    QCOMPARE(before, Records(archive, 3));
    MessageLog messages;
    OpenedUrls opened;
    SheetScreen* sheet = program.Sheet(archive);
    sheet->ShowScreen();
    QVERIFY(QTest::qWaitForWindowActive(sheet));
    auto text = [&](const char* box) { return TextBoxes::TextOf(Child(sheet, box)); };
    auto position = [&] { return Child<QLabel>(sheet, "lblPosizione")->text(); };

    Click(Child(sheet, "cmdUltimo"));
    QCOMPARE(position(), QStringLiteral("3"));
    QCOMPARE(text("txtCliente"), QStringLiteral("Cliente 3"));
    Click(Child(sheet, "cmdIndietro"));
    QCOMPARE(position(), QStringLiteral("2"));

    int found = -1;
    WhenModal([&](QWidget* tool) {
        Click(Child(tool, "btnCerca"));
        auto* list = Child<ResultList>(tool, "lstRecords");
        found = list->model()->rowCount();
        const QPoint where = list->visualRect(list->model()->index(0, 0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, where);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, where);
    });
    Click(Child(sheet, "cmdTrova"));
    QCOMPARE(found, 3);
    QVERIFY(!position().isEmpty());
    QCOMPARE(text("txtCliente"), QStringLiteral("Cliente ") + position());

    int listed = -1;
    WhenModal([&](QWidget* tool) {
        listed = Child<ResultList>(tool, "lstRecords")->model()->rowCount();
        Click(Child(tool, "btnChiudi"));
    });
    Click(Child(sheet, use.listCommand));
    QCOMPARE(listed, 3);

    int rows = -1;
    messages.answer = QMessageBox::Yes;
    WhenModal([&](QWidget* tool) {
        rows = Child<QTableView>(tool, "grdRecords")->model()->rowCount();
        if (folderWritable)
            Click(Child(tool, "cmdEsporta"));
        Click(Child(tool, "cmdEsci"));
    });
    Click(Child(sheet, "cmdEsporta"));
    messages.answer = QMessageBox::Ok;
    QCOMPARE(rows, 3);
    if (folderWritable) {
        QCOMPARE(messages.shown.size(), 2); // export it? open it?
        QCOMPARE(opened.urls.size(), 1);
        QVERIFY(opened.urls.at(0).toLocalFile().endsWith(archive == Archive::Database ? "Database.xls" : "Clienti.xls"));
        QVERIFY(ReadBytes(opened.urls.at(0).toLocalFile()).contains("Cliente 3"));
    }
    for (const Message& message : messages.shown)
        QCOMPARE(message.kind, MessageKind::Confirmation);

    // The sheet on show, edited, then a new sheet, then a duplicate: none can be written.
    const QString shownAt = position();
    TextBoxes::ShowText(Child(sheet, "txtCliente"), QStringLiteral("Modificato"));
    messages.shown.clear();
    Click(Child(sheet, "cmdSalva"));
    QCOMPARE(position(), shownAt);
    QCOMPARE(text("txtCliente"), QStringLiteral("Modificato"));

    Click(Child(sheet, "cmdNuovo"));
    for (const QString& box : use.requiredBoxes)
        TextBoxes::ShowText(Child(sheet, box.toLatin1().constData()), QStringLiteral("Nuovo"));
    Click(Child(sheet, "cmdSalva"));
    QVERIFY(position().isEmpty());
    QCOMPARE(text("txtCliente"), QStringLiteral("Nuovo"));

    Click(Child(sheet, "cmdPrimo"));
    Click(Child(sheet, "cmdDuplica"));
    QCOMPARE(text("txtCliente"), QStringLiteral("Cliente 1"));

    QCOMPARE(messages.shown.size(), 3);
    for (const Message& message : messages.shown) {
        QCOMPARE(message.kind, MessageKind::Error);
        QCOMPARE(message.text, Failures::ArchiveAccessText);
    }
    QCOMPARE(ReadBytes(path), before);
    sheet->close();
}

// Set by the command line when this program runs again as another user.
QString g_helperFolder;
Archive g_helperArchive = Archive::Database;

// What another user, who may read the archive of the folder but not write it, does with it.
class AsAnotherUser : public QObject {
    Q_OBJECT
private slots:
    void theArchiveIsUsedButNotWritten()
    {
        QVERIFY(::geteuid() != 0);
        PrepareApplication(g_helperFolder);
        Program program;
        UseReadOnlyArchive(program, g_helperFolder, g_helperArchive, true);
    }
};

} // namespace

class TstArchiveAccess : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;

    QString Folder() const { return fixture->folder.path(); }
    QString ArchivePath(Archive archive) const { return fixture->Path(QString::fromLatin1(UseOf(archive).file)); }
    static void AddArchives()
    {
        QTest::addColumn<Archive>("archive");
        QTest::newRow("database") << Archive::Database;
        QTest::newRow("clienti") << Archive::Clients;
    }

private slots:
    void init() { fixture.Start(ScreenTestFixture::Recording::None); }
    void cleanup() { fixture.Stop(); }

    // Marked read-only by its owner (refused to the superuser too), on a read-only medium,
    // or owned by another user than the one running the program.
    void aReadOnlyArchiveIsUsedAsUsualButNotWritten_data()
    {
        QTest::addColumn<Archive>("archive");
        QTest::addColumn<QString>("how");
        for (const Archive archive : {Archive::Database, Archive::Clients}) {
            for (const char* how : {"marked read-only", "read-only medium", "of another user"})
                QTest::addRow("%s, %s", archive == Archive::Database ? "database" : "clienti", how)
                    << archive << QString::fromLatin1(how);
        }
    }
    void aReadOnlyArchiveIsUsedAsUsualButNotWritten()
    {
        QFETCH(Archive, archive);
        QFETCH(QString, how);
        Tmpfs medium;
        if (how == QLatin1String("read-only medium")) {
            const QString refused = medium.Mount(Folder(), "1m");
            if (!refused.isEmpty())
                QSKIP(qPrintable(refused));
        }
        fixture->WriteFile(QString::fromLatin1(UseOf(archive).file), Records(archive, 3));
        if (how == QLatin1String("marked read-only")) {
            SetMode(ArchivePath(archive), 0444);
            UseReadOnlyArchive(*fixture->program, Folder(), archive, true);
        } else if (how == QLatin1String("read-only medium")) {
            QVERIFY(medium.MakeReadOnly());
            UseReadOnlyArchive(*fixture->program, Folder(), archive, false);
        } else {
            if (::geteuid() != 0)
                QSKIP("needs root to hand the archive to another user");
            SetMode(ArchivePath(archive), 0644); // the superuser's: others may read it
            SetMode(Folder(), 0777);
            const HelperResult result = RunUnprivileged(
                {Folder(), archive == Archive::Database ? QStringLiteral("database") : QStringLiteral("clienti")});
            QVERIFY2(result.exitCode == 0, qPrintable(result.output));
        }
    }

    // Another copy of the program holds the save lock for longer than a save waits: Salva
    // waits under the wait cursor, then says the archive is busy; the edits stay on screen
    // and nothing is written.
    void aBusyArchiveSaysSoAndWritesNothing_data()
    {
        QTest::addColumn<Archive>("archive");
        QTest::addColumn<bool>("newSheet");
        QTest::newRow("database, sheet 2 edited") << Archive::Database << false;
        QTest::newRow("clienti, new sheet") << Archive::Clients << true;
    }
    void aBusyArchiveSaysSoAndWritesNothing()
    {
        QFETCH(Archive, archive);
        QFETCH(bool, newSheet);
        const ArchiveUse use = UseOf(archive);
        fixture->WriteFile(QString::fromLatin1(use.file), Records(archive, 3));
        QProcess otherCopy;
        StartHelper(otherCopy, {QStringLiteral("hold-lock"), ArchivePath(archive)});
        QVERIFY2(otherCopy.waitForReadyRead(10000), "the other copy did not take the lock");
        QCOMPARE(otherCopy.readLine().trimmed(), QByteArray("locked"));

        MessageLog messages;
        SheetScreen* sheet = fixture->program->Sheet(archive);
        sheet->ShowScreen();
        QVERIFY(QTest::qWaitForWindowActive(sheet));
        if (newSheet) {
            for (const QString& box : use.requiredBoxes)
                TextBoxes::ShowText(Child(sheet, box.toLatin1().constData()), QStringLiteral("Nuovo"));
        } else {
            Click(Child(sheet, "cmdPrimo"));
            Click(Child(sheet, "cmdAvanti"));
        }
        TextBoxes::ShowText(Child(sheet, "txtCliente"), QStringLiteral("In corso"));
        const QString positionBefore = Child<QLabel>(sheet, "lblPosizione")->text();

        CursorWhileOpen cursor(ArchivePath(archive));
        Click(Child(sheet, "cmdSalva"));
        const bool waitCursorShown = cursor.SawWaitCursor();
        otherCopy.closeWriteChannel();
        QVERIFY(otherCopy.waitForFinished(10000));

        QVERIFY(waitCursorShown);
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown.at(0).kind, MessageKind::Warning);
        QCOMPARE(messages.shown.at(0).text, Failures::ArchiveBusyText);
        QVERIFY(!messages.shown.at(0).waitCursor); // the message comes with the usual cursor
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(Child<QLabel>(sheet, "lblPosizione")->text(), positionBefore);
        QCOMPARE(TextBoxes::TextOf(Child(sheet, "txtCliente")), QStringLiteral("In corso"));
        QCOMPARE(ReadBytes(ArchivePath(archive)), Records(archive, 3));

        // Once the other copy is done, the same Salva goes through.
        messages.shown.clear();
        Click(Child(sheet, "cmdSalva"));
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown.at(0).text, newSheet ? Inserted : Modified);
        QCOMPARE(Child<QLabel>(sheet, "lblPosizione")->text(), newSheet ? QStringLiteral("4") : positionBefore);
    }

    // The program folder on a full disk: Salva of a new sheet shows the archive-access error
    // with the disk named, the reason goes to standard error, the archive keeps its length,
    // and once there is room again the same Salva goes through.
    void aFullDiskIsNamedAndLeavesTheArchiveAsItWas_data() { AddArchives(); }
    void aFullDiskIsNamedAndLeavesTheArchiveAsItWas()
    {
        QFETCH(Archive, archive);
        const ArchiveUse use = UseOf(archive);
        Tmpfs disk;
        const QString refused = disk.Mount(Folder(), "64k");
        if (!refused.isEmpty())
            QSKIP(qPrintable(refused));
        fixture->WriteFile(QString::fromLatin1(use.file), Records(archive, 2));
        FillDisk(Folder());

        MessageLog messages;
        SheetScreen* sheet = fixture->program->Sheet(archive);
        sheet->ShowScreen();
        QVERIFY(QTest::qWaitForWindowActive(sheet));
        for (const QString& box : use.requiredBoxes)
            TextBoxes::ShowText(Child(sheet, box.toLatin1().constData()), QStringLiteral("Nuovo"));
        StandardErrorCapture standardError;
        Click(Child(sheet, "cmdSalva"));

        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown.at(0).kind, MessageKind::Error);
        QCOMPARE(messages.shown.at(0).text,
                 Failures::ArchiveAccessText + QStringLiteral("\n\r\n\rIl disco è pieno: liberare spazio e riprovare."));
        QVERIFY2(standardError.Text().contains(QStringLiteral(": No space left on device")),
                 qPrintable(standardError.Text()));
        QVERIFY(Child<QLabel>(sheet, "lblPosizione")->text().isEmpty());
        QCOMPARE(TextBoxes::TextOf(Child(sheet, "txtCliente")), QStringLiteral("Nuovo"));
        QCOMPARE(ReadBytes(ArchivePath(archive)), Records(archive, 2));

        QVERIFY(QFile::remove(fixture->Path(QStringLiteral("riempimento"))));
        messages.shown.clear();
        Click(Child(sheet, "cmdSalva"));
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown.at(0).text, Inserted);
        QCOMPARE(Child<QLabel>(sheet, "lblPosizione")->text(), QStringLiteral("3"));
        QCOMPARE(ReadBytes(ArchivePath(archive)).left(Records(archive, 2).size()), Records(archive, 2));
    }
};

// Run again with the helper flag, this program is the other copy holding the save lock
// ("hold-lock <file>") or, as another user, the user of a read-only archive
// ("<folder> database|clienti").
int main(int argc, char** argv)
{
    if (argc > 1 && std::string_view(argv[1]) == UnprivilegedHelperFlag) {
        if (argc == 4 && std::string_view(argv[2]) == "hold-lock")
            return HoldSaveLock(argv[3]);
        if (argc != 4)
            return 2;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        g_helperFolder = QString::fromLocal8Bit(argv[2]);
        g_helperArchive = std::string_view(argv[3]) == "clienti" ? Archive::Clients : Archive::Database;
        int qtArgc = 1;
        QApplication app(qtArgc, argv);
        AsAnotherUser test;
        return QTest::qExec(&test, 1, argv);
    }
    MakeMountsPrivate(); // while this process has one thread only
    QApplication app(argc, argv);
    TstArchiveAccess test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_archiveaccess.moc"
