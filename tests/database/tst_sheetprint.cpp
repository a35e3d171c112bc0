// Printing from the database screens as a user does it: " Stampa scheda" and " Anteprima di
// stampa" from the sheet, the preview window itself, and "Stampa" of the list tools. The
// print dialog is answered through its seam: cancelled, or accepted with a PDF file as the
// printer.

#include "support/ListTools.h"
#include "support/ScreenTest.h"
#include "support/PdfProbe.h"

#include "kit/Printing.h"
#include "kit/TextBoxes.h"
#include "database/TfrmDatabase.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QToolBar>

using namespace pdfprobe;

namespace {

// Answers the print dialog: cancel, or print into a PDF file.
class PrintDialogAnswer {
public:
    explicit PrintDialogAnswer(QString pdfPath) : m_pdf(std::move(pdfPath))
    {
        Printing::SetPrintDialogHandler([this](QPrinter& printer) {
            ++asked;
            copies = printer.copyCount();
            if (m_pdf.isEmpty())
                return false;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(m_pdf);
            return true;
        });
    }
    ~PrintDialogAnswer() { Printing::SetPrintDialogHandler({}); }
    int asked = 0;
    int copies = 0;

private:
    QString m_pdf;
};

QStringList VisibleCommands(QPrintPreviewDialog* preview)
{
    QStringList names;
    auto* bar = preview->findChild<QToolBar*>();
    for (QAction* action : bar->actions())
        if (action->isVisible())
            names << (qobject_cast<QComboBox*>(bar->widgetForAction(action)) ? QStringLiteral("zoom box")
                                                                             : action->objectName());
    return names;
}

QAction* Command(QPrintPreviewDialog* preview, const char* name)
{
    for (QAction* action : preview->findChild<QToolBar*>()->actions())
        if (action->objectName() == QLatin1String(name))
            return action;
    qWarning("no command %s in the preview", name);
    return nullptr;
}

} // namespace

class TestSheetPrint : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;

    TfrmDatabase* Sheet() { return fixture->program->Database(); }
    QString PdfPath() const { return fixture->Path(QStringLiteral("printed.pdf")); }

    void ShowSheet()
    {
        fixture->program->ShowScreen(WorkScreenId::DatabaseSheet);
        QVERIFY(QTest::qWaitForWindowExposed(Sheet()));
    }
    void Type(const char* box, const QString& text)
    {
        auto* edit = Child<QLineEdit>(Sheet(), box);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

private slots:
    void init()
    {
        fixture.Start();
        fixture->WriteFile(QStringLiteral("Archivio.ini"),
        "[Nome Campi]\r\nCampo 01=Prodotto\r\nCampo 02=Codice\r\n");
    }
    void cleanup() { fixture.Stop(); }

    void printToolPrintsTheSheetAsShownUnsavedTextIncluded()
    {
        ShowSheet();
        Type("txtCampo01", QStringLiteral("Trapano [A-12]"));
        Type("txtCliente", QStringLiteral("Rossi Mario"));
        Type("txtWeb", QStringLiteral("www.example.com"));
        PrintDialogAnswer answer(PdfPath());
        QString caption;
        QString start;
        WhenModal([&](QWidget* tool) {
            caption = tool->windowTitle();
            start = Child<QPushButton>(tool, "btnStampa")->text();
            QVERIFY(Child<QLabel>(tool, "icoFaldoni"));
            QCOMPARE(tool->size(), QSize(364, 287));
            Click(Child(tool, "btnStampa"));
        });
        Click(Child(Sheet(), "cmdStampa"));
        QCOMPARE(caption, QStringLiteral(" Stampa scheda"));
        QCOMPARE(start, QStringLiteral("Stampa"));
        QCOMPARE(answer.asked, 1);
        QCOMPARE(answer.copies, 1);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(fixture.messages->shown.isEmpty());
        QCOMPARE(PageCount(PdfPath()), 1);
        const QString text = Layout(PdfPath());
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("Prodotto\\s+Trapano \\[A-12\\]"))));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("\\nCodice\\s*\\n"))));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("Cognome e nome:\\s+Rossi Mario"))));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("Sito Internet:\\s+www\\.example\\.com"))));
        QVERIFY(text.contains(QRegularExpression(
            QStringLiteral("Stampa eseguita in data \\d\\d/\\d\\d/\\d{4} alle ore \\d\\d:\\d\\d:\\d\\d"))));
        QVERIFY(!QFile::exists(fixture->Path(QStringLiteral("Database.pro")))); // nothing saved
    }

    // The province box is a combo: its code prints whether typed or picked from its list.
    void theProvincePrintsAsTheBoxShowsIt_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("printed");
        QTest::newRow("typed") << "rm" << QString() << "RM";
        QTest::newRow("picked from the list") << QString() << "MI" << "MI";
        QTest::newRow("typed, not a code of the list") << "zz" << QString() << "ZZ";
    }
    void theProvincePrintsAsTheBoxShowsIt()
    {
        QFETCH(QString, typed);
        QFETCH(QString, picked);
        QFETCH(QString, printed);
        ShowSheet();
        Type("txtCliente", QStringLiteral("Rossi Mario"));
        auto* province = Child<ProvinceBox>(Sheet(), "txtProvRes");
        province->setFocus();
        if (!typed.isEmpty())
            QTest::keyClicks(QApplication::focusWidget(), typed);
        else
            province->setCurrentIndex(ProvinceBox::Codes().indexOf(picked));
        Child(Sheet(), "txtEmail")->setFocus();
        PrintDialogAnswer answer(PdfPath());
        WhenModal([&](QWidget* tool) { Click(Child(tool, "btnStampa")); });
        Click(Child(Sheet(), "cmdStampa"));
        QCOMPARE(answer.asked, 1);
        const QString text = Layout(PdfPath());
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("Provincia:\\s+") + printed + QStringLiteral("\\s*\\n"))),
                 qPrintable(text));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("Cognome e nome:\\s+Rossi Mario"))));
    }

    void aPrinterThatRefusesIsReported()
    {
        ShowSheet();
        PrintDialogAnswer answer(fixture->Path(QStringLiteral("missing-folder/printed.pdf")));
        WhenModal([&](QWidget* tool) { Click(Child(tool, "btnStampa")); });
        Click(Child(Sheet(), "cmdStampa"));
        QCOMPARE(answer.asked, 1);
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown[0].kind, MessageKind::Error);
        QVERIFY(fixture.messages->shown[0].text.startsWith(QStringLiteral("Attenzione: la stampa non è stata eseguita.")));
        QVERIFY(!QApplication::activeModalWidget());
    }

    void cancellingPrintsNothingAndSaysNothing_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("dialogs");
        QTest::newRow("print dialog cancelled") << "cmdStampa" << "btnStampa" << 1;
        QTest::newRow("print tool cancelled") << "cmdStampa" << "btnAnnulla" << 0;
        QTest::newRow("preview tool cancelled") << "cmdAnteprima" << "btnAnnulla" << 0;
    }
    void cancellingPrintsNothingAndSaysNothing()
    {
        QFETCH(QString, command);
        QFETCH(QString, button);
        QFETCH(int, dialogs);
        ShowSheet();
        PrintDialogAnswer answer({});
        WhenModal([&](QWidget* tool) { Click(Child(tool, button.toLatin1().constData())); });
        Click(Child(Sheet(), command.toLatin1().constData()));
        QCOMPARE(answer.asked, dialogs);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(fixture.messages->shown.isEmpty());
        QVERIFY(!QFile::exists(PdfPath()));
    }

    void previewShowsThePageMaximisedAtActualSizeWithFourCommands_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("closed by its command") << false;
        QTest::newRow("closed by Escape") << true;
    }
    void previewShowsThePageMaximisedAtActualSizeWithFourCommands()
    {
        QFETCH(bool, byEscape);
        ShowSheet();
        Type("txtCampo02", QStringLiteral("X-99"));
        QString caption;
        QStringList commands;
        bool maximised = false;
        double zoom = 0;
        QString zoomShown;
        int pages = 0;
        bool closed = false;
        WhenModal([&](QWidget* tool) {
            caption = tool->windowTitle();
            QCOMPARE(Child<QPushButton>(tool, "btnStampa")->text(), QStringLiteral("Mostra anteprima"));
            QVERIFY(Child<QLabel>(tool, "imgLogo02"));
            WhenModal([&](QWidget* window) {
                auto* preview = qobject_cast<QPrintPreviewDialog*>(window);
                QVERIFY(preview);
                QTest::qWait(50);
                commands = VisibleCommands(preview);
                if (const QByteArray keep = qgetenv("VELORBIS_KEEP_PDF"); !keep.isEmpty() && keep != "1")
                    preview->grab().save(QString::fromLocal8Bit(keep)); // a picture of the window to look at
                maximised = preview->windowState().testFlag(Qt::WindowMaximized);
                auto* page = preview->findChild<QPrintPreviewWidget*>();
                zoom = page->zoomFactor();
                pages = page->pageCount();
                zoomShown = preview->findChild<QToolBar*>()->findChild<QComboBox*>()->currentText();
                if (byEscape)
                    QTest::keyClick(preview, Qt::Key_Escape);
                else
                    Command(preview, "closeAction")->trigger();
                closed = !preview->isVisible();
            });
            Click(Child(tool, "btnStampa"));
        });
        Click(Child(Sheet(), "cmdAnteprima"));
        QCOMPARE(caption, QStringLiteral(" Anteprima di stampa"));
        QCOMPARE(commands, (QStringList{"zoom box", "zoomOutAction", "zoomInAction", "printAction", "fullScreenAction",
                                        "closeAction"}));
        QVERIFY(maximised);
        QCOMPARE(zoom, 1.0);
        QVERIFY2(zoomShown.startsWith(QStringLiteral("100")), qPrintable(zoomShown));
        QCOMPARE(pages, 1);
        QVERIFY(closed);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(fixture.messages->shown.isEmpty());
    }

    void previewPrintsThroughThePrintDialogAndGoesFullScreen()
    {
        ShowSheet();
        Type("txtCampo01", QStringLiteral("Anteprima stampata"));
        PrintDialogAnswer answer(PdfPath());
        bool fullScreen = false;
        WhenModal([&](QWidget* tool) {
            WhenModal([&](QWidget* window) {
                auto* preview = qobject_cast<QPrintPreviewDialog*>(window);
                QVERIFY(preview && Command(preview, "fullScreenAction") && Command(preview, "printAction"));
                Command(preview, "fullScreenAction")->trigger();
                fullScreen = preview->windowState().testFlag(Qt::WindowFullScreen);
                Command(preview, "printAction")->trigger();
                Command(preview, "closeAction")->trigger();
            });
            Click(Child(tool, "btnStampa"));
        });
        Click(Child(Sheet(), "cmdAnteprima"));
        QVERIFY(fullScreen);
        QCOMPARE(answer.asked, 1);
        QVERIFY(Layout(PdfPath()).contains(QRegularExpression(QStringLiteral("Prodotto\\s+Anteprima stampata"))));
    }

    void listToolsPrintTheirLinesUnderTheirTitle_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("search");
        QTest::newRow("flagged sheets") << "cmdSegnalati" << "Riepilogo record segnalati" << false;
        QTest::newRow("search") << "cmdTrova" << "Riepilogo Schede" << true;
    }
    void listToolsPrintTheirLinesUnderTheirTitle()
    {
        QFETCH(QString, command);
        QFETCH(QString, title);
        QFETCH(bool, search);
        WriteRecords<DatabaseLayout>({::Sheet({{DF::Campo01, u"Alfa [DATE]"}, {DF::Cliente, u"Rossi"}, {DF::Segnala, MarkYes.data()}}),
                     ::Sheet({{DF::Campo01, u"Beta"}, {DF::Segnala, MarkYes.data()}})});
        ShowSheet();
        PrintDialogAnswer answer(PdfPath());
        WhenModal([&](QWidget* tool) {
            if (search)
                Click(Child(tool, "btnCerca"));
            Click(Child(tool, "btnStampa"));
            Click(Child(tool, "btnChiudi"));
        });
        Click(Child(Sheet(), command.toLatin1().constData()));
        QCOMPARE(answer.asked, 1);
        QCOMPARE(PageCount(PdfPath()), 1);
        QVERIFY(Info(PdfPath()).contains(QRegularExpression(QStringLiteral("Page size:\\s+84[12](\\.\\d+)? x 595(\\.\\d+)? pts"))));
        const QString text = Layout(PdfPath());
        const QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.value(0).trimmed(), title);
        QVERIFY(lines.value(1).trimmed().startsWith(QStringLiteral("Alfa [DATE]")));
        QVERIFY(lines.value(1).contains(QStringLiteral("Rossi")));
        QVERIFY(lines.value(2).trimmed().startsWith(QStringLiteral("Beta")));
        QVERIFY(lines.value(3).trimmed().contains(
            QRegularExpression(QStringLiteral("^Stampa eseguita in data \\d\\d/\\d\\d/\\d{4}$"))));
        QVERIFY(fixture.messages->shown.isEmpty());
    }

    void anEmptyListPrintsItsTitleAndFooterOnly()
    {
        ShowSheet();
        PrintDialogAnswer answer(PdfPath());
        WhenModal([&](QWidget* tool) {
            Click(Child(tool, "btnStampa"));
            Click(Child(tool, "btnChiudi"));
        });
        Click(Child(Sheet(), "cmdSegnalati"));
        QCOMPARE(PageCount(PdfPath()), 1);
        const QStringList lines = Layout(PdfPath()).simplified().isEmpty()
                                      ? QStringList()
                                      : Layout(PdfPath()).split(QRegularExpression(QStringLiteral("\\s*\\n\\s*")),
                                                                Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].trimmed(), QStringLiteral("Riepilogo record segnalati"));
        QVERIFY(lines[1].trimmed().startsWith(QStringLiteral("Stampa eseguita in data ")));
    }
};

QTEST_MAIN(TestSheetPrint)
#include "tst_sheetprint.moc"
