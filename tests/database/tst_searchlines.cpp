// The list tools' machinery without screens: search matching and counting, the result
// line, the list order, the find in list, and finding the record of a chosen line.

#include "support/ListTools.h"

#include "database/DatabaseLists.h"
#include "archive/ResultLines.h"
#include "archive/SheetSearch.h"
#include "storage/IoFaults.h"
#include "storage/RecordFile.h"

#include <QtTest>

#include <algorithm>
#include <random>

namespace {

// "Field=value" entries, values as Windows-1252 bytes (given in Latin-1), stored untrimmed.
TSchedaDatabase SheetOf(const QStringList& fields)
{
    TSchedaDatabase sheet;
    for (const QString& entry : fields) {
        const qsizetype equals = entry.indexOf(u'=');
        const QString name = entry.left(equals);
        const auto& specs = TSchedaDatabase::Fields();
        const auto found = std::find_if(specs.begin(), specs.end(),
                                       [&](const FieldSpec& field) { return name == QLatin1String(field.name); });
        if (found == specs.end())
            qFatal("no field %s", qPrintable(name));
        SetRaw(sheet, static_cast<DF>(found - specs.begin()), entry.mid(equals + 1).toLatin1());
    }
    return sheet;
}

// Ten criteria given as "Field=typed", the others empty.
std::array<Text, 10> CriteriaOf(const QStringList& typed)
{
    std::array<Text, 10> criteria;
    for (const QString& entry : typed) {
        const qsizetype equals = entry.indexOf(u'=');
        const QString name = entry.left(equals);
        bool found = false;
        for (std::size_t i = 0; i < DatabaseLists::Search.criteriaFields.size(); ++i)
            if (name == QLatin1String(DatabaseLists::Search.criteriaFields[i].name)) {
                criteria[i] = T(entry.mid(equals + 1));
                found = true;
            }
        if (!found)
            qFatal("no criterion on %s", qPrintable(name));
    }
    return criteria;
}

// What "Cerca" of the database search does with the texts typed into its boxes.
SearchCriteria TypedCriteria(const QStringList& typed)
{
    return SearchCriteria(DatabaseLists::Search, CriteriaOf(typed));
}

ResultLines Cerca(const QStringList& typed)
{
    return SearchRecords(DatabaseLists::Search, TypedCriteria(typed));
}

QString Pad(const QString& text, int width)
{
    return text.leftJustified(width, u' ', true);
}

QString LineOf(const QString& c1, const QString& c2, const QString& c3, const QString& cliente,
               const QString& recapito, const QString& codFisc)
{
    return Pad(c1, 26) + "  " + Pad(c2, 26) + "  " + Pad(c3, 26) + Pad(cliente, 26) + "  Tel. " +
           Pad(recapito, 15) + "  C.F. " + Pad(codFisc, 16);
}

QStringList Lines(const ResultLines& lines)
{
    QStringList out;
    for (std::size_t row = 0; row < lines.Size(); ++row)
        out << Q(lines.Line(row));
    return out;
}

ResultLines LinesOf(const QStringList& texts)
{
    ResultLines lines;
    for (const QString& text : texts)
        lines.Add(T(text));
    return lines;
}

} // namespace

class TestSearchLines : public QObject {
    Q_OBJECT

private slots:
    void init() { IoFaults::Reset(); }

    void aCriterionHitsItsFieldAsTyped_data()
    {
        QTest::addColumn<QByteArray>("stored"); // Cliente as a file may hold it
        QTest::addColumn<QByteArray>("leftover");
        QTest::addColumn<QString>("typed");     // into txtCliente
        QTest::addColumn<bool>("listed");

        QTest::newRow("inside, any case of a to z") << QByteArray("Rossi Mario") << QByteArray() << "SSI m" << true;
        QTest::newRow("at the start") << QByteArray("Rossi") << QByteArray() << "rOS" << true;
        QTest::newRow("absent") << QByteArray("Bianchi") << QByteArray() << "ros" << false;
        QTest::newRow("accented letters keep their case") << QByteArray("Citt\xE0") << QByteArray() << "CITTÀ" << false;
        QTest::newRow("accented letter of the same case") << QByteArray("CITT\xC0") << QByteArray() << "cittÀ" << true;
        QTest::newRow("a typed leading blank needs a blank") << QByteArray("Rossi") << QByteArray() << " ros" << false;
        QTest::newRow("a typed leading blank found inside") << QByteArray("De Rossi") << QByteArray() << " ros" << true;
        QTest::newRow("a typed trailing blank") << QByteArray("Rossi") << QByteArray() << "rossi " << false;
        QTest::newRow("the stored blanks are searched too") << QByteArray("  Rossi  ") << QByteArray() << "i  " << true;
        QTest::newRow("bytes after the length are not searched") << QByteArray("Ros") << QByteArray("si") << "rossi"
                                                                 << false;
        QTest::newRow("code page characters") << QByteArray("\x80 100") << QByteArray() << "€ 1" << true;
        QTest::newRow("a character no field can hold") << QByteArray("Lodz") << QByteArray() << "Łodz" << false;
        QTest::newRow("longer than the field") << QByteArray("Ro") << QByteArray() << "Rossi" << false;
    }
    void aCriterionHitsItsFieldAsTyped()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, leftover);
        QFETCH(QString, typed);
        QFETCH(bool, listed);
        TSchedaDatabase sheet;
        SetRaw(sheet, DF::Cliente, stored, leftover);
        const SearchCriteria criteria = TypedCriteria({"Cliente=" + typed});
        QCOMPARE(criteria.Filled(), std::size_t(1));
        QCOMPARE(criteria.Matches(sheet.data()), listed);
    }

    void theCountOfFilledCriteriaDecides_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("sheet");
        QTest::addColumn<int>("filled");
        QTest::addColumn<bool>("listed");

        QTest::newRow("nothing typed lists every sheet") << QStringList() << QStringList{"Campo01=x"} << 0 << true;
        QTest::newRow("blanks only are not counted")
            << QStringList{"Campo01=   ", "Cliente=\t"} << QStringList{"Campo01=x"} << 0 << true;
        QTest::newRow("every filled criterion hits")
            << QStringList{"Cliente=ros", "ComuneRes=na"} << QStringList{"Cliente=ROSSI", "ComuneRes=Napoli"} << 2
            << true;
        QTest::newRow("one of two misses")
            << QStringList{"Cliente=ros", "ComuneRes=na"} << QStringList{"Cliente=Rossi", "ComuneRes=Roma"} << 2
            << false;
        QTest::newRow("a blank criterion that hits makes up for a miss")
            << QStringList{"Campo01=ros", "Campo02= "} << QStringList{"Campo01=Bianchi", "Campo02=a b"} << 1 << true;
        QTest::newRow("a blank criterion that does not hit")
            << QStringList{"Campo01=ros", "Campo02= "} << QStringList{"Campo01=Bianchi", "Campo02=ab"} << 1 << false;
        QTest::newRow("more hits than filled criteria")
            << QStringList{"Campo01=ros", "Campo02= "} << QStringList{"Campo01=Rossi", "Campo02=a b"} << 1 << true;
        QTest::newRow("each box searches its own field")
            << QStringList{"CodFisc=RSS"} << QStringList{"Cliente=RSS", "CodFisc=BNC"} << 1 << false;
        QTest::newRow("all ten boxes")
            << QStringList{"Campo01=a", "Campo02=b", "Campo03=c", "Campo04=d", "Campo05=e", "Campo06=f",
                           "Cliente=g", "ComuneRes=h", "CodFisc=i", "PartitaIva=1"}
            << QStringList{"Campo01=A", "Campo02=B", "Campo03=C", "Campo04=D", "Campo05=E", "Campo06=F",
                           "Cliente=G", "ComuneRes=H", "CodFisc=I", "PartitaIva=01"}
            << 10 << true;
        QTest::newRow("fields outside the ten are not searched")
            << QStringList{"Campo01=zz"} << QStringList{"Campo07=zz", "Email=zz"} << 1 << false;
    }
    void theCountOfFilledCriteriaDecides()
    {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, sheet);
        QFETCH(int, filled);
        QFETCH(bool, listed);
        const SearchCriteria criteria = TypedCriteria(typed);
        QCOMPARE(criteria.Filled(), std::size_t(filled));
        QCOMPARE(criteria.Matches(SheetOf(sheet).data()), listed);
    }

    void theSearchReadsTheWholeFileAndSortsItsLines()
    {
        ProgramFolderFixture folder;
        WriteRecords<DatabaseLayout>({Sheet({{DF::Campo01, u"zeta"}, {DF::Cliente, u"Rossi"}, {DF::ComuneRes, u"Napoli"}}),
                     Sheet({{DF::Campo01, u"Alfa"}, {DF::Cliente, u"Rossini"}, {DF::ComuneRes, u"Roma"}}),
                     Sheet({{DF::Campo01, u"beta"}, {DF::Cliente, u"Verdi"}, {DF::ComuneRes, u"Napoli"}}),
                     Sheet({{DF::Cliente, u"Grossi"}, {DF::ComuneRes, u"Ancona"}})});
        ResultLines found = Cerca({"Cliente=ros", "ComuneRes=na"});
        QCOMPARE(Lines(found), (QStringList{LineOf("", "", "", "Grossi", "", ""), LineOf("zeta", "", "", "Rossi", "", "")}));

        ResultLines all = Cerca({});
        QCOMPARE(all.Size(), std::size_t(4));
        QVERIFY(Q(all.Line(0)).trimmed().startsWith(QStringLiteral("Grossi")));
        QCOMPARE(Q(all.Line(1)).left(4), QStringLiteral("Alfa"));
        QCOMPARE(Q(all.Line(3)).left(4), QStringLiteral("zeta"));
    }

    void theLineHasFixedColumns_data()
    {
        QTest::addColumn<QStringList>("sheet");
        QTest::addColumn<QString>("line");

        QTest::newRow("short fields are padded")
            << QStringList{"Campo01=Alfa", "Campo02=Beta", "Campo03=Gamma", "Cliente=Rossi Mario",
                           "Recapito=06 1234", "CodFisc=RSSMRA80A01H501U"}
            << QStringLiteral("Alfa                        Beta                        Gamma                     "
                              "Rossi Mario                 Tel. 06 1234          C.F. RSSMRA80A01H501U");
        QTest::newRow("Campo03 of 26 runs into Cliente")
            << QStringList{"Campo03=ABCDEFGHIJKLMNOPQRSTUVWXYZ", "Cliente=Rossi"}
            << LineOf("", "", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "Rossi", "", "");
        QTest::newRow("longer fields are cut")
            << QStringList{"Campo01=ABCDEFGHIJKLMNOPQRSTUVWXYZ1234", "Recapito=0123456789012345678",
                           "Cliente=Rossi Mario Giuseppe Antonio Maria"}
            << LineOf("ABCDEFGHIJKLMNOPQRSTUVWXYZ", "", "", "Rossi Mario Giuseppe Anton", "012345678901234", "");
        QTest::newRow("fields are trimmed first")
            << QStringList{"Campo01=  Alfa \t", "CodFisc= RSS "} << LineOf("Alfa", "", "", "", "", "RSS");
        QTest::newRow("code page characters") << QStringList{QString::fromLatin1("Campo02=Citt\xE0 \x80")} << LineOf("", "Città €", "", "", "", "");
        QTest::newRow("an empty sheet") << QStringList() << LineOf("", "", "", "", "", "");
    }
    void theLineHasFixedColumns()
    {
        QFETCH(QStringList, sheet);
        QFETCH(QString, line);
        const Text built = BuildLine(SheetOf(sheet).data(), DatabaseLists::Line);
        QCOMPARE(Q(built), line);
        QCOMPARE(built.size(), std::size_t(153));
    }

    void aWholeFieldKeepsItsOwnLength()
    {
        // The client lists end with one field only trimmed, so their lines differ in length.
        using CF = ClientField;
        static constexpr LinePiece format[] = {Column<ClientLayout>(CF::Cliente, 26), Fixed(u"  "),
                                               Whole<ClientLayout>(CF::Note)};
        TSchedaCliente client;
        client.Set(CF::Cliente, u"Rossi");
        client.Set(CF::Note, QString(200, u'n').toStdU16String());
        QCOMPARE(BuildLine(client.data(), format).size(), std::size_t(228));
        client.Set(CF::Note, u"  breve  ");
        QCOMPARE(Q(BuildLine(client.data(), format)), Pad("Rossi", 26) + "  breve");
    }

    void theListIsInOrderOfItsFoldedText_data()
    {
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("shown");

        QTest::newRow("a to z fold to upper case") << QStringList{"beta", "Alfa", "alfa2", "ALFA1"}
                                                   << QStringList{"Alfa", "ALFA1", "alfa2", "beta"};
        QTest::newRow("an empty first column comes first") << QStringList{"a", "   x"} << QStringList{"   x", "a"};
        QTest::newRow("accented letters after Z") << QStringList{"Èlla", "zeta", "ella"}
                                                  << QStringList{"ella", "zeta", "Èlla"};
        QTest::newRow("signs between Z and a come after the letters") << QStringList{"_x", "a", "Z"}
                                                                      << QStringList{"a", "Z", "_x"};
        QTest::newRow("digits before letters") << QStringList{"b", "10", "1"} << QStringList{"1", "10", "b"};
        QTest::newRow("equal lines keep the order of the file") << QStringList{"rossi", "ROSSI", "Rossi", "A"}
                                                                << QStringList{"A", "rossi", "ROSSI", "Rossi"};
    }
    void theListIsInOrderOfItsFoldedText()
    {
        QFETCH(QStringList, added);
        QFETCH(QStringList, shown);
        ResultLines lines = LinesOf(added);
        lines.Sort();
        QCOMPARE(Lines(lines), shown);
    }

    void manyLinesSortAsTheirUpperCasedText()
    {
        // Lines sharing long beginnings, as lists of similar sheets do.
        std::mt19937 random(7);
        const QStringList words{"rossi", "Rossi", "ROSSANA", "ros", "bianchi", "Bianco", "è", "", "  ", "z"};
        QStringList added;
        for (int i = 0; i < 3000; ++i) {
            QString line;
            for (int w = 0; w < 4; ++w)
                line += words[random() % words.size()];
            added << line;
        }
        ResultLines lines = LinesOf(added);
        lines.Sort();
        QStringList expected = added;
        std::stable_sort(expected.begin(), expected.end(),
                         [](const QString& a, const QString& b) { return UpperAZ(T(a)) < UpperAZ(T(b)); });
        QCOMPARE(Lines(lines), expected);
    }

    // Lines built from records with bytes of the whole code page, many sharing long
    // beginnings and blanks, come out as the lines themselves compare, equal ones in the
    // order of the file.
    void recordLinesSortAsTheirBuiltText()
    {
        std::mt19937 random(11);
        const std::vector<QByteArray> words{"rossi", "Rossi", "ROSSANA", "ros", "  ", "", "\xE8", "\xC8",
                                            "\x80", "\x9C", "_", "z", "Z", "10", "1", "\xFF"};
        const auto phrase = [&](int count) {
            QByteArray text;
            for (int w = 0; w < count; ++w)
                text += words[random() % words.size()];
            return text.left(40);
        };
        std::vector<TSchedaDatabase> sheets(2500);
        for (TSchedaDatabase& sheet : sheets) {
            SetRaw(sheet, DF::Campo01, phrase(3));
            SetRaw(sheet, DF::Campo02, phrase(2));
            SetRaw(sheet, DF::Cliente, phrase(random() % 3));
            SetRaw(sheet, DF::CodFisc, phrase(1));
        }
        ResultLines lines;
        QStringList expected;
        for (const TSchedaDatabase& sheet : sheets) {
            lines.Add(sheet.data(), DatabaseLists::Line);
            expected << Q(BuildLine(sheet.data(), DatabaseLists::Line));
        }
        lines.Sort();
        std::stable_sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
            return CompareInListOrder(T(a), T(b)) < 0;
        });
        QCOMPARE(Lines(lines), expected);
    }

    void findInList_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QList<int>>("selectedBefore"); // per press: -1 none, -2 as the last press left it
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QList<int>>("selectedAfter");

        const QStringList lines{"alfa", "beta", "Rossi uno", "gamma", "delta", "ROSSI due", "omega"};
        QTest::newRow("the same text again moves on and wraps")
            << lines << QList<int>{-1, -2, -2, -2} << QStringList{"rossi", "rossi", "rossi", "rossi"}
            << QList<int>{2, 5, 2, 5};
        QTest::newRow("a new text starts from line 0")
            << lines << QList<int>{5} << QStringList{"ross"} << QList<int>{2};
        QTest::newRow("a new text tests line 0 first") << lines << QList<int>{4} << QStringList{"ALF"} << QList<int>{0};
        const QStringList spread{"uno", "Rossi", "due", "rossi", "tre", "ROSSI"};
        QTest::newRow("a new text does not start from the selection")
            << spread << QList<int>{2} << QStringList{"rossi"} << QList<int>{1};
        QTest::newRow("a new text held by the selected line 0 stays there")
            << QStringList{"Rossi", "due", "rossi"} << QList<int>{0, -2} << QStringList{"ross", "ross"}
            << QList<int>{0, 2};
        QTest::newRow("the same text starts after the selected line")
            << lines << QList<int>{-1, 3} << QStringList{"rossi", "rossi"} << QList<int>{2, 5};
        QTest::newRow("the selected line alone holds it")
            << lines << QList<int>{-1, -2, -2} << QStringList{"omeg", "omeg", "omeg"} << QList<int>{6, 6, 6};
        QTest::newRow("nothing found leaves the selection")
            << lines << QList<int>{3, -2} << QStringList{"zzz", "zzz"} << QList<int>{3, 3};
        QTest::newRow("nothing selected and nothing found selects line 0")
            << lines << QList<int>{-1} << QStringList{"zzz"} << QList<int>{0};
        QTest::newRow("an empty text finds nothing") << lines << QList<int>{4} << QStringList{""} << QList<int>{4};
        QTest::newRow("only A to Z fold") << QStringList{"Città", "CITTÀ"} << QList<int>{-1} << QStringList{"cittÀ"}
                                         << QList<int>{1};
        QTest::newRow("a changed text is a new find")
            << lines << QList<int>{-1, -2, -2} << QStringList{"rossi", "rossi", "ROSSI "} << QList<int>{2, 5, 2};
    }
    void findInList()
    {
        QFETCH(QStringList, lines);
        QFETCH(QList<int>, selectedBefore);
        QFETCH(QStringList, typed);
        QFETCH(QList<int>, selectedAfter);
        const ResultLines list = LinesOf(lines);
        Text shared = u"text of another time";
        std::optional<std::size_t> selected;
        for (qsizetype press = 0; press < typed.size(); ++press) {
            if (selectedBefore[press] == -1)
                selected.reset();
            else if (selectedBefore[press] >= 0)
                selected = std::size_t(selectedBefore[press]);
            selected = FindInList(list, selected, T(typed[press]), shared);
            QCOMPARE(int(*selected), selectedAfter[press]);
        }
    }

    void openingALineTakesTheLastSheetWithThatLine()
    {
        ProgramFolderFixture folder;
        const QString long26 = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        WriteRecords<DatabaseLayout>({Sheet({{DF::Campo01, u"Alfa"}, {DF::Cliente, u"Rossi"}, {DF::Campo04, u"first"},
                            {DF::Segnala, MarkYes.data()}}),
                     Sheet({{DF::Campo01, u"Beta"}, {DF::Campo04, u"beta"}}),
                     Sheet({{DF::Campo01, u"Alfa"}, {DF::Cliente, u"Rossi"}, {DF::Campo04, u"second"},
                            {DF::Segnala, u"No"}}),
                     Sheet({{DF::Campo01, u"Alfa"}, {DF::Cliente, u"Rossi"}, {DF::Recapito, u"06"}}),
                     Sheet({{DF::Campo01, T(long26 + "1").c_str()}, {DF::Campo04, u"cut one"}}),
                     Sheet({{DF::Campo01, T(long26 + "2").c_str()}, {DF::Campo04, u"cut two"}})});

        auto open = [](const QString& line) -> QString {
            const auto found = DatabaseLists::FindSheet(T(line));
            if (!found)
                return QStringLiteral("none");
            return QString::number(found->position) + " " + Q(found->record.Get(DF::Campo04));
        };
        QCOMPARE(open(LineOf("Alfa", "", "", "Rossi", "", "")), QStringLiteral("3 second"));
        QCOMPARE(open(LineOf("Beta", "", "", "", "", "")), QStringLiteral("2 beta"));
        QCOMPARE(open(LineOf("Beta", "", "", "", "", "").trimmed() + "   "), QStringLiteral("2 beta"));
        QCOMPARE(open(LineOf(long26, "", "", "", "", "")), QStringLiteral("6 cut two"));
        QCOMPARE(open(LineOf("ALFA", "", "", "Rossi", "", "")), QStringLiteral("none"));
        QCOMPARE(open(QString()), QStringLiteral("none"));
    }

    void theFlaggedSheetsAreThoseMarkedSi_data()
    {
        QTest::addColumn<QByteArray>("segnala");
        QTest::addColumn<bool>("listed");
        QTest::newRow("Sì") << QByteArray("S\xEC") << true;
        QTest::newRow("S and a blank") << QByteArray("S ") << false;
        QTest::newRow("sì") << QByteArray("s\xEC") << false;
        QTest::newRow("SI") << QByteArray("SI") << false;
        QTest::newRow("No") << QByteArray("No") << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("S") << QByteArray("S") << false;
    }
    void theFlaggedSheetsAreThoseMarkedSi()
    {
        QFETCH(QByteArray, segnala);
        QFETCH(bool, listed);
        ProgramFolderFixture folder;
        TSchedaDatabase sheet = Sheet({{DF::Campo01, u"Marcata"}});
        SetRaw(sheet, DF::Segnala, segnala);
        WriteRecords<DatabaseLayout>({Sheet({{DF::Campo01, u"Zeta"}, {DF::Segnala, MarkYes.data()}}), sheet});
        ResultLines lines;
        DatabaseLists::ListFlagged(lines);
        QStringList expected;
        if (listed)
            expected << LineOf("Marcata", "", "", "", "", "");
        expected << LineOf("Zeta", "", "", "", "", "");
        QCOMPARE(Lines(lines), expected);
    }

    void anEmptyOrMissingArchiveGivesAnEmptyList()
    {
        ProgramFolderFixture folder;
        QVERIFY(Cerca({}).Empty());
        QCOMPARE(QFileInfo(folder.Path("Database.pro")).size(), 0); // created empty
        ResultLines flagged;
        DatabaseLists::ListFlagged(flagged);
        QVERIFY(flagged.Empty());
        QVERIFY(!DatabaseLists::FindSheet(T(LineOf("", "", "", "", "", ""))));
    }

    void everyFileFailureIsAFileFailure_data()
    {
        QTest::addColumn<int>("operation");
        QTest::newRow("open") << int(IoOp::Open);
        QTest::newRow("length") << int(IoOp::Stat);
        QTest::newRow("read") << int(IoOp::Read);
        QTest::newRow("short read") << int(IoOp::ShortRead);
        QTest::newRow("close") << int(IoOp::Close);
    }
    void everyFileFailureIsAFileFailure()
    {
        QFETCH(int, operation);
        ProgramFolderFixture folder;
        WriteRecords<DatabaseLayout>({Sheet({{DF::Campo01, u"Alfa"}, {DF::Segnala, MarkYes.data()}})});
        const QByteArray before = ReadBytes(folder.Path("Database.pro"));
        const IoOp op = static_cast<IoOp>(operation);

        IoFaults::FailNext(op);
        QVERIFY_THROWS_EXCEPTION(FileFailure, Cerca({}));
        IoFaults::FailNext(op);
        ResultLines flagged;
        QVERIFY_THROWS_EXCEPTION(FileFailure, DatabaseLists::ListFlagged(flagged));
        IoFaults::FailNext(op);
        QVERIFY_THROWS_EXCEPTION(FileFailure, DatabaseLists::FindSheet(T(LineOf("Alfa", "", "", "", "", ""))));
        IoFaults::Reset();
        QCOMPARE(ReadBytes(folder.Path("Database.pro")), before);
    }
};

QTEST_GUILESS_MAIN(TestSearchLines)
#include "tst_searchlines.moc"
