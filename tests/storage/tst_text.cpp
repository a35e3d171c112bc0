#include "support/StorageTest.h"
#include "storage/Text.h"

#include <QtTest>

class TstText : public QObject {
    Q_OBJECT
private slots:
    void trim_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("trimmed");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("blanks only") << "   " << "";
        QTest::newRow("blanks around") << "  Rossi  " << "Rossi";
        QTest::newRow("controls around") << "\t\r\n\x01Rossi\x7f\x1f" << "Rossi\x7f";
        QTest::newRow("inner blanks stay") << " Mario  Rossi " << "Mario  Rossi";
        QTest::newRow("no-break space stays") << Q(u"\u00A0x\u00A0") << Q(u"\u00A0x\u00A0");
        QTest::newRow("code 32 and below") << QString(QChar(0)) + "a" + QChar(32) << "a";
    }
    void trim()
    {
        QFETCH(QString, text);
        QFETCH(QString, trimmed);
        QCOMPARE(Q(Trim(T(text))), trimmed);
    }

    void upperAZ_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("upper");
        QTest::newRow("ascii") << "velorbis 4.0" << "VELORBIS 4.0";
        QTest::newRow("accents keep their case") << Q(u"città è") << Q(u"CITTà è");
        QTest::newRow("already upper") << "ABC" << "ABC";
        QTest::newRow("edges") << "`az{" << "`AZ{";
    }
    void upperAZ()
    {
        QFETCH(QString, text);
        QFETCH(QString, upper);
        QCOMPARE(Q(UpperAZ(T(text))), upper);
    }

    void utf8RoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("ascii") << "Archivio";
        QTest::newRow("latin") << Q(u"Sì, città €");
        QTest::newRow("astral") << QString::fromUtf8("a\xF0\x9F\x98\x80z");
    }
    void utf8RoundTrip()
    {
        QFETCH(QString, text);
        const std::string utf8 = ToUtf8(T(text));
        QCOMPARE(QByteArray::fromStdString(utf8), text.toUtf8());
        QCOMPARE(Q(FromUtf8(utf8)), text);
    }

    void invalidUtf8BecomesReplacement()
    {
        QCOMPARE(Q(FromUtf8("a\xFF" "b")), Q(u"a\uFFFDb"));
    }
};

QTEST_APPLESS_MAIN(TstText)
#include "tst_text.moc"
