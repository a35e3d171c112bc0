// What a copy of the program killed while saving leaves behind: its temporary files, in the
// program folder and in the attachments folder, are removed when the program next starts;
// the files of a copy still running and every file of another program stay.

#include "support/ScreenTest.h"
#include "support/StorageTest.h"

#include "attachments/AttachmentFolder.h"
#include "storage/TemporaryFile.h"

#include <QProcess>

#include <cstdio>
#include <vector>

namespace {

// Run as a second copy: starts writing the files it would save, beside Database.xls,
// Archivio.ini and an attachment, prints their names and "ready", and waits there until it
// is killed (or its input ends).
int Helper(int argc, char** argv)
{
    if (argc < 1)
        return 2;
    SetProgramFolder(argv[0]);
    std::filesystem::create_directories(attachments::Folder());
    const std::string block(1 << 20, 'x');
    std::vector<std::unique_ptr<TemporaryFile>> files;
    for (const std::filesystem::path& target :
         {ProgramFile("Database.xls"), ProgramFile("Archivio.ini"), attachments::Folder() / "att.txt"}) {
        files.push_back(std::make_unique<TemporaryFile>(target, std::nullopt));
        if (!files.back()->Created() || !files.back()->Append(block.data(), block.size()))
            return 4;
        std::printf("%s\n", files.back()->Path().lexically_relative(ProgramFolder()).c_str());
    }
    std::printf("ready\n");
    std::fflush(stdout);
    char line[16];
    while (std::fgets(line, sizeof line, stdin)) {
    }
    return 0;
}

// Starts a second copy on `folder` and returns the temporary files it is writing (relative
// to the folder) once they are there; the wait is bounded.
QStringList StartWriter(QProcess& process, const QString& folder)
{
    StartHelper(process, {folder});
    QByteArray output;
    while (!output.contains("ready\n") && process.waitForReadyRead(10000))
        output += process.readAllStandardOutput();
    QStringList lines = QString::fromUtf8(output).split(u'\n', Qt::SkipEmptyParts);
    if (!lines.isEmpty() && lines.last() == QStringLiteral("ready"))
        lines.removeLast();
    else
        qWarning("the second copy did not get ready: %s", output.constData());
    return lines;
}

} // namespace

class TstLeftFiles : public QObject {
    Q_OBJECT

private slots:
    void theFilesOfAKilledCopyAreRemovedAtStartAndNothingElse()
    {
        QTemporaryDir folder;
        const QDir dir(folder.path());

        QProcess killed;
        const QStringList left = StartWriter(killed, folder.path());
        QCOMPARE(left.size(), 3);
        const qint64 deadPid = killed.processId();
        killed.kill(); // between writing and renaming
        QVERIFY(killed.waitForFinished(10000));
        for (const QString& file : left) {
            QVERIFY2(QFileInfo(dir.filePath(file)).size() == 1 << 20, qPrintable(file));
            QVERIFY2(QFileInfo(file).fileName().startsWith(u'.'), qPrintable(file));
        }
        QCOMPARE(QFileInfo(left[2]).path(), QStringLiteral("Documenti_Allegati"));

        QProcess running;
        const QStringList kept = StartWriter(running, folder.path());
        QCOMPARE(kept.size(), 3);

        // Names that are not exactly the program's, or no regular file under its name.
        const QString dead = QString::number(deadPid);
        const QStringList foreign{
            QStringLiteral("Logo.bmp.AbC123"),                      // what a QSaveFile leaves
            QStringLiteral(".Database.xls.%1.0.tmp").arg(dead),     // an older name
            QStringLiteral("x.velorbis-%1-0.tmp").arg(dead),        // no leading dot
            QStringLiteral(".x.velorbis-%1-0.tmp.bak").arg(dead),
            QStringLiteral(".x.velorbis-0%1-0.tmp").arg(dead),      // a pid with a leading zero
            QStringLiteral(".x.velorbis-%1.tmp").arg(dead),         // no number of its own
            QStringLiteral(".x.velorbis-%1-a.tmp").arg(dead),
            QStringLiteral("..velorbis-%1-0.tmp").arg(dead),        // no target name
            QStringLiteral("Documenti_Allegati/.velorbis-%1-0.tmp").arg(dead),
            QStringLiteral("Documenti_Allegati/.y.Velorbis-%1-0.tmp").arg(dead),
        };
        for (const QString& name : foreign)
            WriteBytes(dir.filePath(name), "not the program's");
        const QString folderName = QStringLiteral(".cartella.velorbis-%1-0.tmp").arg(dead);
        QVERIFY(dir.mkdir(folderName));
        const QString linkName = QStringLiteral(".link.velorbis-%1-1.tmp").arg(dead);
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("Logo.bmp.AbC123")), dir.filePath(linkName)));
        // Deeper than the attachments folder nothing is looked at.
        QVERIFY(dir.mkpath(QStringLiteral("Documenti_Allegati/sotto")));
        const QString deeper = QStringLiteral("Documenti_Allegati/sotto/.z.velorbis-%1-0.tmp").arg(dead);
        WriteBytes(dir.filePath(deeper), "deeper");

        // The program starts as main() starts it.
        PrepareApplication(folder.path());
        auto program = std::make_unique<Program>();

        for (const QString& file : left)
            QVERIFY2(!QFileInfo::exists(dir.filePath(file)), qPrintable(file));
        for (const QString& file : kept)
            QVERIFY2(QFileInfo(dir.filePath(file)).size() == 1 << 20, qPrintable(file));
        for (const QString& name : foreign)
            QCOMPARE(ReadBytes(dir.filePath(name)), QByteArray("not the program's"));
        QVERIFY(QFileInfo(dir.filePath(folderName)).isDir());
        QVERIFY(QFileInfo(dir.filePath(linkName)).isSymLink());
        QCOMPARE(ReadBytes(dir.filePath(deeper)), QByteArray("deeper"));

        running.closeWriteChannel(); // the running copy ends; its files are then its to remove
        QVERIFY(running.waitForFinished(10000));
        QCOMPARE(running.exitCode(), 0);
        for (const QString& file : kept)
            QVERIFY2(!QFileInfo::exists(dir.filePath(file)), qPrintable(file));
    }

    void aStartWithoutAttachmentsFolderOrLeftFilesChangesNothing()
    {
        QTemporaryDir folder;
        WriteBytes(folder.filePath(QStringLiteral("Database.pro")), QByteArray());
        PrepareApplication(folder.path());
        auto program = std::make_unique<Program>();
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("Database.pro")});
    }
};

int main(int argc, char** argv)
{
    if (argc > 1 && std::string_view(argv[1]) == UnprivilegedHelperFlag)
        return Helper(argc - 2, argv + 2);
    QApplication app(argc, argv);
    TstLeftFiles test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_leftfiles.moc"
