#include "archive/SheetArchive.h"
#include "storage/Platform.h"
#include "storage/RecordFile.h"
#include "storage/Records.h"
#include "support/StorageTest.h"

#include <QtTest>

#include <sys/resource.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

namespace {
constexpr std::size_t S = TSchedaDatabase::Size;
const char* const FileName = "Database.pro";

// A record whose every byte tells its number, so that misplaced reads show.
std::vector<uint8_t> Record(int number)
{
    std::vector<uint8_t> record(S);
    for (std::size_t i = 0; i < S; ++i)
        record[i] = uint8_t(number * 7 + i % 251);
    return record;
}

QByteArray Records(int count, int tail = 0)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        const auto record = Record(i);
        bytes.append(reinterpret_cast<const char*>(record.data()), qsizetype(S));
    }
    bytes.append(QByteArray(tail, '\x7E'));
    return bytes;
}

QByteArray AsBytes(const std::vector<uint8_t>& record)
{
    return QByteArray(reinterpret_cast<const char*>(record.data()), qsizetype(record.size()));
}

// A record that says which program saved it and as which of its saves.
std::vector<uint8_t> SavedBy(char program, int save)
{
    std::vector<uint8_t> record(S, uint8_t(program));
    std::snprintf(reinterpret_cast<char*>(record.data()), S, "%c%06d", program, save);
    return record;
}

// A second program: saves `count` new sheets as the sheet screen does, each write slowed
// halfway by `pause` microseconds, and prints the position each confirmed save reported.
int AppendingProgram(char** argv)
{
    SetProgramFolder(argv[0]);
    const char program = argv[1][0];
    const int count = std::atoi(argv[2]);
    IoFaults::SlowWrites(std::chrono::microseconds(std::atoi(argv[3])));
    const SheetArchive archive(RecordLayout{FileName, S, {}});
    for (int save = 0; save < count; ++save) {
        SaveResult result = archive.Save(SavedBy(program, save).data(), NewSheet);
        // A save that found the other program holding the file for longer than the wait
        // (a heavily loaded machine) is tried again, as the user is told to; it wrote nothing.
        for (int retry = 0; retry < 20 && result.outcome != SaveResult::Outcome::Appended
             && result.failure.Cause() == platform::Cause::Busy;
             ++retry)
            result = archive.Save(SavedBy(program, save).data(), NewSheet);
        if (result.outcome != SaveResult::Outcome::Appended) {
            std::printf("failed %s\n", result.failure.Text().c_str());
            return 1;
        }
        std::printf("%d %zu\n", save, result.position);
    }
    return 0;
}

// Runs as the unprivileged user: opens the record file ("read": as an action that only
// reads, "write": as a save) and counts it.
int Helper(int argc, char** argv)
{
    if (argc == 5 && std::string_view(argv[0]) == "append")
        return AppendingProgram(argv + 1);
    if (argc != 3)
        return 2;
    SetProgramFolder(argv[0]);
    try {
        TRecordFile file(RecordLayout{argv[1], S, {}});
        if (std::string_view(argv[2]) == "write")
            file.OpenForWriting();
        else
            file.Open();
        file.Count();
        file.Close();
        return 0;
    } catch (const FileFailure& error) {
        std::puts(error.what());
        return HelperRefused;
    }
}
} // namespace

class TstRecordFile : public QObject {
    Q_OBJECT
private slots:
    void missingFileIsCreatedEmptyForWriting()
    {
        ProgramFolderFixture folder;
        TRecordFile file(DatabaseLayout);
        file.OpenForWriting();
        QCOMPARE(file.Count(), std::size_t(0));
        file.Close();
        QVERIFY(QFile::exists(folder.Path(FileName)));
        QCOMPARE(QFileInfo(folder.Path(FileName)).size(), 0);
    }

    // An action that only reads finds a missing archive empty and leaves no file behind.
    void missingFileReadsAsEmptyAndStaysMissing()
    {
        ProgramFolderFixture folder;
        TRecordFile file(DatabaseLayout);
        file.Open();
        QVERIFY(file.IsOpen());
        QCOMPARE(file.Count(), std::size_t(0));
        RecordScanner scanner(file);
        QVERIFY(scanner.Next() == nullptr);
        std::vector<uint8_t> read(S);
        QVERIFY_THROWS_EXCEPTION(FileFailure, file.ReadAt(0, read.data()));
        QVERIFY_THROWS_EXCEPTION(FileFailure, file.WriteAt(0, Record(1).data()));
        file.Close();
        QVERIFY(!file.IsOpen());
        QVERIFY_THROWS_EXCEPTION(FileFailure, file.Count());
        QVERIFY(!QFile::exists(folder.Path(FileName)));
    }

    // A file opened for reading refuses every write, and the file stays as it was.
    void fileOpenForReadingRefusesWrites()
    {
        ProgramFolderFixture folder;
        WriteBytes(folder.Path(FileName), Records(2));
        TRecordFile file(DatabaseLayout);
        file.Open();
        QCOMPARE(file.Count(), std::size_t(2));
        try {
            file.WriteAt(0, Record(9).data());
            QFAIL("WriteAt succeeded");
        } catch (const FileFailure& error) {
            QVERIFY2(QString(error.what()).startsWith("write ") && QString(error.what()).endsWith("reading only"),
                     error.what());
        }
        QVERIFY_THROWS_EXCEPTION(FileFailure, file.Append(Record(9).data()));
        file.Close();
        QCOMPARE(ReadBytes(folder.Path(FileName)), Records(2));
    }

    void tailIsNotARecordAndAppendGoesAtCount()
    {
        ProgramFolderFixture folder;
        WriteBytes(folder.Path(FileName), Records(3, 100));
        TRecordFile file(DatabaseLayout);
        file.OpenForWriting();
        QCOMPARE(file.Count(), std::size_t(3));
        const auto appended = Record(42);
        file.WriteAt(3, appended.data());
        QCOMPARE(file.Count(), std::size_t(4));
        file.Close();
        const QByteArray bytes = ReadBytes(folder.Path(FileName));
        QCOMPARE(bytes.size(), qsizetype(4 * S));
        QCOMPARE(bytes.left(3 * S), Records(3));
        QCOMPARE(bytes.mid(3 * S), AsBytes(appended));
    }

    void overwriteKeepsCountAndNeighbours()
    {
        ProgramFolderFixture folder;
        TRecordFile file(DatabaseLayout);
        file.OpenForWriting();
        for (int i = 0; i < 3; ++i)
            file.WriteAt(std::size_t(i), Record(i).data());
        const auto replacement = Record(99);
        file.WriteAt(1, replacement.data());
        QCOMPARE(file.Count(), std::size_t(3));
        std::vector<uint8_t> read(S);
        file.ReadAt(1, read.data());
        QVERIFY(read == replacement);
        file.ReadAt(2, read.data());
        QVERIFY(read == Record(2));
        file.Close();
        QCOMPARE(QFileInfo(folder.Path(FileName)).size(), qint64(3 * S));
    }

    void recordsSurviveReopening()
    {
        ProgramFolderFixture folder;
        {
            TRecordFile file(DatabaseLayout);
            file.OpenForWriting();
            file.WriteAt(0, Record(5).data());
        } // the destructor closes
        TRecordFile file(DatabaseLayout);
        file.Open();
        QCOMPARE(file.Count(), std::size_t(1));
        std::vector<uint8_t> read(S);
        file.ReadAt(0, read.data());
        QVERIFY(read == Record(5));
        file.Close();
        file.Close(); // closing twice is harmless
    }

    void writeBeyondTheEndFails()
    {
        ProgramFolderFixture folder;
        WriteBytes(folder.Path(FileName), Records(2));
        TRecordFile file(DatabaseLayout);
        file.OpenForWriting();
        QVERIFY_THROWS_EXCEPTION(FileFailure, file.WriteAt(3, Record(9).data()));
        file.Close();
        QCOMPARE(ReadBytes(folder.Path(FileName)), Records(2));
    }

    void shortReadFails_data()
    {
        QTest::addColumn<int>("tail");
        QTest::addColumn<int>("index");
        QTest::newRow("partial tail record") << 100 << 3;
        QTest::newRow("past the end") << 0 << 3;
        QTest::newRow("far past the end") << 0 << 1000;
    }
    void shortReadFails()
    {
        QFETCH(int, tail);
        QFETCH(int, index);
        ProgramFolderFixture folder;
        WriteBytes(folder.Path(FileName), Records(3, tail));
        TRecordFile file(DatabaseLayout);
        file.Open();
        std::vector<uint8_t> read(S);
        QVERIFY_THROWS_EXCEPTION(FileFailure, file.ReadAt(std::size_t(index), read.data()));
    }

    void closedFileRefusesWork()
    {
        ProgramFolderFixture folder;
        TRecordFile file(DatabaseLayout);
        std::vector<uint8_t> read(S);
        QVERIFY_THROWS_EXCEPTION(FileFailure, file.Count());
        QVERIFY_THROWS_EXCEPTION(FileFailure, file.ReadAt(0, read.data()));
        QVERIFY_THROWS_EXCEPTION(FileFailure, file.WriteAt(0, read.data()));
        QVERIFY(!QFile::exists(folder.Path(FileName)));
    }

    void errorNamesOperationAndReason()
    {
        ProgramFolderFixture folder;
        IoFaults::FailNext(IoOp::Open);
        WriteBytes(folder.Path(FileName), Records(1));
        TRecordFile file(DatabaseLayout);
        try {
            file.Open();
            QFAIL("Open succeeded");
        } catch (const FileFailure& error) {
            const QString what = error.what();
            QVERIFY2(what.startsWith("open ") && what.contains(FileName) && what.contains(std::strerror(EIO)),
                     qPrintable(what));
        }
    }

    // Each failure throws and leaves the records on disk as they were.
    void injectedFault_data()
    {
        QTest::addColumn<int>("op");
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<bool>("forWriting");
        QTest::newRow("open existing") << int(IoOp::Open) << "open" << true << false;
        QTest::newRow("open existing for writing") << int(IoOp::Open) << "open" << true << true;
        QTest::newRow("create missing") << int(IoOp::Create) << "open" << false << true;
        QTest::newRow("count") << int(IoOp::Stat) << "count" << true << false;
        QTest::newRow("read") << int(IoOp::Read) << "read" << true << false;
        QTest::newRow("short read") << int(IoOp::ShortRead) << "read" << true << false;
        QTest::newRow("overwrite") << int(IoOp::Write) << "overwrite" << true << true;
        QTest::newRow("append") << int(IoOp::Write) << "append" << true << true;
        QTest::newRow("close after reading") << int(IoOp::Close) << "close" << true << false;
        QTest::newRow("close after writing") << int(IoOp::Close) << "close" << true << true;
    }
    void injectedFault()
    {
        QFETCH(int, op);
        QFETCH(QString, action);
        QFETCH(bool, fileExists);
        QFETCH(bool, forWriting);
        ProgramFolderFixture folder;
        const QByteArray original = Records(3, 10);
        if (fileExists)
            WriteBytes(folder.Path(FileName), original);
        std::optional<TRecordFile> file(std::in_place, DatabaseLayout);
        auto open = [&] { forWriting ? file->OpenForWriting() : file->Open(); };
        if (action != "open")
            open();
        IoFaults::FailNext(static_cast<IoOp>(op));
        std::vector<uint8_t> record = Record(77);
        if (action == "open")
            QVERIFY_THROWS_EXCEPTION(FileFailure, open());
        else if (action == "count")
            QVERIFY_THROWS_EXCEPTION(FileFailure, file->Count());
        else if (action == "read")
            QVERIFY_THROWS_EXCEPTION(FileFailure, file->ReadAt(1, record.data()));
        else if (action == "overwrite")
            QVERIFY_THROWS_EXCEPTION(FileFailure, file->WriteAt(1, record.data()));
        else if (action == "append")
            QVERIFY_THROWS_EXCEPTION(FileFailure, file->WriteAt(3, record.data()));
        else if (action == "close")
            QVERIFY_THROWS_EXCEPTION(FileFailure, file->Close());
        if (action == "close")
            QVERIFY(!file->IsOpen());
        file.reset(); // the destructor closes silently whatever state the failure left
        QCOMPARE(QFile::exists(folder.Path(FileName)), fileExists);
        if (fileExists)
            QCOMPARE(ReadBytes(folder.Path(FileName)), original);
    }

    // A failed flush is reported although the bytes reached the file; the other records
    // and the file's length stay as they were.
    void flushFailureIsReported()
    {
        ProgramFolderFixture folder;
        WriteBytes(folder.Path(FileName), Records(3));
        TRecordFile file(DatabaseLayout);
        file.OpenForWriting();
        IoFaults::FailNext(IoOp::Flush);
        QVERIFY_THROWS_EXCEPTION(FileFailure, file.WriteAt(1, Record(50).data()));
        file.Close();
        const QByteArray bytes = ReadBytes(folder.Path(FileName));
        QCOMPARE(bytes.size(), qsizetype(3 * S));
        QCOMPARE(bytes.left(S), Records(1));
        QCOMPARE(bytes.mid(2 * S), Records(3).mid(2 * S));
    }

    void faultFiresOnlyAfterSkippedOperations()
    {
        ProgramFolderFixture folder;
        TRecordFile file(DatabaseLayout);
        file.OpenForWriting();
        IoFaults::FailNext(IoOp::Write, 2);
        file.WriteAt(0, Record(0).data());
        file.WriteAt(1, Record(1).data());
        QVERIFY_THROWS_EXCEPTION(FileFailure, file.WriteAt(2, Record(2).data()));
        file.WriteAt(2, Record(2).data()); // once only
        QCOMPARE(file.Count(), std::size_t(3));
    }

    // Two programs saving new sheets into one archive at the same time, with writes as slow
    // as on a network share: every save they confirmed is in the file exactly once, at the
    // position it reported.
    void twoProgramsAppendingLoseNoSave()
    {
        ProgramFolderFixture folder;
        WriteBytes(folder.Path(FileName), Records(2, 30)); // a tail the first append covers
        constexpr int Saves = 60;
        QProcess first, second;
        StartHelper(first, {"append", folder.Folder(), "A", QString::number(Saves), "2000"});
        StartHelper(second, {"append", folder.Folder(), "B", QString::number(Saves), "2000"});
        std::map<QByteArray, std::size_t> reported; // record tag -> position
        for (QProcess* program : {&first, &second}) {
            QVERIFY2(program->waitForFinished(120000), "a saving program did not finish");
            const QByteArray output = program->readAllStandardOutput();
            QVERIFY2(program->exitStatus() == QProcess::NormalExit && program->exitCode() == 0, output.constData());
            const char tag = program == &first ? 'A' : 'B';
            for (const QByteArray& line : output.split('\n')) {
                const QList<QByteArray> parts = line.split(' ');
                if (parts.size() != 2)
                    continue;
                const auto record = SavedBy(tag, parts[0].toInt());
                reported[QByteArray(reinterpret_cast<const char*>(record.data()), 7)] = parts[1].toULongLong();
            }
        }
        QCOMPARE(reported.size(), std::size_t(2 * Saves));
        const QByteArray bytes = ReadBytes(folder.Path(FileName));
        QCOMPARE(bytes.size(), qsizetype((2 + 2 * Saves) * S));
        QCOMPARE(bytes.left(2 * S), Records(2));
        std::map<QByteArray, int> found;
        for (std::size_t index = 2; index < std::size_t(2 + 2 * Saves); ++index) {
            const QByteArray record = bytes.mid(qsizetype(index * S), qsizetype(S));
            const QByteArray tag = record.left(7);
            ++found[tag];
            QVERIFY2(reported.contains(tag), tag.constData());
            QCOMPARE(reported[tag], index + 1);
            const auto expected = SavedBy(tag[0], tag.mid(1).toInt());
            QCOMPARE(record, AsBytes(expected));
        }
        QCOMPARE(found.size(), std::size_t(2 * Saves));
    }

    // Two opens of one file take turns for their saves, as two programs do: the second
    // waits while the first holds the save lock and appends after it.
    void secondOpenAppendsAfterTheFirst()
    {
        ProgramFolderFixture folder;
        TRecordFile first(RecordLayout{FileName, S, {}}), second(RecordLayout{FileName, S, {}});
        first.OpenForWriting();
        second.OpenForWriting();
        QCOMPARE(first.Append(Record(1).data()), std::size_t(0));
        QCOMPARE(second.Append(Record(2).data()), std::size_t(1));
        QCOMPARE(first.Append(Record(3).data()), std::size_t(2));
        first.Close();
        second.Close();
        QCOMPARE(ReadBytes(folder.Path(FileName)), AsBytes(Record(1)) + AsBytes(Record(2)) + AsBytes(Record(3)));
    }

    // A full disk (here the system's file-size limit, which cuts the write short the same
    // way) or a failed flush during an append: the file goes back to its former length and a
    // later append lands where the failed one would have.
    void failedAppendLeavesFormerLength_data()
    {
        QTest::addColumn<int>("tail");
        QTest::addColumn<bool>("diskFull");
        QTest::newRow("disk full midway") << 0 << true;
        QTest::newRow("disk full, after a tail") << 100 << true;
        QTest::newRow("flush fails") << 0 << false;
    }
    void failedAppendLeavesFormerLength()
    {
        QFETCH(int, tail);
        QFETCH(bool, diskFull);
        ProgramFolderFixture folder;
        const QByteArray original = Records(3, tail);
        WriteBytes(folder.Path(FileName), original);
        const SheetArchive archive(RecordLayout{FileName, S, {}});
        SaveResult result;
        if (diskFull) {
            struct rlimit before {};
            QCOMPARE(::getrlimit(RLIMIT_FSIZE, &before), 0);
            struct rlimit full = before;
            full.rlim_cur = 3 * S + 1420;
            const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
            QCOMPARE(::setrlimit(RLIMIT_FSIZE, &full), 0);
            result = archive.Save(Record(9).data(), NewSheet);
            ::setrlimit(RLIMIT_FSIZE, &before);
            std::signal(SIGXFSZ, previousHandler);
        } else {
            IoFaults::FailNext(IoOp::Flush);
            result = archive.Save(Record(9).data(), NewSheet);
        }
        QCOMPARE(result.outcome, SaveResult::Outcome::Failed);
        QVERIFY(!result.written);
        const QByteArray after = ReadBytes(folder.Path(FileName));
        QCOMPARE(after.size(), original.size());
        QCOMPARE(after.left(3 * S), original.left(3 * S));

        result = archive.Save(Record(10).data(), NewSheet);
        QCOMPARE(result.outcome, SaveResult::Outcome::Appended);
        QCOMPARE(result.position, SheetPosition(4));
        QCOMPARE(ReadBytes(folder.Path(FileName)), Records(3) + AsBytes(Record(10)));
    }

    // A file marked read-only is read as any other, and refused for writing to the superuser
    // too, exactly as the system refuses it to any other user (see unprivilegedOpen); it
    // stays as it was.
    void readOnlyFileIsReadButRefusedForWriting()
    {
        ProgramFolderFixture folder;
        const QByteArray original = Records(2, 5);
        WriteBytes(folder.Path(FileName), original);
        SetMode(folder.Path(FileName), 0444);
        TRecordFile file(RecordLayout{FileName, S, {}});
        file.Open();
        QCOMPARE(file.Count(), std::size_t(2));
        std::vector<uint8_t> read(S);
        file.ReadAt(1, read.data());
        QVERIFY(read == Record(1));
        file.Close();
        try {
            file.OpenForWriting();
            QFAIL("a read-only file was opened for writing");
        } catch (const FileFailure& error) {
            QVERIFY2(QString(error.what()).endsWith("marked read-only"), error.what());
        }
        const SaveResult saved = SheetArchive(RecordLayout{FileName, S, {}}).Save(Record(7).data(), NewSheet);
        QCOMPARE(saved.outcome, SaveResult::Outcome::Failed);
        QVERIFY(!saved.written);
        const SaveResult overwritten = SheetArchive(RecordLayout{FileName, S, {}}).Save(Record(7).data(), 1);
        QCOMPARE(overwritten.outcome, SaveResult::Outcome::Failed);
        QCOMPARE(ReadBytes(folder.Path(FileName)), original);
    }

    // Something else under the archive's name is refused at once: never waited on, never
    // replaced.
    void notARegularFileIsRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("named pipe") << "pipe";
        QTest::newRow("folder") << "folder";
    }
    void notARegularFileIsRefused()
    {
        QFETCH(QString, kind);
        ProgramFolderFixture folder;
        MakeUnusableFile(folder.Path(FileName), kind);
        TRecordFile file(RecordLayout{FileName, S, {}});
        QVERIFY_THROWS_EXCEPTION(FileFailure, file.Open());
        QVERIFY_THROWS_EXCEPTION(FileFailure, file.OpenForWriting());
        QCOMPARE(SheetArchive(RecordLayout{FileName, S, {}}).Save(Record(1).data(), NewSheet).outcome, SaveResult::Outcome::Failed);
        QVERIFY(StillUnusable(folder.Path(FileName), kind));
    }

    // The operating system's own refusals, seen by an unprivileged user: reading needs only
    // the right to read; writing, the right to write the file (or to create it).
    void unprivilegedOpen_data()
    {
        QTest::addColumn<uint>("folderMode");
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<uint>("fileMode");
        QTest::addColumn<QString>("access");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<bool>("created");
        QTest::newRow("writable file") << 0777u << true << 0666u << "write" << true << false;
        QTest::newRow("missing file, writable folder") << 0777u << false << 0u << "write" << true << true;
        QTest::newRow("missing file, writable folder, reading") << 0777u << false << 0u << "read" << true << false;
        QTest::newRow("read-only file") << 0777u << true << 0444u << "write" << false << false;
        QTest::newRow("read-only file, reading") << 0777u << true << 0444u << "read" << true << false;
        QTest::newRow("file of another user") << 0777u << true << 0644u << "write" << false << false;
        QTest::newRow("file of another user, reading") << 0755u << true << 0644u << "read" << true << false;
        QTest::newRow("unreadable file of another user") << 0755u << true << 0600u << "read" << false << false;
        QTest::newRow("missing file, read-only folder") << 0555u << false << 0u << "write" << false << false;
        QTest::newRow("missing file, read-only folder, reading") << 0555u << false << 0u << "read" << true << false;
    }
    void unprivilegedOpen()
    {
        QFETCH(uint, folderMode);
        QFETCH(bool, fileExists);
        QFETCH(uint, fileMode);
        QFETCH(QString, access);
        QFETCH(bool, opens);
        QFETCH(bool, created);
        if (::geteuid() != 0 && QByteArray(QTest::currentDataTag()).contains("of another user"))
            QSKIP("needs root to hand the file to another user");
        ProgramFolderFixture folder;
        const QByteArray original = Records(2, 5);
        if (fileExists) {
            WriteBytes(folder.Path(FileName), original);
            SetMode(folder.Path(FileName), fileMode);
        }
        SetMode(folder.Folder(), folderMode);
        const HelperResult result = RunUnprivileged({folder.Folder(), FileName, access});
        QCOMPARE(result.exitCode, opens ? 0 : HelperRefused);
        if (fileExists)
            QCOMPARE(ReadBytes(folder.Path(FileName)), original);
        else
            QCOMPARE(QFile::exists(folder.Path(FileName)), created);
    }

    void scannerReturnsEveryRecordInOrder_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("tail");
        QTest::addColumn<int>("blockBytes");
        QTest::newRow("empty file") << 0 << 0 << int(4 << 20);
        QTest::newRow("only a tail") << 0 << 50 << int(4 << 20);
        QTest::newRow("one record") << 1 << 0 << int(4 << 20);
        QTest::newRow("blocks of three, last one short") << 10 << 30 << int(3 * S + 1);
        QTest::newRow("block smaller than a record") << 4 << 0 << 100;
        QTest::newRow("exact blocks") << 9 << 0 << int(3 * S);
        QTest::newRow("many in one block") << 300 << 17 << int(4 << 20);
    }
    void scannerReturnsEveryRecordInOrder()
    {
        QFETCH(int, records);
        QFETCH(int, tail);
        QFETCH(int, blockBytes);
        ProgramFolderFixture folder;
        WriteBytes(folder.Path(FileName), Records(records, tail));
        TRecordFile file(DatabaseLayout);
        file.Open();
        RecordScanner scanner(file, std::size_t(blockBytes));
        QCOMPARE(scanner.Count(), std::size_t(records));
        int seen = 0;
        while (const uint8_t* record = scanner.Next()) {
            QCOMPARE(scanner.Index(), std::size_t(seen));
            QVERIFY(std::memcmp(record, Record(seen).data(), S) == 0);
            ++seen;
        }
        QCOMPARE(seen, records);
        QVERIFY(scanner.Next() == nullptr);
    }

    void scannerReportsFailedRead()
    {
        ProgramFolderFixture folder;
        WriteBytes(folder.Path(FileName), Records(10));
        TRecordFile file(DatabaseLayout);
        file.Open();
        RecordScanner scanner(file, 4 * S);
        for (int i = 0; i < 4; ++i)
            QVERIFY(scanner.Next() != nullptr);
        IoFaults::FailNext(IoOp::ShortRead);
        QVERIFY_THROWS_EXCEPTION(FileFailure, scanner.Next());
    }

    void scannerDecodesFieldsInPlace()
    {
        ProgramFolderFixture folder;
        TRecordFile file(DatabaseLayout);
        file.OpenForWriting();
        for (int i = 0; i < 5; ++i) {
            TSchedaDatabase sheet;
            sheet.Set(DatabaseField::Cliente, (u"Cliente " + std::u16string(1, char16_t(u'A' + i))));
            file.WriteAt(std::size_t(i), sheet.data());
        }
        RecordScanner scanner(file);
        QStringList names;
        while (const uint8_t* record = scanner.Next())
            names << Q(TSchedaDatabase::Decode(record, DatabaseField::Cliente));
        QCOMPARE(names, QStringList({"Cliente A", "Cliente B", "Cliente C", "Cliente D", "Cliente E"}));
    }
};

VELORBIS_TEST_MAIN_WITH_HELPER(TstRecordFile, Helper)
#include "tst_recordfile.moc"
