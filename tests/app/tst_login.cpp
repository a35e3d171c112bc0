// The login screen: which typed passwords open the program, and what a wrong or
// unreadable stored password does.

#include "support/ScreenTest.h"

#include "access/PasswordStore.h"
#include "access/TfrmPassword.h"

#include <QLineEdit>
#include <QPushButton>

class TestLogin : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;
    TfrmPassword* login() { return fixture->program->Password(); }
    QLineEdit* box() { return Child<QLineEdit>(login(), "txtPassword"); }
    QPushButton* ok() { return Child<QPushButton>(login(), "cmdOK"); }

    void Type(const QString& text)
    {
        box()->setFocus();
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::KeyAction::Click, box(), Qt::Key_unknown, c, Qt::NoModifier);
    }

private slots:
    void init()
    {
        fixture.Start();
        StorePassword(u"velorbis");
        fixture->program->Start();
    }
    void cleanup() { fixture.Stop(); }

    void okIsEnabledExactlyWhileTheBoxHoldsANonBlank_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blanks") << "   " << false;
        QTest::newRow("one letter") << "a" << true;
        QTest::newRow("letter among blanks") << "  a " << true;
    }
    void okIsEnabledExactlyWhileTheBoxHoldsANonBlank()
    {
        QFETCH(QString, typed);
        QFETCH(bool, enabled);
        QVERIFY(!ok()->isEnabled());
        Type(typed);
        QCOMPARE(ok()->isEnabled(), enabled);
    }

    void theRightPasswordOpensInAnyCaseAndWithBlanks_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("lower case") << "velorbis";
        QTest::newRow("capitals") << "VELORBIS";
        QTest::newRow("mixed, with blanks") << "  VelOrbis  ";
    }
    void theRightPasswordOpensInAnyCaseAndWithBlanks()
    {
        QFETCH(QString, typed);
        Type(typed);
        QTest::keyClick(box(), Qt::Key_Return);
        QVERIFY(fixture.messages->shown.isEmpty());
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmAvvio")});
    }

    void aWrongPasswordEmptiesTheBox()
    {
        Type(QStringLiteral("velorbi"));
        Click(ok());
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown.at(0).kind, MessageKind::Plain);
        QCOMPARE(fixture.messages->shown.at(0).text, QStringLiteral("Attenzione: password errata."));
        QVERIFY(box()->text().isEmpty());
        QVERIFY(!ok()->isEnabled());
        QCOMPARE(login()->focusWidget(), box());
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmPassword")});
    }

    void enterInABlankBoxDoesNothing()
    {
        Type(QStringLiteral("   "));
        QTest::keyClick(box(), Qt::Key_Return);
        QVERIFY(fixture.messages->shown.isEmpty());
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmPassword")});
    }

    void anUnreadableStoredValueShowsItsMessageAndKeepsTheScreen()
    {
        fixture->WriteFile(QStringLiteral("unins000.dll"), "[Accesso]\r\nValore=4G1Z\r\n");
        Type(QStringLiteral("velorbis"));
        Click(ok());
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown.at(0).kind, MessageKind::Plain);
        QCOMPARE(fixture.messages->shown.at(0).text,
                 QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura della "
                                "password. Si consiglia di reinstallare il software."));
        QCOMPARE(box()->text(), QStringLiteral("velorbis"));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmPassword")});
    }

    // A pipe, a folder or a damaged giant in place of the password file: the same reading
    // message at once, and the login screen stays usable.
    void anUnusablePasswordFileShowsTheReadingMessage_data() { ProgramFixture::AddUnusableKinds(); }
    void anUnusablePasswordFileShowsTheReadingMessage()
    {
        QFETCH(QString, kind);
        fixture->MakeUnusable(QStringLiteral("unins000.dll"), kind);
        Type(QStringLiteral("velorbis"));
        Click(ok());
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown.at(0).text,
                 QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura della "
                                "password. Si consiglia di reinstallare il software."));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmPassword")});
        QVERIFY(ok()->isEnabled());
    }

    // With no password to compare with, every login says why instead of "password errata";
    // the program does not make the file.
    void withoutAStoredPasswordTheLoginSaysTheFileIsMissing_data()
    {
        QTest::addColumn<QByteArray>("file"); // null: no file at all
        QTest::newRow("no file") << QByteArray();
        QTest::newRow("empty file") << QByteArray("");
        QTest::newRow("no key") << QByteArray("[Accesso]\r\nAltro=4AE7\r\n");
        QTest::newRow("empty value") << QByteArray("[Accesso]\r\nValore=\r\n");
    }
    void withoutAStoredPasswordTheLoginSaysTheFileIsMissing()
    {
        QFETCH(QByteArray, file);
        const QString path = fixture->Path(QStringLiteral("unins000.dll"));
        QFile::remove(path);
        if (!file.isNull())
            fixture->WriteFile(QStringLiteral("unins000.dll"), file);
        Type(QStringLiteral("velorbis"));
        QTest::keyClick(box(), Qt::Key_Return);
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown.at(0).kind, MessageKind::Plain);
        QCOMPARE(fixture.messages->shown.at(0).text,
                 QStringLiteral("Attenzione: la password di accesso non è stata trovata (il file unins000.dll manca o "
                                "è vuoto).\n\r\n\rRipristinare il file unins000.dll dalla cartella di installazione "
                                "del programma."));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmPassword")});
        QCOMPARE(QFile::exists(path), !file.isNull());
        if (!file.isNull())
            QCOMPARE(QFile(path).size(), qint64(file.size()));
    }

    void theShippedPasswordFileOpensWithTheDocumentedPassword()
    {
        QFile::remove(fixture->Path(QStringLiteral("unins000.dll")));
        QVERIFY(QFile::copy(QStringLiteral(VELORBIS_SOURCE_DIR "/resources/unins000.dll"),
                            fixture->Path(QStringLiteral("unins000.dll"))));
        Type(QStringLiteral("velorbis"));
        Click(ok());
        QVERIFY(fixture.messages->shown.isEmpty());
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmAvvio")});
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
