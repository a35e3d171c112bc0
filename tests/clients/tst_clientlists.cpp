// The client search and the clients-to-recontact list as the user reaches them from the
// sheet screens: the search from the client sheet shows the picked client there; from the
// database sheet's import picture it copies the client's contact data into that sheet.

#include "support/ScreenTest.h"
#include "support/StoredRecords.h"

#include "clients/TfrmClienti.h"
#include "database/TfrmDatabase.h"
#include "kit/ListTool.h"
#include "kit/TextBoxes.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString Q(const Text& text) { return QString::fromStdU16String(text); }

// Four clients; 1 and 4 have the same search line, 2 and 4 are to recontact.
std::vector<TSchedaCliente> FourClients()
{
    std::vector<TSchedaCliente> clients{
        Client({{CF::Cliente, u"Rossi Anna"}, {CF::Recapito, u"06 123"}, {CF::IndirizzoRes, u"Via Roma 1"},
                {CF::ComuneRes, u"Roma"}, {CF::ProvRes, u"RM"}, {CF::Email, u"anna@example.it"},
                {CF::CodFisc, u"RSSNNA80A41H501X"}, {CF::PartitaIva, u"00743110157"}, {CF::Note, u"prima"},
                {CF::Zona, u"centro"}, {CF::Ricontatta, u"No"}}),
        Client({{CF::Cliente, u"Bianchi"}, {CF::Questioni, u"preventivo"}, {CF::Ricontatta, u"Sì"}}),
        Client({{CF::Cliente, u"Verdi"}, {CF::Ricontatta, u"No"}}),
    };
    TSchedaCliente twin = clients[0];
    twin.Set(CF::Zona, u"la seconda");
    twin.Set(CF::Ricontatta, u"Sì");
    clients.push_back(twin);
    return clients;
}

QStringList Shown(ResultList* list)
{
    QStringList lines;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        lines << list->model()->index(row, 0).data().toString();
    return lines;
}

void DoubleClick(ResultList* list, int row)
{
    const QPoint where = list->visualRect(list->model()->index(row, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, where);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, where);
}

} // namespace

class TstClientLists : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;

    QString Text(QWidget* screen, const char* name) { return TextBoxes::TextOf(Child(screen, name)); }
    void Open(QWidget* screen)
    {
        static_cast<WorkScreen*>(screen)->ShowScreen();
        QVERIFY(QTest::qWaitForWindowActive(screen));
    }

private slots:
    void init() { fixture.Start(); }
    void cleanup() { fixture.Stop(); }

    void searchFromTheClientSheetShowsTheLastClientWithTheLine()
    {
        WriteRecords<ClientLayout>(FourClients());
        TfrmClienti* sheet = fixture->program->Clienti();
        Open(sheet);
        QString memory, count;
        QStringList lines;
        WhenModal([&](QWidget* tool) {
            memory = Child<QLabel>(tool, "lblMemory")->text();
            QTest::keyClicks(Child(tool, "txtCliente"), QStringLiteral("rossi"));
            Click(Child(tool, "btnCerca"));
            count = Child<QLabel>(tool, "lblTrovate")->text();
            auto* list = Child<ResultList>(tool, "lstRecords");
            lines = Shown(list);
            DoubleClick(list, 1);
        });
        Click(Child(sheet, "cmdTrova"));
        QCOMPARE(memory, QStringLiteral("clienti"));
        QCOMPARE(count, QStringLiteral("Il presente riepilogo contiene 2 schede."));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.at(0), lines.at(1));
        QCOMPARE(Child<QLabel>(sheet, "lblPosizione")->text(), QStringLiteral("4"));
        QCOMPARE(Text(sheet, "txtZona"), QStringLiteral("la seconda"));
        QVERIFY(Child<QCheckBox>(sheet, "chkRicontatta")->isChecked());
        QVERIFY(!QApplication::activeModalWidget());

        // Saved in place.
        Click(Child(sheet, "cmdSalva"));
        QCOMPARE(QFileInfo(fixture->Path(QStringLiteral("Clienti.pro"))).size(), qint64(4 * TSchedaCliente::Size));
    }

    void countReadsSchedeForEveryNumber()
    {
        WriteRecords<ClientLayout>({FourClients().at(2)});
        TfrmClienti* sheet = fixture->program->Clienti();
        Open(sheet);
        QString count;
        WhenModal([&](QWidget* tool) {
            Click(Child(tool, "btnCerca"));
            count = Child<QLabel>(tool, "lblTrovate")->text();
            Click(Child(tool, "btnChiudi"));
        });
        Click(Child(sheet, "cmdTrova"));
        QCOMPARE(count, QStringLiteral("Il presente riepilogo contiene 1 schede."));
    }

    // The database sheet's import: eight contact fields land in the sheet being edited,
    // nothing else changes, and saving there stores them.
    void importIntoTheDatabaseSheet()
    {
        WriteRecords<ClientLayout>(FourClients());
        TSchedaDatabase stored;
        stored.Set(DatabaseField::Campo01, u"Pratica");
        stored.Set(DatabaseField::Cliente, u"Vecchio");
        stored.Set(DatabaseField::Segnala, MarkYes);
        stored.Set(DatabaseField::File01, u"atto.pdf");
        QFile file(fixture->Path(QStringLiteral("Database.pro")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(stored.data()), qsizetype(TSchedaDatabase::Size));
        file.write(reinterpret_cast<const char*>(stored.data()), qsizetype(TSchedaDatabase::Size));
        file.close();

        TfrmDatabase* sheet = fixture->program->Database();
        Open(sheet);
        Click(Child(sheet, "cmdUltimo"));
        TextBoxes::ShowText(Child(sheet, "txtCampo02"), QStringLiteral("in corso"));
        QString memory;
        WhenModal([&](QWidget* tool) {
            memory = Child<QLabel>(tool, "lblMemory")->text();
            QTest::keyClicks(Child(tool, "txtZona"), QStringLiteral("seconda"));
            Click(Child(tool, "btnCerca"));
            DoubleClick(Child<ResultList>(tool, "lstRecords"), 0);
        });
        Click(Child(sheet, "impCliente"));
        QCOMPARE(memory, QStringLiteral("database"));
        const QList<QPair<const char*, QString>> expected{
            {"txtCliente", "Rossi Anna"}, {"txtIndirizzoRes", "Via Roma 1"}, {"txtComuneRes", "Roma"},
            {"txtProvRes", "RM"}, {"txtEmail", "anna@example.it"}, {"txtRecapito", "06 123"},
            {"txtCodFisc", "RSSNNA80A41H501X"}, {"txtPartitaIva", "00743110157"}};
        for (const auto& [box, text] : expected)
            QCOMPARE(Text(sheet, box), text);
        QCOMPARE(Text(sheet, "txtCampo01"), QStringLiteral("Pratica"));
        QCOMPARE(Text(sheet, "txtCampo02"), QStringLiteral("in corso"));
        QCOMPARE(Child<QLabel>(sheet, "lblPosizione")->text(), QStringLiteral("2"));
        QCOMPARE(Child<QLabel>(sheet, "lblFile01")->text(), QStringLiteral("atto.pdf"));
        QVERIFY(Child<QCheckBox>(sheet, "chkSegnala")->isChecked());

        Click(Child(sheet, "cmdSalva"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.size(), 2 * qsizetype(TSchedaDatabase::Size));
        TSchedaDatabase saved;
        std::memcpy(saved.data(), bytes.constData() + TSchedaDatabase::Size, TSchedaDatabase::Size);
        QCOMPARE(Q(saved.Get(DatabaseField::Cliente)), QStringLiteral("Rossi Anna"));
        QCOMPARE(Q(saved.Get(DatabaseField::PartitaIva)), QStringLiteral("00743110157"));
        QCOMPARE(Q(saved.Get(DatabaseField::Campo02)), QStringLiteral("in corso"));
        std::memcpy(saved.data(), bytes.constData(), TSchedaDatabase::Size);
        QCOMPARE(Q(saved.Get(DatabaseField::Cliente)), QStringLiteral("Vecchio"));
    }

    void recontactListOpensTheLastMatchingClient()
    {
        WriteRecords<ClientLayout>(FourClients());
        TfrmClienti* sheet = fixture->program->Clienti();
        Open(sheet);
        QStringList lines;
        WhenModal([&](QWidget* tool) {
            auto* list = Child<ResultList>(tool, "lstRecords");
            lines = Shown(list);
            QTest::keyClicks(Child(tool, "txtTrova"), QStringLiteral("rossi"));
            Click(Child(tool, "btnTrova"));
            DoubleClick(list, *list->SelectedRow());
        });
        Click(Child(sheet, "cmdRicontatta"));
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines.at(0).startsWith(QStringLiteral("Bianchi")));
        QVERIFY(lines.at(0).endsWith(QStringLiteral("  preventivo")));
        QVERIFY(lines.at(1).startsWith(QStringLiteral("Rossi Anna")));
        QCOMPARE(Child<QLabel>(sheet, "lblPosizione")->text(), QStringLiteral("4"));
        QCOMPARE(Text(sheet, "txtZona"), QStringLiteral("la seconda"));
    }

    void emptyRecontactListSaysTrovaDoesNotApply()
    {
        TfrmClienti* sheet = fixture->program->Clienti();
        Open(sheet);
        int rows = -1;
        WhenModal([&](QWidget* tool) {
            rows = Child<ResultList>(tool, "lstRecords")->model()->rowCount();
            Click(Child(tool, "btnTrova"));
            Click(Child(tool, "btnChiudi"));
        });
        Click(Child(sheet, "cmdRicontatta"));
        QCOMPARE(rows, 0);
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown.at(0).text,
                 QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        QVERIFY(!QFile::exists(fixture->Path(QStringLiteral("Clienti.pro")))); // a list only reads
    }
};

QTEST_MAIN(TstClientLists)
#include "tst_clientlists.moc"
