// The change-password screen: when OK is enabled, each refusal and which boxes it empties,
// what is stored, and logging in afterwards.

#include "support/ScreenTest.h"

#include "access/PasswordStore.h"
#include "access/TfrmCambiaPassword.h"
#include "access/TfrmPassword.h"
#include "app/TfrmAvvio.h"
#include "kit/Failures.h"
#include "storage/IoFaults.h"
#include "support/SaveLockHolder.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

const QString OldPassword = QStringLiteral("velorbis");
const QString WrongOld = QStringLiteral("Attenzione: vecchia password errata.");
const QString NotConfirmed = QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                                            "E' necessario reinserire entrambi i valori.");
const QString Done = QStringLiteral("Modifica della password completata con successo.");
const QString Failure = QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica della "
                                       "password. Si consiglia di reinstallare il software.");
const QString TooLong = QStringLiteral("Attenzione: la nuova password è troppo lunga. Può contenere al massimo 255 "
                                       "caratteri.");
// The refusal of a character of code above 255, naming the first such character.
QString BadCharacter(const QString& character)
{
    return QStringLiteral("Attenzione: la nuova password contiene il carattere «") + character
        + QStringLiteral("», che non può essere memorizzato. Si possono usare soltanto i caratteri dell'Europa "
                         "occidentale (ISO 8859-1): le lettere, anche accentate, le cifre, lo spazio e i simboli "
                         "della tastiera. Non si possono usare, per esempio, il simbolo dell'euro (€), le virgolette "
                         "e gli apostrofi tipografici (“ ” ‘ ’), i puntini di sospensione (…), le lettere Š, Œ, Ž e "
                         "le lettere di altri alfabeti.");
}

} // namespace

class TestChangePassword : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;
    TfrmCambiaPassword* screen() { return fixture->program->CambiaPassword(); }
    QLineEdit* oldBox() { return Child<QLineEdit>(screen(), "txtPasswordOld"); }
    QLineEdit* newBox() { return Child<QLineEdit>(screen(), "txtPasswordNew"); }
    QLineEdit* confirmBox() { return Child<QLineEdit>(screen(), "txtConferma"); }
    QPushButton* ok() { return Child<QPushButton>(screen(), "cmdOK"); }
    QByteArray StoredBytes()
    {
        QFile file(fixture->Path(QStringLiteral("unins000.dll")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void Type(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::KeyAction::Click, box, Qt::Key_unknown, c, Qt::NoModifier);
    }
    void Fill(const QString& old, const QString& typedNew, const QString& confirm)
    {
        oldBox()->setText(old);
        newBox()->setText(typedNew);
        confirmBox()->setText(confirm);
    }
    // Logs in from the login screen; true when the start menu opens.
    bool LogsIn(const QString& password)
    {
        auto* login = fixture->program->Password();
        Child<QLineEdit>(login, "txtPassword")->setText(password);
        Click(Child<QPushButton>(login, "cmdOK"));
        const bool in = fixture->program->Avvio()->isVisible();
        if (in) {
            fixture->program->Avvio()->hide();
            login->ShowScreen();
        }
        return in;
    }

private slots:
    void init()
    {
        fixture.Start();
        StorePassword(OldPassword.toStdU16String());
        fixture->program->Start();
        Click(Child<QPushButton>(fixture->program->Password(), "btnCambiaPassword"));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmCambiaPassword")});
    }
    void cleanup() { fixture.Stop(); }

    void everyShowingStartsWithThreeEmptyBoxes()
    {
        Fill(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"));
        Click(Child<QPushButton>(screen(), "cmdEsci"));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmPassword")});
        Click(Child<QPushButton>(fixture->program->Password(), "btnCambiaPassword"));
        QVERIFY(oldBox()->text().isEmpty() && newBox()->text().isEmpty() && confirmBox()->text().isEmpty());
        QCOMPARE(screen()->focusWidget(), oldBox());
        QVERIFY(!ok()->isEnabled());
        QCOMPARE(oldBox()->echoMode(), QLineEdit::Password);
        QVERIFY(fixture.messages->shown.isEmpty());
    }

    void okIsEnabledExactlyWhileAllThreeBoxesHoldANonBlank_data()
    {
        QTest::addColumn<QString>("old");
        QTest::addColumn<QString>("typedNew");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("all three") << "a" << "b" << "c" << true;
        QTest::newRow("old missing") << "" << "b" << "c" << false;
        QTest::newRow("new blank") << "a" << "   " << "c" << false;
        QTest::newRow("confirmation missing") << "a" << "b" << "" << false;
        QTest::newRow("among blanks") << " a " << " b" << "c " << true;
    }
    void okIsEnabledExactlyWhileAllThreeBoxesHoldANonBlank()
    {
        QFETCH(QString, old);
        QFETCH(QString, typedNew);
        QFETCH(QString, confirm);
        QFETCH(bool, enabled);
        Type(oldBox(), old);
        Type(newBox(), typedNew);
        Type(confirmBox(), confirm);
        QCOMPARE(ok()->isEnabled(), enabled);
        if (enabled) {
            confirmBox()->clear(); // emptying one box disables OK again
            QVERIFY(!ok()->isEnabled());
        }
    }

    void eachRefusalShowsItsMessageAndEmptiesItsBoxes_data()
    {
        QTest::addColumn<QString>("old");
        QTest::addColumn<QString>("typedNew");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("emptied");   // the boxes emptied: o(ld), n(ew), c(onfirmation)
        QTest::addColumn<QString>("focus");
        QTest::newRow("wrong old") << "velorbi" << "nuova" << "nuova" << WrongOld << "o" << "txtPasswordOld";
        QTest::newRow("confirmation differs") << "velorbis" << "nuova" << "nuovo" << NotConfirmed << "nc"
                                              << "txtPasswordNew";
        QTest::newRow("lower and upper case") << "VELORBIS" << "nuova" << "NUOVA" << NotConfirmed << "nc"
                                              << "txtPasswordNew";
        QTest::newRow("256 characters") << "velorbis" << QString(256, u'a') << QString(256, u'a') << TooLong << "nc"
                                        << "txtPasswordNew";
        const auto refusedCharacter = [](const char* name, const QString& password, const QString& character) {
            QTest::newRow(name) << "velorbis" << password << password << BadCharacter(character) << "nc"
                                << "txtPasswordNew";
        };
        refusedCharacter("euro sign", QStringLiteral("prezzo€"), QStringLiteral("€"));
        refusedCharacter("greek letter", QStringLiteral("alfaβ"), QStringLiteral("β"));
        refusedCharacter("typographic apostrophe", QStringLiteral("l’ora"), QStringLiteral("’"));
        refusedCharacter("typographic quotes", QStringLiteral("“casa”"), QStringLiteral("“"));
        refusedCharacter("S with caron", QStringLiteral("Škoda"), QStringLiteral("Š"));
        refusedCharacter("OE ligature", QStringLiteral("Œuvre"), QStringLiteral("Œ"));
        refusedCharacter("ellipsis", QStringLiteral("ecc…"), QStringLiteral("…"));
        refusedCharacter("first of several, beyond the basic plane", QStringLiteral("a😀b€"),
                         QStringLiteral("😀"));
    }
    void eachRefusalShowsItsMessageAndEmptiesItsBoxes()
    {
        QFETCH(QString, old);
        QFETCH(QString, typedNew);
        QFETCH(QString, confirm);
        QFETCH(QString, message);
        QFETCH(QString, emptied);
        QFETCH(QString, focus);
        const QByteArray stored = StoredBytes();
        Fill(old, typedNew, confirm);
        Click(ok());
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown.at(0).kind, MessageKind::Plain);
        QCOMPARE(fixture.messages->shown.at(0).text, message);
        QCOMPARE(oldBox()->text().isEmpty(), emptied.contains(u'o'));
        QCOMPARE(newBox()->text().isEmpty(), emptied.contains(u'n'));
        QCOMPARE(confirmBox()->text().isEmpty(), emptied.contains(u'c'));
        QCOMPARE(screen()->focusWidget()->objectName(), focus);
        QCOMPARE(StoredBytes(), stored);
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmCambiaPassword")});
    }

    void theNewPasswordIsStoredInCapitalsAndTrimmed_data()
    {
        QTest::addColumn<QString>("typedNew");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<QString>("stored");
        QTest::newRow("lower case") << "nuova" << "nuova" << "NUOVA";
        QTest::newRow("blanks in one box only") << "  nuova " << "nuova" << "NUOVA";
        QTest::newRow("blanks on both sides") << " nuova" << "nuova\t " << "NUOVA";
        QTest::newRow("accented letters keep their case") << "perché" << "perché" << "PERCHé";
        QTest::newRow("255 characters") << QString(255, u'z') << QString(255, u'z') << QString(255, u'Z');
    }
    void theNewPasswordIsStoredInCapitalsAndTrimmed()
    {
        QFETCH(QString, typedNew);
        QFETCH(QString, confirm);
        QFETCH(QString, stored);
        Fill(QStringLiteral("  VelOrbis "), typedNew, confirm);
        Click(ok());
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown.at(0).kind, MessageKind::Plain);
        QCOMPARE(fixture.messages->shown.at(0).text, Done);
        QCOMPARE(QString::fromStdU16String(ReadStoredPassword()), stored);

        auto* login = fixture->program->Password();
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmPassword")});
        QVERIFY(Child<QLineEdit>(login, "txtPassword")->text().isEmpty());
        QCOMPARE(login->focusWidget(), Child<QWidget>(login, "txtPassword"));
        QVERIFY(!Child<QPushButton>(login, "cmdOK")->isEnabled());

        QVERIFY(!LogsIn(OldPassword));
        QVERIFY(LogsIn(stored.toLower()));
        QVERIFY(LogsIn(stored));
    }

    void aStoredValueThatIsNotHexadecimalShowsTheErrorAndWritesNothing()
    {
        const QByteArray damaged = "[Accesso]\r\nValore=4G1Z\r\n";
        fixture->WriteFile(QStringLiteral("unins000.dll"), damaged);
        Fill(OldPassword, QStringLiteral("nuova"), QStringLiteral("nuova"));
        Click(ok());
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown.at(0).kind, MessageKind::Plain);
        QCOMPARE(fixture.messages->shown.at(0).text, Failure);
        QCOMPARE(StoredBytes(), damaged);
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmCambiaPassword")});
    }

    void aRefusedWriteShowsTheErrorAndKeepsTheOldPassword()
    {
        const QByteArray stored = StoredBytes();
        Fill(OldPassword, QStringLiteral("nuova"), QStringLiteral("nuova"));
        IoFaults::FailNext(IoOp::Rename);
        Click(ok());
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown.at(0).text, Failure);
        QCOMPARE(StoredBytes(), stored);
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmCambiaPassword")});
    }

    // While another copy of the program holds the password file, the change waits for it a
    // moment, then says the archive is in use: the old password stays, and so do the boxes.
    void aFileAnotherCopyHoldsGivesTheBusyWarning()
    {
        const QByteArray stored = StoredBytes();
        Fill(OldPassword, QStringLiteral("nuova"), QStringLiteral("nuova"));
        SaveLockHolder other(fixture->Path(QStringLiteral("unins000.dll")));
        QVERIFY(other.Locked());
        Click(ok());
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown.at(0).kind, MessageKind::Warning);
        QCOMPARE(fixture.messages->shown.at(0).text, Failures::ArchiveBusyText);
        QCOMPARE(StoredBytes(), stored);
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmCambiaPassword")});
        QCOMPARE(oldBox()->text(), OldPassword);
        QCOMPARE(newBox()->text(), QStringLiteral("nuova"));
        QCOMPARE(confirmBox()->text(), QStringLiteral("nuova"));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void withoutAPasswordFileEveryOldPasswordIsWrong()
    {
        QFile::remove(fixture->Path(QStringLiteral("unins000.dll")));
        Fill(OldPassword, QStringLiteral("nuova"), QStringLiteral("nuova"));
        Click(ok());
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown.at(0).text, WrongOld);
        QVERIFY(!QFile::exists(fixture->Path(QStringLiteral("unins000.dll"))));
    }

    void enterWalksTheThreeBoxesAndNeverPressesOK()
    {
        Fill(OldPassword, QStringLiteral("nuova"), QStringLiteral("nuova"));
        oldBox()->setFocus();
        QTest::keyClick(oldBox(), Qt::Key_Return);
        QCOMPARE(screen()->focusWidget(), newBox());
        QTest::keyClick(newBox(), Qt::Key_Return);
        QCOMPARE(screen()->focusWidget(), confirmBox());
        QTest::keyClick(confirmBox(), Qt::Key_Return);
        QCOMPARE(screen()->focusWidget(), oldBox());
        QVERIFY(fixture.messages->shown.isEmpty());
        QCOMPARE(QString::fromStdU16String(ReadStoredPassword()), QStringLiteral("VELORBIS"));
    }
};

VELORBIS_SCREEN_TEST_MAIN(TestChangePassword)
#include "tst_changepassword.moc"
