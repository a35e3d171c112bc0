#include "storage/IniFile.h"
#include "support/StorageTest.h"

#include <QDir>
#include <QtTest>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {
// The keys the second program writes in round `round`: two at once, as an apply does.
std::vector<IniKey> RoundKeys(const QString& program, int round)
{
    const QString name = program + QString::number(round);
    return {{T(name + " a"), T("valore " + name)}, {T(name + " b"), T("altro " + name)}};
}

// A second program writing keys of its own `rounds` times, with writes as slow as on a
// network share: folder, program tag, rounds, pause in microseconds.
int WritingProgram(char** argv)
{
    SetProgramFolder(argv[0]);
    IoFaults::SlowWrites(std::chrono::microseconds(std::atoi(argv[3])));
    const int rounds = std::atoi(argv[2]);
    for (int round = 0; round < rounds; ++round) {
        try {
            SettingsFile().Write(u"Chiavi", RoundKeys(QString::fromLatin1(argv[1]), round));
        } catch (const FileFailure& error) {
            std::printf("round %d: %s\n", round, error.Error().Text().c_str());
            return 1;
        }
    }
    return 0;
}

// Runs as the unprivileged user: writes one key; or is a second program writing keys.
int Helper(int argc, char** argv)
{
    if (argc == 5 && std::string_view(argv[0]) == "write-keys")
        return WritingProgram(argv + 1);
    if (argc != 4)
        return 2;
    try {
        IniFile(argv[0]).Write(FromUtf8(argv[1]), FromUtf8(argv[2]), FromUtf8(argv[3]));
        return 0;
    } catch (const FileFailure& error) {
        std::puts(error.what());
        return HelperRefused;
    }
}

const QByteArray TwoSections = "[Nome campi]\r\n"
                               "Campo 01=Titolo\r\n"
                               "Campo 02=Autore\r\n"
                               "\r\n"
                               "[Database]\r\n"
                               "Nome Archivio=Biblioteca\r\n";

// The text in UTF-16 with its byte-order mark, in either byte order.
QByteArray Utf16(const QString& text, bool bigEndian)
{
    QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (const QChar c : text) {
        const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

QStringList FolderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}
} // namespace

class TstIniFile : public QObject {
    Q_OBJECT
private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << TwoSections << "Database" << "Nome Archivio" << "Biblioteca";
        QTest::newRow("section in other case") << TwoSections << "Nome Campi" << "Campo 02" << "Autore";
        QTest::newRow("section all capitals") << QByteArray("[NOME CAMPI]\r\nCampo 01=X\r\n") << "Nome Campi"
                                              << "Campo 01" << "X";
        QTest::newRow("key in other case") << TwoSections << "database" << "NOME ARCHIVIO" << "Biblioteca";
        QTest::newRow("missing section") << TwoSections << "Altro" << "Campo 01" << "";
        QTest::newRow("missing key") << TwoSections << "Database" << "Sottotitolo Archivio" << "";
        QTest::newRow("key of another section") << TwoSections << "Database" << "Campo 01" << "";
        QTest::newRow("empty value") << QByteArray("[S]\r\nk=\r\n") << "S" << "k" << "";
        QTest::newRow("LF-only lines") << QByteArray("[S]\nk=v\nz=w\n") << "S" << "z" << "w";
        QTest::newRow("no final newline") << QByteArray("[S]\r\nk=last") << "S" << "k" << "last";
        QTest::newRow("junk and comments") << QByteArray("junk\r\n[S]\r\n; comment\r\nnonsense line\r\nk=v\r\n")
                                           << "S" << "k" << "v";
        QTest::newRow("key before any section") << QByteArray("k=outside\r\n[S]\r\n") << "S" << "k" << "";
        QTest::newRow("blanks around name and value") << QByteArray("  [ S ]  \r\n  k  =  v w  \r\n") << "S"
                                                      << "k" << "v w";
        QTest::newRow("equals sign in value") << QByteArray("[S]\r\nk=a=b\r\n") << "S" << "k" << "a=b";
        QTest::newRow("windows-1252") << QByteArray("[S]\r\nk=citt\xE0 \x80\r\n") << "S" << "k"
                                      << Q(u"città €");
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF[S]\r\nk=citt\xC3\xA0\r\n") << "S" << "k"
                                        << Q(u"città");
        QTest::newRow("UTF-16 little-endian with BOM")
            << Utf16("[S]\r\nk=citt\u00E0 \u20AC\r\n", false) << "S" << "k" << Q(u"città €");
        QTest::newRow("UTF-16 big-endian with BOM")
            << Utf16("[Nome campi]\r\nCampo 01=Titolo\r\n", true) << "Nome Campi" << "Campo 01" << "Titolo";
        QTest::newRow("UTF-16, odd last byte") << Utf16("[S]\r\nk=v", false) + 'x' << "S" << "k" << "v";
        QTest::newRow("double quotes dropped") << QByteArray("[S]\r\nk=\"Studio\"\r\n") << "S" << "k" << "Studio";
        QTest::newRow("single quotes dropped") << QByteArray("[S]\r\nk='Studio'\r\n") << "S" << "k" << "Studio";
        QTest::newRow("quotes after blanks") << QByteArray("[S]\r\nk=  \" Studio \"  \r\n") << "S" << "k"
                                             << " Studio ";
        QTest::newRow("only one pair dropped") << QByteArray("[S]\r\nk=\"\"x\"\"\r\n") << "S" << "k" << "\"x\"";
        QTest::newRow("unmatched quotes kept") << QByteArray("[S]\r\nk=\"Studio'\r\n") << "S" << "k"
                                               << "\"Studio'";
        QTest::newRow("lone quote kept") << QByteArray("[S]\r\nk=\"\r\n") << "S" << "k" << "\"";
        QTest::newRow("first of two sections") << QByteArray("[S]\r\nk=1\r\n[s]\r\nk=2\r\n") << "S" << "k" << "1";
        QTest::newRow("empty file") << QByteArray() << "S" << "k" << "";
    }
    void read()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        ProgramFolderFixture folder;
        WriteBytes(folder.Path("Archivio.ini"), bytes);
        QCOMPARE(Q(SettingsFile().Read(T(section), T(key))), value);
    }

    void missingFileReadsEmpty()
    {
        ProgramFolderFixture folder;
        QCOMPARE(Q(SettingsFile().Read(u"Database", u"Nome Archivio")), QString());
        QVERIFY(!QFile::exists(folder.Path("Archivio.ini")));
    }

    void unreadableFileReadsEmpty()
    {
        ProgramFolderFixture folder;
        WriteBytes(folder.Path("Archivio.ini"), TwoSections);
        IoFaults::FailNext(IoOp::Read);
        QCOMPARE(Q(SettingsFile().Read(u"Database", u"Nome Archivio")), QString());
    }

    void longValueIsCutOnRead()
    {
        ProgramFolderFixture folder;
        WriteBytes(folder.Path("Archivio.ini"), "[S]\r\nk=" + QByteArray(3000, 'v') + "\r\n");
        QCOMPARE(Q(SettingsFile().Read(u"S", u"k")), QString(2047, 'v'));
    }

    void settingsFileLiesInProgramFolder()
    {
        ProgramFolderFixture folder;
        QCOMPARE(QString::fromStdString(SettingsFile().Path().string()), folder.Path("Archivio.ini"));
    }

    void newFileAsTheSettingsScreensLeaveIt()
    {
        ProgramFolderFixture folder;
        IniFile settings = SettingsFile();
        settings.Write(u"Nome campi", u"Campo 01", u"Titolo");
        settings.Write(u"Nome campi", u"Campo 02", u"");
        settings.Write(u"Database", u"Nome Archivio", u"Biblioteca");
        settings.Write(u"Database", u"Sottotitolo Archivio", u"di casa");
        QCOMPARE(ReadBytes(folder.Path("Archivio.ini")), QByteArray("[Nome campi]\r\n"
                                                                    "Campo 01=Titolo\r\n"
                                                                    "Campo 02=\r\n"
                                                                    "[Database]\r\n"
                                                                    "Nome Archivio=Biblioteca\r\n"
                                                                    "Sottotitolo Archivio=di casa\r\n"));
        QCOMPARE(Q(settings.Read(u"Nome Campi", u"Campo 01")), QString("Titolo"));
    }

    void write_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("replace in place") << TwoSections << "Nome Campi" << "CAMPO 01" << "Nuovo"
                                          << QByteArray("[Nome campi]\r\nCampo 01=Nuovo\r\nCampo 02=Autore\r\n\r\n"
                                                        "[Database]\r\nNome Archivio=Biblioteca\r\n");
        QTest::newRow("key appended at end of its section")
            << TwoSections << "nome campi" << "Campo 03" << "Anno"
            << QByteArray("[Nome campi]\r\nCampo 01=Titolo\r\nCampo 02=Autore\r\nCampo 03=Anno\r\n\r\n"
                          "[Database]\r\nNome Archivio=Biblioteca\r\n");
        QTest::newRow("key appended to last section")
            << TwoSections << "Database" << "Sottotitolo Archivio" << "Libri"
            << TwoSections + "Sottotitolo Archivio=Libri\r\n";
        QTest::newRow("section appended at end") << TwoSections << "Altro" << "k" << "v"
                                                 << TwoSections + "[Altro]\r\nk=v\r\n";
        QTest::newRow("no final newline") << QByteArray("[S]\r\nk=v") << "S" << "z" << "w"
                                          << QByteArray("[S]\r\nk=v\r\nz=w\r\n");
        QTest::newRow("no final newline, new section") << QByteArray("[S]\r\nk=v") << "T" << "z" << "w"
                                                       << QByteArray("[S]\r\nk=v\r\n[T]\r\nz=w\r\n");
        QTest::newRow("LF-only lines kept")
            << QByteArray("[S]\nk=v\n[T]\nz=w\n") << "T" << "z" << "x" << QByteArray("[S]\nk=v\n[T]\nz=x\r\n");
        QTest::newRow("junk and comments kept")
            << QByteArray("garbage\r\n[S]\r\n; note\r\n\x01junk\r\nk=v\r\n") << "S" << "k" << "new"
            << QByteArray("garbage\r\n[S]\r\n; note\r\n\x01junk\r\nk=new\r\n");
        QTest::newRow("windows-1252 value") << QByteArray() << "S" << "k" << Q(u"città € ł")
                                            << QByteArray("[S]\r\nk=citt\xE0 \x80 l\r\n");
        QTest::newRow("UTF-8 file stays UTF-8")
            << QByteArray("\xEF\xBB\xBF[S]\r\nk=a\r\n") << "S" << "k" << Q(u"città ł")
            << QByteArray("\xEF\xBB\xBF[S]\r\nk=citt\xC3\xA0 \xC5\x82\r\n");
        QTest::newRow("line breaks in a value stay on one line")
            << QByteArray() << "S" << "k" << "a\r\n[T]\nb" << QByteArray("[S]\r\nk=a  [T] b\r\n");
        QTest::newRow("only the first of two sections") << QByteArray("[S]\r\nk=1\r\n[S]\r\nk=2\r\n") << "s" << "k"
                                                        << "3" << QByteArray("[S]\r\nk=3\r\n[S]\r\nk=2\r\n");
    }
    void write()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        ProgramFolderFixture folder;
        if (!before.isNull())
            WriteBytes(folder.Path("Archivio.ini"), before);
        SettingsFile().Write(T(section), T(key), T(value));
        QCOMPARE(ReadBytes(folder.Path("Archivio.ini")), after);
        QCOMPARE(FolderEntries(folder.Folder()), QStringList{"Archivio.ini"});
    }

    void valueReadBackIsValueWritten()
    {
        ProgramFolderFixture folder;
        const QString value = Q(u"Archivio dell'Ufficio – sede di Forlì");
        SettingsFile().Write(u"Database", u"Nome Archivio", T(value));
        QCOMPARE(Q(SettingsFile().Read(u"DATABASE", u"nome archivio")), Q(u"Archivio dell'Ufficio – sede di Forlì"));
    }

    void rightsOfTheFileAreKept()
    {
        ProgramFolderFixture folder;
        WriteBytes(folder.Path("Archivio.ini"), TwoSections);
        SetMode(folder.Path("Archivio.ini"), 0640);
        SettingsFile().Write(u"Database", u"Nome Archivio", u"X");
        QCOMPARE(QFileInfo(folder.Path("Archivio.ini")).permissions(),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup);
    }

    void unusableNamesAreRejected()
    {
        ProgramFolderFixture folder;
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, SettingsFile().Write(u"A]", u"k", u"v"));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, SettingsFile().Write(u"A", u"k=1", u"v"));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, SettingsFile().Write(u"A", u"k\n", u"v"));
        QVERIFY(!QFile::exists(folder.Path("Archivio.ini")));
    }

    // Every failure on the way refuses the write with the fixed text, says which step failed
    // and why, and leaves the file as it was, without a temporary file behind.
    void refusedWrite_data()
    {
        QTest::addColumn<int>("op");
        QTest::addColumn<uint>("skip");
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<QString>("step");
        QTest::newRow("open existing file") << int(IoOp::Open) << 0u << true << "open";
        QTest::newRow("read existing file") << int(IoOp::Read) << 0u << true << "read";
        QTest::newRow("create missing file") << int(IoOp::Create) << 0u << false << "create";
        QTest::newRow("create temporary") << int(IoOp::Create) << 0u << true << "create a file beside";
        QTest::newRow("create temporary, no file") << int(IoOp::Create) << 1u << false << "create a file beside";
        QTest::newRow("write") << int(IoOp::Write) << 0u << true << "replace";
        QTest::newRow("flush") << int(IoOp::Flush) << 0u << true << "replace";
        QTest::newRow("close") << int(IoOp::Close) << 0u << true << "replace";
        QTest::newRow("rename") << int(IoOp::Rename) << 0u << true << "replace";
        QTest::newRow("rename, no file") << int(IoOp::Rename) << 0u << false << "replace";
    }
    void refusedWrite()
    {
        QFETCH(int, op);
        QFETCH(uint, skip);
        QFETCH(bool, fileExists);
        QFETCH(QString, step);
        ProgramFolderFixture folder;
        const QString path = folder.Path("Archivio.ini");
        if (fileExists)
            WriteBytes(path, TwoSections);
        IoFaults::FailNext(static_cast<IoOp>(op), skip);
        try {
            SettingsFile().Write(u"Database", u"Nome Archivio", u"Nuovo");
            QFAIL("the write was not refused");
        } catch (const FileFailure& error) {
            QCOMPARE(QString(error.what()), "Unable to write to " + path);
            QCOMPARE(QString::fromStdString(error.Error().Text()),
                     step + u' ' + path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(EIO)));
        }
        QCOMPARE(FolderEntries(folder.Folder()), fileExists ? QStringList{"Archivio.ini"} : QStringList{});
        if (fileExists)
            QCOMPARE(ReadBytes(path), TwoSections);
    }

    // No value longer than a reader takes is written: what is written reads back.
    void longValuesAreCutToWhatReadsBack_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("readBack");
        QTest::addColumn<int>("lineLength"); // characters after "k="
        QTest::newRow("longer") << QString(3000, 'v') << QString(2047, 'v') << 2047;
        QTest::newRow("exactly the length") << QString(2047, 'v') << QString(2047, 'v') << 2047;
        const QString emoji = Q(u"\U0001F600");
        QTest::newRow("a character of two units across the cut")
            << QString(2046, 'v') + emoji + "tail" << QString(2046, 'v') << 2046;
        QTest::newRow("a character of two units before the cut")
            << QString(2045, 'v') + emoji + "tail" << QString(2045, 'v') + emoji << 2047;
        QTest::newRow("in quotes, at the length") << "\"" + QString(2045, 'v') + "\"" << "\"" + QString(2045, 'v') + "\""
                                                  << 2049;
        QTest::newRow("in quotes, longer") << "\"" + QString(3000, 'v') + "\"" << "\"" + QString(2046, 'v') << 2047;
    }
    void longValuesAreCutToWhatReadsBack()
    {
        QFETCH(QString, value);
        QFETCH(QString, readBack);
        QFETCH(int, lineLength);
        ProgramFolderFixture folder;
        WriteBytes(folder.Path("Archivio.ini"), "\xEF\xBB\xBF"); // UTF-8, to see the characters
        SettingsFile().Write(u"S", u"k", T(value));
        QCOMPARE(Q(SettingsFile().Read(u"S", u"k")), readBack);
        const QString file = QString::fromUtf8(ReadBytes(folder.Path("Archivio.ini")).mid(3));
        QVERIFY(file.startsWith("[S]\r\nk=") && file.endsWith("\r\n"));
        QCOMPARE(file.size() - 7 - 2, lineLength);
    }

    // The program never writes a file it would refuse to read: a rewrite that would make it
    // larger than a settings file can be is refused and leaves it as it was, still readable.
    void aRewriteThatWouldOutgrowTheFileIsRefused()
    {
        ProgramFolderFixture folder;
        const QString path = folder.Path("Archivio.ini");
        const QByteArray foreign = "[Altro programma]\r\nDati=" + QByteArray(1000, 'x') + "\r\n";
        QByteArray bytes;
        while (bytes.size() + foreign.size() <= qsizetype(IniFile::MaxFileBytes) - 1000)
            bytes += foreign;
        bytes += "[Database]\r\nNome Archivio=Biblioteca\r\n";
        WriteBytes(path, bytes);
        SettingsFile().Write(u"Database", u"Sottotitolo Archivio", u"breve"); // still fits
        bytes += "Sottotitolo Archivio=breve\r\n";
        QCOMPARE(ReadBytes(path), bytes);
        try {
            SettingsFile().Write(u"Database", u"Sottotitolo Archivio", T(QString(2047, 's')));
            QFAIL("the write was not refused");
        } catch (const FileFailure& error) {
            QCOMPARE(QString(error.what()), "Unable to write to " + path);
            QCOMPARE(QString::fromStdString(error.Error().Text()),
                     "write " + path + ": would be larger than a settings file can be");
        }
        QCOMPARE(ReadBytes(path), bytes);
        QCOMPARE(FolderEntries(folder.Folder()), QStringList{"Archivio.ini"});
        QCOMPARE(Q(SettingsFile().Read(u"Database", u"Sottotitolo Archivio")), QString("breve"));
    }

    // While another program holds the file's save lock, a write waits for it at most the
    // save patience, then is refused as busy and leaves the file as it was; once the lock
    // is free, the same write goes through.
    void aFileAnotherProgramHoldsIsRefusedAsBusy()
    {
        ProgramFolderFixture folder;
        const QString path = folder.Path("Archivio.ini");
        WriteBytes(path, TwoSections);
        {
            SaveLockHolder other(path);
            QVERIFY(other.Locked());
            try {
                SettingsFile().Write(u"Database", {{u"Nome Archivio", u"Nuovo"}, {u"Sottotitolo Archivio", u"Sede"}});
                QFAIL("the write was not refused");
            } catch (const FileFailure& error) {
                QCOMPARE(QString(error.what()), "Unable to write to " + path);
                QCOMPARE(error.Error().Text(), platform::Failure("lock", path.toStdString(), platform::BusyReason));
                QCOMPARE(error.Error().Cause(), platform::Cause::Busy);
            }
            QCOMPARE(ReadBytes(path), TwoSections);
            QCOMPARE(FolderEntries(folder.Folder()), QStringList{"Archivio.ini"});
        }
        SettingsFile().Write(u"Database", u"Nome Archivio", u"Nuovo");
        QCOMPARE(Q(SettingsFile().Read(u"Database", u"Nome Archivio")), QString("Nuovo"));
    }

    // Two programs writing keys of their own into one file at the same time, with writes as
    // slow as on a network share: each reads the file again once it holds the lock, so no
    // write loses a key the other wrote, also when neither found the file at the start.
    void twoProgramsWritingLoseNoKey_data()
    {
        QTest::addColumn<bool>("fileExists");
        QTest::newRow("existing file") << true;
        QTest::newRow("no file yet") << false;
    }
    void twoProgramsWritingLoseNoKey()
    {
        QFETCH(bool, fileExists);
        ProgramFolderFixture folder;
        if (fileExists)
            WriteBytes(folder.Path("Archivio.ini"), TwoSections);
        constexpr int Rounds = 25;
        QProcess first, second;
        StartHelper(first, {"write-keys", folder.Folder(), "A", QString::number(Rounds), "3000"});
        StartHelper(second, {"write-keys", folder.Folder(), "B", QString::number(Rounds), "3000"});
        for (QProcess* program : {&first, &second}) {
            QVERIFY2(program->waitForFinished(120000), "a writing program did not finish");
            const QByteArray output = program->readAllStandardOutput();
            QVERIFY2(program->exitStatus() == QProcess::NormalExit && program->exitCode() == 0, output.constData());
        }
        const IniValues values = SettingsFile().Load();
        QCOMPARE(values.From(), IniValues::Source::Read);
        QStringList lost;
        for (const QString program : {"A", "B"})
            for (int round = 0; round < Rounds; ++round)
                for (const IniKey& key : RoundKeys(program, round))
                    if (Q(values.Read(u"Chiavi", key.name)) != Q(key.value))
                        lost.append(Q(key.name));
        QCOMPARE(lost, QStringList());
        if (fileExists)
            QCOMPARE(Q(values.Read(u"Database", u"Nome Archivio")), QString("Biblioteca"));
        QCOMPARE(FolderEntries(folder.Folder()), QStringList{"Archivio.ini"});
    }

    // A settings file written in UTF-16 stays UTF-16: the lines nobody changed keep their
    // bytes and the new ones are in the same encoding and byte order.
    void utf16FileKeepsItsEncoding_data()
    {
        QTest::addColumn<bool>("bigEndian");
        QTest::newRow("little-endian") << false;
        QTest::newRow("big-endian") << true;
    }
    void utf16FileKeepsItsEncoding()
    {
        QFETCH(bool, bigEndian);
        ProgramFolderFixture folder;
        const QString text = "[Nome campi]\r\nCampo 01=Titolo\r\n[Database]\r\nNome Archivio=Vecchio";
        WriteBytes(folder.Path("Archivio.ini"), Utf16(text, bigEndian));
        SettingsFile().Write(u"Database", u"Nome Archivio", u"Città");
        SettingsFile().Write(u"Database", u"Sottotitolo Archivio", u"Sede €");
        SettingsFile().Write(u"Nome campi", u"Campo 02", u"Autore");
        QCOMPARE(ReadBytes(folder.Path("Archivio.ini")),
                 Utf16("[Nome campi]\r\nCampo 01=Titolo\r\nCampo 02=Autore\r\n[Database]\r\nNome Archivio=" + Q(u"Città")
                           + "\r\nSottotitolo Archivio=" + Q(u"Sede €") + "\r\n",
                       bigEndian));
        const IniValues values = SettingsFile().Load();
        QCOMPARE(values.From(), IniValues::Source::Read);
        QCOMPARE(Q(values.Read(u"Nome Campi", u"Campo 01")), QString("Titolo"));
        QCOMPARE(Q(values.Read(u"Database", u"Nome Archivio")), Q(u"Città"));
    }

    // A value that has quotes of its own keeps them: the writer adds the pair a reader drops.
    void quotedValueReadsBackAsWritten_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("double quotes") << "\"Studio\"" << QByteArray("k=\"\"Studio\"\"\r\n");
        QTest::newRow("single quotes") << "'Studio'" << QByteArray("k=\"'Studio'\"\r\n");
        QTest::newRow("quote at one end only") << "\"Studio" << QByteArray("k=\"Studio\r\n");
        QTest::newRow("different quotes") << "\"Studio'" << QByteArray("k=\"Studio'\r\n");
        QTest::newRow("plain") << "Studio" << QByteArray("k=Studio\r\n");
    }
    void quotedValueReadsBackAsWritten()
    {
        QFETCH(QString, value);
        QFETCH(QByteArray, line);
        ProgramFolderFixture folder;
        SettingsFile().Write(u"S", u"k", T(value));
        QCOMPARE(ReadBytes(folder.Path("Archivio.ini")), "[S]\r\n" + line);
        QCOMPARE(Q(SettingsFile().Read(u"S", u"k")), value);
    }

    // One reading serves every key of a showing; what changes afterwards is seen by the
    // next reading.
    void loadedValuesAreOneReading()
    {
        ProgramFolderFixture folder;
        WriteBytes(folder.Path("Archivio.ini"), TwoSections);
        const IniValues values = SettingsFile().Load();
        WriteBytes(folder.Path("Archivio.ini"), "[Database]\r\nNome Archivio=Altro\r\n");
        QCOMPARE(Q(values.Read(u"Database", u"Nome Archivio")), QString("Biblioteca"));
        QCOMPARE(Q(values.Read(u"Nome Campi", u"Campo 02")), QString("Autore"));
        QCOMPARE(Q(SettingsFile().Load().Read(u"Database", u"Nome Archivio")), QString("Altro"));
        QCOMPARE(IniValues().From(), IniValues::Source::Missing);
    }

    // What cannot be a settings file reads as unreadable at once (no wait on a pipe, no
    // minutes and gigabytes spent on a giant), and a write to it is refused and leaves it be.
    void unusableFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("readable");
        QTest::newRow("named pipe") << "pipe" << false;
        QTest::newRow("folder") << "folder" << false;
        QTest::newRow("2 GB file") << "giant" << false;
        QTest::newRow("one byte over the limit") << "over" << false;
        QTest::newRow("exactly at the limit") << "limit" << true;
    }
    void unusableFile()
    {
        QFETCH(QString, kind);
        QFETCH(bool, readable);
        ProgramFolderFixture folder;
        const QString path = folder.Path("Archivio.ini");
        const bool nearLimit = kind == "over" || kind == "limit";
        if (nearLimit) {
            WriteBytes(path, "[Database]\r\nNome Archivio=Biblioteca\r\n");
            QVERIFY(QFile::resize(path, qint64(IniFile::MaxFileBytes) + (kind == "over" ? 1 : 0)));
        } else {
            MakeUnusableFile(path, kind);
        }
        const IniValues values = SettingsFile().Load();
        QCOMPARE(values.Unreadable(), !readable);
        QCOMPARE(Q(values.Read(u"Database", u"Nome Archivio")), readable ? QString("Biblioteca") : QString());
        if (readable)
            return;
        try {
            SettingsFile().Write(u"Database", u"Nome Archivio", u"Nuovo");
            QFAIL("the write was not refused");
        } catch (const FileFailure& error) {
            QCOMPARE(QString(error.what()), "Unable to write to " + path);
        }
        QCOMPARE(FolderEntries(folder.Folder()), QStringList{"Archivio.ini"});
        if (nearLimit)
            QCOMPARE(QFileInfo(path).size(), qint64(IniFile::MaxFileBytes) + 1);
        else
            QVERIFY(StillUnusable(path, kind));
    }

    // A settings file marked read-only is refused for the superuser too, as the system
    // refuses it to any other user (see unprivilegedWrite).
    void readOnlyFileRefusedForThisUser()
    {
        ProgramFolderFixture folder;
        const QString path = folder.Path("Archivio.ini");
        WriteBytes(path, TwoSections);
        SetMode(path, 0444);
        QVERIFY_THROWS_EXCEPTION(FileFailure, SettingsFile().Write(u"Database", u"Nome Archivio", u"Nuovo"));
        QCOMPARE(ReadBytes(path), TwoSections);
        QCOMPARE(FolderEntries(folder.Folder()), QStringList{"Archivio.ini"});
        QCOMPARE(Q(SettingsFile().Read(u"Database", u"Nome Archivio")), QString("Biblioteca"));
    }

    // The operating system's own refusals, seen by an unprivileged user.
    void unprivilegedWrite_data()
    {
        QTest::addColumn<uint>("folderMode");
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<uint>("fileMode");
        QTest::addColumn<bool>("written");
        QTest::newRow("writable file and folder") << 0777u << true << 0666u << true;
        QTest::newRow("new file in writable folder") << 0777u << false << 0u << true;
        QTest::newRow("read-only file in writable folder") << 0777u << true << 0444u << false;
        QTest::newRow("writable file in read-only folder") << 0555u << true << 0666u << false;
        QTest::newRow("new file in read-only folder") << 0555u << false << 0u << false;
    }
    void unprivilegedWrite()
    {
        QFETCH(uint, folderMode);
        QFETCH(bool, fileExists);
        QFETCH(uint, fileMode);
        QFETCH(bool, written);
        ProgramFolderFixture folder;
        const QString path = folder.Path("Archivio.ini");
        if (fileExists) {
            WriteBytes(path, TwoSections);
            SetMode(path, fileMode);
        }
        SetMode(folder.Folder(), folderMode);
        const HelperResult result = RunUnprivileged({path, "Database", "Nome Archivio", "Nuovo"});
        QCOMPARE(result.exitCode, written ? 0 : HelperRefused);
        if (written) {
            QCOMPARE(Q(IniFile(path.toStdString()).Read(u"Database", u"Nome Archivio")),
                     QString("Nuovo"));
            return;
        }
        QCOMPARE(result.output, "Unable to write to " + path);
        QCOMPARE(FolderEntries(folder.Folder()), fileExists ? QStringList{"Archivio.ini"} : QStringList{});
        if (fileExists)
            QCOMPARE(ReadBytes(path), TwoSections);
    }
};

VELORBIS_TEST_MAIN_WITH_HELPER(TstIniFile, Helper)
#include "tst_inifile.moc"
