#include "storage/Records.h"
#include "support/StorageTest.h"

#include <QtTest>

#include <cstring>

namespace {
struct Expected {
    const char* name;
    int offset;
    int width;
};

// The published layouts, written out here independently of the program's tables.
constexpr Expected DatabaseExpected[] = {
    {"Campo01", 0, 50},        {"Campo02", 51, 50},        {"Campo03", 102, 50},   {"Campo04", 153, 50},
    {"Campo05", 204, 50},      {"Campo06", 255, 50},       {"Campo07", 306, 250},  {"Campo08", 557, 50},
    {"Campo09", 608, 50},      {"Campo10", 659, 250},      {"Campo11", 910, 50},   {"Campo12", 961, 50},
    {"Campo13", 1012, 250},    {"Campo14", 1263, 250},     {"Cliente", 1514, 50},  {"IndirizzoRes", 1565, 50},
    {"ComuneRes", 1616, 50},   {"ProvRes", 1667, 2},       {"Email", 1670, 50},    {"Recapito", 1721, 50},
    {"CodFisc", 1772, 16},     {"PartitaIva", 1789, 11},   {"Google", 1801, 250},  {"Web", 2052, 250},
    {"Segnala", 2303, 2},      {"File01", 2306, 250},      {"File02", 2557, 250},  {"File03", 2808, 250},
    {"Desc01", 3059, 250},     {"Desc02", 3310, 250},      {"Desc03", 3561, 250},
};

constexpr Expected ClientExpected[] = {
    {"Cliente", 0, 50},        {"DataNasc", 51, 30},       {"ComuneNasc", 82, 50}, {"ProvNasc", 133, 2},
    {"Sesso", 136, 1},         {"Recapito", 138, 50},      {"IndirizzoRes", 189, 50}, {"ProvRes", 240, 2},
    {"ComuneRes", 243, 50},    {"CapRes", 294, 5},         {"Estremi", 300, 250},  {"TelCasa", 551, 30},
    {"TelUff", 582, 30},       {"TelCel", 613, 30},        {"Fax", 644, 30},       {"Email", 675, 50},
    {"CodFisc", 726, 16},      {"Carta", 743, 30},         {"ScadeCarta", 774, 30}, {"PartitaIva", 805, 11},
    {"Iban", 817, 27},         {"Documento", 845, 120},    {"Occupazione", 966, 50}, {"Civile", 1017, 50},
    {"Titoli", 1068, 120},     {"Prodotti", 1189, 120},    {"Zona", 1310, 50},     {"Questioni", 1361, 250},
    {"Note", 1612, 250},       {"Ricontatta", 1863, 2},    {"File01", 1866, 250},  {"File02", 2117, 250},
    {"File03", 2368, 250},     {"Desc01", 2619, 250},      {"Desc02", 2870, 250},  {"Desc03", 3121, 250},
};

template <typename Record>
void AddLayoutRows(const char* layout, const Expected* expected, int count)
{
    for (int i = 0; i < count; ++i)
        QTest::addRow("%s %s", layout, expected[i].name)
            << QString(layout) << i << QString(expected[i].name) << expected[i].offset << expected[i].width;
}

template <typename Record>
void CheckField(int index, const QString& name, int offset, int width)
{
    using Field = typename Record::Field;
    const Field field = static_cast<Field>(index);
    const FieldSpec& fieldSpec = Record::FieldSpecOf(field);
    QCOMPARE(QString(fieldSpec.name), name);
    QCOMPARE(int(fieldSpec.offset), offset);
    QCOMPARE(int(fieldSpec.width), width);

    // Writing the field touches its 1 + width bytes and nothing else.
    Record record;
    std::memset(record.data(), 0xAA, Record::Size);
    record.Set(field, QString(width + 10, 'k').toStdU16String());
    for (int i = 0; i < int(Record::Size); ++i) {
        const bool inside = i >= offset && i <= offset + width;
        const int expected = !inside ? 0xAA : i == offset ? width : 'k';
        if (record.data()[i] != expected)
            QFAIL(qPrintable(QString("byte %1 is %2, expected %3").arg(i).arg(record.data()[i]).arg(expected)));
    }
    QCOMPARE(Q(record.Get(field)), QString(width, 'k'));
    QCOMPARE(Q(Record::Decode(record.data(), field)), QString(width, 'k'));
}
} // namespace

class TstRecords : public QObject {
    Q_OBJECT
private slots:
    void sizes()
    {
        QCOMPARE(TSchedaDatabase::Size, std::size_t(3812));
        QCOMPARE(TSchedaCliente::Size, std::size_t(3372));
        QCOMPARE(sizeof(TSchedaDatabase), std::size_t(3812));
        QCOMPARE(sizeof(TSchedaCliente), std::size_t(3372));
        QCOMPARE(TSchedaDatabase::Fields().size(), std::size_t(31));
        QCOMPARE(TSchedaCliente::Fields().size(), std::size_t(36));
        QCOMPARE(QString(DatabaseLayout.fileName), QString("Database.pro"));
        QCOMPARE(QString(ClientLayout.fileName), QString("Clienti.pro"));
        QCOMPARE(DatabaseLayout.size, TSchedaDatabase::Size);
        QCOMPARE(ClientLayout.size, TSchedaCliente::Size);
    }

    void fieldsArePacked()
    {
        QVERIFY(LayoutIsPacked(DatabaseLayout));
        QVERIFY(LayoutIsPacked(ClientLayout));
    }

    void field_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("width");
        AddLayoutRows<TSchedaDatabase>("database", DatabaseExpected, int(std::size(DatabaseExpected)));
        AddLayoutRows<TSchedaCliente>("client", ClientExpected, int(std::size(ClientExpected)));
    }
    void field()
    {
        QFETCH(QString, layout);
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(int, offset);
        QFETCH(int, width);
        if (layout == "database")
            CheckField<TSchedaDatabase>(index, name, offset, width);
        else
            CheckField<TSchedaCliente>(index, name, offset, width);
    }

    void markBytes_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("Sì") << true << QByteArray("\x02\x53\xEC");
        QTest::newRow("No") << false << QByteArray("\x02\x4E\x6F");
    }
    void markBytes()
    {
        QFETCH(bool, yes);
        QFETCH(QByteArray, bytes);
        const std::u16string_view mark = yes ? MarkYes : MarkNo;
        TSchedaDatabase sheet;
        sheet.Set(DatabaseField::Segnala, mark);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(sheet.data()) + 2303, 3), bytes);
        QVERIFY(sheet.Get(DatabaseField::Segnala) == mark);
        TSchedaCliente client;
        client.Set(ClientField::Ricontatta, mark);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(client.data()) + 1863, 3), bytes);
        QVERIFY(client.Get(ClientField::Ricontatta) == mark);
    }

    void smallLettersAreNotTheMark()
    {
        TSchedaDatabase sheet;
        sheet.Set(DatabaseField::Segnala, u"si");
        QVERIFY(sheet.Get(DatabaseField::Segnala) != MarkYes);
        QVERIFY(sheet.Get(DatabaseField::Segnala) != MarkNo);
    }

    void newSheetIsEmpty()
    {
        TSchedaDatabase sheet;
        sheet.Set(DatabaseField::Campo01, u"Primo");
        sheet.Set(DatabaseField::Cliente, u"  Rossi  ");
        sheet.Set(DatabaseField::Segnala, MarkNo);
        int empty = 0;
        for (std::size_t i = 0; i < TSchedaDatabase::Fields().size(); ++i)
            empty += sheet.Get(static_cast<DatabaseField>(i)).empty() ? 1 : 0;
        QCOMPARE(empty, 28);
        QCOMPARE(Q(sheet.Get(DatabaseField::Cliente)), QString("Rossi"));
        QCOMPARE(int(sheet.data()[1514]), 5);
    }

    void untrimmedAccess()
    {
        TSchedaCliente client;
        const char stored[] = "\x07  Rossi";
        std::memcpy(client.data() + 0, stored, 8);
        QCOMPARE(Q(client.Get(ClientField::Cliente)), QString("Rossi"));
        QCOMPARE(Q(client.GetUntrimmed(ClientField::Cliente)), QString("  Rossi"));
        QCOMPARE(Q(TSchedaCliente::DecodeUntrimmed(client.data(), ClientField::Cliente)), QString("  Rossi"));
    }
};

QTEST_APPLESS_MAIN(TstRecords)
#include "tst_records.moc"
