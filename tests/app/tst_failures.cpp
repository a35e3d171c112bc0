// A failure shows the user the screen's fixed text and leaves its real reason (operation,
// file, the system's word) on the program's standard error.

#include "support/ScreenTest.h"
#include "support/StandardErrorCapture.h"

#include "kit/Failures.h"
#include "kit/Formats.h"
#include "storage/IoFaults.h"

#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include <cstring>
#include <stdexcept>

namespace {

const QString ArchiveAccess = QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                                             "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                                             "installazione del programma.");
const QString ExportFailed = QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                                            "Accertarsi che il file di Excel non sia già aperto.");

} // namespace

class TestFailures : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;

    QString InFolder(const char* name) const { return QDir(fixture->folder.path()).absoluteFilePath(name); }

private slots:
    void init() { fixture.Start(); }
    void cleanup() { fixture.Stop(); }

    void theUserSeesTheFixedTextAndStandardErrorTheReason()
    {
        StandardErrorCapture stderrText;
        Failures::Report(nullptr, MessageKind::Error, QStringLiteral("Testo fisso."),
                         {"write", "/cartella/Database.pro", "No space left on device"});
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown[0].kind, MessageKind::Error);
        QCOMPARE(fixture.messages->shown[0].text, QStringLiteral("Testo fisso."));
        QCOMPARE(stderrText.Text(),
                 QStringLiteral("Velorbis 4.0: write /cartella/Database.pro: No space left on device\n"));
    }

    void theDefaultErrorReportShowsTheErrorsOwnText()
    {
        StandardErrorCapture stderrText;
        Failures::ReportError(nullptr, std::runtime_error("Stampante non disponibile"));
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown[0].kind, MessageKind::Error);
        QCOMPARE(fixture.messages->shown[0].text, QStringLiteral("Stampante non disponibile"));
        QCOMPARE(stderrText.Text(), QStringLiteral("Velorbis 4.0: Stampante non disponibile\n"));
    }

    // Each row: a user action on a screen while one file operation fails, the message the
    // user sees, and what standard error must say.
    void everyFileFailureOfTheProgramLeavesItsReason_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<IoOp>("fault");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("file");
        QTest::newRow("sheet: save") << 0 << IoOp::Write << int(MessageKind::Error) << ArchiveAccess
                                     << "write" << "Database.pro";
        QTest::newRow("sheet: first sheet") << 1 << IoOp::Open << int(MessageKind::Error) << ArchiveAccess
                                            << "open" << "Database.pro";
        QTest::newRow("field names: apply") << 2 << IoOp::Rename << int(MessageKind::Error)
                                            << QStringLiteral("Unable to write to ") << "replace" << "Archivio.ini";
        QTest::newRow("export: write") << 3 << IoOp::Write << int(MessageKind::Plain) << ExportFailed
                                       << "write beside" << "Database.xls";
    }
    void everyFileFailureOfTheProgramLeavesItsReason()
    {
        QFETCH(int, action);
        QFETCH(IoOp, fault);
        QFETCH(int, kind);
        QFETCH(QString, shown);
        QFETCH(QString, operation);
        QFETCH(QString, file);
        QString expectedShown = shown;
        if (action == 2)
            expectedShown += InFolder("Archivio.ini");

        StandardErrorCapture stderrText;
        switch (action) {
        case 0:
        case 1: {
            fixture->program->ShowScreen(WorkScreenId::DatabaseSheet);
            QWidget* sheet = fixture->program->Screen(WorkScreenId::DatabaseSheet);
            QVERIFY(QTest::qWaitForWindowExposed(sheet));
            Child<QLineEdit>(sheet, "txtCampo01")->setText(QStringLiteral("Pratica"));
            Child<QLineEdit>(sheet, "txtCliente")->setText(QStringLiteral("Rossi Mario"));
            IoFaults::FailNext(fault);
            Click(Child(sheet, action == 0 ? "cmdSalva" : "cmdPrimo"));
            break;
        }
        case 2: {
            fixture->program->ShowScreen(WorkScreenId::FieldNames);
            QWidget* names = fixture->program->Screen(WorkScreenId::FieldNames);
            QVERIFY(QTest::qWaitForWindowExposed(names));
            Child<QLineEdit>(names, "txtCampo01")->setText(QStringLiteral("Pratica"));
            IoFaults::FailNext(fault);
            Click(Child<QPushButton>(names, "btnApplica"));
            break;
        }
        case 3: {
            fixture->program->ShowScreen(WorkScreenId::DatabaseSheet);
            QWidget* sheet = fixture->program->Screen(WorkScreenId::DatabaseSheet);
            QVERIFY(QTest::qWaitForWindowExposed(sheet));
            fixture.messages->answer = QMessageBox::Yes;
            WhenModal([&](QWidget* tool) {
                IoFaults::FailNext(fault);
                Click(Child(tool, "cmdEsporta"));
                Click(Child(tool, "cmdEsci"));
            });
            Click(Child(sheet, "cmdEsporta"));
            break;
        }
        }

        QVERIFY(!fixture.messages->shown.isEmpty());
        const ShownMessage& last = fixture.messages->shown.last();
        QCOMPARE(int(last.kind), kind);
        QCOMPARE(last.text, expectedShown);
        const QString reason = QStringLiteral("Velorbis 4.0: ") + operation + u' ' + InFolder(file.toLatin1().constData())
            + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(IoFaults::InjectedErrno)) + u'\n';
        QVERIFY2(stderrText.Text().contains(reason), qPrintable(stderrText.Text()));
    }

    void datesShowDayMonthAndFourDigitYear()
    {
        QCOMPARE(Formats::ShortDateFormat(), QStringLiteral("dd/MM/yyyy"));
        QCOMPARE(Formats::ShortDate(QDate(2026, 3, 7)), QStringLiteral("07/03/2026"));
        QCOMPARE(Formats::ShortDate(QDate(1999, 12, 31)), QStringLiteral("31/12/1999"));
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
    }
};

QTEST_MAIN(TestFailures)
#include "tst_failures.moc"
