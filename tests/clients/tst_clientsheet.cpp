// The client sheet screen's own behaviour: its title and commands, how each kind of box tidies
// what is typed, the status line, the focus order, the checkers, the e-mail button, the print
// commands and Cliente.pdf, the guide and the hover texts. What it shares with the database
// sheet screen is tested over both archives in kit/tst_sheetscreens.

#include "support/SheetScreenTest.h"

#include "clients/ClientHelp.h"
#include "clients/TfrmClienti.h"
#include "kit/Printing.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <sys/stat.h>

namespace {

// The 29 boxes in tab order (the check box left out).
const QStringList Boxes{
    "txtCliente",   "txtDataNasc", "txtComuneNasc", "txtProvNasc",   "txtSesso",      "txtRecapito",
    "txtIndirizzoRes", "txtProvRes", "txtComuneRes", "txtCapRes",    "txtEstremi",    "txtTelCasa",
    "txtTelUff",    "txtTelCel",   "txtFax",        "txtEmail",      "txtCodFisc",    "txtCarta",
    "txtScadeCarta", "txtPartitaIva", "txtIban",    "txtDocumento",  "txtOccupazione", "txtCivile",
    "txtTitoli",    "txtProdotti", "txtZona",       "txtQuestioni",  "txtNote",
};

} // namespace

class TstClientSheet : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;

    TfrmClienti* screen() { return fixture->program->Clienti(); }
    MessageRecorder& messages() { return *fixture.messages; }
    QString Text(const char* name) { return BoxText(screen(), name); }
    void SetText(const char* name, const QString& text) { SetBoxText(screen(), name, text); }
    QCheckBox* Mark() { return Child<QCheckBox>(screen(), "chkRicontatta"); }
    void Open() { ShowAndWait(screen()); }

private slots:
    void init() { fixture.Start(); }
    void cleanup() { fixture.Stop(); }

    void firstShowingShowsTheTitleTheMarkAndEveryCommand()
    {
        Open();
        QCOMPARE(screen()->windowTitle(), QStringLiteral(" Velorbis 4.0 - Anagrafica Clienti"));
        QCOMPARE(Mark()->text(), QStringLiteral("Da ricontattare"));
        for (const char* command : {"cmdNuovo", "cmdDuplica", "cmdFile", "cmdSalva", "cmdTrova", "cmdAnteprima",
                                    "cmdStampa", "cmdPDF", "cmdRicontatta", "cmdEsporta", "cmdGuida", "cmdEsci",
                                    "cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo", "imgDecoro"})
            QVERIFY2(Child(screen(), command) && Child(screen(), command)->isVisible(), command);
    }

    // What each kind of box does with typed keys.
    void boxKinds_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("whileTyping");
        QTest::addColumn<QString>("afterLeaving");
        QTest::newRow("fiscal code upper-cased") << "txtCodFisc" << " rssmra80" << "RSSMRA80" << "RSSMRA80";
        QTest::newRow("IBAN upper-cased") << "txtIban" << "it60x" << "IT60X" << "IT60X";
        QTest::newRow("sex upper-cased, accents stay") << "txtSesso" << "à" << "à" << "à";
        QTest::newRow("sex letter") << "txtSesso" << "f" << "F" << "F";
        QTest::newRow("postal code not trimmed") << "txtCapRes" << "ab1 " << "AB1 " << "AB1 ";
        QTest::newRow("postal code after a leading blank") << "txtCapRes" << " ab1" << " AB1" << " AB1";
        QTest::newRow("e-mail trimmed at each key") << "txtEmail" << " a@b.it " << "a@b.it" << "a@b.it";
        QTest::newRow("card digits only") << "txtCarta" << "41-11 a1" << "41111" << "41111";
        QTest::newRow("VAT digits only") << "txtPartitaIva" << "0123x45" << "012345" << "012345";
        QTest::newRow("province: two typed letters stay") << "txtProvNasc" << "e" << "E" << "E";
        QTest::newRow("province: r is not completed to RA") << "txtProvRes" << "r" << "R" << "R";
        QTest::newRow("province: free pair") << "txtProvRes" << "zz" << "ZZ" << "ZZ";
        QTest::newRow("date of birth free text") << "txtDataNasc" << "1/2/80 " << "1/2/80 " << "1/2/80 ";
    }
    void boxKinds()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, whileTyping);
        QFETCH(QString, afterLeaving);
        Open();
        QWidget* widget = Child(screen(), box.toLatin1().constData());
        widget->setFocus();
        Type(QApplication::focusWidget(), typed);
        QCOMPARE(Text(box.toLatin1().constData()), whileTyping);
        Child(screen(), "txtNote")->setFocus();
        QCOMPARE(Text(box.toLatin1().constData()), afterLeaving);
    }

    // Hovering decides the status line: field titles, boxes and section pictures leave it; the
    // sections, their white picture boxes, the command column, the strips empty it.
    void statusLineOverTheScreen_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("empties");
        QTest::newRow("field title") << "titCliente" << QPoint(4, 4) << false;
        QTest::newRow("box") << "txtCliente" << QPoint(4, 4) << false;
        QTest::newRow("section picture") << "icoSezione01" << QPoint(26, 26) << false;
        QTest::newRow("white picture box") << "shpIconaSez01" << QPoint(3, 3) << true;
        QTest::newRow("section") << "shpSezione01" << QPoint(84, 4) << true;
        QTest::newRow("command column") << "shpComandi" << QPoint(4, 480) << true;
        QTest::newRow("status text") << "panInfo" << QPoint(300, 16) << true;
        QTest::newRow("status strip") << "shpInfo" << QPoint(3, 16) << true;
        QTest::newRow("navigation strip") << "shpNavigazione" << QPoint(2, 2) << true;
        QTest::newRow("position") << "lblPosizione" << QPoint(4, 4) << true;
        QTest::newRow("decoration") << "imgDecoro" << QPoint(10, 10) << true;
    }
    void statusLineOverTheScreen()
    {
        QFETCH(QString, control);
        QFETCH(QPoint, at);
        QFETCH(bool, empties);
        Open();
        screen()->showNormal(); // the whole design on the test's small screen
        screen()->resize(1040, 740);
        QVERIFY(QTest::qWaitForWindowExposed(screen()));
        auto* line = Child<QLabel>(screen(), "panInfo");
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(Child(screen(), "cmdNuovo"), &enter);
        const QString hover = line->text();
        QVERIFY(!hover.isEmpty());
        QWidget* target = Child(screen(), control.toLatin1().constData());
        QCOMPARE(screen()->childAt(target->mapTo(screen(), at)), target); // nothing covers that point
        QTest::mouseMove(target, at);
        QCOMPARE(line->text(), empties ? QString() : hover);
    }

    void enterChainAndTabOrder_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("order");
        const QStringList boxes = Boxes;
        QTest::newRow("Enter skips the mark and wraps") << int(Qt::Key_Return) << boxes + QStringList{"txtCliente"};
        QStringList tabs = boxes;
        tabs.insert(tabs.indexOf(QStringLiteral("txtNote")), QStringLiteral("chkRicontatta"));
        QTest::newRow("Tab visits the mark") << int(Qt::Key_Tab) << tabs;
    }
    void enterChainAndTabOrder()
    {
        QFETCH(int, key);
        QFETCH(QStringList, order);
        Open();
        QStringList visited{FocusedBox()->objectName()};
        for (int i = 1; i < order.size(); ++i) {
            QWidget* focus = FocusedBox();
            if (key == Qt::Key_Tab && TextBoxes::TextOf(focus).isNull() == false
                && (focus->objectName() == QStringLiteral("txtCarta")
                    || focus->objectName() == QStringLiteral("txtPartitaIva"))) {
                // The digits-only boxes swallow Tab; the user clicks on along the tab order.
                QWidget* next = QApplication::focusWidget()->nextInFocusChain();
                while (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisible())
                    next = next->nextInFocusChain();
                next->setFocus(Qt::TabFocusReason);
            } else {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
            }
            visited.append(FocusedBox() ? FocusedBox()->objectName() : QString());
        }
        QCOMPARE(visited, order);
    }

    void checkers_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("prefilled");
        QTest::newRow("empty fiscal code") << "btnCodFisc" << "txtCodFisc" << "" << "TfrmCodFisc" << "txtCodFisc" << "";
        QTest::newRow("fiscal code") << "btnCodFisc" << "txtCodFisc" << "rssmra80a01h501u" << "TfrmCodFisc"
                                     << "txtCodFisc" << "RSSMRA80A01H501U";
        QTest::newRow("digits go to the VAT check") << "btnCodFisc" << "txtCodFisc" << "01234567890"
                                                    << "TfrmPartitaIva" << "txtPartitaIva" << "01234567890";
        QTest::newRow("VAT number") << "btnPartitaIva" << "txtPartitaIva" << "0123456789" << "TfrmPartitaIva"
                                    << "txtPartitaIva" << "0123456789";
        QTest::newRow("card") << "btnCarta" << "txtCarta" << "4111111111111111" << "TfrmCarta" << "txtNumero"
                              << "4111111111111111";
        QTest::newRow("IBAN") << "btnIban" << "txtIban" << "it60x0542811101000000123456" << "TfrmIban" << "txtIban"
                              << "IT60X0542811101000000123456";
    }
    void checkers()
    {
        QFETCH(QString, command);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, tool);
        QFETCH(QString, box);
        QFETCH(QString, prefilled);
        Open();
        Child(screen(), field.toLatin1().constData())->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), typed);
        QString opened, received;
        WhenModal([&](QWidget* modal) {
            opened = QString::fromLatin1(modal->metaObject()->className());
            if (auto* input = Child<QLineEdit>(modal, box.toLatin1().constData()))
                received = input->text();
            Click(Child(modal, "btnChiudi"));
        });
        Click(Child(screen(), command.toLatin1().constData()));
        QCOMPARE(opened, tool);
        QCOMPARE(received, prefilled);
    }

    void mailButtonHandsOverOnlyTheAddress()
    {
        OpenedUrls urls;
        Open();
        SetText("txtEmail", QStringLiteral(" mario@example.it?bcc=x@y.it "));
        Click(Child(screen(), "btnEmail"));
        QCOMPARE(urls.urls, QList<QUrl>{QUrl(QStringLiteral("mailto:mario@example.it"))});
    }

    // Print, preview and PDF take what the sheet shows now, unsaved edits included.
    void printCommandsTakeTheShownSheet()
    {
        Open();
        Child<QLineEdit>(screen(), "txtCliente")->setText(QStringLiteral("Rossi Anna"));

        int printDialogs = 0;
        Printing::SetPrintDialogHandler([&](QPrinter&) {
            ++printDialogs;
            return false; // cancelled: nothing is printed, nothing is said
        });
        Click(Child(screen(), "cmdStampa"));
        Printing::SetPrintDialogHandler({});
        QCOMPARE(printDialogs, 1);
        QVERIFY(messages().shown.isEmpty());

        QString preview;
        WhenModal([&](QWidget* modal) {
            preview = QString::fromLatin1(modal->metaObject()->className());
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        Click(Child(screen(), "cmdAnteprima"));
        QCOMPARE(preview, QStringLiteral("QPrintPreviewDialog"));

        messages().answer = QMessageBox::No;
        Click(Child(screen(), "cmdPDF"));
        QVERIFY(QFileInfo(fixture->Path(QStringLiteral("Cliente.pdf"))).size() > 0);
        QCOMPARE(messages().shown.size(), 1);
        QCOMPARE(messages().shown.first().kind, MessageKind::Confirmation);
    }

    // As the tests' superuser: a Cliente.pdf whose write bits are off stays as it is and the
    // error is shown, with nothing asked; a replaced one keeps its rights.
    void aReadOnlyPdfIsNotReplacedAndAReplacedOneKeepsItsRights_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("0444") << 0444 << false;
        QTest::newRow("0400") << 0400 << false;
        QTest::newRow("0600") << 0600 << true;
        QTest::newRow("0640") << 0640 << true;
    }
    void aReadOnlyPdfIsNotReplacedAndAReplacedOneKeepsItsRights()
    {
        QFETCH(int, mode);
        QFETCH(bool, replaced);
        const QString path = fixture->Path(QStringLiteral("Cliente.pdf"));
        fixture->WriteFile(QStringLiteral("Cliente.pdf"), "earlier PDF");
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);
        Open();
        Child<QLineEdit>(screen(), "txtCliente")->setText(QStringLiteral("Rossi Anna"));
        messages().answer = QMessageBox::No;
        Click(Child(screen(), "cmdPDF"));
        QCOMPARE(messages().shown.size(), 1);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        if (replaced) {
            QCOMPARE(messages().shown.first().kind, MessageKind::Confirmation);
            QVERIFY(file.readAll().startsWith("%PDF"));
        } else {
            QCOMPARE(messages().shown.first().kind, MessageKind::Error);
            QCOMPARE(messages().shown.first().text, QStringLiteral("Attenzione: impossibile scrivere il file PDF\n%1"
                                                                  "\n\nthe file is marked read-only")
                                                       .arg(QDir::toNativeSeparators(path)));
            QCOMPARE(file.readAll(), QByteArray("earlier PDF"));
        }
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &info), 0);
        QCOMPARE(int(info.st_mode & 07777), mode);
        QCOMPARE(QDir(fixture->folder.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".tmp")),
                 QStringList());
    }

    void guideHasNineParagraphs()
    {
        Open();
        QString title, text;
        WhenModal([&](QWidget* modal) {
            title = Child<QLabel>(modal, "lblTitolo")->text();
            text = Child<QPlainTextEdit>(modal, "txtGuida")->toPlainText();
            Click(Child(modal, "btnChiudi"));
        });
        Click(Child(screen(), "cmdGuida"));
        QCOMPARE(title, QStringLiteral("Anagrafica Clienti."));
        QCOMPARE(ClientHelpText().split(QStringLiteral("\r\n\r\n")).size(), 9);
        QVERIFY(ClientHelpText().startsWith(QStringLiteral("L'Anagrafica Clienti memorizza le informazioni")));
        QVERIFY(!text.isEmpty());
    }

    void hoverTexts_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::newRow("recontact") << "cmdRicontatta" << "Visualizza il riepilogo dei Clienti da ricontattare.";
        QTest::newRow("pdf") << "cmdPDF" << "Esporta la scheda in formato PDF.";
        QTest::newRow("mark") << "chkRicontatta" << "Annota che il Cliente è da ricontattare per questioni in sospeso.";
        QTest::newRow("e-mail") << "btnEmail" << "Invia una e-mail all'indirizzo indicato.";
        QTest::newRow("IBAN") << "btnIban" << "Controlla l'IBAN.";
    }
    void hoverTexts()
    {
        QFETCH(QString, control);
        QFETCH(QString, text);
        Open();
        auto* line = Child<QLabel>(screen(), "panInfo");
        // The mouse enters the control (sent directly: the test screen is smaller than the design).
        auto enter = [](QWidget* widget) {
            QEnterEvent event(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
            QApplication::sendEvent(widget, &event);
        };
        enter(Child(screen(), "btnCarta"));
        enter(Child(screen(), control.toLatin1().constData()));
        QCOMPARE(line->text(), text);
        enter(Child(screen(), "txtCliente")); // a box leaves the text
        QCOMPARE(line->text(), text);
    }
};

QTEST_MAIN(TstClientSheet)
#include "tst_clientsheet.moc"
