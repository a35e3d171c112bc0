// The database search screen: criteria panel, search, the list, "Trova", and opening a
// line on the database sheet screen.

#include "support/ListTools.h"
#include "support/ScreenTest.h"

#include "kit/ListTool.h"
#include "kit/Printing.h"
#include "database/TfrmDatabase.h"
#include "database/TfrmTrovaDatabase.h"
#include "storage/IniFile.h"
#include "storage/IoFaults.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>

namespace {

const char* const CriterionBoxes[] = {"txtCampo01", "txtCampo02", "txtCampo03", "txtCampo04", "txtCampo05",
                                      "txtCampo06", "txtCliente", "txtComuneRes", "txtCodFisc", "txtPartitaIva"};

// Six sheets; lines 1, 3 and 5 of the sorted list hold "rossi".
std::vector<TSchedaDatabase> SixSheets()
{
    return {Sheet({{DF::Campo01, u"Alfa"}, {DF::Cliente, u"Bianchi"}, {DF::ComuneRes, u"Roma"}}),
            Sheet({{DF::Campo01, u"Beta"}, {DF::Cliente, u"Rossi Anna"}, {DF::ComuneRes, u"Napoli"}}),
            Sheet({{DF::Campo01, u"Gamma"}, {DF::Cliente, u"Verdi"}, {DF::ComuneRes, u"Ancona"}}),
            Sheet({{DF::Campo01, u"Delta"}, {DF::Cliente, u"Neri"}, {DF::ComuneRes, u"Bari"}}),
            Sheet({{DF::Campo01, u"Epsilon"}, {DF::Cliente, u"ROSSI Carlo"}, {DF::ComuneRes, u"Milano"}}),
            Sheet({{DF::Campo01, u"Zeta"}, {DF::Cliente, u"de Rossi"}, {DF::ComuneRes, u"Siena"}})};
}

} // namespace

class TestSearchScreen : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;
    QPointer<TfrmTrovaDatabase> tool;

    void WithSearch(const std::function<void()>& use) { UseTool(fixture->program->Database(), "cmdTrova", tool, use); }
    QLineEdit* Box(const char* name) { return Child<QLineEdit>(tool, name); }
    QLabel* Label(const char* name) { return Child<QLabel>(tool, name); }
    QPushButton* Button(const char* name) { return Child<QPushButton>(tool, name); }
    ResultList* List() { return Child<ResultList>(tool, "lstRecords"); }
    QString Position() { return Child<QLabel>(fixture->program->Database(), "lblPosizione")->text(); }
    void Search(const QList<QPair<const char*, QString>>& typed = {})
    {
        for (const auto& [box, text] : typed)
            QTest::keyClicks(Box(box), text);
        Click(Button("btnCerca"));
    }

private slots:
    void init() { fixture.Start(ScreenTestFixture::Recording::None); }
    void cleanup() { fixture.Stop(); }

    void theCriteriaPanelComesFirstWithTheTitlesOfTheSettings()
    {
        IniFile settings(fixture->Path(QStringLiteral("Archivio.ini")).toStdString());
        settings.Write(u"Nome Campi", u"Campo 01", u"Pratica");
        settings.Write(u"Nome Campi", u"Campo 02", u"Anno <b>");
        settings.Write(u"Nome Campi", u"Campo 06", u"Note");
        WithSearch([&] {
            QCOMPARE(tool->windowTitle(), QStringLiteral(" Trova schede in archivio"));
            QCOMPARE(tool->size(), QSize(862, 560));
            QCOMPARE(Label("titCampo01")->text(), QStringLiteral("Pratica"));
            QCOMPARE(Label("titCampo02")->text(), QStringLiteral("Anno <b>"));
            QCOMPARE(Label("titCampo02")->textFormat(), Qt::PlainText);
            QCOMPARE(Label("titCampo03")->text(), QString()); // never the design text
            QCOMPARE(Label("titCampo06")->text(), QStringLiteral("Note"));
            QCOMPARE(Label("lblCliente")->text(), QStringLiteral("Cognome e nome:"));
            QCOMPARE(Label("lblPartitaIva")->text(), QStringLiteral("Partita IVA:"));
            QVERIFY(Child(tool, "panAvvio")->isVisible());
            QVERIFY(!Child(tool, "panContainer")->isVisible());
            QVERIFY(!Label("lblAttendere")->isVisible());
            QCOMPARE(tool->focusWidget(), Box("txtCampo01"));
            for (const char* name : CriterionBoxes)
                QCOMPARE(Box(name)->maxLength(), 32767); // no limit of its own
        });
    }

    void enterRunsRoundTheCriteriaAndFramesFollowTheFocus()
    {
        WithSearch([&] {
            for (std::size_t i = 0; i < std::size(CriterionBoxes); ++i) {
                QLineEdit* box = Box(CriterionBoxes[i]);
                QCOMPARE(QApplication::focusWidget(), box);
                const QString frame = QStringLiteral("eff") + QString::fromLatin1(CriterionBoxes[i]).mid(3);
                QVERIFY(Child<QFrame>(tool, frame.toLatin1().constData())->isVisible());
                QTest::keyClick(box, Qt::Key_Return);
            }
            QCOMPARE(QApplication::focusWidget(), Box("txtCampo01"));

            const QStringList tabs = TabOrder(Box("txtCampo01"), 12);
            QCOMPARE(tabs, (QStringList{"txtCampo01", "txtCampo02", "txtCampo03", "txtCampo04", "txtCampo05", "txtCampo06",
                                        "txtCliente", "txtComuneRes", "txtCodFisc", "txtPartitaIva", "btnAnnulla",
                                        "btnCerca"}));
        });
    }

    void cercaListsTheSheetsFoundSortedAndCounted()
    {
        WriteRecords<DatabaseLayout>(SixSheets());
        WithSearch([&] {
            Search({{"txtCliente", "ros"}, {"txtComuneRes", "NA"}});
            QVERIFY(!Child(tool, "panAvvio")->isVisible());
            QVERIFY(Child(tool, "panContainer")->isVisible());
            QCOMPARE(Label("lblConta")->text(), QStringLiteral("2"));
            QCOMPARE(Label("lblTrovate")->text(), QStringLiteral("Il presente riepilogo contiene 2 schede."));
            const QStringList lines = ShownLines(List());
            QCOMPARE(lines.size(), 2);
            QVERIFY(lines[0].startsWith(QStringLiteral("Beta ")) && lines[0].contains(QStringLiteral("Rossi Anna")));
            QVERIFY(lines[1].startsWith(QStringLiteral("Zeta ")) && lines[1].contains(QStringLiteral("de Rossi")));
            QCOMPARE(lines[0].size(), 153);
            QCOMPARE(QApplication::focusWidget(), Box("txtTrova"));
            QCOMPARE(Box("txtTrova")->text(), QString());
        });
    }

    void oneSheetFoundIsStillSchede()
    {
        WriteRecords<DatabaseLayout>(SixSheets());
        WithSearch([&] {
            Search({{"txtCampo01", "gam"}});
            QCOMPARE(Label("lblTrovate")->text(), QStringLiteral("Il presente riepilogo contiene 1 schede."));
        });
    }

    void anEmptyArchiveListsNothingAndTrovaSaysSo()
    {
        MessageRecorder messages;
        WithSearch([&] {
            Search();
            QVERIFY(!QFile::exists(fixture->Path(QStringLiteral("Database.pro")))); // a search only reads
            QCOMPARE(List()->model()->rowCount(), 0);
            QCOMPARE(Label("lblTrovate")->text(), QStringLiteral("Il presente riepilogo contiene 0 schede."));
            QVERIFY(messages.shown.isEmpty());
            QTest::keyClicks(Box("txtTrova"), QStringLiteral("x"));
            Click(Button("btnTrova"));
            QCOMPARE(messages.shown.size(), 1);
            QCOMPARE(messages.shown[0].kind, MessageKind::Plain);
            QCOMPARE(messages.shown[0].text, QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        });
    }

    void aFileFailureKeepsTheCriteriaAndTheWaitText_data()
    {
        QTest::addColumn<int>("operation");
        QTest::newRow("open") << int(IoOp::Open);
        QTest::newRow("read") << int(IoOp::Read);
        QTest::newRow("close") << int(IoOp::Close);
    }
    void aFileFailureKeepsTheCriteriaAndTheWaitText()
    {
        QFETCH(int, operation);
        MessageRecorder messages;
        WriteRecords<DatabaseLayout>(SixSheets());
        const QByteArray before = ReadBytes(fixture->Path(QStringLiteral("Database.pro")));
        WithSearch([&] {
            IoFaults::FailNext(static_cast<IoOp>(operation));
            Search({{"txtCliente", "ros"}});
            QCOMPARE(messages.shown.size(), 1);
            QCOMPARE(messages.shown[0].kind, MessageKind::Plain);
            QCOMPARE(messages.shown[0].text,
                     QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di "
                                    "possedere i privilegi di scrittura nella cartella di installazione del programma."));
            QVERIFY(Child(tool, "panAvvio")->isVisible());
            QVERIFY(!Child(tool, "panContainer")->isVisible());
            QVERIFY(Label("lblAttendere")->isVisible());
            QCOMPARE(Label("lblAttendere")->text(), QStringLiteral("Ricerca schede in corso. Attendere..."));
            QCOMPARE(Box("txtCliente")->text(), QStringLiteral("ros"));
            QCOMPARE(ReadBytes(fixture->Path(QStringLiteral("Database.pro"))), before);
        });
    }

    void theMarkerNamesTheServedSheetButIsNotReadBack()
    {
        WriteRecords<DatabaseLayout>(SixSheets());
        WithSearch([&] {
            QCOMPARE(Label("lblMemory")->text(), QStringLiteral("database"));
            Label("lblMemory")->setText(QStringLiteral("clienti"));
            Search();
            DoubleClick(List(), 2);
            QVERIFY(!Position().isEmpty()); // the served screen got the sheet all the same
            QVERIFY(!tool->isVisible());
        });
    }

    void theResultsPanelHoldsItsControlsInTabOrder()
    {
        WithSearch([&] {
            Search();
            const QStringList tabs = TabOrder(Box("txtTrova"), 6);
            QCOMPARE(tabs, (QStringList{"txtTrova", "btnTrova", "lstRecords", "btnStampa", "btnChiudi", "txtTrova"}));
            List()->setFocus();
            for (QPushButton* button : tool->findChildren<QPushButton*>())
                QVERIFY2(!button->isDefault(), qPrintable(button->objectName())); // Enter on the list presses none
            QCOMPARE(Button("btnStampa")->text(), QStringLiteral("Stampa"));
            int printDialogs = 0;
            Printing::SetPrintDialogHandler([&](QPrinter&) { return ++printDialogs, false; }); // cancelled
            Click(Button("btnStampa"));
            Printing::SetPrintDialogHandler({});
            QCOMPARE(printDialogs, 1);
            QVERIFY(tool->isVisible());
            Click(Button("btnChiudi"));
            QVERIFY(!tool->isVisible());
        });
    }

    void theToolOpenedAgainStartsAfresh()
    {
        WriteRecords<DatabaseLayout>(SixSheets());
        TfrmDatabase* database = fixture->program->Database();
        WhenModalThenClose([&](QWidget* modal) {
            auto* first = qobject_cast<TfrmTrovaDatabase*>(modal);
            QTest::keyClicks(Child<QLineEdit>(first, "txtCampo01"), QStringLiteral("a"));
            Click(Child<QPushButton>(first, "btnCerca"));
            QTest::keyClicks(Child<QLineEdit>(first, "txtTrova"), QStringLiteral("rossi"));
            Click(Child<QPushButton>(first, "btnTrova"));
            QCOMPARE(Selected(Child<ResultList>(first, "lstRecords")), 1);
            Click(Child<QPushButton>(first, "btnChiudi"));
        });
        Click(Child(database, "cmdTrova"));

        WhenModalThenClose([&](QWidget* modal) {
            auto* second = qobject_cast<TfrmTrovaDatabase*>(modal);
            QVERIFY(Child(second, "panAvvio")->isVisible());
            QCOMPARE(Child<QLineEdit>(second, "txtCampo01")->text(), QString());
            QCOMPARE(Child<QLabel>(second, "lblTrovate")->text(), QStringLiteral("Il presente elenco contiene 0 schede."));
            Click(Child<QPushButton>(second, "btnCerca"));
            ResultList* list = Child<ResultList>(second, "lstRecords");
            QCOMPARE(list->model()->rowCount(), 6);
            QCOMPARE(Child<QLineEdit>(second, "txtTrova")->text(), QString());
            list->SelectRow(3);
            QTest::keyClicks(Child<QLineEdit>(second, "txtTrova"), QStringLiteral("rossi"));
            Click(Child<QPushButton>(second, "btnTrova"));
            QCOMPARE(Selected(list), 1); // a new find: the previous tool's text is forgotten
            Click(Child<QPushButton>(second, "btnChiudi"));
        });
        Click(Child(database, "cmdTrova"));
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(TestSearchScreen)
#include "tst_searchscreen.moc"
