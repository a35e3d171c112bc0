// The attachments folder on its own: which names designate a file of the folder, and copies
// that arrive whole or not at all.

#include "attachments/AttachmentFolder.h"
#include "storage/StorageTestSupport.h"

#include <QDir>

#include <sys/stat.h>

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
        const FileOutcome missing = attachments::CopyIn(program.Path("manca").toStdString(), u"manca");
        QVERIFY(!missing);
        QCOMPARE(QString::fromStdString(missing.Reason()),
                 QStringLiteral("open ") + program.Path("manca") + QStringLiteral(": No such file or directory"));
        QCOMPARE(Entries(FolderPath()), QStringList{});
    }

    void aFailedCopyLeavesTheFolderAsItWas_data()
    {
        QTest::addColumn<int>("op");
        QTest::addColumn<unsigned>("skip");
        QTest::addColumn<bool>("earlierCopy");
        QTest::newRow("source unreadable") << int(IoOp::Open) << 0u << false;
        QTest::newRow("temporary file refused") << int(IoOp::Create) << 0u << false;
        QTest::newRow("read fails halfway") << int(IoOp::Read) << 1u << false;
        QTest::newRow("source shrinks while read") << int(IoOp::ShortRead) << 0u << false;
        QTest::newRow("disk full halfway") << int(IoOp::Write) << 1u << false;
        QTest::newRow("disk full halfway, earlier copy") << int(IoOp::Write) << 1u << true;
        QTest::newRow("flush fails") << int(IoOp::Flush) << 0u << true;
        QTest::newRow("rename fails") << int(IoOp::Rename) << 0u << true;
    }
    void aFailedCopyLeavesTheFolderAsItWas()
    {
        QFETCH(int, op);
        QFETCH(unsigned, skip);
        QFETCH(bool, earlierCopy);
        ProgramFolderFixture program;
        const QString source = program.Path("grande.bin");
        WriteBytes(source, Bytes(3 * 1024 * 1024));
        QVERIFY(QDir().mkpath(FolderPath()));
        if (earlierCopy)
            WriteBytes(FolderPath() + "/grande.bin", "copia precedente");
        IoFaults::FailNext(static_cast<IoOp>(op), skip);
        QVERIFY(!attachments::CopyIn(source.toStdString(), u"grande.bin"));
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
};

VELORBIS_TEST_MAIN_WITH_HELPER(TstAttachmentFolder, Helper)
#include "tst_attachmentfolder.moc"
