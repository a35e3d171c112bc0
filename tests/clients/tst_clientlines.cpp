// The client result lines: four columns cut or padded, the last field whole; the search by
// up to ten fields, the clients to recontact, and finding the client a line stands for.

#include "support/StoredRecords.h"

#include "clients/ClientLists.h"
#include "storage/ProgramFolder.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

QString Q(std::u16string_view text) { return QString::fromUtf16(text.data(), qsizetype(text.size())); }
Text T(const QString& text) { return text.toStdU16String(); }

QStringList Lines(const ResultLines& lines)
{
    QStringList texts;
    for (std::size_t i = 0; i < lines.Size(); ++i)
        texts << Q(lines.Line(i));
    return texts;
}

} // namespace

class TstClientLines : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> folder;

private slots:
    void init()
    {
        folder = std::make_unique<QTemporaryDir>();
        SetProgramFolder(folder->path().toStdString());
    }

    void lineLayout_data()
    {
        QTest::addColumn<QString>("cliente");
        QTest::addColumn<QString>("recapito");
        QTest::addColumn<QString>("occupazione");
        QTest::addColumn<QString>("prodotti");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("expected");
        QTest::newRow("short fields padded")
            << "Rossi" << "06 123" << "Avvocato" << "Polizze" << "chiamare"
            << QStringLiteral("Rossi                       Tel. 06 123           Avvocato                   Prod. "
                              "Polizze                         chiamare");
        QTest::newRow("long fields cut, blanks trimmed first")
            << "  Abcdefghijklmnopqrstuvwxyz0123  " << "0123456789012345678" << QString(30, u'o')
            << QString(40, u'p') << "  fine  "
            << QStringLiteral("Abcdefghijklmnopqrstuvwxyz  Tel. 012345678901234  ") + QString(25, u'o')
                   + QStringLiteral("  Prod. ") + QString(30, u'p') + QStringLiteral("  fine");
        QTest::newRow("empty last field") << "Rossi" << "" << "" << "" << ""
                                          << QStringLiteral("Rossi") + QString(21, u' ') + QStringLiteral("  Tel. ")
                                                 + QString(15, u' ') + QStringLiteral("  ") + QString(25, u' ')
                                                 + QStringLiteral("  Prod. ") + QString(30, u' ') + QStringLiteral("  ");
    }
    void lineLayout()
    {
        QFETCH(QString, cliente);
        QFETCH(QString, recapito);
        QFETCH(QString, occupazione);
        QFETCH(QString, prodotti);
        QFETCH(QString, last);
        QFETCH(QString, expected);
        TSchedaCliente client;
        client.Set(CF::Cliente, T(cliente));
        client.Set(CF::Recapito, T(recapito));
        client.Set(CF::Occupazione, T(occupazione));
        client.Set(CF::Prodotti, T(prodotti));
        client.Set(CF::Note, T(last));
        client.Set(CF::Questioni, T(last.trimmed() + QStringLiteral("!")));
        QCOMPARE(Q(BuildLine(client.data(), ClientLists::SearchLine)), expected);
        const QString recontact = Q(BuildLine(client.data(), ClientLists::RecontactLine));
        QCOMPARE(recontact, expected + QStringLiteral("!"));
    }

    void aLongNoteMakesALongLine()
    {
        TSchedaCliente client = Client({{CF::Cliente, u"Rossi"}});
        client.Set(CF::Note, T(QString(200, u'n')));
        QCOMPARE(BuildLine(client.data(), ClientLists::SearchLine).size(), std::size_t(315));
        client.Set(CF::Questioni, T(QString(250, u'q')));
        QCOMPARE(BuildLine(client.data(), ClientLists::RecontactLine).size(), std::size_t(365));
    }

    void searchByFields_data()
    {
        QTest::addColumn<QStringList>("typed"); // the ten criteria
        QTest::addColumn<QStringList>("found"); // names, in list order
        const QStringList none(10);
        QTest::newRow("no criterion lists everyone") << none << QStringList{"Bianchi", "de Rossi", "Rossi Anna"};
        QStringList one = none;
        one[0] = QStringLiteral("ROSSI");
        QTest::newRow("one criterion, case of A-Z folded") << one << QStringList{"de Rossi", "Rossi Anna"};
        QStringList three = none;
        three[0] = QStringLiteral("rossi");
        three[1] = QStringLiteral("rom");
        three[9] = QStringLiteral("urgente");
        QTest::newRow("three criteria all hit") << three << QStringList{"Rossi Anna"};
        QStringList blanks = none;
        blanks[7] = QStringLiteral("   ");
        QTest::newRow("blanks are not a criterion") << blanks << QStringList{"Bianchi", "de Rossi", "Rossi Anna"};
    }
    void searchByFields()
    {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, found);
        WriteRecords<ClientLayout>({Client({{CF::Cliente, u"Rossi Anna"}, {CF::ComuneRes, u"Roma"}, {CF::Note, u"urgente"}}),
                      Client({{CF::Cliente, u"Bianchi"}, {CF::ComuneRes, u"Roma"}}),
                      Client({{CF::Cliente, u"de Rossi"}, {CF::ComuneRes, u"Milano"}, {CF::Note, u"urgente"}})});
        std::array<Text, 10> criteria;
        for (int i = 0; i < 10; ++i)
            criteria[std::size_t(i)] = T(typed.at(i));
        const ResultLines lines = SearchRecords(ClientLists::Search, SearchCriteria(ClientLists::Search, criteria));
        QStringList names;
        for (const QString& line : Lines(lines))
            names << line.left(26).trimmed();
        QCOMPARE(names, found);
    }

    void recontactNeedsExactlySi_data()
    {
        QTest::addColumn<QString>("mark");
        QTest::addColumn<bool>("listed");
        QTest::newRow("Sì") << QStringLiteral("Sì") << true;
        QTest::newRow("Sì with blanks") << QStringLiteral(" Sì ") << true;
        QTest::newRow("sì") << QStringLiteral("sì") << false;
        QTest::newRow("Si without accent") << QStringLiteral("Si") << false;
        QTest::newRow("No") << QStringLiteral("No") << false;
        QTest::newRow("empty") << QString() << false;
    }
    void recontactNeedsExactlySi()
    {
        QFETCH(QString, mark);
        QFETCH(bool, listed);
        TSchedaCliente client = Client({{CF::Cliente, u"Rossi"}, {CF::Questioni, u"preventivo"}});
        client.Set(CF::Ricontatta, T(mark));
        WriteRecords<ClientLayout>({client});
        ResultLines lines;
        ClientLists::ListToRecontact(lines);
        QCOMPARE(lines.Size(), std::size_t(listed ? 1 : 0));
        if (listed)
            QVERIFY(Q(lines.Line(0)).endsWith(QStringLiteral("  preventivo")));
    }

    // Trimmed lines are compared, case included, over every client; the last one wins.
    void theLastClientWithTheLineIsFound()
    {
        TSchedaCliente first = Client({{CF::Cliente, u"Rossi"}, {CF::Note, u"nota"}, {CF::Zona, u"uno"}});
        TSchedaCliente other = Client({{CF::Cliente, u"ROSSI"}, {CF::Note, u"nota"}, {CF::Zona, u"due"}});
        TSchedaCliente last = Client({{CF::Cliente, u"Rossi"}, {CF::Note, u"nota"}, {CF::Zona, u"tre"}});
        WriteRecords<ClientLayout>({first, other, last});
        const Text line = BuildLine(first.data(), ClientLists::SearchLine);
        const auto found = ClientLists::FindClient(ClientLists::SearchLine, u"  " + line + u"  ");
        QVERIFY(found);
        QCOMPARE(found->position, std::size_t(3));
        QCOMPARE(Q(found->record.Get(CF::Zona)), QStringLiteral("tre"));
        QVERIFY(!ClientLists::FindClient(ClientLists::SearchLine, u"nessuno"));
    }
};

QTEST_MAIN(TstClientLines)
#include "tst_clientlines.moc"
