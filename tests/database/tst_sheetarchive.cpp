// The archive side of the sheet screens on its own: where each navigation move lands, what
// saving writes where, and that a failing file changes nothing it should not.
#include "archive/SheetArchive.h"
#include "storage/Records.h"
#include "support/StorageTest.h"

#include <QtTest>

#include <cstdio>
#include <cstring>

Q_DECLARE_METATYPE(IoOp)
Q_DECLARE_METATYPE(SheetMove)
Q_DECLARE_METATYPE(MoveResult::Outcome)
Q_DECLARE_METATYPE(SaveResult::Outcome)

namespace {

constexpr std::size_t S = TSchedaDatabase::Size;

TSchedaDatabase Sheet(int number)
{
    TSchedaDatabase sheet;
    sheet.Set(DatabaseField::Campo01, T(QStringLiteral("Scheda %1").arg(number)));
    sheet.Set(DatabaseField::Cliente, T(QStringLiteral("Cliente %1").arg(number)));
    sheet.Set(DatabaseField::Segnala, MarkNo);
    return sheet;
}

QByteArray Bytes(const uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

QByteArray Archive(int count, int tail = 0)
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += Bytes(Sheet(i).data(), S);
    return bytes + QByteArray(tail, '\x55');
}

SheetArchive Database() { return SheetArchive(DatabaseLayout); }

// Runs as the unprivileged user: moves to the last sheet of the archive of the given folder
// and prints the position shown (0 for none), then saves a new sheet there.
int Helper(int argc, char** argv)
{
    if (argc != 1)
        return 2;
    SetProgramFolder(argv[0]);
    const MoveResult moved = Database().Move(SheetMove::Last, NewSheet);
    std::printf("last %zu\n", moved.outcome == MoveResult::Outcome::Show ? moved.position : 0);
    const SaveResult saved = Database().Save(Sheet(9).data(), NewSheet);
    if (saved.outcome != SaveResult::Outcome::Failed)
        return 0;
    std::puts(saved.written ? "written" : "nothing written");
    return HelperRefused;
}

} // namespace

class TstSheetArchive : public QObject {
    Q_OBJECT
private slots:
    void init() { IoFaults::Reset(); }

    void moves_data()
    {
        QTest::addColumn<int>("sheets");
        QTest::addColumn<SheetMove>("move");
        QTest::addColumn<int>("from");
        QTest::addColumn<MoveResult::Outcome>("outcome");
        QTest::addColumn<int>("shown");
        QTest::addColumn<bool>("forget");
        using M = SheetMove;
        using O = MoveResult::Outcome;
        QTest::newRow("first") << 3 << M::First << 2 << O::Show << 1 << false;
        QTest::newRow("last") << 3 << M::Last << 1 << O::Show << 3 << false;
        QTest::newRow("next from a new sheet shows the first") << 3 << M::Next << 0 << O::Show << 1 << false;
        QTest::newRow("next from 1") << 3 << M::Next << 1 << O::Show << 2 << false;
        QTest::newRow("next from 2") << 3 << M::Next << 2 << O::Show << 3 << false;
        QTest::newRow("next on the last does nothing") << 3 << M::Next << 3 << O::Stay << 0 << false;
        QTest::newRow("previous from a new sheet shows the first") << 3 << M::Previous << 0 << O::Show << 1 << false;
        QTest::newRow("previous from 3") << 3 << M::Previous << 3 << O::Show << 2 << false;
        QTest::newRow("previous from 2") << 3 << M::Previous << 2 << O::Show << 1 << false;
        QTest::newRow("previous on the first does nothing") << 3 << M::Previous << 1 << O::Stay << 0 << false;
        QTest::newRow("one sheet: next from it") << 1 << M::Next << 1 << O::Stay << 0 << false;
        QTest::newRow("empty: first") << 0 << M::First << 0 << O::Empty << 0 << false;
        QTest::newRow("empty: last") << 0 << M::Last << 2 << O::Empty << 0 << false;
        QTest::newRow("empty: next forgets the position") << 0 << M::Next << 2 << O::Empty << 0 << true;
        QTest::newRow("empty: next from a new sheet") << 0 << M::Next << 0 << O::Empty << 0 << true;
        QTest::newRow("empty: previous from a new sheet") << 0 << M::Previous << 0 << O::Empty << 0 << false;
        QTest::newRow("empty: previous from 1 says nothing") << 0 << M::Previous << 1 << O::Stay << 0 << false;
        QTest::newRow("empty: previous from 2") << 0 << M::Previous << 2 << O::Empty << 0 << false;
        QTest::newRow("shortened file: next from beyond") << 3 << M::Next << 6 << O::Stay << 0 << false;
        QTest::newRow("shortened file: previous from beyond shows the last") << 3 << M::Previous << 6 << O::Show << 3
                                                                             << false;
    }
    void moves()
    {
        QFETCH(int, sheets);
        QFETCH(SheetMove, move);
        QFETCH(int, from);
        QFETCH(MoveResult::Outcome, outcome);
        QFETCH(int, shown);
        QFETCH(bool, forget);
        ProgramFolderFixture folder;
        if (sheets > 0)
            WriteBytes(folder.Path("Database.pro"), Archive(sheets, 100));
        const MoveResult moved = Database().Move(move, SheetPosition(from));
        QCOMPARE(moved.outcome, outcome);
        QCOMPARE(moved.forgetPosition, forget);
        if (outcome == MoveResult::Outcome::Show) {
            QCOMPARE(moved.position, SheetPosition(shown));
            QCOMPARE(Bytes(moved.record.data(), moved.record.size()), Bytes(Sheet(shown).data(), S));
        }
        // A move only reads: it never changes the archive file, nor creates a missing one.
        QCOMPARE(ReadBytes(folder.Path("Database.pro")), sheets > 0 ? Archive(sheets, 100) : QByteArray());
        QCOMPARE(QFile::exists(folder.Path("Database.pro")), sheets > 0);
    }

    void saves_data()
    {
        QTest::addColumn<int>("sheets");
        QTest::addColumn<int>("tail");
        QTest::addColumn<int>("at");
        QTest::addColumn<SaveResult::Outcome>("outcome");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("sheetsAfter");
        using O = SaveResult::Outcome;
        QTest::newRow("new sheet into a missing archive") << -1 << 0 << 0 << O::Appended << 1 << 1;
        QTest::newRow("new sheet into an empty archive") << 0 << 0 << 0 << O::Appended << 1 << 1;
        QTest::newRow("new sheet after three") << 3 << 0 << 0 << O::Appended << 4 << 4;
        QTest::newRow("new sheet over a partial tail") << 3 << 100 << 0 << O::Appended << 4 << 4;
        QTest::newRow("sheet 2 of 3 in place") << 3 << 0 << 2 << O::Overwritten << 2 << 3;
        QTest::newRow("last sheet in place") << 3 << 100 << 3 << O::Overwritten << 3 << 3;
        QTest::newRow("position just past a shortened file") << 3 << 0 << 4 << O::Appended << 4 << 4;
        QTest::newRow("position far past a shortened file") << 3 << 0 << 9 << O::Appended << 4 << 4;
    }
    void saves()
    {
        QFETCH(int, sheets);
        QFETCH(int, tail);
        QFETCH(int, at);
        QFETCH(SaveResult::Outcome, outcome);
        QFETCH(int, position);
        QFETCH(int, sheetsAfter);
        ProgramFolderFixture folder;
        const QString path = folder.Path("Database.pro");
        if (sheets >= 0)
            WriteBytes(path, Archive(sheets, tail));
        const qsizetype sizeBefore = QFileInfo(path).size();
        TSchedaDatabase edited = Sheet(50);
        const SaveResult saved = Database().Save(edited.data(), SheetPosition(at));
        QCOMPARE(saved.outcome, outcome);
        QVERIFY(saved.written);
        QCOMPARE(saved.position, SheetPosition(position));
        const QByteArray after = ReadBytes(path);
        // An append covers a partial tail; an overwrite leaves it.
        QCOMPARE(after.size(), qMax(qsizetype(sheetsAfter * S), sizeBefore));
        for (int i = 1; i <= sheetsAfter; ++i) {
            const QByteArray expected = i == position ? Bytes(edited.data(), S) : Bytes(Sheet(i).data(), S);
            QVERIFY2(after.mid((i - 1) * S, S) == expected, qPrintable(QStringLiteral("sheet %1").arg(i)));
        }
    }

    void failuresEndTheActionAndKeepTheFile_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<IoOp>("fault");
        QTest::addColumn<bool>("written");
        QTest::newRow("next: open") << "next" << IoOp::Open << false;
        QTest::newRow("next: count") << "next" << IoOp::Stat << false;
        QTest::newRow("next: read") << "next" << IoOp::Read << false;
        QTest::newRow("next: short read") << "next" << IoOp::ShortRead << false;
        QTest::newRow("next: close after reading") << "next" << IoOp::Close << false;
        QTest::newRow("save: open") << "save" << IoOp::Open << false;
        QTest::newRow("save: write") << "save" << IoOp::Write << false;
        QTest::newRow("save: close after writing") << "save" << IoOp::Close << true;
        QTest::newRow("duplicate: open") << "touch" << IoOp::Open << false;
        QTest::newRow("duplicate: close") << "touch" << IoOp::Close << false;
    }
    void failuresEndTheActionAndKeepTheFile()
    {
        QFETCH(QString, action);
        QFETCH(IoOp, fault);
        QFETCH(bool, written);
        ProgramFolderFixture folder;
        const QString path = folder.Path("Database.pro");
        WriteBytes(path, Archive(3));
        IoFaults::FailNext(fault);
        if (action == "next") {
            const MoveResult moved = Database().Move(SheetMove::Next, 1);
            QCOMPARE(moved.outcome, MoveResult::Outcome::Failed);
            QVERIFY(moved.record.empty());
            QVERIFY(!moved.failure.Text().empty());
        } else if (action == "save") {
            const SaveResult saved = Database().Save(Sheet(50).data(), NewSheet);
            QCOMPARE(saved.outcome, SaveResult::Outcome::Failed);
            QCOMPARE(saved.written, written);
            QCOMPARE(saved.position, SheetPosition(written ? 4 : 0));
        } else {
            QVERIFY(!Database().Touch());
        }
        IoFaults::Reset();
        const QByteArray after = ReadBytes(path);
        QCOMPARE(after.left(3 * S), Archive(3));
        QCOMPARE(after.size(), qsizetype((written ? 4 : 3) * S));
    }

    // The superuser may write any file, but a file its owner marked read-only is browsed
    // and not written, by the save and by the open of duplicating alike.
    void readOnlyArchiveIsBrowsedAndNotWritten()
    {
        ProgramFolderFixture folder;
        const QString path = folder.Path("Database.pro");
        WriteBytes(path, Archive(3));
        SetMode(path, 0444);
        const MoveResult moved = Database().Move(SheetMove::Last, NewSheet);
        QCOMPARE(moved.outcome, MoveResult::Outcome::Show);
        QCOMPARE(moved.position, SheetPosition(3));
        for (const SheetPosition at : {NewSheet, SheetPosition(2)}) {
            const SaveResult saved = Database().Save(Sheet(50).data(), at);
            QCOMPARE(saved.outcome, SaveResult::Outcome::Failed);
            QVERIFY(!saved.written);
            QVERIFY2(saved.failure.Text().ends_with("marked read-only"), saved.failure.Text().c_str());
        }
        QVERIFY(!Database().Touch());
        QCOMPARE(ReadBytes(path), Archive(3));
    }

    void touchCreatesAMissingArchiveEmpty()
    {
        ProgramFolderFixture folder;
        QVERIFY(Database().Touch());
        QVERIFY(QFile::exists(folder.Path("Database.pro")));
        QCOMPARE(QFileInfo(folder.Path("Database.pro")).size(), 0);
    }

    // What the system lets an unprivileged user read is browsed; the save is refused.
    void refusedByTheSystem_data()
    {
        QTest::addColumn<bool>("archiveExists");
        QTest::newRow("read-only archive file") << true;
        QTest::newRow("missing archive in a read-only folder") << false;
    }
    void refusedByTheSystem()
    {
        QFETCH(bool, archiveExists);
        ProgramFolderFixture folder;
        const QString path = folder.Path("Database.pro");
        if (archiveExists) {
            WriteBytes(path, Archive(2));
            SetMode(path, 0444);
            SetMode(folder.Folder(), 0755);
        } else {
            SetMode(folder.Folder(), 0555);
        }
        const HelperResult result = RunUnprivileged({folder.Folder()});
        QCOMPARE(result.exitCode, HelperRefused);
        QCOMPARE(result.output, archiveExists ? QStringLiteral("last 2\nnothing written")
                                              : QStringLiteral("last 0\nnothing written"));
        QCOMPARE(QFile::exists(path), archiveExists);
        if (archiveExists)
            QCOMPARE(ReadBytes(path), Archive(2));
    }
};

VELORBIS_TEST_MAIN_WITH_HELPER(TstSheetArchive, Helper)
#include "tst_sheetarchive.moc"
