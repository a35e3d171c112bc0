#include "storage/Cp1252.h"
#include "support/StorageTest.h"

#include <QtTest>

#include <unicode/ucnv.h>

class TstCp1252 : public QObject {
    Q_OBJECT
private slots:
    // The table agrees with ICU's converter for every byte the code page assigns, and the
    // five unassigned bytes decode to the C1 control of the same number.
    void tableAgreesWithIcu()
    {
        UErrorCode status = U_ZERO_ERROR;
        UConverter* converter = ucnv_open("windows-1252", &status);
        QVERIFY2(U_SUCCESS(status), u_errorName(status));
        for (int byte = 0; byte < 256; ++byte) {
            const bool unassigned = byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
            if (unassigned) {
                QCOMPARE(int(Cp1252ToUnicode(uint8_t(byte))), byte);
                continue;
            }
            const char in = char(byte);
            UChar out[4] = {};
            status = U_ZERO_ERROR;
            const int32_t length = ucnv_toUChars(converter, out, 4, &in, 1, &status);
            QVERIFY(U_SUCCESS(status));
            QCOMPARE(length, 1);
            QCOMPARE(int(Cp1252ToUnicode(uint8_t(byte))), int(out[0]));
        }
        ucnv_close(converter);
    }

    void everyByteRoundTrips()
    {
        for (int byte = 0; byte < 256; ++byte)
            QCOMPARE(int(UnicodeToCp1252(Cp1252ToUnicode(uint8_t(byte)))), byte);
    }

    void toByte_data()
    {
        QTest::addColumn<uint>("codePoint");
        QTest::addColumn<int>("byte");
        // inside the code page: exact
        QTest::newRow("e acute") << 0xE9u << 0xE9;
        QTest::newRow("i grave") << 0xECu << 0xEC;
        QTest::newRow("euro") << 0x20ACu << 0x80;
        QTest::newRow("left quote") << 0x2018u << 0x91;
        QTest::newRow("en dash") << 0x2013u << 0x96;
        QTest::newRow("oe") << 0x153u << 0x9C;
        QTest::newRow("S caron") << 0x160u << 0x8A;
        QTest::newRow("no-break space") << 0xA0u << 0xA0;
        // look-alikes by decomposition
        QTest::newRow("a macron") << 0x101u << int('a');
        QTest::newRow("O double acute") << 0x150u << int('O');
        QTest::newRow("s comma below") << 0x219u << int('s');
        QTest::newRow("c caron") << 0x10Du << int('c');
        QTest::newRow("o slash acute") << 0x1FFu << 0xF8;
        QTest::newRow("full-width A") << 0xFF21u << int('A');
        QTest::newRow("mathematical bold A") << 0x1D400u << int('A');
        // look-alikes from the table
        QTest::newRow("l stroke") << 0x142u << int('l');
        QTest::newRow("L stroke") << 0x141u << int('L');
        QTest::newRow("d stroke") << 0x111u << int('d');
        QTest::newRow("dotless i") << 0x131u << int('i');
        QTest::newRow("hyphen") << 0x2010u << int('-');
        QTest::newRow("non-breaking hyphen") << 0x2011u << int('-');
        QTest::newRow("minus sign") << 0x2212u << int('-');
        QTest::newRow("greek mu") << 0x3BCu << 0xB5;
        // nothing alike
        QTest::newRow("CJK") << 0x4E2Du << int('?');
        QTest::newRow("emoji") << 0x1F600u << int('?');
        QTest::newRow("ligature ff") << 0xFB00u << int('?');
        QTest::newRow("C1 control 0x80") << 0x80u << int('?');
        QTest::newRow("C1 control 0x81 kept") << 0x81u << 0x81;
        QTest::newRow("C1 control 0x9D kept") << 0x9Du << 0x9D;
        QTest::newRow("lone surrogate") << 0xD800u << int('?');
    }
    void toByte()
    {
        QFETCH(uint, codePoint);
        QFETCH(int, byte);
        QCOMPARE(int(UnicodeToCp1252(char32_t(codePoint))), byte);
    }

    void surrogatePairIsOneCharacter()
    {
        const Text text = u"a\U0001F600b\U0001D400";
        QCOMPARE(QByteArray::fromStdString(ToCp1252(text)), QByteArray("a?bA"));
    }

    void loneSurrogatesBecomeQuestionMarks()
    {
        Text text = u"x";
        text += char16_t(0xDC00);
        text += char16_t(0xD800);
        text += u'y';
        QCOMPARE(QByteArray::fromStdString(ToCp1252(text)), QByteArray("x??y"));
    }

    void conversionStopsAtLimit()
    {
        uint8_t out[3] = {};
        QCOMPARE(ToCp1252(u"abcdef", out, 3), std::size_t(3));
        QCOMPARE(QByteArray(reinterpret_cast<char*>(out), 3), QByteArray("abc"));
    }

    void fromBytes()
    {
        QCOMPARE(Q(FromCp1252("S\xEC \x80\x81")), Q(u"Sì €\u0081"));
    }
};

QTEST_APPLESS_MAIN(TstCp1252)
#include "tst_cp1252.moc"
