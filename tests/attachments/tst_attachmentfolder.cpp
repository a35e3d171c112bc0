// The attachments folder on its own: which names designate a file of the folder, and copies
// that arrive whole or not at all.

#include "attachments/AttachmentFolder.h"
#include "support/StorageTest.h"

#include <QDir>

#include <sys/stat.h>

Q_DECLARE_METATYPE(attachments::CopyStep)

namespace {

QString FolderPath() { return QString::fromStdString(attachments::Folder().string()); }

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray Bytes(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    char* data = bytes.data();
    for (int i = 0; i < size; ++i)
        data[i] = char((qint64(i) * 7919) % 251);
    return bytes;
}

// Unprivileged helper: program folder, source, name -> 0 copied, HelperRefused refused.
int Helper(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    SetProgramFolder(argv[0]);
    return attachments::CopyIn(argv[1], FromUtf8(argv[2])) ? 0 : HelperRefused;
}

} // namespace

class TstAttachmentFolder : public QObject {
    Q_OBJECT

private slots:
    void bareNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("bare");
        QTest::newRow("plain") << "Relazione.pdf" << true;
        QTest::newRow("blanks, accents, several dots") << "Offerta più bassa v2.final.tar.gz" << true;
        QTest::newRow("no extension") << "LEGGIMI" << true;
        QTest::newRow("dots inside") << "a..b.txt" << true;
        QTest::newRow("hidden") << ".profilo" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("up and out") << "../Database.pro" << false;
        QTest::newRow("up and out, Windows") << "..\\Database.pro" << false;
        QTest::newRow("sub-folder") << "sub/a.pdf" << false;
        QTest::newRow("sub-folder, Windows") << "sub\\a.pdf" << false;
        QTest::newRow("absolute") << "/etc/passwd" << false;
        QTest::newRow("drive") << "C:\\Windows\\win.ini" << false;
        QTest::newRow("drive without separator") << "c:boot.ini" << false;
        QTest::newRow("network share") << "\\\\server\\share\\a.pdf" << false;
    }
    void bareNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, bare);
        QCOMPARE(attachments::IsBareName(T(name)), bare);
        QCOMPARE(attachments::PathOf(T(name)).has_value(), bare);
    }

    void copyMakesTheFolderAndArrivesWhole_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");
        QTest::newRow("empty file") << "vuoto.txt" << 0;
        QTest::newRow("blanks and accents") << "Relazione finale è pronta.pdf" << 1000;
        QTest::newRow("several dots, several blocks") << "archivio.2024.v3.tar.gz" << 3 * 1024 * 1024 + 17;
    }
    void copyMakesTheFolderAndArrivesWhole()
    {
        QFETCH(QString, name);
        QFETCH(int, size);
        ProgramFolderFixture program;
        const QString source = program.Path("sorgente");
        WriteBytes(source, Bytes(size));
        QVERIFY(!QDir(FolderPath()).exists());
        QVERIFY(!attachments::Holds(T(name)));
        QVERIFY(attachments::CopyIn(source.toStdString(), T(name)));
        QCOMPARE(Entries(FolderPath()), QStringList{name});
        QCOMPARE(ReadBytes(FolderPath() + '/' + name), Bytes(size));
        QVERIFY(attachments::Holds(T(name)));
        QCOMPARE(ReadBytes(source), Bytes(size));
    }

    void copyReplacesAnEarlierCopy()
    {
        ProgramFolderFixture program;
        const QString source = program.Path("nuovo.txt");
        WriteBytes(source, "nuovo");
        QVERIFY(QDir().mkpath(FolderPath()));
        WriteBytes(FolderPath() + "/nota.txt", "vecchio, e più lungo");
        QVERIFY(attachments::CopyIn(source.toStdString(), u"nota.txt"));
        QCOMPARE(ReadBytes(FolderPath() + "/nota.txt"), QByteArray("nuovo"));
        QCOMPARE(Entries(FolderPath()), QStringList{"nota.txt"});
    }

    void copyingTheAttachedCopyOntoItselfKeepsIt()
    {
        ProgramFolderFixture program;
        QVERIFY(QDir().mkpath(FolderPath()));
        const QString copy = FolderPath() + "/nota.txt";
        WriteBytes(copy, Bytes(5000));
        QVERIFY(attachments::CopyIn(copy.toStdString(), u"nota.txt"));
        QCOMPARE(ReadBytes(copy), Bytes(5000));
        QCOMPARE(Entries(FolderPath()), QStringList{"nota.txt"});
    }

    void anUnsafeNameWritesNothingAnywhere()
    {
        ProgramFolderFixture program;
        const QString source = program.Path("sorgente");
        WriteBytes(source, "contenuto");
        for (const char16_t* name : {u"../fuori.txt", u"..\\fuori.txt", u"..", u"C:fuori.txt"})
            QVERIFY(!attachments::CopyIn(source.toStdString(), name));
        QCOMPARE(Entries(program.Folder()), QStringList{"sorgente"});
    }

    void onlyPlainFilesAreCopied()
    {
        ProgramFolderFixture program;
        QVERIFY(QDir().mkpath(program.Path("cartella")));
        QCOMPARE(::mkfifo(program.Path("coda").toLocal8Bit().constData(), 0600), 0);
        QVERIFY(!attachments::CopyIn(program.Path("cartella").toStdString(), u"cartella"));
        QVERIFY(!attachments::CopyIn(program.Path("coda").toStdString(), u"coda")); // does not wait for a writer
        const attachments::CopyOutcome missing = attachments::CopyIn(program.Path("manca").toStdString(), u"manca");
        QVERIFY(!missing);
        QCOMPARE(missing.Step(), attachments::CopyStep::Source);
        QCOMPARE(QString::fromStdString(missing.Error().Text()),
                 QStringLiteral("open ") + program.Path("manca") + QStringLiteral(": No such file or directory"));
        QCOMPARE(Entries(FolderPath()), QStringList{});
    }

    void aFailedCopyLeavesTheFolderAsItWas_data()
    {
        QTest::addColumn<int>("op");
        QTest::addColumn<unsigned>("skip");
        QTest::addColumn<bool>("earlierCopy");
        QTest::addColumn<attachments::CopyStep>("step");
        using attachments::CopyStep;
        QTest::newRow("source unreadable") << int(IoOp::Open) << 0u << false << CopyStep::Source;
        QTest::newRow("temporary file refused") << int(IoOp::Create) << 0u << false << CopyStep::Write;
        QTest::newRow("read fails halfway") << int(IoOp::Read) << 1u << false << CopyStep::Source;
        QTest::newRow("source shrinks while read") << int(IoOp::ShortRead) << 0u << false << CopyStep::Source;
        QTest::newRow("disk full halfway") << int(IoOp::Write) << 1u << false << CopyStep::Write;
        QTest::newRow("disk full halfway, earlier copy") << int(IoOp::Write) << 1u << true << CopyStep::Write;
        QTest::newRow("flush fails") << int(IoOp::Flush) << 0u << true << CopyStep::Write;
        QTest::newRow("rename fails") << int(IoOp::Rename) << 0u << true << CopyStep::Write;
    }
    void aFailedCopyLeavesTheFolderAsItWas()
    {
        QFETCH(int, op);
        QFETCH(unsigned, skip);
        QFETCH(bool, earlierCopy);
        QFETCH(attachments::CopyStep, step);
        ProgramFolderFixture program;
        const QString source = program.Path("grande.bin");
        WriteBytes(source, Bytes(3 * 1024 * 1024));
        QVERIFY(QDir().mkpath(FolderPath()));
        if (earlierCopy)
            WriteBytes(FolderPath() + "/grande.bin", "copia precedente");
        IoFaults::FailNext(static_cast<IoOp>(op), skip);
        const attachments::CopyOutcome copied = attachments::CopyIn(source.toStdString(), u"grande.bin");
        QVERIFY(!copied);
        QCOMPARE(copied.Step(), step);
        QCOMPARE(Entries(FolderPath()), earlierCopy ? QStringList{"grande.bin"} : QStringList{});
        if (earlierCopy)
            QCOMPARE(ReadBytes(FolderPath() + "/grande.bin"), QByteArray("copia precedente"));
    }

    void whatTheSystemRefusesIsNotCopied_data()
    {
        QTest::addColumn<uint>("folderMode");
        QTest::addColumn<bool>("earlierCopy");
        QTest::addColumn<uint>("copyMode");
        QTest::addColumn<uint>("sourceMode");
        QTest::addColumn<bool>("copied");
        QTest::newRow("everything allowed") << 0777u << true << 0666u << 0644u << true;
        QTest::newRow("read-only folder") << 0555u << false << 0u << 0644u << false;
        QTest::newRow("read-only earlier copy") << 0777u << true << 0444u << 0644u << false;
        QTest::newRow("unreadable source") << 0777u << false << 0u << 0000u << false;
    }
    void whatTheSystemRefusesIsNotCopied()
    {
        QFETCH(uint, folderMode);
        QFETCH(bool, earlierCopy);
        QFETCH(uint, copyMode);
        QFETCH(uint, sourceMode);
        QFETCH(bool, copied);
        ProgramFolderFixture program;
        SetMode(program.Folder(), 0755);
        const QString source = program.Path("fonte.txt");
        WriteBytes(source, "nuovo contenuto");
        SetMode(source, sourceMode);
        QVERIFY(QDir().mkpath(FolderPath()));
        const QString copy = FolderPath() + "/fonte.txt";
        if (earlierCopy) {
            WriteBytes(copy, "vecchio");
            SetMode(copy, copyMode);
        }
        SetMode(FolderPath(), folderMode);
        const HelperResult result = RunUnprivileged({program.Folder(), source, "fonte.txt"});
        SetMode(FolderPath(), 0755);
        QCOMPARE(result.exitCode, copied ? 0 : HelperRefused);
        QCOMPARE(Entries(FolderPath()), earlierCopy || copied ? QStringList{"fonte.txt"} : QStringList{});
        if (copied)
            QCOMPARE(ReadBytes(copy), QByteArray("nuovo contenuto"));
        else if (earlierCopy)
            QCOMPARE(ReadBytes(copy), QByteArray("vecchio"));
    }
    void aFolderPathThatIsAPlainFileIsNoFolder()
    {
        ProgramFolderFixture program;
        WriteBytes(FolderPath(), "non una cartella");
        const QString source = program.Path("fonte.txt");
        WriteBytes(source, "contenuto");
        const attachments::CopyOutcome copied = attachments::CopyIn(source.toStdString(), u"fonte.txt");
        QVERIFY(!copied);
        QCOMPARE(copied.Step(), attachments::CopyStep::Folder);
        QVERIFY(QString::fromStdString(copied.Error().Text()).startsWith(QStringLiteral("create folder ") + FolderPath() + ": "));
        QCOMPARE(ReadBytes(FolderPath()), QByteArray("non una cartella"));
    }

    // A copy with no write bit set is kept, by the superuser too (the tests run as root, whom
    // the system would let write it); any other copy is replaced and keeps its rights.
    void aCopyWithoutWriteBitsIsKeptAndAReplacedOneKeepsItsRights_data()
    {
        QTest::addColumn<uint>("mode");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("read-only for all") << 0444u << false;
        QTest::newRow("read-only for the owner") << 0400u << false;
        QTest::newRow("read and run only") << 0555u << false;
        QTest::newRow("no rights at all") << 0000u << false;
        QTest::newRow("owner writes, group reads") << 0640u << true;
        QTest::newRow("only the owner") << 0600u << true;
        QTest::newRow("write only") << 0200u << true;
        QTest::newRow("others write") << 0446u << true;
    }
    void aCopyWithoutWriteBitsIsKeptAndAReplacedOneKeepsItsRights()
    {
        QFETCH(uint, mode);
        QFETCH(bool, replaced);
        ProgramFolderFixture program;
        const QString source = program.Path("fonte.txt");
        WriteBytes(source, "nuovo contenuto");
        QVERIFY(QDir().mkpath(FolderPath()));
        const QString copy = FolderPath() + "/fonte.txt";
        WriteBytes(copy, "vecchio");
        SetMode(copy, mode);
        const attachments::CopyOutcome copied = attachments::CopyIn(source.toStdString(), u"fonte.txt");
        QCOMPARE(bool(copied), replaced);
        if (!replaced) {
            QCOMPARE(copied.Step(), attachments::CopyStep::Existing);
            QCOMPARE(QString::fromStdString(copied.Error().Text()),
                     QStringLiteral("replace ") + copy + QStringLiteral(": the file is marked read-only"));
        }
        struct stat info {};
        QCOMPARE(::stat(copy.toLocal8Bit().constData(), &info), 0);
        QCOMPARE(uint(info.st_mode & 07777), mode);
        SetMode(copy, 0600);
        QCOMPARE(ReadBytes(copy), replaced ? QByteArray("nuovo contenuto") : QByteArray("vecchio"));
        QCOMPARE(Entries(FolderPath()), QStringList{"fonte.txt"});
    }

    void sameBytes_data()
    {
        QTest::addColumn<QByteArray>("picked");
        QTest::addColumn<QByteArray>("kept"); // a null array: no such file in the folder
        QTest::addColumn<bool>("same");
        const QByteArray large = Bytes(2 * 1024 * 1024 + 5);
        QByteArray lastByteDiffers = large;
        lastByteDiffers[lastByteDiffers.size() - 1] = char(lastByteDiffers.back() + 1);
        QTest::newRow("equal") << QByteArray("stesso testo") << QByteArray("stesso testo") << true;
        QTest::newRow("both empty") << QByteArray("") << QByteArray("") << true;
        QTest::newRow("equal, several blocks") << large << large << true;
        QTest::newRow("same length, other bytes") << QByteArray("abc") << QByteArray("abd") << false;
        QTest::newRow("one longer") << QByteArray("abc") << QByteArray("abcd") << false;
        QTest::newRow("last byte of the last block") << large << lastByteDiffers << false;
        QTest::newRow("no file of that name") << QByteArray("abc") << QByteArray() << false;
    }
    void sameBytes()
    {
        QFETCH(QByteArray, picked);
        QFETCH(QByteArray, kept);
        QFETCH(bool, same);
        ProgramFolderFixture program;
        const QString source = program.Path("scelto.bin");
        WriteBytes(source, picked);
        QVERIFY(QDir().mkpath(FolderPath()));
        if (!kept.isNull())
            WriteBytes(FolderPath() + "/copia.bin", kept);
        QCOMPARE(attachments::HoldsSameBytes(source.toStdString(), u"copia.bin"), same);
    }

    void unreadableFilesAreNeverTheSame()
    {
        ProgramFolderFixture program;
        QVERIFY(QDir().mkpath(FolderPath()));
        WriteBytes(FolderPath() + "/copia.bin", "uguale");
        WriteBytes(program.Path("uguale.bin"), "uguale");
        QVERIFY(!attachments::HoldsSameBytes(program.Path("manca.bin").toStdString(), u"copia.bin"));
        QVERIFY(QDir().mkpath(FolderPath() + "/cartella"));
        QVERIFY(!attachments::HoldsSameBytes(program.Path("uguale.bin").toStdString(), u"cartella"));
        // A link in the folder is not taken for the file it points at.
        QVERIFY(QFile::link(program.Path("uguale.bin"), FolderPath() + "/collegamento.bin"));
        QVERIFY(!attachments::HoldsSameBytes(program.Path("uguale.bin").toStdString(), u"collegamento.bin"));
        QVERIFY(!attachments::HoldsSameBytes(program.Path("uguale.bin").toStdString(), u"../uguale.bin"));
    }

    void numberedNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<uint>("number");
        QTest::addColumn<QString>("numbered");
        QTest::newRow("extension") << "Listino.xls" << 2u << "Listino (2).xls";
        QTest::newRow("before the last dot") << "foto.2024.06.jpeg" << 3u << "foto.2024.06 (3).jpeg";
        QTest::newRow("no dot") << "LEGGIMI" << 2u << "LEGGIMI (2)";
        QTest::newRow("a leading dot only") << ".profilo" << 2u << ".profilo (2)";
        QTest::newRow("a trailing dot") << "nota." << 2u << "nota (2).";
        QTest::newRow("blanks inside") << "Perizia unità 3.pdf" << 12u << "Perizia unità 3 (12).pdf";
    }
    void numberedNames()
    {
        QFETCH(QString, name);
        QFETCH(uint, number);
        QFETCH(QString, numbered);
        QCOMPARE(Q(attachments::NumberedName(T(name), number)), numbered);
    }

    void theFreeNameSkipsEveryNameTheFolderHolds()
    {
        ProgramFolderFixture program;
        QVERIFY(QDir().mkpath(FolderPath()));
        QCOMPARE(Q(attachments::FreeName(u"Listino.xls")), QStringLiteral("Listino (2).xls"));
        for (const char* name : {"Listino.xls", "Listino (2).xls", "Listino (4).xls"})
            WriteBytes(FolderPath() + '/' + name, name);
        QVERIFY(QDir().mkpath(FolderPath() + "/Listino (3).xls")); // any entry takes the name
        QCOMPARE(Q(attachments::FreeName(u"Listino.xls")), QStringLiteral("Listino (5).xls"));
    }
};

VELORBIS_TEST_MAIN_WITH_HELPER(TstAttachmentFolder, Helper)
#include "tst_attachmentfolder.moc"
