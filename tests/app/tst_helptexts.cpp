#include "app/StartMenuHelp.h"
#include "kit/HelpTexts.h"
#include "settings/SettingsHelp.h"

#include <QRegularExpression>
#include <QtTest>

// The help viewer shows these texts as they are: paragraphs must be separated by exactly
// one empty line (CR LF CR LF) and hold no other line breaks.
class TestHelpTexts : public QObject
{
    Q_OBJECT

private slots:
    void titles();
    void paragraphs_data();
    void paragraphs();
};

void TestHelpTexts::titles()
{
    QCOMPARE(OverviewHelpTitle(), QStringLiteral("Uno sguardo a Velorbis 4.0."));
    QCOMPARE(SettingsHelpTitle(), QStringLiteral("Impostazioni schermata di avvio e campi di testo."));
    QCOMPARE(HelpParagraphSeparator(), QStringLiteral("\r\n\r\n"));
}

void TestHelpTexts::paragraphs_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expectedParagraphs");
    QTest::addColumn<QString>("opening");

    QTest::newRow("overview") << OverviewHelpText() << 26
        << QStringLiteral("Velorbis 4.0 è un software che consente, in pochi secondi, di crearsi un database "
                          "personalizzato dotato di un'avanzata funzione di ricerca.");
    QTest::newRow("settings") << SettingsHelpText() << 5
        << QStringLiteral("Facendo clic sulla scritta Impostazioni presente nella finestra di partenza del "
                          "software si accede a un ambiente che consente sia di personalizzare la schermata "
                          "di avvio sia di specificare il nome del database da creare e di indicare quali "
                          "dovranno essere i titoli che appariranno in cima alle caselle che compongono le "
                          "schede dell'archivio.");
}

void TestHelpTexts::paragraphs()
{
    QFETCH(QString, text);
    QFETCH(int, expectedParagraphs);
    QFETCH(QString, opening);

    QVERIFY(text.startsWith(opening));

    const QStringList parts = text.split(QStringLiteral("\r\n\r\n"));
    QCOMPARE(parts.size(), expectedParagraphs);
    for (const QString &paragraph : parts) {
        QVERIFY2(!paragraph.isEmpty(), "empty paragraph");
        QVERIFY2(paragraph == paragraph.trimmed(), qPrintable(paragraph));
        QVERIFY2(!paragraph.contains(u'\r') && !paragraph.contains(u'\n'), qPrintable(paragraph));
        QVERIFY2(paragraph.endsWith(u'.'), qPrintable(paragraph));
        QVERIFY2(!paragraph.contains(QStringLiteral("  ")), qPrintable(paragraph));
    }

    // The program's name is the only place where the word velorbis may appear: the help
    // never gives away a password.
    QCOMPARE(text.count(QStringLiteral("velorbis"), Qt::CaseInsensitive),
             text.count(QStringLiteral("Velorbis 4.0")));

    // Non-ASCII letters must have survived the trip from the UTF-8 source.
    QVERIFY(text.contains(QStringLiteral("è")));
    QVERIFY(!text.contains(QChar::ReplacementCharacter));
}

QTEST_GUILESS_MAIN(TestHelpTexts)
#include "tst_helptexts.moc"
