// The archive's own copies: the first start of a day keeps one, ten are kept, a read-only or
// full disk never stops the program, and the tool of the settings menu lists them and brings
// one back, keeping the archive it replaces.

#include "support/Mounts.h"
#include "support/ScreenTest.h"
#include "support/StandardErrorCapture.h"

#include "app/TfrmAvvio.h"
#include "archive/Backups.h"
#include "backups/DailyCopy.h"
#include "backups/TfrmCopieSicurezza.h"
#include "kit/Failures.h"
#include "settings/TfrmMenuImpostazioni.h"
#include "storage/IoFaults.h"
#include "storage/RecordFile.h"
#include "storage/Records.h"

#include <QDate>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>

#include <sys/stat.h>

namespace {

const QString Copies = QStringLiteral("Copie_di_sicurezza");

QString DayName(const QDate& day) { return day.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".zip"); }

// `count` records of the layout's size, each different.
QByteArray Records(const RecordLayout& layout, int count, char seed)
{
    QByteArray bytes(int(layout.size) * count, '\0');
    for (int record = 0; record < count; ++record)
        for (int at = 0; at < 40; ++at)
            bytes[record * int(layout.size) + at * 7] = char(seed + record + at);
    return bytes;
}

// An archive with every data file, its bytes told apart by `seed`.
QMap<QString, QByteArray> DataOf(char seed, int sheets = 3, int clients = 2)
{
    return {
        {QStringLiteral("Database.pro"), Records(DatabaseLayout, sheets, seed)},
        {QStringLiteral("Clienti.pro"), Records(ClientLayout, clients, char(seed + 1))},
        {QStringLiteral("Archivio.ini"), QByteArray("[Database]\r\nNome Archivio=Studio ") + seed + "\r\n"},
        {QStringLiteral("unins000.dll"), QByteArray("[Password]\r\nChiave=") + seed + "\r\n"},
        {QStringLiteral("Logo.bmp"), QByteArray("BM") + QByteArray(64, seed)},
    };
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a zip holds, as another archiver reads it (Python's zipfile, which checks every CRC).
QMap<QString, QByteArray> Unzipped(const QString& path)
{
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import base64, json, sys, zipfile\n"
                                 "z = zipfile.ZipFile(sys.argv[1])\n"
                                 "assert z.testzip() is None\n"
                                 "print(json.dumps({n: base64.b64encode(z.read(n)).decode() for n in z.namelist()}))"),
                  path});
    if (!python.waitForFinished(30000) || python.exitCode() != 0) {
        qWarning("python3 could not read %s: %s", qPrintable(path), python.readAllStandardError().constData());
        return {};
    }
    QMap<QString, QByteArray> files;
    const QJsonObject entries = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
    for (auto entry = entries.begin(); entry != entries.end(); ++entry)
        files.insert(entry.key(), QByteArray::fromBase64(entry.value().toString().toLatin1()));
    return files;
}

} // namespace

class TestBackups : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;

    QString CopiesPath(const QString& name = {}) const
    {
        return name.isEmpty() ? fixture->Path(Copies) : fixture->Path(Copies + u'/' + name);
    }
    void WriteArchive(const QMap<QString, QByteArray>& files)
    {
        for (auto file = files.begin(); file != files.end(); ++file)
            fixture->WriteFile(file.key(), file.value());
    }
    QMap<QString, QByteArray> PresentArchive() const
    {
        QMap<QString, QByteArray> files;
        for (const std::string_view name : backups::DataFiles) {
            const QString file = QString::fromLatin1(name.data(), qsizetype(name.size()));
            if (QFileInfo::exists(fixture->Path(file)))
                files.insert(file, ReadBytes(fixture->Path(file)));
        }
        return files;
    }
    QStringList CopyNames() const
    {
        QStringList names = QDir(CopiesPath()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        names.removeIf([](const QString& name) { return name.startsWith(u'.'); });
        return names;
    }
    // A start of the program: a new run whose start menu is shown for the first time.
    void StartAgain()
    {
        fixture->program = std::make_unique<Program>();
        fixture->program->ShowStartMenu();
    }
    // A copy made on an earlier day, of the archive `files`.
    void KeepCopyOf(const QMap<QString, QByteArray>& files, const QString& name)
    {
        const QMap<QString, QByteArray> present = PresentArchive();
        for (const QString& file : present.keys())
            QFile::remove(fixture->Path(file));
        WriteArchive(files);
        QDir().mkpath(CopiesPath());
        backups::BackupFolder folder(ProgramFolder());
        QCOMPARE(int(folder.MakeDailyCopy(backups::Now()).result), int(backups::DailyResult::Written));
        QVERIFY(QFile::rename(CopiesPath(DayName(QDate::currentDate())), CopiesPath(name)));
        for (const QString& file : files.keys())
            QFile::remove(fixture->Path(file));
        WriteArchive(present);
    }
    // Opens the copies tool from the settings menu and runs `use` on it; `use` closes it.
    void UseCopiesTool(const std::function<void(TfrmCopieSicurezza*)>& use)
    {
        Program* program = fixture->program.get();
        program->ShowSettingsMenu();
        QPointer<TfrmCopieSicurezza> seen;
        WhenModal([&](QWidget* modal) {
            seen = qobject_cast<TfrmCopieSicurezza*>(modal);
            QVERIFY(seen);
            use(seen);
        });
        Click(Child(program->MenuImpostazioni(), "imgCopie"));
        QVERIFY(seen.isNull()); // destroyed on closing
    }
    static QStringList Lines(TfrmCopieSicurezza* tool)
    {
        QStringList lines;
        auto* list = Child<QListWidget>(tool, "lstCopie");
        for (int row = 0; row < list->count(); ++row)
            lines << list->item(row)->text();
        return lines;
    }
    // Ripristina on `row`, answered with `answer`.
    static void Restore(TfrmCopieSicurezza* tool, int row)
    {
        Child<QListWidget>(tool, "lstCopie")->setCurrentRow(row);
        Click(Child(tool, "btnRipristina"));
    }

private slots:
    void init() { fixture.Start(); }
    void cleanup()
    {
        QFile::setPermissions(fixture->Path({}), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        fixture.Stop();
    }

    void theFirstStartOfADayKeepsTheArchiveByteForByteAndLaterStartsOfTheDayKeepNothing()
    {
        const auto archive = DataOf('a');
        WriteArchive(archive);
        fixture->program->ShowStartMenu();
        QCOMPARE(CopyNames(), QStringList{DayName(QDate::currentDate())});
        QCOMPARE(Unzipped(CopiesPath(DayName(QDate::currentDate()))), archive);
        QVERIFY(fixture.messages->shown.isEmpty());

        // The menu shown again in the same run, then a second run of the day on a changed
        // archive: today's copy stays as it was.
        fixture->program->ShowStartMenu();
        WriteArchive(DataOf('b'));
        StartAgain();
        QCOMPARE(CopyNames(), QStringList{DayName(QDate::currentDate())});
        QCOMPARE(Unzipped(CopiesPath(DayName(QDate::currentDate()))), archive);
        QVERIFY(fixture.messages->shown.isEmpty());
    }

    void aCopyHoldsOnlyTheFilesThatExistAndAnEmptyFolderGetsNone()
    {
        fixture->program->ShowStartMenu();
        QVERIFY(!QFileInfo::exists(CopiesPath()));

        fixture->WriteFile(QStringLiteral("Clienti.pro"), Records(ClientLayout, 4, 'c'));
        StartAgain();
        QCOMPARE(Unzipped(CopiesPath(DayName(QDate::currentDate()))).keys(), QStringList{QStringLiteral("Clienti.pro")});
    }

    void anArchiveUnchangedSinceTheNewestCopyGetsNoNewOne()
    {
        const auto archive = DataOf('a');
        WriteArchive(archive);
        KeepCopyOf(archive, QStringLiteral("2026-01-05.zip"));
        fixture->program->ShowStartMenu();
        QCOMPARE(CopyNames(), QStringList{QStringLiteral("2026-01-05.zip")});

        // One byte of one sheet changed, the length kept: now it differs.
        QByteArray sheets = archive.value(QStringLiteral("Database.pro"));
        sheets[100] = char(sheets[100] ^ 1);
        fixture->WriteFile(QStringLiteral("Database.pro"), sheets);
        StartAgain();
        QCOMPARE(CopyNames(), (QStringList{QStringLiteral("2026-01-05.zip"), DayName(QDate::currentDate())}));
    }

    void tenCopiesAreKeptAndNoOtherFileIsTouched()
    {
        WriteArchive(DataOf('a'));
        QDir().mkpath(CopiesPath());
        QStringList old;
        for (int day = 1; day <= 11; ++day) {
            old << QStringLiteral("2025-03-%1.zip").arg(day, 2, 10, QLatin1Char('0'));
            QFile file(CopiesPath(old.last()));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("an older copy");
        }
        const QStringList others = {QStringLiteral("2020-01-01.zip.bak"), QStringLiteral("2020-13-01.zip"),
                                    QStringLiteral("note.txt"), QStringLiteral("2020-01-01_25.zip")};
        for (const QString& name : others) {
            QFile file(CopiesPath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("not a copy");
        }
        QDir().mkpath(CopiesPath(QStringLiteral("2019-01-01.zip"))); // a folder of a copy's name

        fixture->program->ShowStartMenu();
        QStringList expected = old.mid(2) + others + QStringList{DayName(QDate::currentDate())};
        expected.sort();
        QCOMPARE(CopyNames(), expected);
        QVERIFY(QFileInfo(CopiesPath(QStringLiteral("2019-01-01.zip"))).isDir());
        QVERIFY(fixture.messages->shown.isEmpty());
    }

    void aReadOnlyArchiveOrFolderGetsNoCopyAndNoWord_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("the program folder") << QString();
        QTest::newRow("the copies folder") << Copies;
        QTest::newRow("the sheets") << QStringLiteral("Database.pro");
        QTest::newRow("the clients") << QStringLiteral("Clienti.pro");
    }
    void aReadOnlyArchiveOrFolderGetsNoCopyAndNoWord()
    {
        QFETCH(QString, what);
        WriteArchive(DataOf('a'));
        QDir().mkpath(CopiesPath());
        const QString path = fixture->Path(what);
        QVERIFY(QFile::setPermissions(path, QFileInfo(path).isDir() ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner));
        StandardErrorCapture standardError;
        fixture->program->ShowStartMenu();
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(CopyNames(), QStringList());
        QVERIFY(fixture.messages->shown.isEmpty());
        QVERIFY2(!standardError.Text().contains(Copies), qPrintable(standardError.Text()));
    }

    void aReadOnlyMediumGetsNoCopyAndNoWord()
    {
        Tmpfs disk;
        const QString refused = disk.Mount(fixture->Path({}), "1m");
        if (!refused.isEmpty())
            QSKIP(qPrintable(refused));
        WriteArchive(DataOf('a'));
        for (const bool copiesFolder : {false, true}) {
            if (copiesFolder) {
                QVERIFY(::umount2(QFile::encodeName(fixture->Path({})).constData(), MNT_DETACH) == 0);
                QVERIFY(disk.Mount(fixture->Path({}), "1m").isEmpty());
                WriteArchive(DataOf('a'));
                QVERIFY(QDir().mkpath(CopiesPath()));
            }
            QVERIFY(disk.MakeReadOnly());
            StartAgain();
            QCOMPARE(CopyNames(), QStringList());
            QVERIFY(fixture.messages->shown.isEmpty());
        }
    }

    void aFullDiskIsSaidOnceADayAndTheProgramGoesOn()
    {
        Tmpfs disk;
        const QString refused = disk.Mount(fixture->Path({}), "256k");
        if (!refused.isEmpty())
            QSKIP(qPrintable(refused));
        const auto archive = DataOf('a', 20, 20);
        WriteArchive(archive);
        FillDisk(fixture->Path({}));

        StandardErrorCapture standardError;
        fixture->program->ShowStartMenu();
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown.at(0).kind, MessageKind::Warning);
        QCOMPARE(fixture.messages->shown.at(0).text, backups::DailyCopyFailedText + Failures::DiskFullParagraph);
        QVERIFY2(standardError.Text().contains(QStringLiteral(": No space left on device")), qPrintable(standardError.Text()));
        QVERIFY(fixture->program->Avvio()->isVisible());
        QCOMPARE(CopyNames(), QStringList());
        QCOMPARE(PresentArchive(), archive);

        // The next start of the day tries again and says nothing; with room again it keeps the copy.
        StartAgain();
        QCOMPARE(fixture.messages->shown.size(), 1);
        QFile::remove(fixture->Path(QStringLiteral("riempimento")));
        StartAgain();
        QCOMPARE(Unzipped(CopiesPath(DayName(QDate::currentDate()))), archive);
        QCOMPARE(fixture.messages->shown.size(), 1);
    }

    void theToolListsTheCopiesNewestFirstWithWhatTheyHold()
    {
        WriteArchive(DataOf('a'));
        KeepCopyOf(DataOf('a', 7, 1), QStringLiteral("2026-02-03.zip"));
        KeepCopyOf(DataOf('b', 2, 9), QStringLiteral("2026-02-03_154501.zip"));
        KeepCopyOf(DataOf('c', 0, 0), QStringLiteral("2025-12-31.zip"));
        QDir().mkpath(CopiesPath());
        fixture->WriteFile(Copies + QStringLiteral("/2026-02-01.zip"), "damaged");
        {
            QFile sheetsOnly(CopiesPath(QStringLiteral("2024-06-30.zip")));
            QVERIFY(QFile::copy(CopiesPath(QStringLiteral("2026-02-03.zip")), sheetsOnly.fileName()));
        }
        fixture->program->ShowStartMenu(); // keeps today's copy too: three sheets and two clients

        UseCopiesTool([&](TfrmCopieSicurezza* tool) {
            QCOMPARE(tool->windowTitle(), QStringLiteral(" Copie di sicurezza"));
            QCOMPARE(Child<QPushButton>(tool, "btnRipristina")->text(), QStringLiteral("Ripristina"));
            QCOMPARE(Lines(tool), (QStringList{
                QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" - schede: 3, clienti: 2"),
                QStringLiteral("03/02/2026 15:45:01 - schede: 2, clienti: 9"),
                QStringLiteral("03/02/2026 - schede: 7, clienti: 1"),
                QStringLiteral("01/02/2026 - copia non leggibile"),
                QStringLiteral("31/12/2025 - schede: 0, clienti: 0"),
                QStringLiteral("30/06/2024 - schede: 7, clienti: 1"),
            }));
            Click(Child(tool, "btnChiudi"));
        });
    }

    void restoringPutsTheCopyInPlaceAndKeepsTheArchiveItReplaced()
    {
        const auto earlier = DataOf('a', 5, 4);
        const auto present = DataOf('p', 8, 6);
        WriteArchive(present);
        KeepCopyOf(earlier, QStringLiteral("2026-02-03.zip"));
        fixture->program->ShowStartMenu(); // today's copy holds the present archive
        fixture.messages->answer = QMessageBox::Yes;

        UseCopiesTool([&](TfrmCopieSicurezza* tool) {
            QCOMPARE(Lines(tool).value(1), QStringLiteral("03/02/2026 - schede: 5, clienti: 4"));
            Restore(tool, 1);
            QCOMPARE(fixture.messages->shown.size(), 2);
            QCOMPARE(fixture.messages->shown.at(0).kind, MessageKind::Confirmation);
            QCOMPARE(fixture.messages->shown.at(0).text,
                     QStringLiteral("Attenzione: l'archivio attuale sarà sostituito dalla copia del 03/02/2026.\r\n\r\n"
                                    "L'archivio attuale sarà conservato in una nuova copia di sicurezza. Continuare?"));
            QCOMPARE(fixture.messages->shown.at(1).kind, MessageKind::Information);
            QCOMPARE(fixture.messages->shown.at(1).text, QStringLiteral("La copia di sicurezza selezionata è stata ripristinata."));
            const QStringList lines = Lines(tool);
            QCOMPARE(lines.size(), 3);
            QVERIFY2(lines.at(0).contains(QRegularExpression(QStringLiteral("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d - schede: 8, clienti: 6$"))),
                     qPrintable(lines.at(0)));
            Click(Child(tool, "btnChiudi"));
        });
        QCOMPARE(PresentArchive(), earlier);
        const QStringList names = CopyNames();
        const QString timed = names.filter(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d_\\d{6}\\.zip$"))).value(0);
        QVERIFY2(timed.startsWith(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd_"))), qPrintable(names.join(u' ')));
        QCOMPARE(Unzipped(CopiesPath(timed)), present);
    }

    // A save that opened the record file before the restore replaced it writes nowhere.
    void aSaveIntoTheFileARestoreReplacedFails()
    {
        WriteArchive(DataOf('p'));
        KeepCopyOf(DataOf('a'), QStringLiteral("2026-02-03.zip"));
        TRecordFile sheets(DatabaseLayout);
        sheets.OpenForWriting();
        backups::BackupFolder folder(ProgramFolder());
        QVERIFY(folder.Restore(folder.Copies().front(), backups::Now()));
        const TSchedaDatabase sheet;
        QVERIFY_THROWS_EXCEPTION(FileFailure, sheets.WriteAt(0, sheet.bytes().data()));
        QVERIFY_THROWS_EXCEPTION(FileFailure, sheets.Append(sheet.bytes().data()));
        QCOMPARE(PresentArchive(), DataOf('a'));
    }

    void aRestoreLeavesOutWhatTheCopyDoesNotHold()
    {
        auto present = DataOf('p');
        WriteArchive(present);
        const QMap<QString, QByteArray> sheetsOnly = {{QStringLiteral("Database.pro"), Records(DatabaseLayout, 1, 's')}};
        KeepCopyOf(sheetsOnly, QStringLiteral("2026-02-03.zip"));
        fixture.messages->answer = QMessageBox::Yes;
        UseCopiesTool([&](TfrmCopieSicurezza* tool) {
            Restore(tool, 0);
            Click(Child(tool, "btnChiudi"));
        });
        present.insert(QStringLiteral("Database.pro"), sheetsOnly.value(QStringLiteral("Database.pro")));
        QCOMPARE(PresentArchive(), present);
    }

    void answeringNoOrSelectingNothingChangesNothing()
    {
        const auto present = DataOf('p');
        WriteArchive(present);
        KeepCopyOf(DataOf('a'), QStringLiteral("2026-02-03.zip"));
        fixture.messages->answer = QMessageBox::No;
        UseCopiesTool([&](TfrmCopieSicurezza* tool) {
            Restore(tool, 0);
            Child<QListWidget>(tool, "lstCopie")->clearSelection();
            Click(Child(tool, "btnRipristina"));
            Click(Child(tool, "btnChiudi"));
        });
        QCOMPARE(fixture.messages->shown.size(), 2);
        QCOMPARE(fixture.messages->shown.at(0).kind, MessageKind::Confirmation);
        QCOMPARE(fixture.messages->shown.at(1).kind, MessageKind::Warning);
        QCOMPARE(fixture.messages->shown.at(1).text, TfrmCopieSicurezza::NoSelectionText);
        QCOMPARE(PresentArchive(), present);
        QCOMPARE(CopyNames(), QStringList{QStringLiteral("2026-02-03.zip")});
    }

    void aFailedRestoreIsSaidAndLeavesTheArchiveAsItWas_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<unsigned>("skip");
        QTest::addColumn<QString>("copy");
        // The keeping copy is written first (one write and one rename), then each new file.
        QTest::newRow("keeping the present archive") << int(IoOp::Write) << 0u << QStringLiteral("2026-02-03.zip");
        QTest::newRow("writing a restored file") << int(IoOp::Write) << 2u << QStringLiteral("2026-02-03.zip");
        QTest::newRow("putting the second file in place") << int(IoOp::Rename) << 2u << QStringLiteral("2026-02-03.zip");
        QTest::newRow("putting the last file in place") << int(IoOp::Rename) << 5u << QStringLiteral("2026-02-03.zip");
        QTest::newRow("a damaged copy") << -1 << 0u << QStringLiteral("2026-02-01.zip");
    }
    void aFailedRestoreIsSaidAndLeavesTheArchiveAsItWas()
    {
        QFETCH(int, fault);
        QFETCH(unsigned, skip);
        QFETCH(QString, copy);
        const auto present = DataOf('p', 6, 3);
        WriteArchive(present);
        KeepCopyOf(DataOf('a', 2, 2), QStringLiteral("2026-02-03.zip"));
        fixture->WriteFile(Copies + QStringLiteral("/2026-02-01.zip"), "damaged");
        fixture.messages->answer = QMessageBox::Yes;
        StandardErrorCapture standardError;
        UseCopiesTool([&](TfrmCopieSicurezza* tool) {
            if (fault >= 0)
                IoFaults::FailNext(IoOp(fault), skip);
            Restore(tool, copy == QStringLiteral("2026-02-03.zip") ? 0 : 1);
            IoFaults::Reset();
            Click(Child(tool, "btnChiudi"));
        });
        QCOMPARE(fixture.messages->shown.size(), 2);
        QCOMPARE(fixture.messages->shown.at(1).kind, MessageKind::Error);
        QCOMPARE(fixture.messages->shown.at(1).text, TfrmCopieSicurezza::RestoreFailedText);
        QVERIFY2(!standardError.Text().isEmpty(), "the reason goes to standard error");
        QCOMPARE(PresentArchive(), present);
        const QStringList left = QDir(fixture->Path({})).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(left.filter(QStringLiteral(".tmp")), QStringList());
    }
};

int main(int argc, char** argv)
{
    MakeMountsPrivate(); // while this process has one thread only
    QApplication app(argc, argv);
    TestBackups test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_backups.moc"
