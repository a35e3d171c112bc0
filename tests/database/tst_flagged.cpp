// The flagged sheets list: built on showing, "Trova" over it, and opening a line on the
// database sheet screen.

#include "support/ListTools.h"
#include "support/ScreenTest.h"

#include "kit/ListTool.h"
#include "database/TfrmDatabase.h"
#include "database/TfrmSegnalati.h"
#include "storage/IoFaults.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {

const QString ArchiveAccess =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di "
                   "possedere i privilegi di scrittura nella cartella di installazione del programma.");

TSchedaDatabase Flagged(const char16_t* campo01, const char16_t* cliente = u"")
{
    return Sheet({{DF::Campo01, campo01}, {DF::Cliente, cliente}, {DF::Segnala, MarkYes.data()}});
}

QStringList FirstColumns(ResultList* list)
{
    QStringList columns;
    for (const QString& line : ShownLines(list))
        columns << line.left(26).trimmed();
    return columns;
}

} // namespace

class TestFlagged : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;
    QPointer<TfrmSegnalati> tool;

    void WithList(const std::function<void()>& use)
    {
        UseTool(fixture->program->Database(), "cmdSegnalati", tool, use);
    }
    ResultList* List() { return Child<ResultList>(tool, "lstRecords"); }
    QLineEdit* FindBox() { return Child<QLineEdit>(tool, "txtTrova"); }
    QPushButton* Button(const char* name) { return Child<QPushButton>(tool, name); }
    QString Position() { return Child<QLabel>(fixture->program->Database(), "lblPosizione")->text(); }

private slots:
    void init() { fixture.Start(ScreenTestFixture::Recording::None); }
    void cleanup() { fixture.Stop(); }

    void showingListsTheFlaggedSheetsInOrder()
    {
        TSchedaDatabase lowerCase = Sheet({{DF::Campo01, u"Minuscolo"}});
        SetRaw(lowerCase, DF::Segnala, QByteArray("s\xEC"));
        WriteRecords<DatabaseLayout>({Flagged(u"zeta", u"Rossi"), Sheet({{DF::Campo01, u"Non segnata"}, {DF::Segnala, u"No"}}),
                     Flagged(u"Alfa"), lowerCase, Sheet({{DF::Campo01, u"Vuota"}}), Flagged(u"beta")});
        MessageRecorder messages;
        WithList([&] {
            QCOMPARE(tool->windowTitle(), QStringLiteral(" Riepilogo record segnalati"));
            QCOMPARE(tool->size(), QSize(862, 560));
            QCOMPARE(FirstColumns(List()), (QStringList{"Alfa", "beta", "zeta"}));
            QCOMPARE(List()->model()->index(2, 0).data().toString().size(), 153);
            QCOMPARE(QApplication::focusWidget(), FindBox());
            QVERIFY(!tool->findChild<QLabel*>(QStringLiteral("lblTrovate")));
            QVERIFY(messages.shown.isEmpty());
        });
    }

    void anEmptyArchiveShowsAnEmptyListAndTrovaSaysSo()
    {
        MessageRecorder messages;
        WithList([&] {
            QVERIFY(!QFile::exists(fixture->Path(QStringLiteral("Database.pro")))); // a list only reads
            QCOMPARE(List()->model()->rowCount(), 0);
            QTest::keyClicks(FindBox(), QStringLiteral("x"));
            QTest::keyClick(FindBox(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), Button("btnTrova"));
            Click(Button("btnTrova"));
            QCOMPARE(messages.shown.size(), 1);
            QCOMPARE(messages.shown[0].kind, MessageKind::Plain);
            QCOMPARE(messages.shown[0].text, QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        });
    }

    void aFileFailureIsReportedInsteadOfAShortList_data()
    {
        QTest::addColumn<int>("operation");
        QTest::newRow("open") << int(IoOp::Open);
        QTest::newRow("read") << int(IoOp::Read);
        QTest::newRow("close") << int(IoOp::Close);
    }
    void aFileFailureIsReportedInsteadOfAShortList()
    {
        QFETCH(int, operation);
        WriteRecords<DatabaseLayout>({Flagged(u"Alfa")});
        const QByteArray before = ReadBytes(fixture->Path(QStringLiteral("Database.pro")));
        MessageRecorder messages;
        IoFaults::FailNext(static_cast<IoOp>(operation));
        WithList([&] {
            QCOMPARE(messages.shown.size(), 1);
            QCOMPARE(messages.shown[0].kind, MessageKind::Plain);
            QCOMPARE(messages.shown[0].text, ArchiveAccess);
            QVERIFY(tool->isVisible());
            QCOMPARE(ReadBytes(fixture->Path(QStringLiteral("Database.pro"))), before);
        });
    }

    void aDoubleClickOpensTheLastSheetWithTheLineFlaggedOrNot()
    {
        TSchedaDatabase unflagged = Flagged(u"Alfa", u"Rossi");
        unflagged.Set(DF::Segnala, u"No");
        WriteRecords<DatabaseLayout>({Flagged(u"Alfa", u"Rossi"), Flagged(u"Beta"), unflagged, Sheet({{DF::Campo01, u"Zeta"}})});
        WithList([&] {
            QCOMPARE(FirstColumns(List()), (QStringList{"Alfa", "Beta"})); // listed once
            DoubleClick(List(), 0);
            QCOMPARE(Position(), QStringLiteral("3"));
            QVERIFY(!tool->isVisible());
            QCOMPARE(List()->model()->rowCount(), 0);
        });
    }

    void theControlsAreInTheirTabOrder()
    {
        WithList([&] {
            const QStringList tabs = TabOrder(FindBox(), 6);
            QCOMPARE(tabs, (QStringList{"txtTrova", "lstRecords", "btnStampa", "btnTrova", "btnChiudi", "txtTrova"}));
            List()->setFocus();
            for (QPushButton* button : tool->findChildren<QPushButton*>())
                QVERIFY2(!button->isDefault(), qPrintable(button->objectName())); // Enter on the list presses none
            Click(Button("btnChiudi"));
            QVERIFY(!tool->isVisible());
        });
    }

    void theListOpenedAgainIsBuiltAfreshWithANewFind()
    {
        WriteRecords<DatabaseLayout>({Flagged(u"Alfa", u"Rossi"), Flagged(u"Beta", u"Rossi"), Flagged(u"Gamma"), Flagged(u"Delta", u"Rossi")});
        TfrmDatabase* database = fixture->program->Database();
        WhenModalThenClose([&](QWidget* modal) {
            QTest::keyClicks(Child<QLineEdit>(modal, "txtTrova"), QStringLiteral("rossi"));
            Click(Child<QPushButton>(modal, "btnTrova"));
            Click(Child<QPushButton>(modal, "btnChiudi"));
        });
        Click(Child(database, "cmdSegnalati"));

        WriteRecords<DatabaseLayout>({Flagged(u"Alfa", u"Rossi"), Flagged(u"Beta", u"Rossi"), Flagged(u"Gamma"), Flagged(u"Delta", u"Rossi"),
                     Flagged(u"Epsilon")});
        WhenModalThenClose([&](QWidget* modal) {
            ResultList* list = Child<ResultList>(modal, "lstRecords");
            QCOMPARE(FirstColumns(list), (QStringList{"Alfa", "Beta", "Delta", "Epsilon", "Gamma"}));
            QVERIFY(!list->SelectedRow());
            QCOMPARE(Child<QLineEdit>(modal, "txtTrova")->text(), QString());
            list->SelectRow(1);
            QTest::keyClicks(Child<QLineEdit>(modal, "txtTrova"), QStringLiteral("rossi"));
            Click(Child<QPushButton>(modal, "btnTrova"));
            QCOMPARE(int(*list->SelectedRow()), 0); // new find from line 0, not the next after line 1
            Click(Child<QPushButton>(modal, "btnChiudi"));
        });
        Click(Child(database, "cmdSegnalati"));
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(TestFlagged)
#include "tst_flagged.moc"
