// The settings menu hands over to the screen chosen with its buttons, and only then: every
// other closing, also after an earlier visit to a settings screen, leads to the start menu.

#include "support/ScreenTest.h"

#include "settings/SettingsHelp.h"
#include "app/TfrmAvvio.h"
#include "settings/TfrmImpostaAvvio.h"
#include "settings/TfrmImpostaCampi.h"
#include "settings/TfrmMenuImpostazioni.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>

class TestSettingsMenu : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;
    Program* program() { return fixture->program.get(); }
    TfrmMenuImpostazioni* menu() { return program()->MenuImpostazioni(); }
    void OpenMenu()
    {
        program()->Avvio()->ShowScreen();
        Click(Child(program()->Avvio(), "cmdImpostazioni"));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmMenuImpostazioni")});
        QCOMPARE(Child<QLabel>(menu(), "lblMemory")->text(), QStringLiteral("avvio"));
    }

private slots:
    void init() { fixture.Start(); }
    void cleanup() { fixture.Stop(); }

    void leavingTheMenuAfterAVisitToASettingsScreenReturnsToTheStartMenu_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("leaveScreen");
        QTest::addColumn<QString>("leaveMenu");
        QTest::newRow("field names, cancel, Esci") << "btnImpostaCampi" << "TfrmImpostaCampi" << "btnAnnulla" << "imgEsci";
        QTest::newRow("field names, apply, Esci") << "btnImpostaCampi" << "TfrmImpostaCampi" << "btnApplica" << "imgEsci";
        QTest::newRow("field names, close box, close box") << "btnImpostaCampi" << "TfrmImpostaCampi" << "" << "";
        QTest::newRow("start screen, cancel, Esci") << "btnImpostaAvvio" << "TfrmImpostaAvvio" << "btnAnnulla" << "imgEsci";
        QTest::newRow("start screen, apply, Esci") << "btnImpostaAvvio" << "TfrmImpostaAvvio" << "btnApplica" << "imgEsci";
        QTest::newRow("start screen, close box, close box") << "btnImpostaAvvio" << "TfrmImpostaAvvio" << "" << "";
    }
    void leavingTheMenuAfterAVisitToASettingsScreenReturnsToTheStartMenu()
    {
        QFETCH(QString, button);
        QFETCH(QString, screen);
        QFETCH(QString, leaveScreen);
        QFETCH(QString, leaveMenu);
        OpenMenu();
        Click(Child<QPushButton>(menu(), button.toLatin1().constData()));
        QCOMPARE(VisibleScreens(), QStringList{screen});
        QWidget* settings = screen == "TfrmImpostaCampi" ? static_cast<QWidget*>(program()->ImpostaCampi())
                                                         : static_cast<QWidget*>(program()->ImpostaAvvio());
        // Filled in, so that "Applica e chiudi" really closes the screen.
        if (auto* first = settings->findChild<QLineEdit*>(QStringLiteral("txtCampo01")))
            first->setText(QStringLiteral("Pratica"));
        if (auto* archive = settings->findChild<QLineEdit*>(QStringLiteral("txtNomeArchivio")))
            archive->setText(QStringLiteral("Studio Rossi"));
        if (leaveScreen.isEmpty())
            settings->close();
        else
            Click(Child<QPushButton>(settings, leaveScreen.toLatin1().constData()));
        QVERIFY(fixture.messages->shown.isEmpty());
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmAvvio")});

        OpenMenu();
        if (leaveMenu.isEmpty())
            menu()->close();
        else
            Click(Child(menu(), leaveMenu.toLatin1().constData()));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmAvvio")});
        QVERIFY(!program()->Ended());
    }

    void guideOpensTheSettingsHelp()
    {
        OpenMenu();
        QString title, text;
        WhenModal([&](QWidget* tool) {
            title = Child<QLabel>(tool, "lblTitolo")->text();
            text = Child<QPlainTextEdit>(tool, "txtGuida")->toPlainText();
            Click(Child<QPushButton>(tool, "btnChiudi"));
        });
        Click(Child(menu(), "imgGuida"));
        QCOMPARE(title, QStringLiteral("Impostazioni schermata di avvio e campi di testo."));
        // The viewer turns the CR LF pairs into line breaks of its own: compare paragraph by paragraph.
        QCOMPARE(text.split(QRegularExpression(QStringLiteral("[\\r\\n]+")), Qt::SkipEmptyParts),
                 SettingsHelpText().split(QStringLiteral("\r\n\r\n")));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmMenuImpostazioni")});
    }
};

QTEST_MAIN(TestSettingsMenu)
#include "tst_settingsmenu.moc"
