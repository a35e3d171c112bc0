// Cliente.pdf: written into the program folder through a temporary file, replaced by each
// export, left whole by a failed one (which is reported with its path and asks nothing), and
// opened only when the user answers Yes.

#include "support/PdfProbe.h"
#include "support/ScreenTest.h"

#include "kit/Printing.h"
#include "report/SheetPages.h"
#include "storage/IoFaults.h"

using namespace pdfprobe;

namespace {

const QString Question =
    QStringLiteral("L'esportazione della scheda in PDF è terminata con successo.\r\n\r\nSi vuole aprire il file?");

report::Page ClientPage(const char16_t* name)
{
    report::ClientSheetTexts texts;
    texts[ClientField::Cliente] = name;
    texts[ClientField::ComuneRes] = u"Roma";
    texts[ClientField::ProvRes] = u"RM";
    return report::ClientSheetPage(texts, Printing::Now());
}

} // namespace

class TestClientPdf : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;
    std::unique_ptr<OpenedUrls> opened;

    QString Target() const { return fixture->Path(QStringLiteral("Cliente.pdf")); }
    QStringList Files() const { return QDir(fixture->folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot); }

private slots:
    void init()
    {
        fixture.Start();
        opened = std::make_unique<OpenedUrls>();
    }
    void cleanup()
    {
        opened.reset();
        fixture.Stop();
    }

    void theAnswerDecidesWhetherTheFileOpens_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("opens");
        QTest::newRow("yes") << int(QMessageBox::Yes) << true;
        QTest::newRow("no") << int(QMessageBox::No) << false;
    }
    void theAnswerDecidesWhetherTheFileOpens()
    {
        QFETCH(int, answer);
        QFETCH(bool, opens);
        fixture.messages->answer = QMessageBox::StandardButton(answer);
        QVERIFY(Printing::ExportSheetPdf(nullptr, ClientPage(u"Bianchi Anna"), QStringLiteral("Cliente.pdf")));
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown[0].kind, MessageKind::Confirmation);
        QCOMPARE(fixture.messages->shown[0].text, Question);
        QCOMPARE(opened->urls, opens ? QList<QUrl>{QUrl::fromLocalFile(Target())} : QList<QUrl>{});
        QCOMPARE(PageCount(Target()), 1);
        QVERIFY(Layout(Target()).contains(QRegularExpression(QStringLiteral("Comune di residenza:\\s+Roma RM"))));
        QCOMPARE(Files(), QStringList{QStringLiteral("Cliente.pdf")});
    }

    void aSecondExportReplacesTheFirst()
    {
        fixture.messages->answer = QMessageBox::No;
        QVERIFY(Printing::ExportSheetPdf(nullptr, ClientPage(u"Primo Cliente"), QStringLiteral("Cliente.pdf")));
        QVERIFY(Printing::ExportSheetPdf(nullptr, ClientPage(u"Secondo Cliente"), QStringLiteral("Cliente.pdf")));
        const QString text = Layout(Target());
        QVERIFY(text.contains(QStringLiteral("Secondo Cliente")));
        QVERIFY(!text.contains(QStringLiteral("Primo Cliente")));
        QCOMPARE(Files(), QStringList{QStringLiteral("Cliente.pdf")});
    }

    void aFailedExportLeavesTheEarlierFileAndAsksNothing_data()
    {
        QTest::addColumn<int>("fault");
        QTest::newRow("temporary file not created") << int(IoOp::Create);
        QTest::newRow("writing") << int(IoOp::Write);
        QTest::newRow("putting it in place") << int(IoOp::Rename);
    }
    void aFailedExportLeavesTheEarlierFileAndAsksNothing()
    {
        QFETCH(int, fault);
        fixture.messages->answer = QMessageBox::Yes;
        QVERIFY(Printing::ExportSheetPdf(nullptr, ClientPage(u"Primo Cliente"), QStringLiteral("Cliente.pdf")));
        QFile earlierFile(Target());
        QVERIFY(earlierFile.open(QIODevice::ReadOnly));
        const QByteArray earlier = earlierFile.readAll();
        earlierFile.close();
        fixture.messages->shown.clear();
        opened->urls.clear();

        IoFaults::FailNext(static_cast<IoOp>(fault));
        QVERIFY(!Printing::ExportSheetPdf(nullptr, ClientPage(u"Secondo Cliente"), QStringLiteral("Cliente.pdf")));
        IoFaults::Reset();
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown[0].kind, MessageKind::Error);
        QVERIFY2(fixture.messages->shown[0].text.contains(Target()), qPrintable(fixture.messages->shown[0].text));
        QVERIFY(opened->urls.isEmpty());
        QVERIFY(earlierFile.open(QIODevice::ReadOnly));
        QCOMPARE(earlierFile.readAll(), earlier);
        QCOMPARE(Files(), QStringList{QStringLiteral("Cliente.pdf")});
    }

    void aFolderInPlaceOfTheFileIsReportedAndLeftAlone()
    {
        QVERIFY(QDir(fixture->folder.path()).mkdir(QStringLiteral("Cliente.pdf")));
        QVERIFY(!Printing::ExportSheetPdf(nullptr, ClientPage(u"Bianchi Anna"), QStringLiteral("Cliente.pdf")));
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown[0].kind, MessageKind::Error);
        QVERIFY(fixture.messages->shown[0].text.contains(Target()));
        QVERIFY(QFileInfo(Target()).isDir());
        QVERIFY(opened->urls.isEmpty());
    }
};

QTEST_MAIN(TestClientPdf)
#include "tst_clientpdf.moc"
