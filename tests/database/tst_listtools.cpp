// What every list tool does with its list, whichever sheet screen it serves: the lines drawn
// in fixed columns, "Trova", and a double-click that puts the line's record on the served
// screen. One row per list tool: a new list tool joins by adding its row.

#include "support/ListTools.h"
#include "support/ScreenTest.h"

#include "database/TfrmDatabase.h"
#include "database/TfrmSegnalati.h"
#include "database/TfrmTrovaDatabase.h"
#include "kit/ListTool.h"
#include "storage/IoFaults.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

namespace {

const QString ArchiveAccess =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di "
                   "possedere i privilegi di scrittura nella cartella di installazione del programma.");

// A list tool as its users meet it.
struct ListToolRow {
    const char* name;
    // The sheet screen the tool serves.
    std::function<SheetScreen*(Program&)> served;
    // The command of that screen that opens the tool.
    const char* command;
    // Makes the tool as that command does.
    std::function<std::unique_ptr<ListTool>(SheetScreen&)> make;
    // Writes an archive in which the tool lists one record per text, with the text at the
    // start of its line and nothing else in it (equal texts give equal lines).
    std::function<void(const QStringList&)> writeListed;
    // From the tool as shown to its list of every record it lists (a search: "Cerca" with no
    // criterion typed).
    std::function<void(ListTool&)> toList;
};

void WriteFlaggedSheets(const QStringList& texts)
{
    std::vector<TSchedaDatabase> sheets;
    for (const QString& text : texts)
        sheets.push_back(Sheet({{DF::Campo01, T(text).c_str()}, {DF::Segnala, MarkYes.data()}}));
    WriteRecords<DatabaseLayout>(sheets);
}

void CercaWithNoCriterion(ListTool& tool)
{
    Click(Child<QPushButton>(&tool, "btnCerca"));
}

void AlreadyListed(ListTool&) {}

const std::vector<ListToolRow>& Rows()
{
    static const std::vector<ListToolRow> rows = {
        {"database search", [](Program& program) -> SheetScreen* { return program.Database(); }, "cmdTrova",
         [](SheetScreen& served) { return std::make_unique<TfrmTrovaDatabase>(served); }, WriteFlaggedSheets,
         CercaWithNoCriterion},
        {"flagged sheets", [](Program& program) -> SheetScreen* { return program.Database(); }, "cmdSegnalati",
         [](SheetScreen& served) { return std::make_unique<TfrmSegnalati>(served); }, WriteFlaggedSheets,
         AlreadyListed},
    };
    return rows;
}

QStringList FirstWords(ResultList* list)
{
    QStringList words;
    for (const QString& line : ShownLines(list))
        words << line.section(u' ', 0, 0, QString::SectionSkipEmpty);
    return words;
}

} // namespace

class TestListTools : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;
    std::unique_ptr<ListTool> tool;

    const ListToolRow& Row()
    {
        QFETCH_GLOBAL(int, row);
        return Rows().at(std::size_t(row));
    }
    SheetScreen* Served() { return Row().served(*fixture->program); }
    // Opens the tool and brings it to its list.
    ListTool* Open()
    {
        tool = Row().make(*Served());
        tool->show();
        tool->activateWindow();
        if (!QTest::qWaitForWindowActive(tool.get()))
            qWarning("list tool not active");
        Row().toList(*tool);
        return tool.get();
    }
    ResultList* List() { return tool->Records(); }
    QString Position() { return Child<QLabel>(Served(), "lblPosizione")->text(); }

private slots:
    void initTestCase_data()
    {
        QTest::addColumn<int>("row");
        for (std::size_t row = 0; row < Rows().size(); ++row)
            QTest::newRow(Rows()[row].name) << int(row);
    }
    void init() { fixture.Start(ScreenTestFixture::Recording::None); }
    void cleanup()
    {
        tool.reset();
        fixture.Stop();
    }

    void theListDrawsItsLinesInColumnsWithoutAWidgetPerLine()
    {
        QStringList texts;
        for (int i = 1999; i >= 0; --i)
            texts << QStringLiteral("Scheda%1").arg(i, 4, 10, QChar(u'0'));
        Row().writeListed(texts);
        Open();
        ResultList* list = List();
        QVERIFY(!qobject_cast<QListWidget*>(list));
        QCOMPARE(list->model()->rowCount(), 2000);
        QVERIFY(list->uniformItemSizes());
        QVERIFY(list->findChildren<QWidget*>().size() < 20);
        QCOMPARE(list->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(list->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        const QModelIndex first = list->model()->index(0, 0);
        const QFont font = first.data(Qt::FontRole).value<QFont>();
        QCOMPARE(font.family(), QStringLiteral("Courier New"));
        QCOMPARE(font.pointSize(), 11);
        QCOMPARE(first.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::black));
        QCOMPARE(first.data(Qt::SizeHintRole).toSize().width(), 1400);
        QVERIFY(list->horizontalScrollBar()->maximum() > 0); // the lines are wider than the list
        QCOMPARE(FirstWords(list).first(), QStringLiteral("Scheda0000"));
        QCOMPARE(FirstWords(list).last(), QStringLiteral("Scheda1999"));
    }

    void trovaJumpsThroughTheLinesHoldingTheText()
    {
        Row().writeListed({"Alfa", "Beta-Rossi", "Gamma", "Delta-rossi", "Epsilon", "Zeta-ROSSI"});
        Open();
        QCOMPARE(FirstWords(List()), (QStringList{"Alfa", "Beta-Rossi", "Delta-rossi", "Epsilon", "Gamma",
                                                  "Zeta-ROSSI"}));
        QTest::keyClicks(tool->FindBox(), QStringLiteral("ROSSI"));
        QTest::keyClick(tool->FindBox(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), tool->FindButton());
        QList<int> selected;
        for (int press = 0; press < 4; ++press) {
            Click(tool->FindButton());
            selected << Selected(List());
        }
        QCOMPARE(selected, (QList<int>{1, 2, 5, 1}));
        tool->FindBox()->setText(QStringLiteral("alfa"));
        Click(tool->FindButton());
        QCOMPARE(Selected(List()), 0);
    }

    void trovaOnAnEmptyListSaysSo()
    {
        MessageRecorder messages;
        Open();
        QCOMPARE(List()->model()->rowCount(), 0);
        QVERIFY(messages.shown.isEmpty());
        QTest::keyClicks(tool->FindBox(), QStringLiteral("x"));
        Click(tool->FindButton());
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].kind, MessageKind::Plain);
        QCOMPARE(messages.shown[0].text, QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
    }

    void aDoubleClickOpensTheLastRecordWithTheLineAndCloses()
    {
        Row().writeListed({"Alfa", "Beta", "Alfa", "Gamma"});
        Open();
        QCOMPARE(FirstWords(List()), (QStringList{"Alfa", "Alfa", "Beta", "Gamma"}));
        DoubleClick(List(), 0);
        QCOMPARE(Position(), QStringLiteral("3"));
        QVERIFY(!tool->isVisible());
        QCOMPARE(List()->model()->rowCount(), 0); // emptied on closing
    }

    void aDoubleClickOnAnEmptyListClosesAndChangesNothing()
    {
        Open();
        DoubleClick(List(), -1);
        QVERIFY(!tool->isVisible());
        QCOMPARE(Position(), QString());
    }

    void aFailureWhileOpeningIsReportedAndChangesNothing()
    {
        Row().writeListed({"Alfa", "Beta"});
        MessageRecorder messages;
        Open();
        IoFaults::FailNext(IoOp::Read);
        DoubleClick(List(), 1);
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].kind, MessageKind::Plain);
        QCOMPARE(messages.shown[0].text, ArchiveAccess);
        QCOMPARE(Position(), QString());
        QVERIFY(!tool->isVisible());
    }

    void theToolOpenedAgainStartsWithANewFind()
    {
        Row().writeListed({"Alfa-Rossi", "Beta-Rossi", "Gamma", "Delta-Rossi"});
        SheetScreen* served = Served();
        const ListToolRow& row = Row();
        WhenModalThenClose([&](QWidget* modal) {
            auto* first = qobject_cast<ListTool*>(modal);
            row.toList(*first);
            QTest::keyClicks(first->FindBox(), QStringLiteral("rossi"));
            Click(first->FindButton());
            Click(first->FindButton());
            QCOMPARE(Selected(first->Records()), 1);
            Click(first->CloseButton());
        });
        Click(Child(served, row.command));

        WhenModalThenClose([&](QWidget* modal) {
            auto* second = qobject_cast<ListTool*>(modal);
            row.toList(*second);
            QCOMPARE(second->FindBox()->text(), QString());
            QVERIFY(!second->Records()->SelectedRow());
            second->Records()->SelectRow(1);
            QTest::keyClicks(second->FindBox(), QStringLiteral("rossi"));
            Click(second->FindButton());
            QCOMPARE(Selected(second->Records()), 0); // a new find: from line 0, not after line 1
            Click(second->CloseButton());
        });
        Click(Child(served, row.command));
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(TestListTools)
#include "tst_listtools.moc"
