// The behaviours every screen shares: highlight frames, the Enter chain, the kinds of
// text box, the status line, the message boxes and the shell's open action.

#include "support/ScreenTest.h"

#include "kit/StatusLine.h"
#include "kit/TMisc.h"
#include "kit/TextBoxes.h"
#include "kit/Widgets.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

namespace {

// A small screen with four boxes of different kinds, their frames and a chain.
struct BoxesScreen {
    BoxesScreen()
    {
        window.resize(600, 300);
        int y = 10;
        for (const char* name : {"txtNome", "txtCodFisc", "txtEmail", "txtPartitaIva", "txtCapRes"}) {
            auto* box = Widgets::NewLineEdit(&window, QString::fromLatin1(name));
            box->setGeometry(10, y, 200, 24);
            TextBoxes::AttachHighlightFrame(box);
            boxes.append(box);
            y += 40;
        }
        province = new ProvinceBox(&window);
        province->setObjectName(QStringLiteral("txtProvRes"));
        province->setGeometry(10, y, 60, 24);
        TextBoxes::AttachHighlightFrame(province);
        TextBoxes::SetKind(boxes[1], BoxKind::Code);
        TextBoxes::SetKind(boxes[2], BoxKind::Email);
        TextBoxes::SetKind(boxes[3], BoxKind::DigitsOnly);
        TextBoxes::SetKind(boxes[4], BoxKind::UpperOnKeyRelease);
        TextBoxes::SetMaxLength(boxes[1], 16);
        for (QLineEdit* box : boxes)
            TextBoxes::KeepStorable(box);
        TextBoxes::KeepStorable(province);
        TextBoxes::SetEnterChain({boxes[0], boxes[1], boxes[2], boxes[3], province}, true);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    QList<QFrame*> VisibleFrames() const
    {
        QList<QFrame*> visible;
        for (QFrame* frame : window.findChildren<QFrame*>())
            if (frame->objectName().startsWith(QStringLiteral("eff")) && frame->isVisible())
                visible.append(frame);
        return visible;
    }

    QWidget window;
    QList<QLineEdit*> boxes;
    ProvinceBox* province;
};

void TypeText(QWidget* box, const QString& text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::KeyAction::Click, box, Qt::Key_unknown, c, Qt::NoModifier);
}

} // namespace

class TestShared : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { PrepareApplication(QDir::tempPath()); }

    void exactlyOneFrameFollowsTheFocus()
    {
        BoxesScreen screen;
        auto* button = Widgets::NewButton(&screen.window, QStringLiteral("cmdSalva"), QStringLiteral("Salva"));
        button->move(300, 10);
        button->show();
        button->setFocus();
        QVERIFY(screen.VisibleFrames().isEmpty());
        Click(screen.boxes[0]);
        QCOMPARE(screen.VisibleFrames().size(), 1);
        QCOMPARE(screen.VisibleFrames().at(0)->objectName(), QStringLiteral("effNome"));
        QCOMPARE(screen.VisibleFrames().at(0)->geometry(), screen.boxes[0]->geometry().adjusted(-4, -4, 4, 4));
        Click(screen.boxes[2]);
        QCOMPARE(screen.VisibleFrames().size(), 1);
        QCOMPARE(screen.VisibleFrames().at(0)->objectName(), QStringLiteral("effEmail"));
    }

    void enterWalksTheChainAndWrapsToTheFirstBox()
    {
        BoxesScreen screen;
        screen.boxes[0]->setFocus();
        const QList<QWidget*> expected{screen.boxes[1], screen.boxes[2], screen.boxes[3], screen.province, screen.boxes[0]};
        for (QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), next->focusProxy() ? next->focusProxy() : next);
        }
    }

    void enterOnAButtonReachedByTheChainPressesIt()
    {
        QWidget window;
        auto* box = Widgets::NewLineEdit(&window, QStringLiteral("txtTesto"));
        auto* button = Widgets::NewButton(&window, QStringLiteral("btnControlla"), QStringLiteral("Controlla"));
        button->move(0, 40);
        TextBoxes::SetEnterSuccessor(box, button);
        int pressed = 0;
        QObject::connect(button, &QPushButton::clicked, [&] { ++pressed; });
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(pressed, 0);
        QCOMPARE(QApplication::focusWidget(), button);
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(pressed, 1);
    }

    void boxesTidyWhatIsTyped_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("code capitalises a-z") << 1 << "rssmra" << "RSSMRA";
        QTest::newRow("code keeps accented case") << 1 << "eè" << "Eè";
        QTest::newRow("code drops blanks at the ends") << 1 << " ab " << "AB";
        QTest::newRow("code cut at max length") << 1 << "abcdefghijklmnopqr" << "ABCDEFGHIJKLMNOP";
        QTest::newRow("e-mail trailing blank removed at once") << 2 << "a@b.it " << "a@b.it";
        QTest::newRow("e-mail blank typed at the end is dropped") << 2 << "a b" << "ab";
        QTest::newRow("e-mail keeps case") << 2 << "Mario@B.it" << "Mario@B.it";
        QTest::newRow("digits only") << 3 << "1a2 +3" << "123";
        QTest::newRow("plain box untouched") << 0 << " Rossi " << " Rossi ";
        QTest::newRow("upper-case box keeps a leading blank in place") << 4 << " ab1" << " AB1";
        QTest::newRow("upper-case box keeps blanks inside") << 4 << "a b " << "A B ";
        QTest::newRow("Romanian letters as saving stores them") << 0 << "Ștefan Țuțea" << "Stefan Tutea";
        QTest::newRow("Polish letters as saving stores them") << 0 << "Łódź" << "Lódz";
        QTest::newRow("Windows-1252 letters stay") << 0 << "Città € œ Š" << "Città € œ Š";
        QTest::newRow("a character without a look-alike becomes ?") << 0 << "a中b" << "a?b";
        QTest::newRow("code box, foreign letter then capitals") << 1 << "ș1" << "S1";
    }
    void boxesTidyWhatIsTyped()
    {
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        BoxesScreen screen;
        screen.boxes[box]->setFocus();
        TypeText(screen.boxes[box], typed);
        QCOMPARE(screen.boxes[box]->text(), shown);
    }

    // A replaced letter typed in the middle leaves the cursor behind it, also when the letter
    // took two UTF-16 units and its replacement takes one.
    void aReplacedLetterKeepsTheCursorWhereTheUserTypes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Romanian") << QStringLiteral("Ș") << QStringLiteral("aSxb");
        QTest::newRow("outside the basic plane") << QStringLiteral("😀") << QStringLiteral("a?xb");
    }
    void aReplacedLetterKeepsTheCursorWhereTheUserTypes()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        BoxesScreen screen;
        QLineEdit* box = screen.boxes[0];
        box->setFocus();
        TypeText(box, QStringLiteral("ab"));
        QTest::keyClick(box, Qt::Key_Left);
        QTest::sendKeyEvent(QTest::KeyAction::Click, box, Qt::Key_unknown, typed, Qt::NoModifier);
        QCOMPARE(box->cursorPosition(), 2);
        TypeText(box, QStringLiteral("x"));
        QCOMPARE(box->text(), shown);
        QCOMPARE(box->cursorPosition(), 3);
    }

    void anUpperCaseBoxKeepsTheCursorAfterALeadingBlank()
    {
        BoxesScreen screen;
        QLineEdit* box = screen.boxes[4];
        box->setFocus();
        TypeText(box, QStringLiteral(" a"));
        QCOMPARE(box->cursorPosition(), 2);
        TypeText(box, QStringLiteral("b"));
        QCOMPARE(box->text(), QStringLiteral(" AB"));
        QCOMPARE(box->cursorPosition(), 3);
    }

    void digitsOnlyBoxLetsEditingKeysThroughButNotTab()
    {
        BoxesScreen screen;
        QLineEdit* box = screen.boxes[3];
        box->setFocus();
        TypeText(box, QStringLiteral("1234"));
        QTest::keyClick(box, Qt::Key_Left);
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QStringLiteral("124"));
        QTest::keyClick(box, Qt::Key_Delete);
        QCOMPARE(box->text(), QStringLiteral("12"));
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), box);
        QTest::keyClick(box, Qt::Key_Home);
        TypeText(box, QStringLiteral("9"));
        QCOMPARE(box->text(), QStringLiteral("129")); // Home is swallowed too: the 9 lands at the cursor
    }

    void aBlankCanOnlyBeTypedBetweenTwoCharactersOfAnEmail()
    {
        BoxesScreen screen;
        QLineEdit* box = screen.boxes[2];
        box->setFocus();
        TypeText(box, QStringLiteral("ab"));
        QTest::keyClick(box, Qt::Key_Left);
        TypeText(box, QStringLiteral(" "));
        QCOMPARE(box->text(), QStringLiteral("a b"));
        box->setText(QStringLiteral(" a@b.it "));
        screen.boxes[0]->setFocus();
        QCOMPARE(box->text(), QStringLiteral("a@b.it"));
    }

    void provinceBoxCapitalisesAndTidiesWhenLeft()
    {
        BoxesScreen screen;
        screen.province->setFocus();
        TypeText(QApplication::focusWidget(), QStringLiteral("rm"));
        QCOMPARE(screen.province->text(), QStringLiteral("RM"));
        screen.province->setText(QString());
        TypeText(QApplication::focusWidget(), QStringLiteral(" mi "));
        screen.boxes[0]->setFocus();
        QCOMPARE(screen.province->text(), QStringLiteral("MI"));
        QCOMPARE(ProvinceBox::Codes().size(), 112);
        QCOMPARE(ProvinceBox::Codes().first(), QStringLiteral("AG"));
        QCOMPARE(ProvinceBox::Codes().last(), QStringLiteral("VV"));
    }

    // Taking the focus unmarks the code Qt marked in the list when the box was left; the list
    // opened then marks nothing, and the frame stays while the box's own list is open.
    void provinceListMarksNoEntryOnFocusAndTheFrameStaysWhileItIsOpen()
    {
        BoxesScreen screen;
        QFrame* frame = screen.window.findChild<QFrame*>(QStringLiteral("effProvRes"));
        screen.province->setFocus();
        TypeText(QApplication::focusWidget(), QStringLiteral("mi"));
        screen.boxes[0]->setFocus();
        QCOMPARE(screen.province->text(), QStringLiteral("MI"));
        QCOMPARE(screen.province->currentIndex(), ProvinceBox::Codes().indexOf(QStringLiteral("MI"))); // Qt's doing
        screen.province->setFocus();
        QCOMPARE(screen.province->currentIndex(), -1);
        QCOMPARE(screen.province->text(), QStringLiteral("MI"));
        QVERIFY(frame->isVisible());
        screen.province->showPopup();
        QVERIFY(screen.province->view()->isVisible());
        QVERIFY(screen.province->view()->selectionModel()->selectedIndexes().isEmpty());
        QVERIFY(frame->isVisible());
        QCOMPARE(screen.VisibleFrames().size(), 1);
        QTest::keyClick(screen.province->view(), Qt::Key_Escape);
        QVERIFY(!screen.province->view()->isVisible());
        QVERIFY(frame->isVisible());
        QCOMPARE(screen.province->text(), QStringLiteral("MI"));
        screen.boxes[0]->setFocus();
        QVERIFY(!frame->isVisible());
    }

    void statusLineFollowsCommandsAndEmptiesOverTheBackground()
    {
        QWidget window;
        window.resize(400, 300);
        auto* area = new QWidget(&window);
        area->setGeometry(0, 0, 400, 300);
        StatusLine status(&window, area, QRect(0, 268, 400, 32), StatusLine::Blue, QStringLiteral("Pronto..."));
        auto* command = Widgets::NewButton(area, QStringLiteral("cmdSalva"), QStringLiteral("Salva"));
        command->setGeometry(10, 10, 100, 30);
        auto* label = Widgets::NewLabel(area, QStringLiteral("titCampo"), QStringLiteral("Titolo"));
        label->setGeometry(10, 100, 100, 30);
        status.SetHoverText(command, QStringLiteral("Salva la scheda."));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QLabel* line = status.Label();
        QCOMPARE(line->objectName(), QStringLiteral("panInfo"));
        QCOMPARE(line->text(), QStringLiteral("Pronto..."));
        QTest::mouseMove(command);
        QCOMPARE(line->text(), QStringLiteral("Salva la scheda."));
        QTest::mouseMove(label);
        QCOMPARE(line->text(), QStringLiteral("Salva la scheda."));
        QTest::mouseMove(area, QPoint(300, 150));
        QCOMPARE(line->text(), QString());
        QTest::mouseMove(command);
        QTest::mouseMove(line); // the line of text covers most of the strip: it is background too
        QCOMPARE(line->text(), QString());
        window.hide();
        window.show();
        QCOMPARE(line->text(), QString());
    }

    void messageBoxesHaveTheIconsAndItalianButtonsOfTheirKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("warning") << int(MessageKind::Warning) << int(QMessageBox::Warning) << QStringList{"OK", "Annulla"};
        QTest::newRow("error") << int(MessageKind::Error) << int(QMessageBox::Critical) << QStringList{"OK", "Annulla"};
        QTest::newRow("information") << int(MessageKind::Information) << int(QMessageBox::Information)
                                     << QStringList{"OK", "Annulla"};
        QTest::newRow("confirmation") << int(MessageKind::Confirmation) << int(QMessageBox::Question)
                                      << QStringList{"Sì", "No"};
        QTest::newRow("plain") << int(MessageKind::Plain) << int(QMessageBox::NoIcon) << QStringList{"OK"};
    }
    void messageBoxesHaveTheIconsAndItalianButtonsOfTheirKind()
    {
        QFETCH(int, kind);
        QFETCH(int, icon);
        QFETCH(QStringList, buttons);
        const QString text = QStringLiteral("Attenzione: <b>testo</b>\n\r\n\rseconda riga");
        QMessageBox* box = Messages::Build(nullptr, MessageKind(kind), text);
        QCOMPARE(int(box->icon()), icon);
        QCOMPARE(box->text(), text);
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QStringList captions;
        for (QAbstractButton* button : box->buttons())
            captions.append(button->text().remove(u'&'));
        captions.sort();
        buttons.sort();
        QCOMPARE(captions, buttons);
        delete box;
    }

    void aRealMessageBoxRunsModallyAndAnyButtonJustClosesIt()
    {
        Messages::SetHandler({});
        QString seen;
        WhenModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            seen = box->text();
            box->button(QMessageBox::Cancel)->click();
        });
        Messages::Information(nullptr, QStringLiteral("L'archivio non contiene nessuna scheda."));
        QCOMPARE(seen, QStringLiteral("L'archivio non contiene nessuna scheda."));

        WhenModal([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(QMessageBox::No)->click(); });
        QVERIFY(!Messages::Confirm(nullptr, QStringLiteral("Confermi?")));
        WhenModal([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click(); });
        QVERIFY(Messages::Confirm(nullptr, QStringLiteral("Confermi?")));
    }

    void openHandsTheDesktopWhatTheShellWouldOpen_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QUrl>("url");
        QTest::newRow("web address") << "https://velorbis.example.com" << QUrl(QStringLiteral("https://velorbis.example.com"));
        QTest::newRow("quoted path with blanks")
            << "\"/opt/Il mio archivio/Guida.pdf\"" << QUrl::fromLocalFile(QStringLiteral("/opt/Il mio archivio/Guida.pdf"));
        QTest::newRow("quoted path with accents")
            << "\"/opt/città/Documenti_Allegati/Fattura n.1.2026.pdf\""
            << QUrl::fromLocalFile(QStringLiteral("/opt/città/Documenti_Allegati/Fattura n.1.2026.pdf"));
        QTest::newRow("quoted mail link")
            << "\"mailto:info@velorbis.example.com?subject=Software Velorbis 4.0&body=Salve, desidererei\""
            << QUrl(QStringLiteral("mailto:info@velorbis.example.com?subject=Software Velorbis 4.0&body=Salve, desidererei"));
    }
    void openHandsTheDesktopWhatTheShellWouldOpen()
    {
        QFETCH(QString, command);
        QFETCH(QUrl, url);
        OpenedUrls opened;
        TMisc::Open(command);
        QCOMPARE(opened.urls, QList<QUrl>{url});
        if (url.scheme() == QStringLiteral("mailto")) {
            QVERIFY(url.toString().contains(QStringLiteral("subject=Software Velorbis 4.0")));
            QVERIFY(url.toString().contains(QStringLiteral("body=Salve, desidererei")));
        }
    }

    void labelsShowMarkupLiterally()
    {
        QWidget window;
        QLabel* label = Widgets::NewLabel(&window, QStringLiteral("titCampo01"), QStringLiteral("<b>x</b><img src=a>"));
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->text(), QStringLiteral("<b>x</b><img src=a>"));
    }
};

QTEST_MAIN(TestShared)
#include "tst_shared.moc"
