// The tables the Windows build takes its Unicode facts from answer as ICU does, which the
// Linux build asks: for every code point, and for UTF-8 input of every shape.
#include "storage/Unicode.h"

#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <QtTest>

#include <string>

namespace {

// Counts the differences and keeps the first few for the message.
class Differences {
public:
    void Note(bool same, const std::string& what)
    {
        if (same)
            return;
        if (++count_ <= 5)
            first_ += what + "\n";
    }
    int Count() const { return count_; }
    QByteArray Message() const { return QByteArray::fromStdString(std::to_string(count_) + " differ, first:\n" + first_); }

private:
    int count_ = 0;
    std::string first_;
};

std::string Hex(std::string_view bytes)
{
    std::string out;
    char digits[4];
    for (const char c : bytes) {
        std::snprintf(digits, sizeof digits, "%02X ", static_cast<unsigned>(static_cast<uint8_t>(c)));
        out += digits;
    }
    return out;
}

} // namespace

class TstUnicodeTables : public QObject {
    Q_OBJECT
private slots:
    void decompositionsOfEveryCodePoint()
    {
        Differences differences;
        for (char32_t c = 0; c <= 0x10FFFF; ++c)
            differences.Note(unicode::tables::DecompositionBase(c) == unicode::DecompositionBase(c),
                             "U+" + QString::number(uint(c), 16).toStdString());
        QVERIFY2(differences.Count() == 0, differences.Message());
    }

    void foldingOfEveryCodePoint()
    {
        Differences differences;
        for (char32_t c = 0; c <= 0x10FFFF; ++c) {
            if (unicode::IsSurrogate(c))
                continue;
            char32_t folded[3];
            unicode::tables::Fold(c, folded);
            icu::UnicodeString expected(static_cast<UChar32>(c));
            expected.foldCase(U_FOLD_CASE_DEFAULT);
            icu::UnicodeString got(static_cast<UChar32>(folded[0]));
            for (const char32_t part : {folded[1], folded[2]})
                if (part != 0)
                    got.append(static_cast<UChar32>(part));
            differences.Note(got == expected, "U+" + QString::number(uint(c), 16).toStdString());
        }
        QVERIFY2(differences.Count() == 0, differences.Message());
    }

    void equalFolded_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::newRow("letter case") << "Archivio" << "ARCHIVIO";
        QTest::newRow("accents") << QString::fromUtf16(u"Città") << QString::fromUtf16(u"CITTÀ");
        QTest::newRow("sharp s") << QString::fromUtf16(u"Straße") << "STRASSE";
        QTest::newRow("sharp s, shorter") << QString::fromUtf16(u"Straße") << "STRAS";
        QTest::newRow("final sigma") << QString::fromUtf16(u"ΟΔΟΣ") << QString::fromUtf16(u"οδος");
        QTest::newRow("different") << "Archivio" << "Archivi";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("lone surrogates") << QString(QChar(0xD800)) + "a" << QString(QChar(0xD800)) + "A";
        QTest::newRow("ligature") << QString::fromUtf16(u"ﬃ") << "FFI";
        QTest::newRow("outside the basic plane") << QString::fromUtf16(u"\U00010400") << QString::fromUtf16(u"\U00010428");
    }
    void equalFolded()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        const std::u16string x = a.toStdU16String(), y = b.toStdU16String();
        QCOMPARE(unicode::tables::EqualFolded(x, y), unicode::EqualFolded(x, y));
        QCOMPARE(unicode::tables::EqualFolded(y, x), unicode::EqualFolded(y, x));
    }

    // Every sequence of up to two bytes, every one of three whose last byte is one of those
    // that decide, and every four-byte lead with every second byte: well formed or cut
    // short, between plain letters.
    void utf8InputOfEveryShape()
    {
        const unsigned decisive[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xC2, 0xE0, 0xED, 0xF0, 0xF4, 0xFF};
        Differences differences;
        const auto compare = [&](const std::string& bytes) {
            const std::string framed = "a" + bytes + "z";
            differences.Note(unicode::tables::FromUtf8(framed) == unicode::FromUtf8(framed), Hex(bytes));
        };
        for (unsigned first = 0; first < 256; ++first) {
            compare(std::string(1, char(first)));
            for (unsigned second = 0; second < 256; ++second) {
                compare({char(first), char(second)});
                for (const unsigned third : decisive) {
                    compare({char(first), char(second), char(third)});
                    if (first >= 0xF0)
                        for (const unsigned fourth : decisive)
                            compare({char(first), char(second), char(third), char(fourth)});
                }
            }
        }
        QVERIFY2(differences.Count() == 0, differences.Message());
    }

    void utf16InputOfEveryUnit()
    {
        Differences differences;
        const char16_t partners[] = {u'a', 0xD800, 0xDBFF, 0xDC00, 0xDFFF};
        for (unsigned unit = 0; unit < 0x10000; ++unit)
            for (const char16_t partner : partners)
                for (const std::u16string& text : {std::u16string{char16_t(unit), partner}, std::u16string{partner, char16_t(unit)}})
                    differences.Note(unicode::tables::ToUtf8(text) == unicode::ToUtf8(text),
                                     QString::number(unit, 16).toStdString());
        for (char32_t c = 0x10000; c <= 0x10FFFF; c += 0x7F) {
            const std::u16string text = QString::fromUcs4(&c, 1).toStdU16String();
            differences.Note(unicode::tables::ToUtf8(text) == unicode::ToUtf8(text), "U+" + QString::number(uint(c), 16).toStdString());
            differences.Note(unicode::tables::FromUtf8(unicode::ToUtf8(text)) == text, "U+" + QString::number(uint(c), 16).toStdString());
        }
        QVERIFY2(differences.Count() == 0, differences.Message());
    }
};

QTEST_APPLESS_MAIN(TstUnicodeTables)
#include "tst_unicodetables.moc"
