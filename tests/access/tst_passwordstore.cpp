#include "access/Crypt.h"
#include "access/PasswordStore.h"
#include "storage/IniFile.h"
#include "support/StorageTest.h"

#include <QtTest>

class TstPasswordStore : public QObject {
    Q_OBJECT
private slots:
    // The password file an installation ships holds VELORBIS, encoded with today's constants.
    void shippedFileHoldsFirstAccessPassword()
    {
        ProgramFolderFixture folder;
        const QByteArray shipped = ReadBytes(VELORBIS_RESOURCES_DIR "/unins000.dll");
        QCOMPARE(shipped, "[Accesso]\r\nValore=" + Q(CryptEncode(u"VELORBIS")).toLatin1() + "\r\n");
        WriteBytes(folder.Path("unins000.dll"), shipped);
        const Text stored = ReadStoredPassword();
        QCOMPARE(Q(stored), QString("VELORBIS"));
        QVERIFY(PasswordMatches(stored, u"velorbis"));
        QVERIFY(PasswordMatches(stored, u" VeLoRbIs "));
    }

    void missingFileOrKeyIsEmpty_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("no file") << QByteArray();
        QTest::newRow("no section") << QByteArray("[Altro]\r\nValore=4AE7\r\n");
        QTest::newRow("no key") << QByteArray("[Accesso]\r\nAltro=4AE7\r\n");
        QTest::newRow("empty value") << QByteArray("[Accesso]\r\nValore=\r\n");
    }
    void missingFileOrKeyIsEmpty()
    {
        QFETCH(QByteArray, bytes);
        ProgramFolderFixture folder;
        if (!bytes.isNull())
            WriteBytes(folder.Path("unins000.dll"), bytes);
        const Text stored = ReadStoredPassword();
        QVERIFY(stored.empty());
        QVERIFY(!PasswordMatches(stored, u""));
        QVERIFY(!PasswordMatches(stored, u"  "));
    }

    void storedValueThatIsNotHexThrows()
    {
        ProgramFolderFixture folder;
        WriteBytes(folder.Path("unins000.dll"), "[Accesso]\r\nValore=4AE7XY\r\n");
        QVERIFY_THROWS_EXCEPTION(FileFailure, ReadStoredPassword());
    }

    // What cannot be a password file fails as an unreadable stored value does, at once:
    // no wait on a pipe, no gigabytes read. A change of password is refused and leaves it be.
    void unusableFileFailsAsUnreadable_data() { AddUnusableFileKinds(); }
    void unusableFileFailsAsUnreadable()
    {
        QFETCH(QString, kind);
        ProgramFolderFixture folder;
        const QString path = folder.Path("unins000.dll");
        MakeUnusableFile(path, kind);
        QVERIFY_THROWS_EXCEPTION(FileFailure, ReadStoredPassword());
        QVERIFY_THROWS_EXCEPTION(FileFailure, StorePassword(u"nuova"));
        QVERIFY(StillUnusable(path, kind));
    }

    void storedValueIsDecodedThenTrimmed()
    {
        ProgramFolderFixture folder;
        WriteBytes(folder.Path("unins000.dll"),
                   "[accesso]\r\nvalore=" + Q(CryptEncode(u"  ABC\t")).toLower().toLatin1() + "5\r\n");
        QCOMPARE(Q(ReadStoredPassword()), QString("ABC"));
    }

    void matches_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("match");
        QTest::newRow("same") << "VELORBIS" << "VELORBIS" << true;
        QTest::newRow("small letters with blanks") << "VELORBIS" << "  velorbis  " << true;
        QTest::newRow("stored with blanks") << " VELORBIS " << "velorbis" << true;
        QTest::newRow("other password") << "VELORBIS" << "velorbi" << false;
        QTest::newRow("inner blank counts") << "VELORBIS" << "velor bis" << false;
        QTest::newRow("accented capital typed as capital") << Q(u"CITTÀ") << Q(u"cittÀ") << true;
        QTest::newRow("accented letters keep their case") << Q(u"CITTÀ") << Q(u"città") << false;
        QTest::newRow("both empty") << "" << "" << false;
    }
    void matches()
    {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(bool, match);
        QCOMPARE(PasswordMatches(T(stored), T(typed)), match);
    }

    void canBeStored_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("storable");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blanks only") << "   " << false;
        QTest::newRow("one character") << "a" << true;
        QTest::newRow("255 characters") << QString(255, 'p') << true;
        QTest::newRow("255 characters with blanks around") << " " + QString(255, 'p') + "\t" << true;
        QTest::newRow("256 characters") << QString(256, 'p') << false;
        QTest::newRow("accented letters") << Q(u"però") << true;
        QTest::newRow("euro sign") << Q(u"10€") << false;
        QTest::newRow("other alphabet") << Q(u"пароль") << false;
    }
    void canBeStored()
    {
        QFETCH(QString, password);
        QFETCH(bool, storable);
        QCOMPARE(PasswordCanBeStored(T(password)), storable);
    }

    void storedPasswordIsNormalised()
    {
        ProgramFolderFixture folder;
        StorePassword(u"  nuova Parola \t");
        QCOMPARE(ReadBytes(folder.Path("unins000.dll")),
                 "[Accesso]\r\nValore=" + Q(CryptEncode(u"NUOVA PAROLA")).toLatin1() + "\r\n");
        const Text stored = ReadStoredPassword();
        QCOMPARE(Q(stored), QString("NUOVA PAROLA"));
        QVERIFY(PasswordMatches(stored, u"nuova parola"));
    }

    void changingReplacesTheShippedPassword()
    {
        ProgramFolderFixture folder;
        WriteBytes(folder.Path("unins000.dll"), ReadBytes(VELORBIS_RESOURCES_DIR "/unins000.dll"));
        StorePassword(u"però");
        QCOMPARE(Q(ReadStoredPassword()), Q(u"PERò"));
        QVERIFY(!PasswordMatches(ReadStoredPassword(), u"velorbis"));
        QCOMPARE(Q(IniFile(folder.Path("unins000.dll").toStdString()).Read(u"Accesso", u"Valore")).size(), 8);
    }

    void unstorablePasswordIsRefused()
    {
        ProgramFolderFixture folder;
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, StorePassword(u"   "));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, StorePassword(u"10€"));
        QVERIFY(!QFile::exists(folder.Path("unins000.dll")));
    }

    void refusedWriteKeepsOldPassword()
    {
        ProgramFolderFixture folder;
        const QByteArray shipped = ReadBytes(VELORBIS_RESOURCES_DIR "/unins000.dll");
        WriteBytes(folder.Path("unins000.dll"), shipped);
        IoFaults::FailNext(IoOp::Write);
        try {
            StorePassword(u"nuova");
            QFAIL("the write was not refused");
        } catch (const FileFailure& error) {
            QCOMPARE(QString(error.what()), "Unable to write to " + folder.Path("unins000.dll"));
        }
        QCOMPARE(ReadBytes(folder.Path("unins000.dll")), shipped);
        QCOMPARE(Q(ReadStoredPassword()), QString("VELORBIS"));
    }
};

QTEST_APPLESS_MAIN(TstPasswordStore)
#include "tst_passwordstore.moc"
