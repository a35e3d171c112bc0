// The four checker tools: their shape, how their boxes filter and tidy what is typed, the
// messages they give, which outcomes keep them open, and the sheets' fiscal-code button.

#include "support/ScreenTest.h"

#include "kit/TextBoxes.h"
#include "checkers/TfrmCarta.h"
#include "checkers/TfrmCodFisc.h"
#include "checkers/TfrmIban.h"
#include "checkers/TfrmPartitaIva.h"
#include "database/TfrmDatabase.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

struct Checker {
    const char* box;
    std::function<void(QWidget*, const QString&)> open;
};

template <class Tool>
Checker Make(const char* box)
{
    return {box, [](QWidget* opener, const QString& text) {
                OpenTool<Tool>(opener, text);
            }};
}

Checker CheckerNamed(const QString& name)
{
    if (name == QLatin1String("TfrmCodFisc"))
        return Make<TfrmCodFisc>("txtCodFisc");
    if (name == QLatin1String("TfrmPartitaIva"))
        return Make<TfrmPartitaIva>("txtPartitaIva");
    if (name == QLatin1String("TfrmCarta"))
        return Make<TfrmCarta>("txtNumero");
    return Make<TfrmIban>("txtIban");
}

// What a person sees of one use of a tool.
struct Outcome {
    QString tool;              // class of the tool that came up
    QList<ShownMessage> messages;
    bool stayedOpen = false;   // still up after the action
    bool focusInBox = false;   // after the action
    QString boxText;           // after the action
};

void Type(QWidget* box, const QString& text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::KeyAction::Click, box, Qt::Key_unknown, c, Qt::NoModifier);
}


} // namespace

class TestCheckers : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;
    MessageRecorder* recorder = nullptr; // of the use under way
    QWidget* sheet() { return fixture->program->Database(); }

    // Opens the tool from the database sheet with `text` in its box, runs `act` on it (by
    // default, presses "Controlla") and closes it with "Chiudi" if it is still up.
    Outcome Use(const QString& tool, const QString& text, std::function<void(QWidget*, QLineEdit*)> act = {})
    {
        MessageRecorder messages;
        recorder = &messages;
        const Checker checker = CheckerNamed(tool);
        Outcome outcome;
        WhenModal([&](QWidget* window) {
            outcome.tool = QString::fromLatin1(window->metaObject()->className());
            auto* box = window->findChild<QLineEdit*>(QString::fromLatin1(checker.box));
            if (box) {
                if (act)
                    act(window, box);
                else
                    Click(Child<QPushButton>(window, "btnControlla"));
                outcome.boxText = box->text();
                outcome.focusInBox = window->focusWidget() == box;
            }
            outcome.stayedOpen = window->isVisible();
            if (window->isVisible())
                Click(Child<QPushButton>(window, "btnChiudi"));
        });
        checker.open(sheet(), text);
        outcome.messages = messages.shown;
        recorder = nullptr;
        return outcome;
    }

private slots:
    void init() { fixture.Start(ScreenTestFixture::Recording::None); }
    void cleanup() { fixture.Stop(); }

    void shape_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("instruction");
        QTest::newRow("fiscal code") << "TfrmCodFisc" << " Controllo codice fiscale" << QSize(478, 254)
                                     << "Immettere il codice fiscale e premere il pulsante di controllo.";
        QTest::newRow("VAT number") << "TfrmPartitaIva" << " Controllo partita IVA" << QSize(480, 254)
                                    << "Immettere il numero di partita IVA e premere il pulsante di controllo.";
        QTest::newRow("card") << "TfrmCarta" << " Controllo carta di credito" << QSize(519, 254)
                              << "Immettere il numero di carta di credito e premere il pulsante di controllo.";
        QTest::newRow("IBAN") << "TfrmIban" << " Controllo IBAN" << QSize(608, 270)
                              << "Immettere l'IBAN e premere il pulsante di controllo.";
    }
    void shape()
    {
        QFETCH(QString, tool);
        QFETCH(QString, caption);
        QFETCH(QSize, size);
        QFETCH(QString, instruction);
        QString shownCaption, shownInstruction, controlla, chiudi, font;
        QSize shownSize;
        QList<QWidget*> tabOrder;
        QList<QWidget*> expectedOrder;
        bool focusOnShow = false;
        const Outcome outcome = Use(tool, QString(), [&](QWidget* window, QLineEdit* box) {
            shownCaption = window->windowTitle();
            shownSize = window->size();
            shownInstruction = Child<QLabel>(window, "lblTitolo")->text();
            auto* btnControlla = Child<QPushButton>(window, "btnControlla");
            auto* btnChiudi = Child<QPushButton>(window, "btnChiudi");
            controlla = btnControlla->text();
            chiudi = btnChiudi->text();
            font = box->font().family();
            focusOnShow = window->focusWidget() == box;
            expectedOrder = {box, btnControlla, btnChiudi};
            QWidget* w = box;
            for (int i = 0; i < 3; ++i, w = w->nextInFocusChain()) {
                while (!(w->focusPolicy() & Qt::TabFocus))
                    w = w->nextInFocusChain();
                tabOrder.append(w);
            }
            QVERIFY(Child(window, "imgLogo"));
        });
        QCOMPARE(outcome.tool, tool);
        QCOMPARE(shownCaption, caption);
        QCOMPARE(shownSize, size);
        QCOMPARE(shownInstruction, instruction);
        QCOMPARE(controlla, QStringLiteral("Controlla"));
        QCOMPARE(chiudi, QStringLiteral("Chiudi"));
        QCOMPARE(font, QStringLiteral("Courier New"));
        QVERIFY(focusOnShow);
        QCOMPARE(tabOrder, expectedOrder);
        QVERIFY(outcome.messages.isEmpty());
    }

    void verdicts_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind"); // 0 information, 1 warning
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("staysOpen");

        const QString cfLength = "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.";
        const QString cfValid = "Il codice fiscale digitato è VALIDO.";
        const QString cfWrong = "Attenzione: il codice fiscale digitato è ERRATO.";
        QTest::newRow("CF valid") << "TfrmCodFisc" << "RSSMRA85T10A562S" << 0 << cfValid << false;
        QTest::newRow("CF placed in lower case") << "TfrmCodFisc" << "rssmra85t10a562s" << 0 << cfValid << false;
        QTest::newRow("CF wrong letter") << "TfrmCodFisc" << "RSSMRA85T10A562T" << 1 << cfWrong << false;
        QTest::newRow("CF hyphen inside") << "TfrmCodFisc" << "RSSMRA85-10A562S" << 1 << cfWrong << false;
        QTest::newRow("CF fifteen") << "TfrmCodFisc" << "RSSMRA85T10A562" << 1 << cfLength << true;
        QTest::newRow("CF empty") << "TfrmCodFisc" << "" << 1 << cfLength << true;

        const QString vatLength = "Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.";
        const QString vatValid = "Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                                 "E' stato rilasciato dall'Ufficio IVA del Comune di ";
        const QString vatWrong = "Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                                 "Non è quindi possibile fornire informazioni relative all'Ufficio IVA che lo ha rilasciato.";
        QTest::newRow("VAT office 096") << "TfrmPartitaIva" << "12345670967" << 0 << vatValid + "Monza (Milano 2)." << false;
        QTest::newRow("VAT office 120") << "TfrmPartitaIva" << "12345671205" << 0 << vatValid + "Bologna 2." << false;
        QTest::newRow("VAT office 040") << "TfrmPartitaIva" << "12345670405" << 0 << vatValid + "Forlì." << false;
        QTest::newRow("VAT unknown office") << "TfrmPartitaIva" << "12345671056" << 0
            << "Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
               "L'Ufficio IVA che lo ha rilasciato (codice 105) non è noto." << false;
        QTest::newRow("VAT wrong digit") << "TfrmPartitaIva" << "12345670968" << 1 << vatWrong << false;
        QTest::newRow("VAT letters placed by the sheet") << "TfrmPartitaIva" << "1234567A96X" << 1 << vatWrong << false;
        QTest::newRow("VAT ten digits") << "TfrmPartitaIva" << "1234567096" << 1 << vatLength << true;
        QTest::newRow("VAT sixteen digits") << "TfrmPartitaIva" << "1234567890123456" << 1 << vatLength << true;
        QTest::newRow("VAT empty") << "TfrmPartitaIva" << "" << 1 << vatLength << true;

        const QString cardAsk = "Attenzione: immettere il numero di carta di credito prima di premere il pulsante di controllo.";
        const QString cardWrong = "Attenzione: il numero digitato risulta ERRATO!\r\n\r\n"
                                  "Non è quindi possibile fornire informazioni relative al tipo di carta di credito.";
        auto cardValid = [](const QString& shown, const QString& type) {
            return "Il numero di carta di credito " + shown + " risulta valido.\r\n\r\nLa carta di credito è del tipo " + type + ".";
        };
        QTest::newRow("card Visa") << "TfrmCarta" << "4111111111111111" << 0 << cardValid("4111111111111111", "Visa") << false;
        QTest::newRow("card Visa wrong") << "TfrmCarta" << "4111111111111112" << 1 << cardWrong << false;
        QTest::newRow("card in groups") << "TfrmCarta" << " 4111 1111 1111 1111 " << 0
                                        << cardValid("4111 1111 1111 1111", "Visa") << false;
        QTest::newRow("card Amex odd length") << "TfrmCarta" << "378282246310005" << 0
                                              << cardValid("378282246310005", "American Express") << false;
        QTest::newRow("card Diners fourteen") << "TfrmCarta" << "30569309025904" << 0
                                              << cardValid("30569309025904", "Diner's Club / Carte Blanche") << false;
        QTest::newRow("card 32 unknown") << "TfrmCarta" << "32123456789017" << 1 << cardWrong << false;
        QTest::newRow("card starting with 2") << "TfrmCarta" << "2221000000000009" << 1 << cardWrong << false;
        QTest::newRow("card starting with 9") << "TfrmCarta" << "91234567890129" << 1 << cardWrong << false;
        QTest::newRow("card empty") << "TfrmCarta" << "" << 1 << cardAsk << true;
        QTest::newRow("card blanks only") << "TfrmCarta" << "   " << 1 << cardAsk << true;

        const QString ibanLength = "Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici.";
        QTest::newRow("IBAN valid") << "TfrmIban" << "IT60X0542811101000000123456" << 0 << "L'IBAN digitato è VALIDO." << false;
        QTest::newRow("IBAN placed in lower case") << "TfrmIban" << "it60x0542811101000000123456" << 0 << "L'IBAN digitato è VALIDO." << false;
        QTest::newRow("IBAN other country") << "TfrmIban" << "FR1420041010050500013M02606" << 0 << "L'IBAN digitato è VALIDO." << false;
        QTest::newRow("IBAN wrong") << "TfrmIban" << "IT60X0542811101000000123457" << 1 << "Attenzione: l'IBAN digitato è ERRATO!" << false;
        QTest::newRow("IBAN hyphen") << "TfrmIban" << "IT60X0542811101-00000123456" << 1 << "Attenzione: l'IBAN digitato è ERRATO!" << false;
        QTest::newRow("IBAN in groups") << "TfrmIban" << "IT60 X054 2811 1010 0000 0123 456" << 1 << ibanLength << true;
        QTest::newRow("IBAN empty") << "TfrmIban" << "" << 1 << ibanLength << true;
    }
    void verdicts()
    {
        QFETCH(QString, tool);
        QFETCH(QString, text);
        QFETCH(int, kind);
        QFETCH(QString, message);
        QFETCH(bool, staysOpen);
        const Outcome outcome = Use(tool, text);
        QCOMPARE(outcome.messages.size(), 1);
        QCOMPARE(outcome.messages.at(0).text, message);
        QCOMPARE(outcome.messages.at(0).kind == MessageKind::Information ? 0 : 1, kind);
        QCOMPARE(outcome.stayedOpen, staysOpen);
        if (staysOpen) {
            QVERIFY(outcome.focusInBox);
            QCOMPARE(outcome.boxText, text); // shown whole, however long
        }
    }

    void enterMovesToControllaAndASecondEnterChecks_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("typed");
        QTest::newRow("fiscal code") << "TfrmCodFisc" << "rssmra85t10a562s";
        QTest::newRow("VAT number") << "TfrmPartitaIva" << "12345670967";
        QTest::newRow("card") << "TfrmCarta" << "4111111111111111";
        QTest::newRow("IBAN") << "TfrmIban" << "it60x0542811101000000123456";
    }
    void enterMovesToControllaAndASecondEnterChecks()
    {
        QFETCH(QString, tool);
        QFETCH(QString, typed);
        QString focusAfterFirstEnter;
        int messagesAfterFirstEnter = -1;
        const Outcome outcome = Use(tool, QString(), [&](QWidget* window, QLineEdit* box) {
            Type(box, typed);
            QTest::keyClick(box, Qt::Key_Return);
            focusAfterFirstEnter = window->focusWidget() ? window->focusWidget()->objectName() : QString();
            messagesAfterFirstEnter = int(recorder->shown.size());
            QTest::keyClick(window->focusWidget(), Qt::Key_Return);
        });
        QCOMPARE(focusAfterFirstEnter, QStringLiteral("btnControlla"));
        QCOMPARE(messagesAfterFirstEnter, 0);
        QCOMPARE(outcome.messages.size(), 1);
        QCOMPARE(outcome.messages.at(0).kind, MessageKind::Information);
        QVERIFY(!outcome.stayedOpen);
    }

    void boxesFilterAndTidyTyping_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("placed");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("CF capitals, accents kept, a blank at the end goes") << "TfrmCodFisc" << "" << "rss è1" << "RSSè1";
        QTest::newRow("CF leading blanks go") << "TfrmCodFisc" << "" << "  ab" << "AB";
        QTest::newRow("CF typing limit 16") << "TfrmCodFisc" << "" << "abcdefghijklmnopqrst" << "ABCDEFGHIJKLMNOP";
        QTest::newRow("VAT digits only") << "TfrmPartitaIva" << "" << "12a b+3.4" << "1234";
        QTest::newRow("VAT typing limit 11") << "TfrmPartitaIva" << "" << "1234567890123" << "12345678901";
        QTest::newRow("card digits only") << "TfrmCarta" << "" << "4111 a-1" << "41111";
        QTest::newRow("card typing limit 30") << "TfrmCarta" << "" << QString(35, u'1') << QString(30, u'1');
        QTest::newRow("card placed blanks trimmed as the user types") << "TfrmCarta" << " 4111 " << "1" << "4111 1";
        QTest::newRow("IBAN capitals, any sign") << "TfrmIban" << "" << "it60-x" << "IT60-X";
        QTest::newRow("IBAN typing limit 27") << "TfrmIban" << "" << QString(30, u'a') << QString(27, u'A');
    }
    void boxesFilterAndTidyTyping()
    {
        QFETCH(QString, tool);
        QFETCH(QString, placed);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        const Outcome outcome = Use(tool, placed, [&](QWidget*, QLineEdit* box) {
            box->end(false);
            Type(box, typed);
        });
        QCOMPARE(outcome.boxText, shown);
        QVERIFY(outcome.messages.isEmpty());
    }

    void digitBoxesLetEditingKeysThroughAndSwallowTheRest_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::newRow("VAT number") << "TfrmPartitaIva";
        QTest::newRow("card") << "TfrmCarta";
    }
    void digitBoxesLetEditingKeysThroughAndSwallowTheRest()
    {
        QFETCH(QString, tool);
        QString afterEditing;
        bool focusKeptAfterTab = false;
        const Outcome outcome = Use(tool, QString(), [&](QWidget* window, QLineEdit* box) {
            Type(box, QStringLiteral("12345"));
            QTest::keyClick(box, Qt::Key_Backspace);   // 1234
            QTest::keyClick(box, Qt::Key_Left);
            QTest::keyClick(box, Qt::Key_Left);
            QTest::keyClick(box, Qt::Key_Delete);      // 124
            QTest::keyClick(box, Qt::Key_Right);
            Type(box, QStringLiteral("9"));            // 1249
            QTest::keyClick(box, Qt::Key_Home);        // swallowed: the cursor stays at the end
            Type(box, QStringLiteral("0"));            // 12490
            QTest::keyClick(box, Qt::Key_Tab);
            focusKeptAfterTab = window->focusWidget() == box;
            afterEditing = box->text();
        });
        QCOMPARE(afterEditing, QStringLiteral("12490"));
        QVERIFY(focusKeptAfterTab);
        QVERIFY(outcome.messages.isEmpty());
    }

    void codeBoxesTidyPlacedTextWhenAKeyIsReleased_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::newRow("fiscal code") << "TfrmCodFisc";
        QTest::newRow("IBAN") << "TfrmIban";
    }
    void codeBoxesTidyPlacedTextWhenAKeyIsReleased()
    {
        QFETCH(QString, tool);
        QString placedAsIs;
        const Outcome outcome = Use(tool, QStringLiteral(" rss "), [&](QWidget*, QLineEdit* box) {
            placedAsIs = box->text();
            QTest::keyClick(box, Qt::Key_Shift);
        });
        QCOMPARE(placedAsIs, QStringLiteral(" rss "));
        QCOMPARE(outcome.boxText, QStringLiteral("RSS"));
    }

    void aPlacedTextBeyondTheLimitCanBeShortenedButNotLengthened()
    {
        const QString placed = QStringLiteral("IT60 X054 2811 1010 0000 0123 456"); // 33 characters
        QString afterTyping, afterBackspace, afterTypingAgain;
        Use(QStringLiteral("TfrmIban"), placed, [&](QWidget*, QLineEdit* box) {
            box->end(false);
            Type(box, QStringLiteral("7"));
            afterTyping = box->text();
            QTest::keyClick(box, Qt::Key_Backspace);
            afterBackspace = box->text();
            Type(box, QStringLiteral("7"));
            afterTypingAgain = box->text();
        });
        QCOMPARE(afterTyping, placed);
        QCOMPARE(afterBackspace, placed.left(32));
        QCOMPARE(afterTypingAgain, placed.left(32));
    }

    void fiscalCodeButtonSendsDigitsToTheVatCheck_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("boxText");
        QTest::newRow("eleven digits") << " 12345670967 " << "TfrmPartitaIva" << "12345670967";
        QTest::newRow("sixteen digits") << "1234567890123456" << "TfrmPartitaIva" << "1234567890123456";
        QTest::newRow("fiscal code") << " rssmra85t10a562s" << "TfrmCodFisc" << "rssmra85t10a562s";
        QTest::newRow("empty") << "" << "TfrmCodFisc" << "";
    }
    void fiscalCodeButtonSendsDigitsToTheVatCheck()
    {
        QFETCH(QString, field);
        QFETCH(QString, tool);
        QFETCH(QString, boxText);
        QString shownTool, shown;
        WhenModal([&](QWidget* window) {
            shownTool = QString::fromLatin1(window->metaObject()->className());
            shown = window->findChild<QLineEdit*>()->text();
            Click(Child<QPushButton>(window, "btnChiudi"));
        });
        TfrmCodFisc::OpenFromSheet(sheet(), field);
        QCOMPARE(shownTool, tool);
        QCOMPARE(shown, boxText);
    }

    void sixteenDigitsFromTheFiscalCodeFieldGetTheVatLengthWarning()
    {
        MessageRecorder recorder;
        WhenModal([&](QWidget* window) {
            Click(Child<QPushButton>(window, "btnControlla"));
            Click(Child<QPushButton>(window, "btnChiudi"));
        });
        TfrmCodFisc::OpenFromSheet(sheet(), QStringLiteral("1234567890123456"));
        QCOMPARE(recorder.shown.size(), 1);
        QCOMPARE(recorder.shown.at(0).text,
                 QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."));
    }
};

QTEST_MAIN(TestCheckers)
#include "tst_checkers.moc"
