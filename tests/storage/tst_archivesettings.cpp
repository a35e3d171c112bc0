// What an apply of the settings screens does to Archivio.ini: one rewrite, whole or not at
// all, also when the program is killed on the way, and never a file the program then
// refuses to read.
#include "storage/ArchiveSettings.h"
#include "storage/IniFile.h"
#include "support/StorageTest.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <QtTest>

#include <chrono>
#include <cstdlib>

namespace {

FieldTitles Titles(const QString& prefix)
{
    FieldTitles titles;
    for (int number = 1; number <= GenericFieldCount; ++number)
        titles[number - 1] = T(prefix + QString::number(number));
    return titles;
}

// A second program applying the field titles, its writes pausing halfway for the given
// microseconds: "apply-titles", folder, title prefix, pause.
int Helper(int argc, char** argv)
{
    if (argc != 4 || std::string_view(argv[0]) != "apply-titles")
        return 2;
    SetProgramFolder(argv[1]);
    IoFaults::SlowWrites(std::chrono::microseconds(std::atoll(argv[3])));
    try {
        WriteFieldTitles(Titles(QString::fromUtf8(argv[2])));
        return 0;
    } catch (const FileFailure& error) {
        std::puts(error.Error().Text().c_str());
        return HelperRefused;
    }
}

QStringList OtherEntries(const QString& folder)
{
    QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    entries.removeAll("Archivio.ini");
    return entries;
}

void CompareTitles(const FieldTitles& read, const FieldTitles& expected)
{
    for (int i = 0; i < GenericFieldCount; ++i)
        QCOMPARE(Q(read[i]), Q(expected[i]));
}

} // namespace

class TstArchiveSettings : public QObject {
    Q_OBJECT
private slots:
    void init() { IoFaults::Reset(); }

    // The fourteen titles are one replacement of the file, and so are name and subtitle: with
    // the second replacement armed to fail, the first apply goes through whole and the second
    // is refused whole.
    void anApplyIsOneReplacementOfTheFile()
    {
        ProgramFolderFixture folder;
        WriteFieldTitles(Titles("Vecchio "));
        WriteStartScreenTexts(u"Studio", u"Sede");
        const QByteArray before = ReadBytes(folder.Path("Archivio.ini"));
        IoFaults::FailNext(IoOp::Rename, 1);
        WriteFieldTitles(Titles("Nuovo "));
        CompareTitles(ReadFieldTitles(), Titles("Nuovo "));
        const QByteArray applied = ReadBytes(folder.Path("Archivio.ini"));
        QVERIFY(applied != before);
        QVERIFY_THROWS_EXCEPTION(FileFailure, WriteStartScreenTexts(u"Altro studio", u"Altra sede"));
        QCOMPARE(ReadBytes(folder.Path("Archivio.ini")), applied);
        QCOMPARE(Q(ReadArchiveName()), QString("Studio"));
        QCOMPARE(Q(ReadArchiveSubtitle()), QString("Sede"));
        QCOMPARE(OtherEntries(folder.Folder()), QStringList());
    }

    // A program killed while it writes the new file, before it renames it into place,
    // leaves the old file whole: every old title, nothing of the new ones. Its lock goes
    // with it, so the next apply goes through.
    void aKilledApplyLeavesTheOldFileWhole()
    {
        ProgramFolderFixture folder;
        const QString path = folder.Path("Archivio.ini");
        WriteFieldTitles(Titles("Vecchio "));
        WriteStartScreenTexts(u"Studio", u"Sede");
        const QByteArray before = ReadBytes(path);

        QProcess applying;
        StartHelper(applying, {"apply-titles", folder.Folder(), "Nuovo ", "600000000"}); // ten minutes
        // Killed once the new file lies half-written beside the old one.
        QDeadlineTimer deadline(60000);
        bool halfWritten = false;
        while (!halfWritten && !deadline.hasExpired() && applying.state() != QProcess::NotRunning) {
            for (const QString& entry : OtherEntries(folder.Folder()))
                halfWritten = halfWritten || QFileInfo(folder.Path(entry)).size() > 0;
            if (!halfWritten)
                QThread::msleep(10);
        }
        applying.kill();
        QVERIFY(applying.waitForFinished(20000));
        QVERIFY2(halfWritten, "the applying program never began its new file");

        QCOMPARE(ReadBytes(path), before);
        CompareTitles(ReadFieldTitles(), Titles("Vecchio "));
        QCOMPARE(Q(ReadArchiveName()), QString("Studio"));

        WriteFieldTitles(Titles("Nuovo "));
        CompareTitles(ReadFieldTitles(), Titles("Nuovo "));
        QCOMPARE(Q(ReadArchiveSubtitle()), QString("Sede"));
    }

    // The largest file the settings screens can write, in each encoding the file is kept
    // in, reads back whole: every value as long as a value can be, in quotes that the
    // writer doubles, of a character that takes three bytes in UTF-8; or titles far longer
    // than a value (once 1 MB of UTF-8, which the program then refused to read).
    void theLargestSettingsFileReadsBackWhole_data()
    {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<int>("length"); // of each value, quotes included
        QTest::addColumn<bool>("quoted");
        QTest::newRow("Windows-1252") << QByteArray() << 2047 << true;
        QTest::newRow("UTF-8") << QByteArray("\xEF\xBB\xBF") << 2047 << true;
        QTest::newRow("UTF-8, titles far too long") << QByteArray("\xEF\xBB\xBF") << 26000 << false;
        QTest::newRow("UTF-16 little-endian") << QByteArray("\xFF\xFE") << 2047 << true;
        QTest::newRow("UTF-16 big-endian") << QByteArray("\xFE\xFF") << 2047 << true;
    }
    void theLargestSettingsFileReadsBackWhole()
    {
        QFETCH(QByteArray, start);
        QFETCH(int, length);
        QFETCH(bool, quoted);
        ProgramFolderFixture folder;
        if (!start.isNull())
            WriteBytes(folder.Path("Archivio.ini"), start);
        const auto value = [&](int number) {
            const QString text = QString(length - (quoted ? 2 : 0), Q(u"€").at(0)) + QString::number(number % 10);
            return quoted ? "\"" + text.mid(1) + "\"" : text;
        };
        FieldTitles titles;
        for (int number = 1; number <= GenericFieldCount; ++number)
            titles[number - 1] = T(value(number));
        WriteFieldTitles(titles);
        WriteStartScreenTexts(T(value(15)), T(value(16)));

        QVERIFY(QFileInfo(folder.Path("Archivio.ini")).size() <= qint64(IniFile::MaxFileBytes));
        const IniValues settings = LoadSettings();
        QCOMPARE(settings.From(), IniValues::Source::Read);
        const auto readBack = [](const QString& written) { return written.left(int(IniFile::MaxValueLength)); };
        const FieldTitles read = ReadFieldTitles(settings);
        for (int number = 1; number <= GenericFieldCount; ++number)
            QCOMPARE(Q(read[number - 1]), readBack(value(number)));
        QCOMPARE(Q(ReadArchiveName(settings)), readBack(value(15)));
        QCOMPARE(Q(ReadArchiveSubtitle(settings)), readBack(value(16)));
        if (!start.isEmpty())
            QVERIFY(ReadBytes(folder.Path("Archivio.ini")).startsWith(start)); // kept its encoding
    }
};

VELORBIS_TEST_MAIN_WITH_HELPER(TstArchiveSettings, Helper)
#include "tst_archivesettings.moc"
