// The page descriptions as a reader of their PDF sees them: every box's text at its place,
// values cut at the box edge and never wrapped, texts printed literally, the footers, the
// pages of a long and of an empty list, embedded fonts and the document information.

#include "support/PdfProbe.h"

#include "kit/Maker.h"
#include "kit/Printing.h"
#include "app/Program.h"
#include "report/ListPrint.h"
#include "report/SheetPages.h"

#include <QApplication>
#include <QTemporaryDir>

using namespace pdfprobe;

namespace {

const report::PrintMoment Moment{5, 3, 2026, 7, 8, 9};

class Lines : public report::LineSource {
public:
    explicit Lines(std::vector<Text> lines) : m_lines(std::move(lines)) {}
    std::size_t Count() const override { return m_lines.size(); }
    Text Line(std::size_t index) const override { return m_lines[index]; }

private:
    std::vector<Text> m_lines;
};

Text Repeated(std::u16string_view piece, std::size_t length)
{
    Text text;
    while (text.size() < length)
        text += piece;
    text.resize(length);
    return text;
}

QString Q(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

QString Simplified(const QString& text)
{
    return text.simplified();
}

report::Rect OnPaper(const report::Rect& box, double margin = 10, double dy = 0)
{
    return {box.left + margin, box.top + margin + dy, box.width, box.height};
}

report::DatabaseSheetTexts SampleDatabaseSheet()
{
    report::DatabaseSheetTexts texts;
    for (std::size_t i = 0; i < 14; ++i) {
        texts.titles[i] = u"Campo n. " + FromUtf8(std::to_string(i + 1)) + u":";
        texts.values[i] = u"Valore " + FromUtf8(std::to_string(i + 1));
    }
    texts.titles[4].clear(); // an untitled field
    texts[DatabaseField::Cliente] = u"  Rossi Mario  ";
    texts[DatabaseField::IndirizzoRes] = u"Via Roma 1";
    texts[DatabaseField::ComuneRes] = u"Milano";
    texts[DatabaseField::ProvRes] = u"MI";
    texts[DatabaseField::Email] = u"mario@example.com";
    texts[DatabaseField::Recapito] = u"02 1234567";
    texts[DatabaseField::CodFisc] = u"RSSMRA80A01F205X";
    texts[DatabaseField::PartitaIva] = u"12345678903";
    texts[DatabaseField::Google] = u"mario rossi milano";
    texts[DatabaseField::Web] = u"www.example.com";
    return texts;
}

report::ClientSheetTexts SampleClientSheet()
{
    report::ClientSheetTexts texts;
    using F = ClientField;
    texts[F::Cliente] = u"Bianchi Anna";
    texts[F::DataNasc] = u"01/02/1980";
    texts[F::ComuneNasc] = u"Roma";
    texts[F::ProvNasc] = u"RM";
    texts[F::Sesso] = u"F";
    texts[F::Recapito] = u"Cellulare";
    texts[F::IndirizzoRes] = u"Via Appia 10";
    texts[F::ComuneRes] = u"Napoli";
    texts[F::ProvRes] = u"NA";
    texts[F::CapRes] = u"80100";
    texts[F::Estremi] = u"Bonifico";
    texts[F::TelCasa] = u"081 111111";
    texts[F::TelUff] = u"081 222222";
    texts[F::TelCel] = u"333 3333333";
    texts[F::Fax] = u"081 444444";
    texts[F::Email] = u"anna@example.com";
    texts[F::CodFisc] = u"BNCNNA80B41H501Z";
    texts[F::Carta] = u"4111111111111111";
    texts[F::ScadeCarta] = u"12/28";
    texts[F::PartitaIva] = u"12345678903";
    texts[F::Iban] = u"IT60X0542811101000000123456";
    texts[F::Documento] = u"C.I. AB1234567";
    texts[F::Occupazione] = u"Ingegnere";
    texts[F::Titoli] = u"Laurea";
    texts[F::Prodotti] = u"Consulenza";
    texts[F::Zona] = u"Sud";
    texts[F::Questioni] = u"Nessuna";
    texts[F::Note] = u"Cliente dal 2010";
    return texts;
}

} // namespace

class TestReportPages : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

    QString Pdf(const ReportDocument& document, const QString& name)
    {
        const QString path = folder.filePath(name);
        const FileOutcome written =
            Printing::WritePdf(document, path, {QStringLiteral("Scheda informativa"), QStringLiteral("Scheda informativa"),
                                                Maker::CompanyName, Maker::CompanyName});
        if (!written)
            qWarning("%s", written.Error().Text().c_str());
        return path;
    }

    // Every non-empty text box of the page is found in the PDF with its text, starting at its
    // left edge (left-aligned) or centred on it, and vertically centred, within half a millimetre.
    void CheckEveryBox(const report::Page& page, const QString& pdf)
    {
        const QList<Word> words = Words(pdf);
        QVERIFY(!words.isEmpty());
        int checked = 0;
        for (const report::Element& element : page.elements) {
            const auto* box = std::get_if<report::TextBox>(&element);
            if (!box || Simplified(Q(box->text)).isEmpty())
                continue;
            const report::Rect area = OnPaper(box->box);
            const QList<Word> found = WordsIn(words, 0, area);
            QVERIFY2(!found.isEmpty(), box->name.c_str());
            QCOMPARE(Joined(found), Simplified(Q(box->text)));
            if (box->align == report::Align::Left)
                QVERIFY2(std::abs(found.first().left - (area.left + box->inset)) <= 0.5, box->name.c_str());
            else
                QVERIFY2(std::abs((found.first().left + found.last().right) / 2 - (area.left + area.width / 2)) <= 0.5,
                         box->name.c_str());
            QVERIFY2(std::abs(found.first().MiddleY() - (area.top + area.height / 2)) <= 0.5, box->name.c_str());
            ++checked;
        }
        QVERIFY(checked > 0);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(folder.isValid());
        // VELORBIS_KEEP_PDF=1 keeps the PDFs and pictures to look at (the folder is printed).
        if (!qEnvironmentVariableIsEmpty("VELORBIS_KEEP_PDF")) {
            folder.setAutoRemove(false);
            qInfo("PDFs kept in %s", qPrintable(folder.path()));
        }
        PrepareApplication(folder.path());
    }

    void databaseSheetPageShowsEveryTitleAndValueInItsPlace()
    {
        const report::Page page = report::DatabaseSheetPage(SampleDatabaseSheet(), Moment);
        QCOMPARE(page.Box("titCampo15")->text, Text(u"Cognome e nome:"));
        QCOMPARE(page.Box("txtCampo15")->text, Text(u"Rossi Mario"));
        QCOMPARE(page.Box("titCampo24")->text, Text(u"Sito Internet:"));
        QCOMPARE(page.Box("txtTitolo")->text, Text(u"SCHEDA INFORMATIVA"));
        const QString pdf = Pdf(page, QStringLiteral("database.pdf"));
        CheckEveryBox(page, pdf);
        QCOMPARE(PageCount(pdf), 1);
    }

    void anUntitledFieldPrintsAnEmptyTealBox()
    {
        const report::Page page = report::DatabaseSheetPage(SampleDatabaseSheet(), Moment);
        const QString pdf = Pdf(page, QStringLiteral("untitled.pdf"));
        const QImage picture = PagePicture(pdf, folder.filePath(QStringLiteral("untitled")));
        QVERIFY(!picture.isNull());
        const report::Rect title = OnPaper(page.Box("titCampo05")->box);
        const report::Rect inner{title.left + 0.5, title.top + 0.5, title.width - 1, title.height - 1};
        const double dots = 150 / 25.4;
        const int area = int(inner.width * dots) * int(inner.height * dots);
        QVERIFY(InkIn(picture, inner) > area * 9 / 10); // filled teal, no white letters
        QVERIFY(WordsIn(Words(pdf), 0, title).isEmpty());
    }

    void clientSheetPageShowsEveryTitleAndValueInItsPlace()
    {
        const report::Page page = report::ClientSheetPage(SampleClientSheet(), Moment);
        QCOMPARE(page.Box("txtTitolo")->text, Text(u"SCHEDA ANAGRAFICA CLIENTE"));
        QCOMPARE(page.Box("txtCampo03")->text, Text(u"Roma RM"));
        QCOMPARE(page.Box("txtCampo07")->text, Text(u"Napoli NA"));
        QCOMPARE(page.Box("txtCampo16")->text, Text(u"N. 4111111111111111  -  Scadenza: 12/28"));
        QCOMPARE(page.Box("titCampo08")->text, Text(u"Modalit\u00E0 pagamento:"));
        const QString pdf = Pdf(page, QStringLiteral("client.pdf"));
        CheckEveryBox(page, pdf);
        const QString layout = Layout(pdf);
        QVERIFY(layout.contains(QRegularExpression(QStringLiteral("Comune di nascita:\\s+Roma RM"))));
        QVERIFY(layout.contains(QRegularExpression(QStringLiteral("Carta di credito:\\s+N\\. 4111111111111111\\s+-\\s+Scadenza: 12/28"))));
    }

    void anEmptyClientSheetKeepsTheJoiningTexts()
    {
        const report::Page page = report::ClientSheetPage({}, Moment);
        QCOMPARE(page.Box("txtCampo03")->text, Text(u" "));
        QCOMPARE(page.Box("txtCampo07")->text, Text(u" "));
        QCOMPARE(page.Box("txtCampo16")->text, Text(u"N.   -  Scadenza: "));
        QCOMPARE(page.Box("txtCampo01")->text, Text());
        QCOMPARE(page.Box("titCampo01")->text, Text(u"Cognome e nome:"));
    }

    void footersCarryTheMomentOfPrinting()
    {
        QCOMPARE(report::PrintTimeLine(Moment), Text(u"Stampa eseguita in data 05/03/2026 alle ore 07:08:09"));
        QCOMPARE(report::PrintDateLine({31, 12, 2026, 23, 59, 58}), Text(u"Stampa eseguita in data 31/12/2026"));
        const report::Page page = report::DatabaseSheetPage({}, Moment);
        QCOMPARE(page.Box("txtCalce")->text, Text(u"Stampa eseguita in data 05/03/2026 alle ore 07:08:09"));
    }

    void valuesAreCutAtTheBoxEdgeNeverWrapped_data()
    {
        QTest::addColumn<int>("page");
        QTest::newRow("database sheet") << 0;
        QTest::newRow("client sheet") << 1;
    }
    void valuesAreCutAtTheBoxEdgeNeverWrapped()
    {
        QFETCH(int, page);
        const Text longValue = Repeated(u"Lunghissima nota WWW ", 250);
        report::Page sheet;
        if (page == 0) {
            report::DatabaseSheetTexts texts = SampleDatabaseSheet();
            texts.values[12] = longValue; // row 13
            sheet = report::DatabaseSheetPage(texts, Moment);
        } else {
            report::ClientSheetTexts texts = SampleClientSheet();
            texts[ClientField::Note] = longValue; // row 24
            sheet = report::ClientSheetPage(texts, Moment);
        }
        const char* name = page == 0 ? "txtCampo13" : "txtCampo24";
        const QString pdf = Pdf(sheet, QStringLiteral("long%1.pdf").arg(page));
        QCOMPARE(PageCount(pdf), 1);
        const report::Rect box = OnPaper(sheet.Box(name)->box);
        const QString printed = Joined(WordsIn(Words(pdf), 0, box));
        QVERIFY(printed.size() > 60);
        QVERIFY(Q(longValue).startsWith(printed.left(printed.size() - 1)));
        QVERIFY(printed.size() < Q(longValue).size());

        const QImage picture = PagePicture(pdf, folder.filePath(QStringLiteral("long%1").arg(page)));
        QVERIFY(!picture.isNull());
        QVERIFY(InkIn(picture, {box.left, box.top, box.width, box.height}) > 0);
        // Nothing right of the box, nothing in the gap below it where a second line would go.
        QCOMPARE(InkIn(picture, {box.Right() + 0.3, box.top - 1, 209.5 - box.Right() - 0.3, box.height + 2}), 0);
        QCOMPARE(InkIn(picture, {box.left, box.Bottom() + 0.3, box.width, 3.4}), 0);
    }

    void bracketsAndMarkupPrintAsTyped()
    {
        report::DatabaseSheetTexts texts = SampleDatabaseSheet();
        texts.values[0] = u"[DATE] [Campo01] <b>&amp; {x} 100%";
        const report::Page page = report::DatabaseSheetPage(texts, Moment);
        const QString pdf = Pdf(page, QStringLiteral("brackets.pdf"));
        QCOMPARE(Joined(WordsIn(Words(pdf), 0, OnPaper(page.Box("txtCampo01")->box))),
                 QStringLiteral("[DATE] [Campo01] <b>&amp; {x} 100%"));
    }

    void aSheetPdfEmbedsItsFontsAndCarriesItsInformation()
    {
        const QString pdf = Pdf(report::ClientSheetPage(SampleClientSheet(), Moment), QStringLiteral("info.pdf"));
        const QList<FontRow> fonts = Fonts(pdf);
        QVERIFY(!fonts.isEmpty());
        for (const FontRow& font : fonts) {
            QVERIFY2(font.embedded, qPrintable(font.name));
            QVERIFY2(font.name.contains(QLatin1String("LiberationSans")) || font.name.contains(QLatin1String("Arimo")),
                     qPrintable(font.name)); // Arial's metric twin
        }
        const QString info = Info(pdf);
        QVERIFY(info.contains(QRegularExpression(QStringLiteral("Title:\\s+Scheda informativa\\n"))));
        QVERIFY(info.contains(QRegularExpression(QStringLiteral("Creator:\\s+Velorbis Software\\n"))));
        QVERIFY(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)"))));
        const QString meta = Info(pdf, true);
        QVERIFY(meta.contains(QStringLiteral("<rdf:li>Velorbis Software</rdf:li>")));
        QVERIFY(meta.contains(QStringLiteral(">Scheda informativa</rdf:li></rdf:Alt></dc:description>")));
    }

    void listPagesFollowTheNumberOfLines_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("pages");
        QTest::newRow("empty list") << 0 << 1;
        QTest::newRow("one line") << 1 << 1;
        QTest::newRow("footer still fits") << 50 << 1;
        QTest::newRow("footer on the next page") << 51 << 2;
        QTest::newRow("a first page full") << 53 << 2;
        QTest::newRow("a second page begun") << 54 << 2;
        QTest::newRow("a thousand lines") << 1000 << 18;
    }
    void listPagesFollowTheNumberOfLines()
    {
        QFETCH(int, lines);
        QFETCH(int, pages);
        std::vector<Text> texts;
        for (int i = 0; i < lines; ++i)
            texts.push_back(u"RIGA " + FromUtf8(std::to_string(i + 1)) + u" [DATE]");
        const Lines source(std::move(texts));
        const report::ListReport list = report::ListPrint(u"Riepilogo Schede", source, Moment);
        QCOMPARE(int(report::ListLayout(list).PageCount()), pages);
        const QString pdf = Pdf(list, QStringLiteral("list%1.pdf").arg(lines));
        QCOMPARE(PageCount(pdf), pages);
        QVERIFY(QString(Info(pdf)).contains(QRegularExpression(QStringLiteral("Page size:\\s+84[12](\\.\\d+)? x 595(\\.\\d+)? pts"))));

        const QList<Word> words = Words(pdf);
        const report::Rect title = OnPaper(list.title.elements.empty() ? report::Rect{}
                                                                       : std::get<report::TextBox>(list.title.elements[0]).box);
        QCOMPARE(Joined(WordsIn(words, 0, title)), QStringLiteral("Riepilogo Schede"));
        const QString last = Layout(pdf, pages);
        QVERIFY(last.contains(QStringLiteral("Stampa eseguita in data 05/03/2026")));
        QVERIFY(!last.contains(QStringLiteral("alle ore")));
        int counted = 0;
        for (const Word& word : words)
            counted += word.text == QLatin1String("RIGA") ? 1 : 0;
        QCOMPARE(counted, lines);
        if (lines > 53) {
            const QString second = Layout(pdf, 2);
            QVERIFY(second.trimmed().startsWith(QStringLiteral("RIGA 54 [DATE]")));
        }
        if (lines > 0)
            QVERIFY(Layout(pdf).contains(QStringLiteral("RIGA 1 [DATE]")));
    }

    void anOverlongListLineIsCutAtTheBoxEdge()
    {
        const Text line = Repeated(u"0123456789", 365);
        const Lines source({line, u"seconda"});
        const report::ListReport list = report::ListPrint(u"Riepilogo Clienti", source, Moment);
        const QString pdf = Pdf(list, QStringLiteral("wide.pdf"));
        QCOMPARE(PageCount(pdf), 1);
        QString printed;
        for (const Word& word : Words(pdf))
            if (word.text.startsWith(QLatin1String("0123")))
                printed = word.text;
        QVERIFY(printed.size() > 150 && printed.size() < 170);
        QVERIFY(Q(line).startsWith(printed));
        const QImage picture = PagePicture(pdf, folder.filePath(QStringLiteral("wide")));
        const double boxRight = 10 + list.data.box.box.Right();
        const double top = 10 + list.title.height;
        QVERIFY(InkIn(picture, {20, top, boxRight - 20, 3.3}) > 0);
        QCOMPARE(InkIn(picture, {boxRight + 0.3, top, 296.5 - boxRight - 0.3, 3.3}), 0);
    }
};

QTEST_MAIN(TestReportPages)
#include "tst_reportpages.moc"
