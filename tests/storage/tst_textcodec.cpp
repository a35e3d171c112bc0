#include "storage/Cp1252.h"
#include "support/StorageTest.h"
#include "storage/TextCodec.h"

#include <QtTest>

#include <vector>

namespace {
// Field bytes: the length byte, then the text bytes, then zeros up to width.
QByteArray Field(int width, const QByteArray& text)
{
    QByteArray field(1 + width, '\0');
    field[0] = char(text.size());
    for (int i = 0; i < text.size(); ++i)
        field[1 + i] = text[i];
    return field;
}

QByteArray Encoded(const QString& text, int width)
{
    QByteArray field(1 + width, '\x55'); // junk the encoder must clear
    EncodeText(T(text), std::size_t(width), reinterpret_cast<uint8_t*>(field.data()));
    return field;
}
} // namespace

class TstTextCodec : public QObject {
    Q_OBJECT
private slots:
    void encode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QByteArray>("field");
        QTest::newRow("empty") << "" << 5 << Field(5, "");
        QTest::newRow("blanks only") << "   " << 5 << Field(5, "");
        QTest::newRow("trimmed") << "  Rossi  " << 50 << Field(50, "Rossi");
        QTest::newRow("controls trimmed") << "\tRossi\r\n" << 10 << Field(10, "Rossi");
        QTest::newRow("exact width") << "abcde" << 5 << Field(5, "abcde");
        QTest::newRow("cut at width") << QString(60, 'x') << 50 << Field(50, QByteArray(50, 'x'));
        QTest::newRow("cut leaves no trailing blank") << "abc def" << 4 << Field(4, "abc");
        QTest::newRow("mark yes") << Q(u"Sì") << 2 << QByteArray("\x02\x53\xEC", 3);
        QTest::newRow("mark no") << "No" << 2 << QByteArray("\x02\x4E\x6F", 3);
        QTest::newRow("a macron") << Q(u"ā") << 3 << Field(3, "a");
        QTest::newRow("l stroke") << Q(u"Łódź") << 10 << Field(10, "L\xF3" "dz");
        QTest::newRow("euro") << Q(u"10 €") << 10 << Field(10, "10 \x80");
        QTest::newRow("CJK") << Q(u"中") << 3 << Field(3, "?");
        QTest::newRow("accented italian") << Q(u"perché più") << 20 << Field(20, "perch\xE9 pi\xF9");
        QTest::newRow("one byte per astral char") << QString::fromUtf8("a\xF0\x9F\x98\x80") << 5 << Field(5, "a?");
        QTest::newRow("width 255") << QString(300, 'z') << 255 << Field(255, QByteArray(255, 'z'));
    }
    void encode()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QByteArray, field);
        QCOMPARE(Encoded(text, width).toHex(' '), field.toHex(' '));
    }

    void decode_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("trimmed");
        QTest::addColumn<QString>("untrimmed");
        QTest::newRow("length 0 ignores the rest") << QByteArray("\x00xyz", 4) << 3 << "" << "";
        QTest::newRow("plain") << QByteArray("\x05RossiXXXX") << 9 << "Rossi" << "Rossi";
        QTest::newRow("leftover bytes ignored") << QByteArray("\x02NoOLDTEXT") << 10 << "No" << "No";
        QTest::newRow("length above width") << QByteArray("\xFF" "abcde") << 5 << "abcde" << "abcde";
        QTest::newRow("length just above width") << QByteArray("\x06" "abcdeZ") << 5 << "abcde" << "abcde";
        QTest::newRow("blanks stored around") << QByteArray("\x07  Rossi") << 10 << "Rossi" << "  Rossi";
        QTest::newRow("trailing controls") << QByteArray("\x04" "ab\t\x01") << 4 << "ab" << QString("ab\t\x01");
        QTest::newRow("mark yes") << QByteArray("\x02\x53\xEC") << 2 << Q(u"Sì") << Q(u"Sì");
        QTest::newRow("euro and quotes") << QByteArray("\x03\x80\x93\x94") << 3 << Q(u"€“”") << Q(u"€“”");
        QTest::newRow("C1 bytes") << QByteArray("\x03\x81\x8D\x9D") << 3 << Q(u"\u0081\u008D\u009D")
                                  << Q(u"\u0081\u008D\u009D");
        QTest::newRow("no-break space is not trimmed") << QByteArray("\x02\xA0x") << 2 << Q(u"\u00A0x")
                                                       << Q(u"\u00A0x");
    }
    void decode()
    {
        QFETCH(QByteArray, field);
        QFETCH(int, width);
        QFETCH(QString, trimmed);
        QFETCH(QString, untrimmed);
        const auto* bytes = reinterpret_cast<const uint8_t*>(field.constData());
        QCOMPARE(Q(DecodeText(bytes, std::size_t(width))), trimmed);
        QCOMPARE(Q(DecodeTextUntrimmed(bytes, std::size_t(width))), untrimmed);
        Text reused = u"previous content that is longer";
        DecodeTextUntrimmedInto(bytes, std::size_t(width), reused);
        QCOMPARE(Q(reused), untrimmed);
    }

    // Every character of the code page (other than blanks and controls, which the trim
    // removes at the ends) comes back as it went in.
    void everyCharacterRoundTrips()
    {
        Text text;
        for (int byte = 33; byte < 256; ++byte)
            text += Cp1252ToUnicode(uint8_t(byte));
        std::vector<uint8_t> field(1 + 255);
        EncodeText(text, 255, field.data());
        QCOMPARE(int(field[0]), 223);
        QCOMPARE(Q(DecodeText(field.data(), 255)), Q(text));
    }
};

QTEST_APPLESS_MAIN(TstTextCodec)
#include "tst_textcodec.moc"
