// The export's data and file: the grid's table read from Database.pro and Database.xls
// written from it, byte for byte.

#include "support/StorageTest.h"
#include "support/StoredRecords.h"

#include "database/DatabaseExport.h"
#include "archive/SpreadsheetExport.h"
#include "storage/RecordFile.h"
#include "storage/Records.h"

#include <QDir>
#include <QRegularExpression>

#include <cstring>

namespace {

using F = DatabaseField;

const QString ExportName = QStringLiteral("Database.xls");

std::size_t GridColumn(const char* name)
{
    const auto& grid = DatabaseExport().grid;
    for (std::size_t i = 0; i < grid.size(); ++i)
        if (grid[i].name == name)
            return i;
    qFatal("no grid column %s", name);
}

// Writes a field's bytes as another program might: length byte and text as given.
void SetRawLength(TSchedaDatabase& sheet, F field, uint8_t length, std::string_view bytes)
{
    const FieldSpec& fieldSpec = TSchedaDatabase::FieldSpecOf(field);
    sheet.data()[fieldSpec.offset] = length;
    std::memcpy(sheet.data() + fieldSpec.offset + 1, bytes.data(), std::min<std::size_t>(bytes.size(), fieldSpec.width));
}

// Three sheets: one with only its first field, one with accents, the euro sign, a field stored
// with blanks around it and a length byte beyond the field's width, one with markup characters.
std::vector<TSchedaDatabase> ThreeSheets()
{
    TSchedaDatabase rossi;
    rossi.Set(F::Campo01, u"Rossi");

    TSchedaDatabase bianchi;
    bianchi.Set(F::Campo01, u"Caffè Perù");
    bianchi.Set(F::Campo02, u"Prezzo 5 €");
    bianchi.Set(F::Campo03, u"Città");
    bianchi.Set(F::Campo07, u"Nota lunga con àèéìòù");
    bianchi.Set(F::Campo14, u"ultima");
    bianchi.Set(F::Cliente, u"Bianchi Maria Grazia");
    SetRawLength(bianchi, F::IndirizzoRes, 14, "  Via Roma 1  ");
    bianchi.Set(F::ComuneRes, u"Città di Castello");
    SetRawLength(bianchi, F::ProvRes, 5, "MI");
    bianchi.Set(F::Email, u"m.bianchi@esempio.it");
    bianchi.Set(F::Recapito, u"075 1234567");
    bianchi.Set(F::CodFisc, u"BNCMGR70A41C745X");
    bianchi.Set(F::PartitaIva, u"01234567890");
    bianchi.Set(F::Google, u"caffè perù «qualità»");
    bianchi.Set(F::Web, u"www.esempio.it");
    bianchi.Set(F::Segnala, MarkYes);

    TSchedaDatabase verdi;
    verdi.Set(F::Campo01, u"Ditta");
    verdi.Set(F::Campo03, u"a<b c");
    verdi.Set(F::Campo04, u"<b>bold</b>");
    verdi.Set(F::Campo05, u"x > y");
    verdi.Set(F::Cliente, u"Verdi & Figli");
    verdi.Set(F::Google, u"R&D");
    verdi.Set(F::Web, u"https://esempio.it/?a=1&b=2");
    verdi.Set(F::Segnala, MarkNo);
    return {rossi, bianchi, verdi};
}

QByteArray ExpectedThreeSheets()
{
    return ReadBytes(QStringLiteral(VELORBIS_SOURCE_DIR "/tests/database/data/Database_tre_schede.xls"));
}

// The data cells of the file's rows, each row as a list of cell texts (as written).
QList<QStringList> DataRows(const QByteArray& file)
{
    static const QRegularExpression row(QStringLiteral("<tr>(.*?)</tr>"));
    static const QRegularExpression cell(QStringLiteral("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">(.*?)</td>"));
    QList<QStringList> rows;
    const QString text = QString::fromLatin1(file);
    for (const auto& r : row.globalMatch(text)) {
        QStringList cells;
        for (const auto& c : cell.globalMatch(r.captured(1)))
            cells.append(c.captured(1));
        if (!cells.isEmpty())
            rows.append(cells);
    }
    return rows;
}

// Remembers every report of a long piece of work.
class RecordedProgress final : public Progress {
public:
    void Reached(std::size_t done, std::size_t total) override { steps.push_back({done, total}); }
    std::vector<std::pair<std::size_t, std::size_t>> steps;
};

// A helper run as an unprivileged user: exports the archive of the folder given.
int Helper(int argc, char** argv)
{
    if (argc < 1)
        return 2;
    SetProgramFolder(argv[0]);
    ExportTable table(DatabaseExport());
    try {
        table.Load();
    } catch (const FileFailure&) {
        return 4;
    }
    try {
        WriteSpreadsheet(table);
    } catch (const FileFailure&) {
        return HelperRefused;
    }
    return 0;
}

} // namespace

class TstExportFile : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFolderFixture> folder;

    QString ExportPath() const { return folder->Path(ExportName); }
    QByteArray Export(ExportTable* loaded = nullptr)
    {
        ExportTable table(DatabaseExport());
        ExportTable& used = loaded ? *loaded : table;
        if (!loaded)
            used.Load();
        WriteSpreadsheet(used);
        return ReadBytes(ExportPath());
    }
    QStringList FilesInFolder() const
    {
        return QDir(folder->Folder()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

private slots:
    void init() { folder = std::make_unique<ProgramFolderFixture>(); }
    void cleanup() { folder.reset(); }

    void threeSheetsAreWrittenByteForByte()
    {
        WriteRecords<DatabaseLayout>(ThreeSheets());
        const QByteArray expected = ExpectedThreeSheets();
        QVERIFY(!expected.isEmpty());
        const QByteArray written = Export();
        QCOMPARE(written, expected);
        QVERIFY(!written.contains('\n') && !written.contains('\r'));
        // Exporting again replaces the file with the same bytes; no temporary file is left.
        QCOMPARE(Export(), expected);
        QCOMPARE(FilesInFolder(), (QStringList{QStringLiteral("Database.pro"), ExportName}));
    }

    void theTableHoldsOneTrimmedRowPerSheet()
    {
        WriteRecords<DatabaseLayout>(ThreeSheets(), QByteArray(100, 'x')); // a tail shorter than a record is no sheet
        ExportTable table(DatabaseExport());
        table.Load();
        QCOMPARE(table.RowCount(), std::size_t(3));
        QCOMPARE(table.ColumnCount(), std::size_t(25));
        QCOMPARE(Q(table.Cell(0, GridColumn("colCampo01"))), QStringLiteral("Rossi"));
        QCOMPARE(Q(table.Cell(0, GridColumn("colSegnala"))), QString());
        QCOMPARE(Q(table.Cell(1, GridColumn("colCampo02"))), QStringLiteral("Prezzo 5 €"));
        QCOMPARE(Q(table.Cell(1, GridColumn("colIndirizzoRes"))), QStringLiteral("Via Roma 1"));
        QCOMPARE(Q(table.Cell(1, GridColumn("colProvRes"))), QStringLiteral("MI"));
        QCOMPARE(Q(table.Cell(1, GridColumn("colSegnala"))), QStringLiteral("Sì"));
        QCOMPARE(Q(table.Cell(2, GridColumn("colCampo04"))), QStringLiteral("<b>bold</b>"));
        QCOMPARE(Q(table.Cell(2, GridColumn("colCliente"))), QStringLiteral("Verdi & Figli"));
    }

    void anEmptyOrMissingArchiveGivesOnlyTheTitleRow_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::newRow("missing: created empty") << false;
        QTest::newRow("empty") << true;
    }
    void anEmptyOrMissingArchiveGivesOnlyTheTitleRow()
    {
        QFETCH(bool, exists);
        if (exists)
            WriteRecords<DatabaseLayout>({});
        ExportTable table(DatabaseExport());
        table.Load();
        QCOMPARE(table.RowCount(), std::size_t(0));
        QCOMPARE(QFileInfo(folder->Path(QStringLiteral("Database.pro"))).size(), 0);
        const QByteArray written = Export(&table);
        const QByteArray expected = ExpectedThreeSheets();
        const qsizetype firstRow = expected.indexOf("<tr><td style=\"text-align: left;\" sdnum=\"1040;0;@\">");
        QCOMPARE(written, expected.left(firstRow) + "</table></body></html>");
    }

    void theFileHasItsOwnColumnOrderTitlesAndWidths()
    {
        TSchedaDatabase sheet;
        for (const FieldSpec& fieldSpec : TSchedaDatabase::Fields())
            sheet.Set(static_cast<F>(&fieldSpec - TSchedaDatabase::Fields().data()), Text(fieldSpec.name, fieldSpec.name + std::strlen(fieldSpec.name)));
        WriteRecords<DatabaseLayout>({sheet});
        const QByteArray written = Export();

        static const QRegularExpression title(
            QStringLiteral("<td style=\"text-align: left; font-weight: bold;\" width=(\\d+)>(.*?)</td>"));
        QStringList titles;
        for (const auto& match : title.globalMatch(QString::fromLatin1(written)))
            titles.append(match.captured(2) + u'/' + match.captured(1));
        QStringList expectedTitles;
        for (int i = 1; i <= 14; ++i)
            expectedTitles.append(QStringLiteral("Campo %1/250").arg(i));
        expectedTitles += QStringList{
            "Cognome e nome/250", "Via e numero civico/250", "Comune di residenza/250", "Prov/150", "E-mail/250",
            "Recapito preferenziale/250", "Codice fiscale/250", "Partita IVA/250", "Filtri ricerca con Google/250",
            "Sito Internet/250", "Segnalato/150"};
        QCOMPARE(titles, expectedTitles);

        // Every field but the attachments, in the file's order: e-mail before the contact.
        QStringList expectedCells;
        for (int i = 1; i <= 14; ++i)
            expectedCells.append(QStringLiteral("Campo%1").arg(i, 2, 10, QLatin1Char('0')));
        expectedCells += QStringList{"Cliente", "IndirizzoRes", "ComuneRes", "Pr", "Email", "Recapito", "CodFisc",
                                     "PartitaIva", "Google", "Web", "Se"};
        QCOMPARE(DataRows(written), QList<QStringList>{expectedCells});
    }

    void editedCellsAreWrittenTrimmedAndTheArchiveStaysAsItWas_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written"); // the cell as it stands in the file, Latin-1 for the test

        QTest::newRow("partita IVA, blanks around") << "colPartitaIva" << "  98765432109 " << "98765432109";
        QTest::newRow("emptied") << "colCampo01" << "" << "";
        QTest::newRow("euro and accents") << "colComuneRes" << "Forlì 10 €" << QString::fromLatin1("Forl\xEC 10 \x80");
        QTest::newRow("markup") << "colWeb" << "<a href=x>&</a>" << "&lt;a href=x&gt;&amp;&lt;/a&gt;";
        QTest::newRow("outside the code page") << "colGoogle" << "Łódź 東京 😀" << QString::fromLatin1("&#321;\xF3" "d&#378; &#26481;&#20140; &#128512;");
        QTest::newRow("line breaks inside") << "colSegnala" << "S\r\nì" << QString::fromLatin1("S&#13;&#10;\xEC");
    }
    void editedCellsAreWrittenTrimmedAndTheArchiveStaysAsItWas()
    {
        QFETCH(QString, column);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        WriteRecords<DatabaseLayout>(ThreeSheets());
        const QByteArray archive = ReadBytes(folder->Path(QStringLiteral("Database.pro")));

        ExportTable table(DatabaseExport());
        table.Load();
        const std::size_t index = GridColumn(column.toLatin1().constData());
        QVERIFY(table.IsEditable(index));
        const QString original = Q(table.Cell(1, index));
        table.SetCell(1, index, T(typed));
        QCOMPARE(Q(table.Cell(1, index)), typed); // the grid shows it as typed
        const QByteArray file = Export(&table);

        const qsizetype fileColumn = [&] {
            const auto& columns = DatabaseExport().file;
            for (std::size_t i = 0; i < columns.size(); ++i)
                if (QString::fromStdString(columns[i].gridColumn) == column)
                    return qsizetype(i);
            return qsizetype(-1);
        }();
        const QList<QStringList> rows = DataRows(file);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[1][fileColumn], written);
        // Only that cell changed.
        QList<QStringList> expected = DataRows(ExpectedThreeSheets());
        expected[1][fileColumn] = written;
        QCOMPARE(rows, expected);

        QCOMPARE(ReadBytes(folder->Path(QStringLiteral("Database.pro"))), archive);
        table.Load(); // showing the export again shows the archive's value
        QCOMPARE(Q(table.Cell(1, index)), original);
    }

    void aFailedWriteLeavesTheEarlierFileAndNoTemporaryFile_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<unsigned>("skip");
        QTest::newRow("opening the existing file") << int(IoOp::Open) << 0u;
        QTest::newRow("creating the new file") << int(IoOp::Create) << 0u;
        QTest::newRow("first write") << int(IoOp::Write) << 0u;
        QTest::newRow("a later write") << int(IoOp::Write) << 1u;
        QTest::newRow("making it durable") << int(IoOp::Flush) << 0u;
        QTest::newRow("closing") << int(IoOp::Close) << 0u;
        QTest::newRow("putting it in place") << int(IoOp::Rename) << 0u;
    }
    void aFailedWriteLeavesTheEarlierFileAndNoTemporaryFile()
    {
        QFETCH(int, operation);
        QFETCH(unsigned, skip);
        // Enough sheets for the file to be written in several blocks.
        std::vector<TSchedaDatabase> sheets(2000, ThreeSheets()[1]);
        WriteRecords<DatabaseLayout>(sheets);
        const QByteArray earlier("earlier export");
        WriteBytes(ExportPath(), earlier);

        ExportTable table(DatabaseExport());
        table.Load();
        IoFaults::FailNext(static_cast<IoOp>(operation), skip);
        QVERIFY_THROWS_EXCEPTION(FileFailure, WriteSpreadsheet(table));
        IoFaults::Reset();
        QCOMPARE(ReadBytes(ExportPath()), earlier);
        QCOMPARE(FilesInFolder(), (QStringList{QStringLiteral("Database.pro"), ExportName}));
    }

    void aFolderInPlaceOfTheFileIsNotReplaced()
    {
        WriteRecords<DatabaseLayout>(ThreeSheets());
        QVERIFY(QDir(folder->Folder()).mkdir(ExportName));
        ExportTable table(DatabaseExport());
        table.Load();
        QVERIFY_THROWS_EXCEPTION(FileFailure, WriteSpreadsheet(table));
        QVERIFY(QFileInfo(ExportPath()).isDir());
    }

    void whatTheSystemRefusesIsReportedAndTheEarlierFileStays_data()
    {
        QTest::addColumn<bool>("folderWritable");
        QTest::addColumn<bool>("fileWritable");
        QTest::addColumn<bool>("exported");
        QTest::newRow("all writable") << true << true << true;
        QTest::newRow("read-only export file") << true << false << false;
        QTest::newRow("read-only folder") << false << true << false;
    }
    void whatTheSystemRefusesIsReportedAndTheEarlierFileStays()
    {
        QFETCH(bool, folderWritable);
        QFETCH(bool, fileWritable);
        QFETCH(bool, exported);
        WriteRecords<DatabaseLayout>(ThreeSheets());
        const QByteArray earlier("earlier export");
        WriteBytes(ExportPath(), earlier);
        SetMode(folder->Path(QStringLiteral("Database.pro")), 0666);
        SetMode(ExportPath(), fileWritable ? 0666 : 0444);
        SetMode(folder->Folder(), folderWritable ? 0777 : 0555);

        const HelperResult result = RunUnprivileged({folder->Folder()});
        QCOMPARE(result.exitCode, exported ? 0 : HelperRefused);
        QCOMPARE(ReadBytes(ExportPath()), exported ? ExpectedThreeSheets() : earlier);
        SetMode(folder->Folder(), 0700);
        QCOMPARE(FilesInFolder(), (QStringList{QStringLiteral("Database.pro"), ExportName}));
    }

    void aFailedReadKeepsTheRowsReadBefore()
    {
        // More sheets than one block of the scanner holds, so that the second block fails.
        const std::size_t count = (4u << 20) / TSchedaDatabase::Size + 50;
        std::vector<TSchedaDatabase> sheets(count);
        for (std::size_t i = 0; i < count; ++i) {
            const std::string name = "Scheda " + std::to_string(i + 1);
            sheets[i].Set(F::Campo01, Text(name.begin(), name.end()));
        }
        WriteRecords<DatabaseLayout>(sheets);
        ExportTable table(DatabaseExport());
        IoFaults::FailNext(IoOp::Read, 1);
        QVERIFY_THROWS_EXCEPTION(FileFailure, table.Load());
        QCOMPARE(table.RowCount(), count);
        const std::size_t firstBlock = (4u << 20) / TSchedaDatabase::Size;
        QCOMPARE(Q(table.Cell(firstBlock - 1, 0)), QStringLiteral("Scheda %1").arg(firstBlock));
        QCOMPARE(Q(table.Cell(firstBlock, 0)), QString());
        QCOMPARE(Q(table.Cell(count - 1, 0)), QString());

        // A table that is not the whole archive never replaces an earlier export.
        QCOMPARE(table.Fill(), ExportFill::Partial);
        const QByteArray earlier("earlier export");
        WriteBytes(ExportPath(), earlier);
        QVERIFY_THROWS_EXCEPTION(FileFailure, WriteSpreadsheet(table));
        QCOMPARE(ReadBytes(ExportPath()), earlier);
        QCOMPARE(FilesInFolder(), (QStringList{QStringLiteral("Database.pro"), ExportName}));
        table.Load();
        QCOMPARE(table.Fill(), ExportFill::Whole);
    }

    // Filling and writing a large archive report their rows as they go, never going back,
    // up to the number of rows.
    void fillingAndWritingReportTheirProgressUpToTheRows_data()
    {
        QTest::addColumn<bool>("writing");
        QTest::newRow("filling") << false;
        QTest::newRow("writing") << true;
    }
    void fillingAndWritingReportTheirProgressUpToTheRows()
    {
        QFETCH(bool, writing);
        const std::size_t count = 3000;
        WriteRecords<DatabaseLayout>(std::vector<TSchedaDatabase>(count, ThreeSheets()[1]));
        ExportTable table(DatabaseExport());
        RecordedProgress progress;
        if (writing) {
            table.Load();
            WriteSpreadsheet(table, progress);
        } else {
            table.Load(progress);
        }
        QVERIFY(progress.steps.size() > 2); // more than the start and the end
        std::size_t before = 0;
        for (const auto& [done, total] : progress.steps) {
            QCOMPARE(total, count);
            QVERIFY2(done >= before && done <= total, qPrintable(QStringLiteral("%1 after %2").arg(done).arg(before)));
            before = done;
        }
        QCOMPARE(progress.steps.back().first, count);
    }

    // The grid shows the archive as it was filled: a sheet another program changes
    // afterwards is shown empty, whether or not the grid showed it before, and the export
    // refuses to write what the grid no longer holds.
    void aSheetChangedAfterTheFillIsNeitherShownNorExported_data()
    {
        QTest::addColumn<bool>("shownBefore");
        QTest::newRow("not shown yet") << false;
        QTest::newRow("shown before the change") << true;
    }
    void aSheetChangedAfterTheFillIsNeitherShownNorExported()
    {
        QFETCH(bool, shownBefore);
        WriteRecords<DatabaseLayout>(ThreeSheets());
        const QByteArray earlier("earlier export");
        WriteBytes(ExportPath(), earlier);
        ExportTable table(DatabaseExport());
        table.Load();
        if (shownBefore)
            QCOMPARE(Q(table.Cell(1, GridColumn("colCampo01"))), QStringLiteral("Caffè Perù"));

        std::vector<TSchedaDatabase> changed = ThreeSheets();
        changed[1].Set(F::Campo01, u"Cambiata");
        WriteRecords<DatabaseLayout>(changed);

        if (!shownBefore) {
            QCOMPARE(Q(table.Cell(1, GridColumn("colCampo01"))), QString());
            QCOMPARE(Q(table.Cell(0, GridColumn("colCampo01"))), QStringLiteral("Rossi"));
            QCOMPARE(table.Fill(), ExportFill::Partial);
        }
        QVERIFY_THROWS_EXCEPTION(FileFailure, WriteSpreadsheet(table));
        QCOMPARE(table.Fill(), ExportFill::Partial);
        QCOMPARE(ReadBytes(ExportPath()), earlier);
        QCOMPARE(FilesInFolder(), (QStringList{QStringLiteral("Database.pro"), ExportName}));
        table.Load();
        QCOMPARE(Q(table.Cell(1, GridColumn("colCampo01"))), QStringLiteral("Cambiata"));
    }

    // Archives beyond a worksheet's rows, sparse so that they cost no disk space: refused
    // before anything is read or reserved, the table left empty and no export written.
    void anArchiveOfMoreRecordsThanAWorksheetHoldsIsNotRead_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::newRow("one record too many") << qint64(MaxExportRows + 1) * qint64(TSchedaDatabase::Size);
        QTest::newRow("100 GB") << (qint64(100) << 30);
    }
    void anArchiveOfMoreRecordsThanAWorksheetHoldsIsNotRead()
    {
        QFETCH(qint64, size);
        QFile archive(folder->Path(QStringLiteral("Database.pro")));
        if (!archive.open(QIODevice::WriteOnly) || !archive.resize(size))
            QSKIP("the file system does not hold a sparse file this large");
        archive.close();
        const QByteArray earlier("earlier export");
        WriteBytes(ExportPath(), earlier);

        ExportTable table(DatabaseExport());
        try {
            table.Load();
            QFAIL("the archive was read");
        } catch (const ExportTooLarge& error) {
            QCOMPARE(error.fill, ExportFill::TooManyRecords);
            QVERIFY2(QString::fromStdString(error.what()).contains(QString::number(size / TSchedaDatabase::Size)),
                     error.what());
        }
        QCOMPARE(table.RowCount(), std::size_t(0));
        QCOMPARE(table.Fill(), ExportFill::TooManyRecords);
        QVERIFY(table.MemoryBytes() < 1024);
        QVERIFY_THROWS_EXCEPTION(FileFailure, WriteSpreadsheet(table));
        QCOMPARE(ReadBytes(ExportPath()), earlier);
        QCOMPARE(QFileInfo(archive).size(), size);
    }

    void theLargestArchiveAWorksheetHoldsIsRead()
    {
        QFile archive(folder->Path(QStringLiteral("Database.pro")));
        if (!archive.open(QIODevice::WriteOnly)
            || !archive.resize(qint64(MaxExportRows - 1) * qint64(TSchedaDatabase::Size)))
            QSKIP("the file system does not hold a sparse file this large");
        TSchedaDatabase last;
        last.Set(F::Campo01, u"Ultima");
        QVERIFY(archive.seek(archive.size()));
        QCOMPARE(archive.write(reinterpret_cast<const char*>(last.data()), qint64(TSchedaDatabase::Size)),
                 qint64(TSchedaDatabase::Size));
        archive.close();

        ExportTable table(DatabaseExport());
        table.Load();
        QCOMPARE(table.Fill(), ExportFill::Whole);
        QCOMPARE(table.RowCount(), MaxExportRows);
        QCOMPARE(Q(table.Cell(MaxExportRows - 1, GridColumn("colCampo01"))), QStringLiteral("Ultima"));
        QCOMPARE(Q(table.Cell(0, GridColumn("colCampo01"))), QString());
        // Empty sheets cost their cell lengths, not the size of a full row each.
        QVERIFY(table.MemoryBytes() < MaxExportRows * 64);
    }

    // The rights of the file an export replaces carry over; a file whose write bits are all
    // off is not replaced, also for the superuser the tests run as.
    void aReplacedExportKeepsItsRightsAndAReadOnlyOneStays_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("0600") << 0600 << true;
        QTest::newRow("0640") << 0640 << true;
        QTest::newRow("0200: write only") << 0200 << true;
        QTest::newRow("0444") << 0444 << false;
        QTest::newRow("0400") << 0400 << false;
        QTest::newRow("0000") << 0000 << false;
    }
    void aReplacedExportKeepsItsRightsAndAReadOnlyOneStays()
    {
        QFETCH(int, mode);
        QFETCH(bool, replaced);
        WriteRecords<DatabaseLayout>(ThreeSheets());
        const QByteArray earlier("earlier export");
        WriteBytes(ExportPath(), earlier);
        SetMode(ExportPath(), mode_t(mode));
        ExportTable table(DatabaseExport());
        table.Load();
        if (replaced) {
            WriteSpreadsheet(table);
        } else {
            try {
                WriteSpreadsheet(table);
                QFAIL("a read-only export file was replaced");
            } catch (const FileFailure& error) {
                QCOMPARE(QString::fromStdString(error.what()),
                         QStringLiteral("replace %1: the file is marked read-only").arg(ExportPath()));
            }
        }
        QCOMPARE(ReadBytes(ExportPath()), replaced ? ExpectedThreeSheets() : earlier);
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(ExportPath()).constData(), &info), 0);
        QCOMPARE(int(info.st_mode & 07777), mode);
        QCOMPARE(FilesInFolder(), (QStringList{QStringLiteral("Database.pro"), ExportName}));
    }

    void anArchiveThatCannotBeOpenedGivesNoRows()
    {
        WriteRecords<DatabaseLayout>(ThreeSheets());
        ExportTable table(DatabaseExport());
        IoFaults::FailNext(IoOp::Open);
        QVERIFY_THROWS_EXCEPTION(FileFailure, table.Load());
        QCOMPARE(table.RowCount(), std::size_t(0));
    }
};

VELORBIS_TEST_MAIN_WITH_HELPER(TstExportFile, Helper)
#include "tst_export_file.moc"
