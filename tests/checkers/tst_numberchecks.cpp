// The four number checks on their own: tables of valid and invalid numbers with the odd
// corners of each rule, and the VAT office table.

#include "checkers/NumberChecks.h"

#include <QSet>
#include <QString>
#include <QtTest>

namespace {

std::u16string U(const QString& text) { return text.toStdU16String(); }
QString Q(std::u16string_view text) { return QString::fromUtf16(text.data(), qsizetype(text.size())); }

} // namespace

class TestNumberChecks : public QObject {
    Q_OBJECT

private slots:
    void fiscalCode_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("valid");
        QTest::newRow("right check letter") << "RSSMRA85T10A562S" << true;
        QTest::newRow("wrong check letter") << "RSSMRA85T10A562T" << false;
        QTest::newRow("woman, day plus 40") << "BNCLRA80A41H501D" << true;
        QTest::newRow("lower case throughout") << "rssmra85t10a562s" << true;
        QTest::newRow("only the check letter lower case") << "RSSMRA85T10A562s" << true;
        QTest::newRow("letters where digits stand") << "RSSMRALPTLMA562O" << true;
        QTest::newRow("letters in every place") << "AAAAAAAAAAAAAAAI" << true;
        QTest::newRow("digits in every place") << "000000000000000I" << true;
        // ':' to '@' lie between '9' and 'A' and weigh nothing: 0+0+2+7+4+13+6+17 = 49 -> X.
        QTest::newRow("signs between 9 and A weigh 0") << ":;<=>?@ABCDEFGHX" << true;
        QTest::newRow("blank inside") << "RSSMRA85 10A562S" << false;
        QTest::newRow("hyphen inside") << "RSSMRA85-10A562S" << false;
        QTest::newRow("accented letter inside") << "RSSMRÀ85T10A562S" << false;
        QTest::newRow("sign beyond Z inside") << "RSSMRA85T10A56[S" << false;
        QTest::newRow("fifteen characters") << "RSSMRA85T10A562" << false;
        QTest::newRow("seventeen characters") << "RSSMRA85T10A562SX" << false;
        QTest::newRow("check place holding a digit") << "RSSMRA85T10A5621" << false;
    }
    void fiscalCode()
    {
        QFETCH(QString, code);
        QFETCH(bool, valid);
        QCOMPARE(FiscalCodeValid(U(code)), valid);
    }

    void digitsOnlyFiscalCodeGoesToTheVatCheck_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("vat");
        QTest::newRow("eleven digits") << "12345670967" << true;
        QTest::newRow("sixteen digits") << "1234567890123456" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("fiscal code") << "RSSMRA85T10A562S" << false;
        QTest::newRow("digits with a blank") << "123 456" << false;
    }
    void digitsOnlyFiscalCodeGoesToTheVatCheck()
    {
        QFETCH(QString, text);
        QFETCH(bool, vat);
        QCOMPARE(IsDigitsOnly(U(text)), vat);
    }

    void vatNumber_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("valid");
        QTest::newRow("office 096") << "12345670967" << true;
        QTest::newRow("office 120") << "12345671205" << true;
        QTest::newRow("wrong check digit") << "12345670968" << false;
        QTest::newRow("sum a multiple of 10, check 0") << "99999999990" << true;
        QTest::newRow("sum a multiple of 10, check not 0") << "99999999991" << false;
        QTest::newRow("doubled 7 adds 5") << "01234567897" << true;
        QTest::newRow("all zeros") << "00000000000" << true;
        QTest::newRow("office not in the table") << "12345671056" << true;
        QTest::newRow("ten digits") << "1234567096" << false;
        QTest::newRow("twelve digits") << "123456709670" << false;
        QTest::newRow("letter inside") << "1234567A967" << false;
        QTest::newRow("blank inside") << "1234567 967" << false;
        QTest::newRow("sixteen digits") << "1234567890123456" << false;
    }
    void vatNumber()
    {
        QFETCH(QString, number);
        QFETCH(bool, valid);
        QCOMPARE(VatNumberValid(U(number)), valid);
    }

    void vatOffice_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("office");
        QTest::newRow("001") << "001" << "Torino";
        QTest::newRow("040") << "040" << "Forlì";
        QTest::newRow("096") << "096" << "Monza (Milano 2)";
        QTest::newRow("099") << "099" << "Chiavari (Genova 2)";
        QTest::newRow("101") << "101" << "Bologna 2";
        QTest::newRow("102") << "102" << "Napoli 2";
        QTest::newRow("120 as 101") << "120" << "Bologna 2";
        QTest::newRow("121 as 102") << "121" << "Napoli 2";
        QTest::newRow("000") << "000" << QString();
        QTest::newRow("103") << "103" << QString();
        QTest::newRow("119") << "119" << QString();
        QTest::newRow("122") << "122" << QString();
        QTest::newRow("999") << "999" << QString();
    }
    void vatOffice()
    {
        QFETCH(QString, code);
        QFETCH(QString, office);
        const auto found = VatOffice(U(code));
        QCOMPARE(found.has_value(), !office.isEmpty());
        if (found)
            QCOMPARE(Q(*found), office);
    }

    void vatOfficeTableRunsWithoutGaps()
    {
        const auto rows = VatOffices();
        QCOMPARE(rows.size(), std::size_t(104));
        QSet<QString> codes;
        for (const VatOfficeRow& row : rows) {
            QVERIFY(!row.name.empty());
            codes.insert(Q(row.code));
        }
        QCOMPARE(codes.size(), 104);
        for (int code = 1; code <= 102; ++code)
            QVERIFY2(codes.contains(QStringLiteral("%1").arg(code, 3, 10, QLatin1Char('0'))), qPrintable(QString::number(code)));
        QVERIFY(codes.contains(QStringLiteral("120")));
        QVERIFY(codes.contains(QStringLiteral("121")));
        QCOMPARE(Q(VatOfficeCode(u"12345670967")), QStringLiteral("096"));
    }

    void card_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("type"); // empty: reported as wrong
        QTest::newRow("Visa, sixteen digits") << "4111111111111111" << 2 << "Visa";
        QTest::newRow("Visa, last digit changed") << "4111111111111112" << 0 << "";
        QTest::newRow("MasterCard") << "5555555555554444" << 3 << "MasterCard";
        QTest::newRow("Discover") << "6011111111111117" << 4 << "Discover";
        QTest::newRow("American Express, fifteen digits") << "378282246310005" << 1 << "American Express";
        QTest::newRow("American Express 34") << "34123456789015" << 1 << "American Express";
        QTest::newRow("Diners, fourteen digits") << "30569309025904" << 1 << "Diner's Club / Carte Blanche";
        QTest::newRow("Diners 36") << "36123456789013" << 1 << "Diner's Club / Carte Blanche";
        QTest::newRow("Carte Blanche 38") << "38123456789011" << 1 << "Diner's Club / Carte Blanche";
        QTest::newRow("JCB 35") << "3530111333300000" << 1 << "JCB";
        QTest::newRow("JCB 31") << "31123456789018" << 1 << "JCB";
        QTest::newRow("JCB 33") << "33123456789016" << 1 << "JCB";
        QTest::newRow("3 with 32, right check digit") << "32123456789017" << 1 << "";
        QTest::newRow("3 with 39, right check digit") << "39123456789010" << 1 << "";
        QTest::newRow("3 then a blank, right check digit") << "3 0569309025904" << 1 << "";
        QTest::newRow("first digit 2, right check digit") << "2221000000000009" << 0 << "";
        QTest::newRow("first digit 0") << "0123456789012347" << -2 << "";
        QTest::newRow("first digit 1") << "12345678901237" << -1 << "";
        QTest::newRow("first digit 7") << "71234567890123" << 5 << "";
        QTest::newRow("first digit 8") << "81234567890121" << 6 << "";
        QTest::newRow("first digit 9") << "91234567890129" << 7 << "";
        QTest::newRow("groups of four with blanks") << "4111 1111 1111 1111" << 2 << "Visa";
        QTest::newRow("groups with hyphens") << "4111-1111-1111-1111" << 2 << "Visa";
        QTest::newRow("leading blanks") << "  4111111111111111" << 2 << "Visa";
        // Only the first twenty characters are read: the digits after them change nothing.
        QTest::newRow("digits beyond the twentieth character") << "4111 1111 1111 1111 12345" << 2 << "Visa";
        QTest::newRow("twentieth character read") << "4111 1111 1111 11119" << 0 << "";
        QTest::newRow("single 0") << "0" << -2 << "";
        QTest::newRow("single 5") << "5" << 0 << "";
        QTest::newRow("no digit") << "abc" << 0 << "";
        QTest::newRow("empty") << "" << 0 << "";
    }
    void card()
    {
        QFETCH(QString, number);
        QFETCH(int, result);
        QFETCH(QString, type);
        QCOMPARE(CardCheckResult(U(number)), result);
        const auto found = CardType(U(number));
        QCOMPARE(found.has_value(), !type.isEmpty());
        if (found)
            QCOMPARE(Q(*found), type);
    }

    void iban_data()
    {
        QTest::addColumn<QString>("iban");
        QTest::addColumn<bool>("valid");
        QTest::newRow("Italian") << "IT60X0542811101000000123456" << true;
        QTest::newRow("last digit changed") << "IT60X0542811101000000123457" << false;
        QTest::newRow("check digits changed") << "IT61X0542811101000000123456" << false;
        QTest::newRow("lower case") << "it60x0542811101000000123456" << true;
        QTest::newRow("French, 27 characters too") << "FR1420041010050500013M02606" << true;
        QTest::newRow("blanks inside are ignored") << "IT60 X054 2811 1010 0000 0123 456" << true;
        QTest::newRow("hyphen inside") << "IT60X0542811101-00000123456" << false;
        QTest::newRow("accented letter inside") << "IT60X0542811101È00000123456" << false;
        QTest::newRow("\"IBAN\" before it is taken out") << "IBANIT60X0542811101000000123456" << true;
        QTest::newRow("empty") << "" << false;
    }
    void iban()
    {
        QFETCH(QString, iban);
        QFETCH(bool, valid);
        QCOMPARE(IbanValid(U(iban)), valid);
    }

    void ibanRemainderFailsToZero_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("remainder");
        QTest::newRow("valid gives 1") << "IT60X0542811101000000123456" << 1;
        QTest::newRow("a sign gives 0") << "IT60X05428111+1000000123456" << 0;
        QTest::newRow("a blank gives 0") << "IT60X05428111 1000000123456" << 0;
        QTest::newRow("check digits 00") << "IT00X0542811101000000123456" << 38;
    }
    void ibanRemainderFailsToZero()
    {
        QFETCH(QString, text);
        QFETCH(int, remainder);
        QCOMPARE(IbanRemainder(U(text)), remainder);
    }
};

QTEST_APPLESS_MAIN(TestNumberChecks)
#include "tst_numberchecks.moc"
