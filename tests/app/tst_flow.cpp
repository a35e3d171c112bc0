// How the screens hand over to one another, and the three ways the program ends.

#include "support/ScreenTest.h"

#include "access/PasswordStore.h"
#include "access/TfrmCambiaPassword.h"
#include "access/TfrmPassword.h"
#include "app/TfrmAvvio.h"
#include "kit/TfrmGuida.h"
#include "app/TfrmInfo.h"
#include "kit/Widgets.h"
#include "clients/TfrmClienti.h"
#include "database/TfrmDatabase.h"
#include "settings/TfrmImpostaAvvio.h"
#include "settings/TfrmImpostaCampi.h"
#include "settings/TfrmMenuImpostazioni.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

class TestFlow : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;
    Program* program() { return fixture->program.get(); }

    void LogIn()
    {
        program()->Start();
        auto* login = program()->Password();
        Child<QLineEdit>(login, "txtPassword")->setText(QStringLiteral("velorbis"));
        Click(Child<QPushButton>(login, "cmdOK"));
        QVERIFY(program()->Avvio()->isVisible());
    }

private slots:
    void init()
    {
        fixture.Start();
        StorePassword(u"velorbis");
    }
    void cleanup() { fixture.Stop(); }

    void startShowsOnlyTheLoginScreen()
    {
        program()->Start();
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmPassword")});
        QCOMPARE(program()->Password()->windowTitle(), QStringLiteral(" Velorbis 4.0 - Autenticazione"));
        QCOMPARE(program()->Password()->focusWidget(), Child<QWidget>(program()->Password(), "txtPassword"));
    }

    void rightPasswordOpensTheStartMenu()
    {
        LogIn();
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmAvvio")});
        QVERIFY(program()->Avvio()->isMaximized());
    }

    void startMenuHandsOverAndEachScreenHandsBack_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("exit");
        QTest::newRow("database") << "cmdDatabase" << "TfrmDatabase" << " Velorbis 4.0 - Gestione Database" << "cmdEsci";
        QTest::newRow("clients") << "cmdClienti" << "TfrmClienti" << " Velorbis 4.0 - Anagrafica Clienti" << "cmdEsci";
        QTest::newRow("settings") << "cmdImpostazioni" << "TfrmMenuImpostazioni"
                                  << " Velorbis 4.0 - Impostazioni archivio" << "imgEsci";
        QTest::newRow("database, close box") << "cmdDatabase" << "TfrmDatabase"
                                             << " Velorbis 4.0 - Gestione Database" << "";
        QTest::newRow("clients, close box") << "cmdClienti" << "TfrmClienti"
                                            << " Velorbis 4.0 - Anagrafica Clienti" << "";
        QTest::newRow("settings, close box") << "cmdImpostazioni" << "TfrmMenuImpostazioni"
                                             << " Velorbis 4.0 - Impostazioni archivio" << "";
    }
    void startMenuHandsOverAndEachScreenHandsBack()
    {
        QFETCH(QString, command);
        QFETCH(QString, screen);
        QFETCH(QString, caption);
        QFETCH(QString, exit);
        LogIn();
        Click(Child(program()->Avvio(), command.toLatin1().constData()));
        QCOMPARE(VisibleScreens(), QStringList{screen});
        QWidget* shown = QApplication::activeWindow() ? QApplication::activeWindow() : nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible())
                shown = window;
        QCOMPARE(shown->windowTitle(), caption);
        QVERIFY(shown->isMaximized());
        if (exit.isEmpty())
            shown->close();
        else
            Click(Child(shown, exit.toLatin1().constData()));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmAvvio")});
        QVERIFY(!program()->Ended());
    }

    void settingsMenuRemembersItsChoiceOnlyUntilItCloses()
    {
        LogIn();
        auto* menu = program()->MenuImpostazioni();
        Click(Child(program()->Avvio(), "cmdImpostazioni"));
        Click(Child<QPushButton>(menu, "btnImpostaCampi"));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmImpostaCampi")});
        QCOMPARE(program()->ImpostaCampi()->windowTitle(), QStringLiteral(" Velorbis 4.0 - Imposta campi di testo"));
        Click(Child<QPushButton>(program()->ImpostaCampi(), "btnAnnulla"));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmAvvio")});

        Click(Child(program()->Avvio(), "cmdImpostazioni"));
        QCOMPARE(Child<QLabel>(menu, "lblMemory")->text(), QStringLiteral("avvio"));
        Click(Child(menu, "imgEsci"));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmAvvio")});

        Click(Child(program()->Avvio(), "cmdImpostazioni"));
        Click(Child<QPushButton>(menu, "btnImpostaAvvio"));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmImpostaAvvio")});
        QCOMPARE(program()->ImpostaAvvio()->windowTitle(),
                 QStringLiteral(" Velorbis 4.0 - Imposta schermata di avvio"));
        program()->ImpostaAvvio()->close();
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmAvvio")});

        Click(Child(program()->Avvio(), "cmdImpostazioni"));
        menu->close();
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmAvvio")});
    }

    void theProgramEndsInExactlyThreeWays_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("login Esci") << 0;
        QTest::newRow("start menu exit picture") << 1;
        QTest::newRow("start menu close box") << 2;
    }
    void theProgramEndsInExactlyThreeWays()
    {
        QFETCH(int, way);
        QSignalSpy ended(program(), &Program::ended);
        if (way == 0) {
            program()->Start();
            Click(Child<QPushButton>(program()->Password(), "cmdEsci"));
        } else {
            LogIn();
            if (way == 1)
                Click(Child(program()->Avvio(), "imgEsci"));
            else
                program()->Avvio()->close();
        }
        QCOMPARE(ended.count(), 1);
        QVERIFY(VisibleScreens().isEmpty());
    }

    void changePasswordIsADetourBackToAnEmptyLogin()
    {
        program()->Start();
        auto* login = program()->Password();
        auto* box = Child<QLineEdit>(login, "txtPassword");
        box->setText(QStringLiteral("abc"));
        Child<QLabel>(login, "lblMemory")->setText(QStringLiteral("x"));
        Click(Child<QPushButton>(login, "btnCambiaPassword"));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmCambiaPassword")});
        QCOMPARE(program()->CambiaPassword()->windowTitle(), QStringLiteral(" Cambia password"));
        Click(Child<QPushButton>(program()->CambiaPassword(), "cmdEsci"));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmPassword")});
        QVERIFY(box->text().isEmpty());
        QVERIFY(Child<QLabel>(login, "lblMemory")->text().isEmpty());
        QVERIFY(!Child<QPushButton>(login, "cmdOK")->isEnabled());
        QCOMPARE(login->focusWidget(), box);
    }

    void aToolOpenedTwiceStartsFromItsDesignState()
    {
        LogIn();
        QList<QPointer<QWidget>> opened;
        for (int round = 0; round < 2; ++round) {
            WhenModal([&](QWidget* tool) {
                opened.append(tool);
                QCOMPARE(tool->metaObject()->className(), "TfrmInfo");
                auto* link = Child<LinkLabel>(tool, "lnkWeb");
                QCOMPARE(link->Colour(), LinkLabel::Normal);
                QTest::mousePress(link, Qt::LeftButton);
                QCOMPARE(link->Colour(), LinkLabel::Pressed);
                Click(Child<QPushButton>(tool, "btnChiudi"));
            });
            Click(Child(program()->Avvio(), "imgInfo"));
        }
        QCOMPARE(opened.size(), 2);
        QVERIFY(opened.at(0).isNull() && opened.at(1).isNull()); // destroyed when closed
    }

    void startMenuGuideShowsTheOverviewHelp()
    {
        LogIn();
        QString title, text;
        WhenModal([&](QWidget* tool) {
            QCOMPARE(tool->metaObject()->className(), "TfrmGuida");
            QCOMPARE(tool->windowTitle(), QStringLiteral(" Guida all'utilizzo del software"));
            title = Child<QLabel>(tool, "lblTitolo")->text();
            text = Child<QPlainTextEdit>(tool, "txtGuida")->toPlainText();
            QVERIFY(Child<QPlainTextEdit>(tool, "txtGuida")->isReadOnly());
            Click(Child<QPushButton>(tool, "btnChiudi"));
        });
        Click(Child(program()->Avvio(), "imgGuida"));
        QCOMPARE(title, QStringLiteral("Uno sguardo a Velorbis 4.0."));
        QVERIFY(text.startsWith(QStringLiteral("Velorbis 4.0 è un software che consente")));
    }

    void enterPressesOnlyAFocusedButtonOfATool()
    {
        LogIn();
        bool openAfterEnterInText = false;
        bool closedByEnterOnButton = false;
        WhenModal([&](QWidget* tool) {
            auto* text = Child<QPlainTextEdit>(tool, "txtGuida");
            text->setFocus();
            QTest::keyClick(text, Qt::Key_Return);
            openAfterEnterInText = tool->isVisible();
            auto* close = Child<QPushButton>(tool, "btnChiudi");
            close->setFocus();
            QTest::keyClick(close, Qt::Key_Return);
            closedByEnterOnButton = !tool->isVisible();
            if (tool->isVisible())
                Click(close);
        });
        Click(Child(program()->Avvio(), "imgGuida"));
        QVERIFY(openAfterEnterInText);
        QVERIFY(closedByEnterOnButton);
    }

    void toolsCannotBeClosedByEscape()
    {
        LogIn();
        bool stillOpen = false;
        WhenModal([&](QWidget* tool) {
            QTest::keyClick(tool, Qt::Key_Escape);
            stillOpen = tool->isVisible();
            Click(Child<QPushButton>(tool, "btnChiudi"));
        });
        Click(Child(program()->Avvio(), "imgCopyright"));
        QVERIFY(stillOpen);
    }
};

QTEST_MAIN(TestFlow)
#include "tst_flow.moc"
