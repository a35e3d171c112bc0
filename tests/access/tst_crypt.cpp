#include "access/Crypt.h"
#include "support/StorageTest.h"

#include <QRegularExpression>
#include <QtTest>

namespace {
// A text of n characters of codes 0..255 that differs with the seed.
Text Sample(int n, int seed)
{
    Text text;
    for (int i = 0; i < n; ++i)
        text += char16_t((i * 37 + seed * 101 + (i * i) % 13) % 256);
    return text;
}
} // namespace

class TstCrypt : public QObject {
    Q_OBJECT
private slots:
    void constantsHaveTheirDigits()
    {
        QVERIFY(CryptStartKey >= 1000 && CryptStartKey <= 9999);
        QVERIFY(CryptMultiplier >= 10000);
        QVERIFY(CryptIncrement >= 10000);
    }

    void emptyText()
    {
        QVERIFY(CryptEncode(u"").empty());
        QVERIFY(CryptDecode(u"").empty());
    }

    void roundTripForEveryLength()
    {
        const QRegularExpression upperHex("^[0-9A-F]*$");
        for (int n = 1; n <= 255; ++n) {
            for (int seed = 0; seed < 3; ++seed) {
                const Text plain = Sample(n, seed);
                const Text hex = CryptEncode(plain);
                QCOMPARE(int(hex.size()), 2 * n);
                QVERIFY(upperHex.match(Q(hex)).hasMatch());
                QVERIFY2(CryptDecode(hex) == plain, qPrintable(QString("length %1").arg(n)));
            }
        }
    }

    void everyByteValueRoundTripsAtEveryPlace()
    {
        for (int value = 0; value < 256; ++value) {
            Text plain = Sample(9, value);
            plain[0] = plain[4] = plain[8] = char16_t(value);
            QVERIFY(CryptDecode(CryptEncode(plain)) == plain);
        }
    }

    void charactersCountByTheirLowByte()
    {
        QVERIFY(CryptEncode(u"\u0141X") == CryptEncode(u"\u0041X"));
        QVERIFY(CryptDecode(CryptEncode(u"\u20AC")) == Text(1, char16_t(0xAC)));
    }

    void lastCharacterChangesOnlyLastTwoDigits_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("one character") << "A" << "B";
        QTest::newRow("password") << "VELORBIS" << "VELORBIT";
        QTest::newRow("long") << QString(254, 'x') + "1" << QString(254, 'x') + "2";
    }
    void lastCharacterChangesOnlyLastTwoDigits()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        const QString a = Q(CryptEncode(T(first))), b = Q(CryptEncode(T(second)));
        QCOMPARE(a.chopped(2), b.chopped(2));
        QVERIFY(a.right(2) != b.right(2));
    }

    void lowerCaseDigitsAreAccepted()
    {
        const Text hex = CryptEncode(u"Segreto 123");
        QVERIFY(CryptDecode(T(Q(hex).toLower())) == u"Segreto 123");
    }

    void oddTrailingDigitIsIgnored()
    {
        const Text hex = CryptEncode(u"VELORBIS");
        QVERIFY(CryptDecode(hex + u"7") == u"VELORBIS");
        QVERIFY(CryptDecode(hex + u"Z") == u"VELORBIS");
        QVERIFY(CryptDecode(u"F").empty());
    }

    void nonHexadecimalPairThrows_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::newRow("letter beyond F") << "G0";
        QTest::newRow("second digit") << "0x";
        QTest::newRow("blank") << "4A 7";
        QTest::newRow("later pair") << "4AE7C2ZZ";
        QTest::newRow("accented letter") << Q(u"4À");
        QTest::newRow("full-width digit") << Q(u"4\uFF11");
        QTest::newRow("sign") << "-1";
    }
    void nonHexadecimalPairThrows()
    {
        QFETCH(QString, hex);
        QVERIFY_THROWS_EXCEPTION(FileFailure, CryptDecode(T(hex)));
    }
};

QTEST_APPLESS_MAIN(TstCrypt)
#include "tst_crypt.moc"
