// The client export: the grid's 26 columns over Clienti.pro, Clienti.xls byte for byte with
// its own titles and widths and the two joined columns; and both exports as a spreadsheet
// program opens them, every cell exactly as typed.

#include "support/StoredRecords.h"
#include "support/StorageTest.h"

#include "archive/SpreadsheetExport.h"
#include "clients/ClientExport.h"
#include "database/DatabaseExport.h"
#include "kit/ScreenFlow.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

Q_DECLARE_METATYPE(Archive)

namespace {

QString Q(const Text& text) { return QString::fromStdU16String(text); }

// The workbook frame both exports share, as the database export's reference file holds it.
QByteArray FrameBefore(const QByteArray& sheetName)
{
    const QByteArray reference =
        ReadBytes(QStringLiteral(VELORBIS_SOURCE_DIR "/tests/database/data/Database_tre_schede.xls"));
    const qsizetype nameAt = reference.indexOf("<x:Name>") + 8;
    const qsizetype tableAt = reference.indexOf("<table x:str>") + 13;
    return reference.left(nameAt) + sheetName + reference.mid(reference.indexOf("</x:Name>"), tableAt - reference.indexOf("</x:Name>"));
}

QByteArray TitleRow()
{
    const QList<QPair<QByteArray, int>> titles{
        {"Cognome e nome Cliente", 250}, {"Data di nascita", 200}, {"Comune di nascita", 250},
        {"Recapito preferenziale", 250}, {"Indirizzo di residenza", 300}, {"Comune di residenza", 250},
        {"Modalit\xE0 di pagamento", 250}, {"Tel. casa", 250}, {"Tel. ufficio", 250}, {"Tel. cellulare", 250},
        {"Fax", 250}, {"E-mail", 250}, {"Codice fiscale", 250}, {"Partita IVA", 250}, {"Carta di credito n.", 300},
        {"Scadenza", 150}, {"IBAN", 300}, {"Estremi documento", 280}, {"Occupazione", 250}, {"Stato civile", 250},
        {"Titoli e qualifiche", 280}, {"Prodotti e servizi di interesse", 300}, {"Zona di appartenenza", 250},
        {"Questioni in sospeso", 300}, {"Note", 300}};
    QByteArray row = "<tr>";
    for (const auto& [title, width] : titles)
        row += "<td style=\"text-align: left; font-weight: bold;\" width=" + QByteArray::number(width) + ">" + title
            + "</td>";
    return row + "</tr>";
}

QByteArray DataRow(const QList<QByteArray>& cells)
{
    QByteArray row = "<tr>";
    for (const QByteArray& cell : cells)
        row += "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">" + cell + "</td>";
    return row + "</tr>";
}

// Converts a spreadsheet file to CSV with LibreOffice and returns its rows.
QList<QStringList> OpenedBySpreadsheet(const QString& file, const QString& outDir)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    QProcess process;
    process.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + outDir + QStringLiteral("/profile"),
                            QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                            QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1"), QStringLiteral("--outdir"),
                            outDir, file});
    if (!process.waitForFinished(180000))
        qWarning("soffice did not finish");
    const QString csv = QString::fromUtf8(ReadBytes(outDir + u'/' + QFileInfo(file).completeBaseName()
                                                    + QStringLiteral(".csv")));
    QList<QStringList> rows;
    for (const QString& line : csv.split(u'\n', Qt::SkipEmptyParts)) {
        QStringList cells;
        QString cell;
        bool quoted = false;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const QChar c = line.at(i);
            if (quoted) {
                if (c == u'"' && i + 1 < line.size() && line.at(i + 1) == u'"') {
                    cell += u'"';
                    ++i;
                } else if (c == u'"') {
                    quoted = false;
                } else {
                    cell += c;
                }
            } else if (c == u'"') {
                quoted = true;
            } else if (c == u',') {
                cells << cell;
                cell.clear();
            } else if (c != u'\r') {
                cell += c;
            }
        }
        cells << cell;
        rows << cells;
    }
    return rows;
}

} // namespace

class TstClientExport : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFolderFixture> folder;

    QByteArray Export()
    {
        ExportTable table(ClientExport());
        table.Load();
        WriteSpreadsheet(table);
        return ReadBytes(folder->Path(QStringLiteral("Clienti.xls")));
    }

private slots:
    void init() { folder = std::make_unique<ProgramFolderFixture>(); }
    void cleanup() { folder.reset(); }

    void gridHas26ColumnsAndTheFile25()
    {
        const ExportDescription& description = ClientExport();
        QCOMPARE(description.grid.size(), std::size_t(25)); // after the row number
        QCOMPARE(description.file.size(), std::size_t(25));
        QCOMPARE(Q(description.grid[2].title), QStringLiteral("Comune / Stato estero di nascita"));
        QCOMPARE(Q(description.file[2].title), QStringLiteral("Comune di nascita"));
        QStringList editable;
        for (const ExportGridColumn& column : description.grid)
            if (column.editable)
                editable << QString::fromStdString(column.name);
        QCOMPARE(editable, (QStringList{"colComuneRes", "colPartitaIva", "colScadeCarta", "colIban", "colDocumento",
                                        "colOccupazione", "colTitoli", "colQuestioni", "colNote"}));
    }

    void aSmallRegistryIsWrittenByteForByte()
    {
        WriteRecords<ClientLayout>({Client({{CF::Cliente, u"Rossi Anna"}, {CF::DataNasc, u"01/02/1980"}, {CF::ComuneNasc, u"Roma"},
                              {CF::ProvNasc, u"RM"}, {CF::Sesso, u"F"}, {CF::CapRes, u"00118"},
                              {CF::ComuneRes, u"Città"}, {CF::ProvRes, u"MI"}, {CF::Estremi, u"Bonifico & co."},
                              {CF::PartitaIva, u"00743110157"}, {CF::Note, u"<nota>"}, {CF::Ricontatta, u"Sì"}}),
                      Client({{CF::Cliente, u"Bianchi"}, {CF::ComuneNasc, u"Roma"}, {CF::ProvRes, u"MI"},
                              {CF::Iban, u"IT60X0542811101000000123456"}})});
        ExportTable table(ClientExport());
        table.Load();
        // The grid keeps the blank that joins an empty field; the file trims it away.
        QCOMPARE(Q(table.Cell(1, 2)), QStringLiteral("Roma "));
        QCOMPARE(Q(table.Cell(1, 5)), QStringLiteral(" MI"));
        QCOMPARE(Q(table.Cell(0, 2)), QStringLiteral("Roma RM"));

        QList<QByteArray> first(25), second(25);
        first[0] = "Rossi Anna";
        first[1] = "01/02/1980";
        first[2] = "Roma RM";
        first[5] = "Citt\xE0 MI";
        first[6] = "Bonifico &amp; co.";
        first[13] = "00743110157";
        first[24] = "&lt;nota&gt;";
        second[0] = "Bianchi";
        second[2] = "Roma";
        second[5] = "MI";
        second[16] = "IT60X0542811101000000123456";
        const QByteArray expected = FrameBefore("Riepilogo Clienti") + TitleRow() + DataRow(first) + DataRow(second)
            + "</table></body></html>";
        QCOMPARE(Export(), expected);
    }

    void anEmptyRegistryGivesOnlyTheTitleRow()
    {
        QCOMPARE(Export(), FrameBefore("Riepilogo Clienti") + TitleRow() + "</table></body></html>");
        QVERIFY(!QFile::exists(folder->Path(QStringLiteral("Clienti.pro")))); // the export only reads it
    }

    // Numbers with leading zeros, exponents and formulas typed into the archive arrive in the
    // spreadsheet exactly as typed, in either export.
    void aSpreadsheetProgramKeepsEveryCellAsTyped_data()
    {
        QTest::addColumn<Archive>("archive");
        QTest::newRow("client export") << Archive::Clients;
        QTest::newRow("database export") << Archive::Database;
    }
    void aSpreadsheetProgramKeepsEveryCellAsTyped()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
            QSKIP("LibreOffice (libreoffice-calc-nogui) is not installed");
        QFETCH(Archive, archive);
        const QStringList typed{QStringLiteral("00743110157"), QStringLiteral("00118"), QStringLiteral("0612345678"),
                                QStringLiteral("1e5"), QStringLiteral("=HYPERLINK(\"http://x\";\"a\")"),
                                QStringLiteral("3,50"), QStringLiteral("01/02/03")};
        const ExportDescription* description = nullptr;
        QString file;
        if (archive == Archive::Clients) {
            std::vector<TSchedaCliente> clients;
            for (const QString& value : typed) {
                TSchedaCliente client;
                client.Set(CF::Cliente, T(value));
                client.Set(CF::PartitaIva, T(value.left(11)));
                clients.push_back(client);
            }
            WriteRecords<ClientLayout>(clients);
            description = &ClientExport();
            file = folder->Path(QStringLiteral("Clienti.xls"));
        } else {
            QByteArray bytes;
            for (const QString& value : typed) {
                TSchedaDatabase sheet;
                sheet.Set(DatabaseField::Campo01, T(value));
                sheet.Set(DatabaseField::PartitaIva, T(value.left(11)));
                bytes += QByteArray(reinterpret_cast<const char*>(sheet.data()), qsizetype(TSchedaDatabase::Size));
            }
            WriteBytes(folder->Path(QStringLiteral("Database.pro")), bytes);
            description = &DatabaseExport();
            file = folder->Path(QStringLiteral("Database.xls"));
        }
        ExportTable table(*description);
        table.Load();
        WriteSpreadsheet(table);

        QTemporaryDir out;
        const QList<QStringList> rows = OpenedBySpreadsheet(file, out.path());
        QCOMPARE(rows.size(), typed.size() + 1);
        const int nameColumn = archive == Archive::Clients ? 0 : 0;
        const int vatColumn = archive == Archive::Clients ? 13 : 21;
        for (int i = 0; i < typed.size(); ++i) {
            QCOMPARE(rows.at(i + 1).value(nameColumn), typed.at(i));
            QCOMPARE(rows.at(i + 1).value(vatColumn), typed.at(i).left(11));
        }
    }
};

QTEST_MAIN(TstClientExport)
#include "tst_clientexport.moc"
