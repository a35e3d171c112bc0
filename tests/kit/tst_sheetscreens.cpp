// What both sheet screens do alike, one table over the two archives: the first showing,
// browsing, saving a new sheet and overwriting a stored one, the boxes a save needs,
// duplicating, the mark, the empty archive, a failing archive, the width and tidying of the
// boxes. What only one screen does is tested with that screen (database, clients).

#include "support/SheetScreenTest.h"
#include "support/StoredRecords.h"

#include "clients/TfrmClienti.h"
#include "database/TfrmDatabase.h"
#include "kit/SheetScreen.h"
#include "storage/IoFaults.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>

#include <functional>
#include <vector>

using namespace SheetTexts;

namespace {

QString Q(const Text& text) { return QString::fromStdU16String(text); }
Text T(const QString& text) { return text.toStdU16String(); }
const QString StoredYes = Q(Text(MarkYes));
const QString StoredNo = Q(Text(MarkNo));

// A box that must not be blank for a save, with its warning, what a test types into it and
// what the archive then holds.
struct RequiredBox {
    const char* box;
    int field;
    QString warning;
    QString typed;
    QString stored;
};

// One archive as its sheet screen shows it. Records travel as the list of their field texts.
struct SheetKind {
    QString name;
    std::function<SheetScreen*(const Program&)> screen;
    QString fileName;
    qint64 recordSize = 0;
    int fieldCount = 0;
    QList<QPair<const char*, int>> boxes;            // every text box and its field
    QList<QPair<const char*, QString>> initialTexts; // what a new sheet shows where it is not empty
    QList<RequiredBox> required;                     // in the order a save checks them
    const char* firstBox = nullptr;                  // the focus of a new sheet
    const char* markBox = nullptr;
    int markField = 0;
    int file01 = 0;
    int desc01 = 0;
    // The box whose text tells which numbered record is shown, and a box a test edits.
    const char* nameBox = nullptr;
    int nameField = 0;
    const char* editBox = nullptr;
    int editField = 0;
    // Numbered record n: these fields with %1 as n; record 2 is marked; each has an attachment.
    QList<QPair<int, QString>> numbered;

    std::function<void(const QList<QStringList>&)> write;
    std::function<QStringList(int)> stored;
    std::function<std::vector<uint8_t>(const QStringList&)> bytes;
    std::function<QStringList(const QStringList&)> asStored; // the fields as the archive holds them
    std::function<int(int)> width;

    QStringList Blank() const
    {
        QStringList fields;
        for (int i = 0; i < fieldCount; ++i)
            fields.append(QString());
        return fields;
    }
    QStringList Numbered(int n) const
    {
        QStringList fields = Blank();
        for (const auto& [field, pattern] : numbered)
            fields[field] = pattern.contains(QLatin1String("%1")) ? pattern.arg(n) : pattern;
        fields[markField] = n == 2 ? StoredYes : StoredNo;
        return fields;
    }
    QString NumberedText(int field, int n) const
    {
        return Numbered(n).at(field);
    }
    void WriteNumbered(int count) const
    {
        QList<QStringList> records;
        for (int n = 1; n <= count; ++n)
            records.append(Numbered(n));
        write(records);
    }
};

template <const auto& Layout>
void Describe(SheetKind& archive)
{
    using Record = TRecord<Layout>;
    using Field = FieldOf<Layout>;
    auto toRecord = [](const QStringList& fields) {
        Record record;
        for (int i = 0; i < fields.size(); ++i)
            if (!fields.at(i).isEmpty())
                record.Set(static_cast<Field>(i), T(fields.at(i)));
        return record;
    };
    archive.fileName = QString::fromLatin1(Layout.fileName);
    archive.recordSize = qint64(Record::Size);
    archive.fieldCount = int(Record::Fields().size());
    archive.write = [toRecord](const QList<QStringList>& records) {
        std::vector<Record> all;
        for (const QStringList& fields : records)
            all.push_back(toRecord(fields));
        WriteRecords<Layout>(all);
    };
    archive.stored = [](int position) {
        const Record record = StoredRecord<Layout>(position);
        QStringList fields;
        for (std::size_t i = 0; i < Record::Fields().size(); ++i)
            fields.append(Q(record.Get(static_cast<Field>(i))));
        return fields;
    };
    archive.bytes = [toRecord](const QStringList& fields) {
        const Record record = toRecord(fields);
        return std::vector<uint8_t>(record.bytes().begin(), record.bytes().end());
    };
    archive.asStored = [toRecord](const QStringList& fields) {
        const Record record = toRecord(fields);
        QStringList stored;
        for (std::size_t i = 0; i < Record::Fields().size(); ++i)
            stored.append(Q(record.Get(static_cast<Field>(i))));
        return stored;
    };
    archive.width = [](int field) { return int(Record::FieldSpecOf(static_cast<Field>(field)).width); };
}

SheetKind DatabaseSheets()
{
    using F = DatabaseField;
    SheetKind archive;
    archive.name = QStringLiteral("database");
    archive.screen = [](const Program& program) -> SheetScreen* { return program.Database(); };
    Describe<DatabaseLayout>(archive);
    archive.boxes = {
        {"txtCampo01", int(F::Campo01)}, {"txtCampo02", int(F::Campo02)}, {"txtCampo03", int(F::Campo03)},
        {"txtCampo04", int(F::Campo04)}, {"txtCampo05", int(F::Campo05)}, {"txtCampo06", int(F::Campo06)},
        {"txtCampo07", int(F::Campo07)}, {"txtCampo08", int(F::Campo08)}, {"txtCampo09", int(F::Campo09)},
        {"txtCampo10", int(F::Campo10)}, {"txtCampo11", int(F::Campo11)}, {"txtCampo12", int(F::Campo12)},
        {"txtCampo13", int(F::Campo13)}, {"txtCampo14", int(F::Campo14)}, {"txtCliente", int(F::Cliente)},
        {"txtIndirizzoRes", int(F::IndirizzoRes)}, {"txtComuneRes", int(F::ComuneRes)},
        {"txtProvRes", int(F::ProvRes)}, {"txtEmail", int(F::Email)}, {"txtRecapito", int(F::Recapito)},
        {"txtCodFisc", int(F::CodFisc)}, {"txtPartitaIva", int(F::PartitaIva)}, {"txtGoogle", int(F::Google)},
        {"txtWeb", int(F::Web)},
    };
    archive.initialTexts = {{"txtWeb", QStringLiteral("https://")}};
    archive.required = {
        {"txtCampo01", int(F::Campo01),
         QStringLiteral("Attenzione: per salvare la scheda è necessario compilare il primo campo del database."),
         QStringLiteral("Titolo"), QStringLiteral("Titolo")},
        {"txtCliente", int(F::Cliente),
         QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome del Cliente associato."),
         QStringLiteral("  Rossi  "), QStringLiteral("Rossi")},
    };
    archive.firstBox = "txtCampo01";
    archive.markBox = "chkSegnala";
    archive.markField = int(F::Segnala);
    archive.file01 = int(F::File01);
    archive.desc01 = int(F::Desc01);
    archive.nameBox = "txtCampo01";
    archive.nameField = int(F::Campo01);
    archive.editBox = "txtCampo02";
    archive.editField = int(F::Campo02);
    archive.numbered = {
        {int(F::Campo01), QStringLiteral("Scheda %1")},   {int(F::Campo02), QStringLiteral("Secondo %1")},
        {int(F::Cliente), QStringLiteral("Cliente %1")},  {int(F::ProvRes), QStringLiteral("RM")},
        {int(F::Web), QStringLiteral("www.sito%1.it")},   {int(F::File01), QStringLiteral("documento %1.pdf")},
        {int(F::Desc01), QStringLiteral("Allegato della scheda %1")},
    };
    return archive;
}

SheetKind ClientSheets()
{
    using F = ClientField;
    SheetKind archive;
    archive.name = QStringLiteral("clients");
    archive.screen = [](const Program& program) -> SheetScreen* { return program.Clienti(); };
    Describe<ClientLayout>(archive);
    archive.boxes = {
        {"txtCliente", int(F::Cliente)}, {"txtDataNasc", int(F::DataNasc)}, {"txtComuneNasc", int(F::ComuneNasc)},
        {"txtProvNasc", int(F::ProvNasc)}, {"txtSesso", int(F::Sesso)}, {"txtRecapito", int(F::Recapito)},
        {"txtIndirizzoRes", int(F::IndirizzoRes)}, {"txtProvRes", int(F::ProvRes)},
        {"txtComuneRes", int(F::ComuneRes)}, {"txtCapRes", int(F::CapRes)}, {"txtEstremi", int(F::Estremi)},
        {"txtTelCasa", int(F::TelCasa)}, {"txtTelUff", int(F::TelUff)}, {"txtTelCel", int(F::TelCel)},
        {"txtFax", int(F::Fax)}, {"txtEmail", int(F::Email)}, {"txtCodFisc", int(F::CodFisc)},
        {"txtCarta", int(F::Carta)}, {"txtScadeCarta", int(F::ScadeCarta)}, {"txtPartitaIva", int(F::PartitaIva)},
        {"txtIban", int(F::Iban)}, {"txtDocumento", int(F::Documento)}, {"txtOccupazione", int(F::Occupazione)},
        {"txtCivile", int(F::Civile)}, {"txtTitoli", int(F::Titoli)}, {"txtProdotti", int(F::Prodotti)},
        {"txtZona", int(F::Zona)}, {"txtQuestioni", int(F::Questioni)}, {"txtNote", int(F::Note)},
    };
    archive.required = {
        {"txtCliente", int(F::Cliente),
         QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome del Cliente."),
         QStringLiteral("  Rossi  "), QStringLiteral("Rossi")},
    };
    archive.firstBox = "txtCliente";
    archive.markBox = "chkRicontatta";
    archive.markField = int(F::Ricontatta);
    archive.file01 = int(F::File01);
    archive.desc01 = int(F::Desc01);
    archive.nameBox = "txtCliente";
    archive.nameField = int(F::Cliente);
    archive.editBox = "txtNote";
    archive.editField = int(F::Note);
    archive.numbered = {
        {int(F::Cliente), QStringLiteral("Cliente %1")},      {int(F::ProvRes), QStringLiteral("RM")},
        {int(F::Note), QStringLiteral("Nota %1")},            {int(F::File01), QStringLiteral("documento %1.pdf")},
        {int(F::Desc01), QStringLiteral("Allegato %1")},
    };
    return archive;
}

const QList<SheetKind>& Archives()
{
    static const QList<SheetKind> archives{DatabaseSheets(), ClientSheets()};
    return archives;
}

// A row of a table over both archives, for the archive in column "archive".
QTestData& Row(int archive, const char* name)
{
    return QTest::newRow(qPrintable(Archives().at(archive).name + QStringLiteral(": ") + QString::fromUtf8(name)))
           << archive;
}

const QStringList AttachmentLabels{"lblFile01", "lblFile02", "lblFile03", "lblDesc01", "lblDesc02", "lblDesc03"};

} // namespace

class TstSheetScreens : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;
    const SheetKind* archive = nullptr;

    SheetScreen* screen() { return archive->screen(*fixture->program); }
    MessageRecorder& messages() { return *fixture.messages; }
    QStringList Messages() { return MessageTexts(messages()); }
    QString Text(const char* box) { return BoxText(screen(), box); }
    void SetText(const char* box, const QString& text) { SetBoxText(screen(), box, text); }
    QString Position() { return LabelText(screen(), "lblPosizione"); }
    QCheckBox* Mark() { return Child<QCheckBox>(screen(), archive->markBox); }
    QString ArchivePath() { return fixture->Path(archive->fileName); }
    QByteArray ArchiveBytes()
    {
        QFile file(ArchivePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString InitialText(const char* box)
    {
        for (const auto& [name, text] : archive->initialTexts)
            if (qstrcmp(name, box) == 0)
                return text;
        return {};
    }
    void Open() { ShowAndWait(screen()); }
    void Click(const QString& command) { ::Click(Child(screen(), command.toLatin1().constData())); }
    void FetchArchive()
    {
        QFETCH(int, archive);
        this->archive = &Archives().at(archive);
    }
    static void AddArchiveColumn() { QTest::addColumn<int>("archive"); }
    // Fills every required box with its typed text.
    void FillRequired()
    {
        for (const RequiredBox& required : archive->required)
            SetText(required.box, required.typed);
    }

private slots:
    void init() { fixture.Start(); }
    void cleanup() { fixture.Stop(); }

    void firstShowingIsAnEmptyNewSheet_data()
    {
        AddArchiveColumn();
        for (int a = 0; a < Archives().size(); ++a)
            Row(a, "first showing");
    }
    void firstShowingIsAnEmptyNewSheet()
    {
        FetchArchive();
        Open();
        for (const auto& [box, field] : archive->boxes)
            QCOMPARE(Text(box), InitialText(box));
        QVERIFY(Position().isEmpty());
        QVERIFY(!Mark()->isChecked());
        QCOMPARE(FocusedBox(), Child(screen(), archive->firstBox));
        QCOMPARE(LabelText(screen(), "panInfo"), QStringLiteral("Pronto per archiviare una nuova scheda..."));
        QVERIFY(!QFile::exists(ArchivePath()));

        Click(QStringLiteral("cmdPrimo"));
        QVERIFY(!QFile::exists(ArchivePath())); // browsing only reads: no file is made for it
        QCOMPARE(Messages(), QStringList{EmptyArchive});
        QCOMPARE(messages().shown.at(0).kind, MessageKind::Information);
    }

    // Each step is "command=position", with "!" when the empty-archive message follows, or
    // "show n" to put numbered record n on screen as the list tools do.
    void navigation_data()
    {
        AddArchiveColumn();
        QTest::addColumn<int>("records");
        QTest::addColumn<QStringList>("steps");
        for (int a = 0; a < Archives().size(); ++a) {
            Row(a, "three records, from the first")
                << 3
                << QStringList{"cmdPrimo=1", "cmdAvanti=2", "cmdAvanti=3", "cmdAvanti=3", "cmdUltimo=3",
                               "cmdIndietro=2", "cmdIndietro=1", "cmdIndietro=1", "cmdNuovo=", "cmdAvanti=1",
                               "cmdNuovo=", "cmdIndietro=1"};
            Row(a, "three records, from a new sheet")
                << 3
                << QStringList{"cmdAvanti=1", "cmdAvanti=2", "cmdAvanti=3", "cmdAvanti=3", "cmdIndietro=2",
                               "cmdIndietro=1", "cmdIndietro=1", "cmdUltimo=3", "cmdPrimo=1", "cmdNuovo=",
                               "cmdIndietro=1", "cmdUltimo=3", "cmdDuplica=", "cmdAvanti=1"};
            Row(a, "empty archive") << 0 << QStringList{"cmdAvanti=!", "cmdIndietro=!", "cmdUltimo=!"};
            Row(a, "empty archive, with records shown by a list tool")
                << 0
                << QStringList{"cmdPrimo=!", "cmdUltimo=!", "cmdAvanti=!", "cmdIndietro=!", "show 2",
                               "cmdIndietro=2!", "cmdUltimo=2!", "cmdAvanti=!", "show 1", "cmdIndietro=1",
                               "cmdAvanti=!"};
        }
    }
    void navigation()
    {
        FetchArchive();
        QFETCH(int, records);
        QFETCH(QStringList, steps);
        archive->WriteNumbered(records);
        Open();
        for (const QString& step : steps) {
            messages().shown.clear();
            if (step.startsWith(QStringLiteral("show "))) {
                const int n = step.mid(5).toInt();
                screen()->MostraScheda(archive->bytes(archive->Numbered(n)).data(), SheetPosition(n));
                continue;
            }
            const QStringList parts = step.split(u'=');
            QString expected = parts.at(1);
            const bool saysEmpty = expected.endsWith(u'!');
            expected.remove(u'!');
            const bool duplicates = parts.at(0) == QStringLiteral("cmdDuplica");
            SetText(archive->editBox, QStringLiteral("non salvato"));
            Click(parts.at(0));
            QVERIFY2(Position() == expected, qPrintable(step + QStringLiteral(": ") + Position()));
            if (saysEmpty)
                QCOMPARE(Messages(), QStringList{EmptyArchive});
            else if (!duplicates)
                QVERIFY2(messages().shown.isEmpty(), qPrintable(step));
            if (!duplicates && !saysEmpty && !expected.isEmpty())
                QCOMPARE(Text(archive->nameBox), archive->NumberedText(archive->nameField, expected.toInt()));
        }
    }

    void navigationDropsUnsavedChanges_data()
    {
        AddArchiveColumn();
        for (int a = 0; a < Archives().size(); ++a)
            Row(a, "edit dropped");
    }
    void navigationDropsUnsavedChanges()
    {
        FetchArchive();
        archive->WriteNumbered(2);
        Open();
        Click(QStringLiteral("cmdPrimo"));
        SetText(archive->editBox, QStringLiteral("cambiato"));
        Click(QStringLiteral("cmdAvanti"));
        Click(QStringLiteral("cmdIndietro"));
        QCOMPARE(Text(archive->editBox), archive->NumberedText(archive->editField, 1));
        QVERIFY(messages().shown.isEmpty());
    }

    void save_data()
    {
        AddArchiveColumn();
        QTest::addColumn<int>("records");
        QTest::addColumn<QStringList>("commands"); // clicked before the edit
        QTest::addColumn<int>("source");           // 0: a sheet typed from scratch; n: stored record n
        QTest::addColumn<QStringList>("expectedMessages");
        QTest::addColumn<QString>("position");
        QTest::addColumn<int>("recordsAfter");
        for (int a = 0; a < Archives().size(); ++a) {
            Row(a, "new record into an empty archive") << 0 << QStringList{} << 0 << QStringList{Inserted} << "1" << 1;
            Row(a, "new record after three") << 3 << QStringList{} << 0 << QStringList{Inserted} << "4" << 4;
            Row(a, "record 2 of 3 overwritten in place")
                << 3 << QStringList{"cmdAvanti", "cmdAvanti"} << 2 << QStringList{Modified} << "2" << 3;
            Row(a, "record 2 of 3 reached from the first, overwritten")
                << 3 << QStringList{"cmdPrimo", "cmdAvanti"} << 2 << QStringList{Modified} << "2" << 3;
            Row(a, "duplicate of record 2 appended, mark kept, without attachments")
                << 3 << QStringList{"cmdAvanti", "cmdAvanti", "cmdDuplica"} << 2 << QStringList{Duplicated, Inserted}
                << "4" << 4;
            Row(a, "duplicate of record 2 reached from the first")
                << 3 << QStringList{"cmdPrimo", "cmdAvanti", "cmdDuplica"} << 2 << QStringList{Duplicated, Inserted}
                << "4" << 4;
        }
    }
    void save()
    {
        FetchArchive();
        QFETCH(int, records);
        QFETCH(QStringList, commands);
        QFETCH(int, source);
        QFETCH(QStringList, expectedMessages);
        QFETCH(QString, position);
        QFETCH(int, recordsAfter);
        archive->WriteNumbered(records);
        Open();
        for (const QString& command : commands)
            Click(command);
        QStringList expected;
        if (source == 0) {
            expected = archive->Blank();
            for (const auto& [box, text] : archive->initialTexts)
                for (const auto& [bound, field] : archive->boxes)
                    if (qstrcmp(bound, box) == 0)
                        expected[field] = text;
            FillRequired();
            for (const RequiredBox& required : archive->required)
                expected[required.field] = required.stored;
            expected[archive->markField] = StoredNo;
        } else {
            expected = archive->Numbered(source);
            if (commands.contains(QStringLiteral("cmdDuplica"))) {
                expected[archive->file01] = QString();
                expected[archive->desc01] = QString();
                QVERIFY(Mark()->isChecked());
            }
        }
        SetText(archive->editBox, QStringLiteral(" Modificato\t"));
        expected[archive->editField] = QStringLiteral("Modificato");

        Click(QStringLiteral("cmdSalva"));
        QCOMPARE(Messages(), expectedMessages);
        for (const ShownMessage& message : messages().shown)
            QCOMPARE(message.kind, MessageKind::Information);
        QCOMPARE(Position(), position);
        QCOMPARE(QFileInfo(ArchivePath()).size(), recordsAfter * archive->recordSize);
        const int saved = position.toInt();
        for (int n = 1; n <= recordsAfter; ++n)
            QCOMPARE(archive->stored(n), n == saved ? expected : archive->Numbered(n));
        // The boxes keep what was typed; the file holds the trimmed texts.
        QCOMPARE(Text(archive->editBox), QStringLiteral(" Modificato\t"));
        // Saving again overwrites what was just saved.
        messages().shown.clear();
        Click(QStringLiteral("cmdSalva"));
        QCOMPARE(Messages(), QStringList{Modified});
        QCOMPARE(Position(), position);
        QCOMPARE(QFileInfo(ArchivePath()).size(), recordsAfter * archive->recordSize);
    }

    void saveNeedsTheRequiredBoxes_data()
    {
        AddArchiveColumn();
        QTest::addColumn<int>("blank");  // which required box is left blank
        QTest::addColumn<QString>("typed"); // the blank text
        Row(0, "first field blank") << 0 << "   ";
        Row(0, "name blank") << 1 << " \t ";
        Row(1, "name blank") << 0 << " \t ";
    }
    void saveNeedsTheRequiredBoxes()
    {
        FetchArchive();
        QFETCH(int, blank);
        QFETCH(QString, typed);
        Open();
        FillRequired();
        const RequiredBox& required = archive->required.at(blank);
        SetText(required.box, typed);
        Child(screen(), "txtEmail")->setFocus();
        Click(QStringLiteral("cmdSalva"));
        QCOMPARE(messages().shown.size(), 1);
        QCOMPARE(messages().shown.at(0).kind, MessageKind::Warning);
        QCOMPARE(messages().shown.at(0).text, required.warning);
        QCOMPARE(FocusedBox(), Child(screen(), required.box));
        QVERIFY(!QFile::exists(ArchivePath()));
        QVERIFY(Position().isEmpty());
    }

    void duplicateOfANewSheetOnlyWarns_data()
    {
        AddArchiveColumn();
        for (int a = 0; a < Archives().size(); ++a)
            Row(a, "new sheet");
    }
    void duplicateOfANewSheetOnlyWarns()
    {
        FetchArchive();
        Open();
        FillRequired();
        Child<QLabel>(screen(), "lblFile01")->setText(QStringLiteral("a.pdf"));
        Child<QLabel>(screen(), "lblDesc01")->setText(QStringLiteral("A"));
        Click(QStringLiteral("cmdDuplica"));
        QCOMPARE(messages().shown.size(), 1);
        QCOMPARE(messages().shown.at(0).kind, MessageKind::Warning);
        QCOMPARE(messages().shown.at(0).text, DuplicateNeedsASavedSheet);
        for (const RequiredBox& required : archive->required)
            QCOMPARE(Text(required.box), required.typed);
        QCOMPARE(LabelText(screen(), "lblFile01"), QStringLiteral("a.pdf"));
        QVERIFY(Position().isEmpty());
        QVERIFY(!QFile::exists(ArchivePath()));
    }

    // The database flag and the client recontact mark: ticked on "Sì", unticked on "No",
    // left as it was on anything else, whether the sheet comes from browsing or a list tool.
    void markFollowsTheStoredValue_data()
    {
        AddArchiveColumn();
        QTest::addColumn<bool>("before");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("after");
        const QString yes = QStringLiteral("Sì");
        for (int a = 0; a < Archives().size(); ++a) {
            Row(a, "Sì ticks") << false << yes << true;
            Row(a, "Sì keeps ticked") << true << yes << true;
            Row(a, "No unticks") << true << "No" << false;
            Row(a, "No keeps unticked") << false << "No" << false;
            Row(a, "empty leaves ticked") << true << "" << true;
            Row(a, "empty leaves unticked") << false << "" << false;
            Row(a, "si without accent leaves unticked") << false << "si" << false;
            Row(a, "sì in small letters leaves unticked") << false << QStringLiteral("sì") << false;
            Row(a, "SÌ in capitals leaves unticked") << false << QStringLiteral("SÌ") << false;
            Row(a, "no in small letters leaves ticked") << true << "no" << true;
        }
    }
    void markFollowsTheStoredValue()
    {
        FetchArchive();
        QFETCH(bool, before);
        QFETCH(QString, stored);
        QFETCH(bool, after);
        QStringList record = archive->Numbered(1);
        record[archive->markField] = stored;
        archive->write({record});
        Open();
        Mark()->setChecked(before);
        Click(QStringLiteral("cmdPrimo"));
        QCOMPARE(Mark()->isChecked(), after);
        QCOMPARE(Position(), QStringLiteral("1"));

        Mark()->setChecked(before);
        screen()->MostraScheda(archive->bytes(record).data(), 5);
        QCOMPARE(Mark()->isChecked(), after);
        QCOMPARE(Position(), QStringLiteral("5"));
    }

    void showingARecordPutsEveryFieldOnScreenAndNothingElse_data()
    {
        AddArchiveColumn();
        for (int a = 0; a < Archives().size(); ++a)
            Row(a, "as a list tool shows it");
    }
    // What the list tools do with the record the user picks: every box, the attachment labels
    // and the position take it; the focus, the province list and the status line stay.
    void showingARecordPutsEveryFieldOnScreenAndNothingElse()
    {
        FetchArchive();
        Open();
        QStringList record = archive->Blank();
        for (const auto& [box, field] : archive->boxes)
            record[field] = QStringLiteral(" %1 ").arg(QString::fromLatin1(box).mid(3, 2));
        for (const auto& [box, field] : archive->boxes)
            if (qstrcmp(box, "txtProvRes") == 0)
                record[field] = QStringLiteral("mi");
        for (const auto& [box, text] : archive->initialTexts)
            for (const auto& [bound, field] : archive->boxes)
                if (qstrcmp(bound, box) == 0)
                    record[field] = QString(); // a stored record without it shows no initial text
        for (int i = 0; i < 3; ++i) {
            record[archive->file01 + i] = AttachmentLabels.at(i);
            record[archive->desc01 + i] = AttachmentLabels.at(3 + i);
        }
        auto* focus = Child(screen(), archive->boxes.at(4).first);
        focus->setFocus();
        auto* province = Child<ProvinceBox>(screen(), "txtProvRes");
        province->setCurrentIndex(3);
        const QString status = LabelText(screen(), "panInfo");

        screen()->MostraScheda(archive->bytes(record).data(), 12345);
        const QStringList stored = archive->asStored(record);
        for (const auto& [box, field] : archive->boxes)
            QCOMPARE(Text(box), stored.at(field));
        for (const auto& [box, text] : archive->initialTexts)
            QVERIFY(Text(box).isEmpty());
        QCOMPARE(Text("txtProvRes"), QStringLiteral("mi"));
        for (const QString& label : AttachmentLabels)
            QCOMPARE(LabelText(screen(), label.toLatin1().constData()), label);
        QCOMPARE(Position(), QStringLiteral("12345"));
        QCOMPARE(FocusedBox(), focus);
        QCOMPARE(province->currentIndex(), 3);
        QCOMPARE(LabelText(screen(), "panInfo"), status);
    }

    void newSheetClearsEverything_data()
    {
        AddArchiveColumn();
        for (int a = 0; a < Archives().size(); ++a)
            Row(a, "after the last record");
    }
    void newSheetClearsEverything()
    {
        FetchArchive();
        archive->WriteNumbered(2);
        const QByteArray before = ArchiveBytes();
        Open();
        Click(QStringLiteral("cmdUltimo"));
        QVERIFY(Mark()->isChecked());
        Child<ProvinceBox>(screen(), "txtProvRes")->setCurrentIndex(4);
        Click(QStringLiteral("cmdNuovo"));
        for (const auto& [box, field] : archive->boxes)
            QCOMPARE(Text(box), InitialText(box));
        QVERIFY(!Mark()->isChecked());
        for (const QString& label : AttachmentLabels)
            QVERIFY(LabelText(screen(), label.toLatin1().constData()).isEmpty());
        QCOMPARE(Child<ProvinceBox>(screen(), "txtProvRes")->currentIndex(), -1);
        QVERIFY(Position().isEmpty());
        QCOMPARE(FocusedBox(), Child(screen(), archive->firstBox));
        QVERIFY(messages().shown.isEmpty());
        QCOMPARE(ArchiveBytes(), before);
    }

    // A failing archive shows the archive-access error, changes nothing on screen that the
    // user has not been told about, and loses nothing on disk.
    void archiveFailures_data()
    {
        AddArchiveColumn();
        QTest::addColumn<QString>("command");
        QTest::addColumn<IoOp>("fault");
        QTest::addColumn<QString>("positionAfter");
        QTest::addColumn<int>("recordsAfter");
        for (int a = 0; a < Archives().size(); ++a) {
            Row(a, "next: read fails") << "cmdAvanti" << IoOp::Read << "1" << 2;
            Row(a, "next: short read") << "cmdAvanti" << IoOp::ShortRead << "1" << 2;
            Row(a, "last: open fails") << "cmdUltimo" << IoOp::Open << "1" << 2;
            Row(a, "last: close fails after reading") << "cmdUltimo" << IoOp::Close << "1" << 2;
            Row(a, "save: open fails") << "cmdSalva" << IoOp::Open << "1" << 2;
            Row(a, "save: write fails") << "cmdSalva" << IoOp::Write << "1" << 2;
            Row(a, "save: close fails after writing") << "cmdSalva" << IoOp::Close << "1" << 2;
            Row(a, "duplicate: open fails") << "cmdDuplica" << IoOp::Open << "" << 2;
        }
    }
    void archiveFailures()
    {
        FetchArchive();
        QFETCH(QString, command);
        QFETCH(IoOp, fault);
        QFETCH(QString, positionAfter);
        QFETCH(int, recordsAfter);
        archive->WriteNumbered(2);
        Open();
        Click(QStringLiteral("cmdPrimo"));
        SetText(archive->editBox, QStringLiteral("in corso"));
        const QByteArray before = ArchiveBytes();

        IoFaults::FailNext(fault);
        Click(command);
        IoFaults::Reset();

        QCOMPARE(messages().shown.size(), 1);
        QCOMPARE(messages().shown.at(0).kind, MessageKind::Error);
        QCOMPARE(messages().shown.at(0).text, ArchiveAccess);
        QCOMPARE(Position(), positionAfter);
        QCOMPARE(Text(archive->nameBox), archive->NumberedText(archive->nameField, 1));
        QCOMPARE(Text(archive->editBox), QStringLiteral("in corso"));
        QCOMPARE(ArchiveBytes().size(), recordsAfter * archive->recordSize);
        if (command == QStringLiteral("cmdSalva") && fault == IoOp::Close)
            QCOMPARE(archive->stored(1).at(archive->editField), QStringLiteral("in corso")); // written before
        else
            QCOMPARE(ArchiveBytes(), before);
        QCOMPARE(LabelText(screen(), "lblFile01").isEmpty(), command == QStringLiteral("cmdDuplica"));
    }

    void saveOfANewSheetThatFailsAfterWritingShowsItsPosition_data()
    {
        AddArchiveColumn();
        for (int a = 0; a < Archives().size(); ++a)
            Row(a, "after two records");
    }
    void saveOfANewSheetThatFailsAfterWritingShowsItsPosition()
    {
        FetchArchive();
        archive->WriteNumbered(2);
        Open();
        FillRequired();
        IoFaults::FailNext(IoOp::Close);
        Click(QStringLiteral("cmdSalva"));
        IoFaults::Reset();
        QCOMPARE(Messages(), QStringList{ArchiveAccess});
        QCOMPARE(Position(), QStringLiteral("3"));
        const RequiredBox& first = archive->required.first();
        QCOMPARE(archive->stored(3).at(first.field), first.stored);
    }

    void boxesAcceptAtMostTheirFieldWidth_data()
    {
        AddArchiveColumn();
        for (int a = 0; a < Archives().size(); ++a)
            Row(a, "every box");
    }
    void boxesAcceptAtMostTheirFieldWidth()
    {
        FetchArchive();
        Open();
        for (const auto& [box, field] : archive->boxes) {
            QCOMPARE(EditOf(Child(screen(), box))->maxLength(), archive->width(field));
            QVERIFY(Child(screen(), (QStringLiteral("eff") + QString::fromLatin1(box).mid(3)).toLatin1().constData()));
        }
    }

    void provinceBoxes_data()
    {
        AddArchiveColumn();
        QTest::addColumn<QString>("box");
        Row(0, "residence") << "txtProvRes";
        Row(1, "birth") << "txtProvNasc";
        Row(1, "residence") << "txtProvRes";
    }
    // The list only offers: a typed letter is not completed, a code is taken when picked, and
    // taking the focus resets the list's selection and keeps the text.
    void provinceBoxes()
    {
        FetchArchive();
        QFETCH(QString, box);
        Open();
        auto* province = Child<ProvinceBox>(screen(), box.toLatin1().constData());
        province->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("e"));
        province->nextInFocusChain()->setFocus();
        QCOMPARE(province->text(), QStringLiteral("E"));
        province->setCurrentIndex(ProvinceBox::Codes().indexOf(QStringLiteral("MI")));
        QCOMPARE(province->text(), QStringLiteral("MI"));
        province->setCurrentIndex(-1);
        province->setText(QStringLiteral("xy"));
        province->setFocus();
        QCOMPARE(province->text(), QStringLiteral("xy"));
    }

    void lettersTheArchiveCannotHoldAreReplacedAsTyped_data()
    {
        AddArchiveColumn();
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        Row(0, "name") << "txtCliente" << int(DatabaseField::Cliente) << "Ștefan Łukasz" << "Stefan Lukasz";
        Row(0, "generic field") << "txtCampo07" << int(DatabaseField::Campo07) << "Zażółć €5" << "Zazólc €5";
        Row(1, "name") << "txtCliente" << int(ClientField::Cliente) << "Ștefan" << "Stefan";
        Row(1, "province") << "txtProvNasc" << int(ClientField::ProvNasc) << "ș" << "S";
    }
    // What a box shows is what saving stores: nothing is replaced behind the user's back.
    void lettersTheArchiveCannotHoldAreReplacedAsTyped()
    {
        FetchArchive();
        QFETCH(QString, box);
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Open();
        for (const RequiredBox& required : archive->required)
            SetText(required.box, QStringLiteral("x"));
        QWidget* widget = Child(screen(), box.toLatin1().constData());
        widget->setFocus();
        EditOf(widget)->clear();
        Type(QApplication::focusWidget(), typed);
        QCOMPARE(TextBoxes::TextOf(widget), shown);
        Click(QStringLiteral("cmdSalva"));
        QCOMPARE(Messages(), QStringList{Inserted});
        QCOMPARE(ArchiveBytes().size(), archive->recordSize);
        QCOMPARE(archive->stored(1).at(field), shown);
    }

    void longValuesShowTheirBeginning_data()
    {
        AddArchiveColumn();
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("field");
        Row(0, "generic field") << "txtCampo07" << int(DatabaseField::Campo07);
        Row(1, "note") << "txtNote" << int(ClientField::Note);
    }
    // A sheet put on screen shows each long value from its first character.
    void longValuesShowTheirBeginning()
    {
        FetchArchive();
        QFETCH(QString, box);
        QFETCH(int, field);
        const QString value = QStringLiteral("Barbieri Bianchi ") + QString(230, u'x');
        QStringList record = archive->Numbered(1);
        record[field] = value;
        archive->write({record});
        Open();
        Click(QStringLiteral("cmdPrimo"));
        auto* edit = Child<QLineEdit>(screen(), box.toLatin1().constData());
        QCOMPARE(edit->text(), value);
        QCOMPARE(edit->cursorPosition(), 0);
        QVERIFY(edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() < edit->width() / 4);
    }
};

QTEST_MAIN(TstSheetScreens)
#include "tst_sheetscreens.moc"
