// The database sheet screen as a user works with it: showing, browsing, saving, duplicating,
// the flag, the commands of the fields and the tools it opens.

#include "support/FileDialogRecorder.h"
#include "support/ScreenTest.h"

#include "kit/FittedTitle.h"
#include "kit/SheetScreen.h"
#include "kit/TextBoxes.h"
#include "app/TfrmAvvio.h"
#include "database/DatabaseHelp.h"
#include "database/TfrmDatabase.h"
#include "storage/IoFaults.h"
#include "storage/Records.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

constexpr std::size_t S = TSchedaDatabase::Size;
using F = DatabaseField;

QString Q(const Text& text) { return QString::fromStdU16String(text); }
Text T(const QString& text) { return text.toStdU16String(); }

// Stored sheet number n: its first field and name tell its number; sheet 2 is flagged and
// every sheet has one attachment.
TSchedaDatabase Sheet(int n)
{
    TSchedaDatabase sheet;
    sheet.Set(F::Campo01, T(QStringLiteral("Scheda %1").arg(n)));
    sheet.Set(F::Campo02, T(QStringLiteral("Secondo %1").arg(n)));
    sheet.Set(F::Cliente, T(QStringLiteral("Cliente %1").arg(n)));
    sheet.Set(F::ProvRes, u"RM");
    sheet.Set(F::Web, T(QStringLiteral("www.sito%1.it").arg(n)));
    sheet.Set(F::Segnala, n == 2 ? MarkYes : MarkNo);
    sheet.Set(F::File01, T(QStringLiteral("documento %1.pdf").arg(n)));
    sheet.Set(F::Desc01, T(QStringLiteral("Allegato della scheda %1").arg(n)));
    return sheet;
}

QByteArray Bytes(const TSchedaDatabase& sheet)
{
    return QByteArray(reinterpret_cast<const char*>(sheet.data()), qsizetype(S));
}

QStringList Fields(const TSchedaDatabase& sheet)
{
    QStringList fields;
    for (std::size_t i = 0; i < TSchedaDatabase::Fields().size(); ++i)
        fields.append(Q(sheet.Get(static_cast<F>(i))));
    return fields;
}

// Every box of the screen and the field it shows.
const QList<QPair<const char*, F>>& BoxFields()
{
    static const QList<QPair<const char*, F>> boxes{
        {"txtCampo01", F::Campo01}, {"txtCampo02", F::Campo02}, {"txtCampo03", F::Campo03},
        {"txtCampo04", F::Campo04}, {"txtCampo05", F::Campo05}, {"txtCampo06", F::Campo06},
        {"txtCampo07", F::Campo07}, {"txtCampo08", F::Campo08}, {"txtCampo09", F::Campo09},
        {"txtCampo10", F::Campo10}, {"txtCampo11", F::Campo11}, {"txtCampo12", F::Campo12},
        {"txtCampo13", F::Campo13}, {"txtCampo14", F::Campo14}, {"txtCliente", F::Cliente},
        {"txtIndirizzoRes", F::IndirizzoRes}, {"txtComuneRes", F::ComuneRes}, {"txtProvRes", F::ProvRes},
        {"txtEmail", F::Email}, {"txtRecapito", F::Recapito}, {"txtCodFisc", F::CodFisc},
        {"txtPartitaIva", F::PartitaIva}, {"txtGoogle", F::Google}, {"txtWeb", F::Web},
    };
    return boxes;
}

const QStringList AttachmentLabels{"lblFile01", "lblFile02", "lblFile03", "lblDesc01", "lblDesc02", "lblDesc03"};

const QString Inserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString Modified = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString Duplicated = QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente."
                                          "\n\r\n\rAl termine premere Salva per inserire la scheda in archivio.");
const QString EmptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString ArchiveAccess = QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                                             "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                                             "installazione del programma.");

} // namespace

class TstSheetScreen : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFixture> fixture;
    std::unique_ptr<MessageRecorder> messages;

    TfrmDatabase* screen() { return fixture->program->Database(); }
    QString Text(const char* name)
    {
        QWidget* box = Child(screen(), name);
        if (auto* province = qobject_cast<ProvinceBox*>(box))
            return province->text();
        return static_cast<QLineEdit*>(box)->text();
    }
    void SetText(const char* name, const QString& text)
    {
        QWidget* box = Child(screen(), name);
        if (auto* province = qobject_cast<ProvinceBox*>(box))
            province->setText(text);
        else
            static_cast<QLineEdit*>(box)->setText(text);
    }
    QString Label(const char* name) { return Child<QLabel>(screen(), name)->text(); }
    QString Position() { return Label("lblPosizione"); }
    QCheckBox* Flag() { return Child<QCheckBox>(screen(), "chkSegnala"); }
    QString ArchivePath() { return fixture->Path(QStringLiteral("Database.pro")); }
    QByteArray ArchiveBytes()
    {
        QFile file(ArchivePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void WriteArchive(int sheets)
    {
        QByteArray bytes;
        for (int n = 1; n <= sheets; ++n)
            bytes += Bytes(Sheet(n));
        fixture->WriteFile(QStringLiteral("Database.pro"), bytes);
    }
    TSchedaDatabase Stored(int position)
    {
        TSchedaDatabase sheet;
        const QByteArray bytes = ArchiveBytes().mid((position - 1) * qsizetype(S), qsizetype(S));
        if (bytes.size() == qsizetype(S))
            std::memcpy(sheet.data(), bytes.constData(), S);
        return sheet;
    }
    void Open()
    {
        screen()->ShowScreen();
        QVERIFY(QTest::qWaitForWindowActive(screen()));
    }
    QStringList MessageTexts()
    {
        QStringList texts;
        for (const ShownMessage& message : messages->shown)
            texts.append(message.text);
        return texts;
    }
    QWidget* Focused()
    {
        QWidget* focus = QApplication::focusWidget();
        // An editable list box has the focus through its line edit.
        if (focus && qobject_cast<ProvinceBox*>(focus->parentWidget()))
            return focus->parentWidget();
        return focus;
    }

private slots:
    void init()
    {
        IoFaults::Reset();
        fixture = std::make_unique<ProgramFixture>();
        messages = std::make_unique<MessageRecorder>();
    }
    void cleanup()
    {
        IoFaults::Reset();
        messages.reset();
        fixture.reset();
    }

    void firstShowingWithoutFilesIsAnEmptyNewSheet()
    {
        Open();
        QCOMPARE(screen()->windowTitle(), QStringLiteral(" Velorbis 4.0 - Gestione Database"));
        QVERIFY(Label("titNomeArchivio").isEmpty());
        for (int i = 1; i <= 14; ++i)
            QVERIFY(Label(QStringLiteral("titCampo%1").arg(i, 2, 10, QLatin1Char('0')).toLatin1().constData()).isEmpty());
        for (const auto& [box, field] : BoxFields())
            QCOMPARE(Text(box), field == F::Web ? QStringLiteral("https://") : QString());
        QVERIFY(Position().isEmpty());
        QVERIFY(!Flag()->isChecked());
        QCOMPARE(Focused(), Child(screen(), "txtCampo01"));
        QCOMPARE(Child<QLabel>(screen(), "panInfo")->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
        QVERIFY(!QFile::exists(ArchivePath()));

        Click(Child(screen(), "cmdPrimo"));
        QVERIFY(!QFile::exists(ArchivePath())); // browsing only reads: no file is made for it
        QCOMPARE(messages->shown.size(), 1);
        QCOMPARE(messages->shown.at(0).kind, MessageKind::Information);
        QCOMPARE(messages->shown.at(0).text, EmptyArchive);
    }

    void titlesComeFromTheSettingsAsPlainText()
    {
        fixture->WriteFile(QStringLiteral("Archivio.ini"),
                           "[NOME CAMPI]\r\nCampo 01=<b>Titolo</b>\r\nCampo 14=Ultimo\r\n"
                           "[Database]\r\nNome Archivio=Biblioteca & co.\r\n");
        Open();
        auto* title = Child<QLabel>(screen(), "titCampo01");
        QCOMPARE(title->text(), QStringLiteral("<b>Titolo</b>"));
        QCOMPARE(title->textFormat(), Qt::PlainText);
        QVERIFY(Label("titCampo02").isEmpty());
        QCOMPARE(Label("titCampo14"), QStringLiteral("Ultimo"));
        QCOMPARE(Label("titNomeArchivio"), QStringLiteral("Biblioteca & co."));
    }

    // The banner fits the archive's name as the start menu does: smaller, then cut with "…".
    void aLongArchiveNameIsFittedIntoTheBanner()
    {
        const QByteArray name = "Archivio storico delle pratiche dello Studio Tecnico Associato Rossi, Bianchi, Verdi "
                                "e Neri di Reggio Emilia e provincia";
        fixture->WriteFile(QStringLiteral("Archivio.ini"), "[Database]\r\nNome Archivio=" + name + "\r\n");
        Open();
        auto* banner = Child<FittedTitle>(screen(), "titNomeArchivio");
        QVERIFY(banner);
        QCOMPARE(banner->text(), QString::fromLatin1(name));
        QCOMPARE(banner->font().pointSize(), 22);
        QCOMPARE(banner->ShownFont().pointSize(), banner->FloorPointSize());
        QCOMPARE(banner->FloorPointSize(), 14);
        QVERIFY(banner->ShownText().endsWith(u'…'));
        QVERIFY(QFontMetrics(banner->ShownFont()).horizontalAdvance(banner->ShownText()) <= banner->contentsRect().width());
    }

    // A pipe, a folder or a damaged giant in place of the settings file: the sheet shows at
    // once with blank titles and can be used.
    void unusableSettingsLeaveTheTitlesBlank_data() { ProgramFixture::AddUnusableKinds(); }
    void unusableSettingsLeaveTheTitlesBlank()
    {
        QFETCH(QString, kind);
        fixture->MakeUnusable(QStringLiteral("Archivio.ini"), kind);
        Open();
        QVERIFY(Label("titNomeArchivio").isEmpty());
        QVERIFY(Label("titCampo01").isEmpty());
        QVERIFY(messages->shown.isEmpty());
        QCOMPARE(Focused(), Child(screen(), "txtCampo01"));
    }

    void save_data()
    {
        QTest::addColumn<int>("sheets");
        QTest::addColumn<QStringList>("commands"); // clicked before the edit
        QTest::addColumn<int>("source");           // 0: a sheet typed from scratch; n: stored sheet n
        QTest::addColumn<QStringList>("expectedMessages");
        QTest::addColumn<QString>("position");
        QTest::addColumn<int>("sheetsAfter");
        QTest::newRow("new sheet into an empty archive") << 0 << QStringList{} << 0 << QStringList{Inserted} << "1" << 1;
        QTest::newRow("new sheet after three") << 3 << QStringList{} << 0 << QStringList{Inserted} << "4" << 4;
        QTest::newRow("sheet 2 of 3 overwritten in place")
            << 3 << QStringList{"cmdAvanti", "cmdAvanti"} << 2 << QStringList{Modified} << "2" << 3;
        QTest::newRow("duplicate of sheet 2 appended, without attachments")
            << 3 << QStringList{"cmdAvanti", "cmdAvanti", "cmdDuplica"} << 2 << QStringList{Duplicated, Inserted} << "4"
            << 4;
    }
    void save()
    {
        QFETCH(int, sheets);
        QFETCH(QStringList, commands);
        QFETCH(int, source);
        QFETCH(QStringList, expectedMessages);
        QFETCH(QString, position);
        QFETCH(int, sheetsAfter);
        WriteArchive(sheets);
        Open();
        for (const QString& command : commands)
            Click(Child(screen(), command.toLatin1().constData()));
        TSchedaDatabase expected;
        if (source == 0) {
            SetText("txtCampo01", QStringLiteral("Titolo"));
            SetText("txtCliente", QStringLiteral("  Rossi  "));
            expected.Set(F::Campo01, u"Titolo");
            expected.Set(F::Cliente, u"Rossi");
            expected.Set(F::Web, u"https://");
            expected.Set(F::Segnala, MarkNo);
        } else {
            expected = Sheet(source);
            if (commands.contains(QStringLiteral("cmdDuplica"))) {
                expected.Set(F::File01, u"");
                expected.Set(F::Desc01, u"");
            }
        }
        SetText("txtCampo02", QStringLiteral(" Modificato\t"));
        expected.Set(F::Campo02, u"Modificato");

        Click(Child(screen(), "cmdSalva"));
        QCOMPARE(MessageTexts(), expectedMessages);
        for (const ShownMessage& message : messages->shown)
            QCOMPARE(message.kind, MessageKind::Information);
        QCOMPARE(Position(), position);
        QCOMPARE(QFileInfo(ArchivePath()).size(), qint64(sheetsAfter * S));
        const int saved = position.toInt();
        for (int n = 1; n <= sheetsAfter; ++n)
            QCOMPARE(Fields(Stored(n)), Fields(n == saved ? expected : Sheet(n)));
        // The boxes keep what was typed; the file holds the trimmed texts.
        QCOMPARE(Text("txtCampo02"), QStringLiteral(" Modificato\t"));
        // Saving again overwrites what was just saved.
        messages->shown.clear();
        Click(Child(screen(), "cmdSalva"));
        QCOMPARE(MessageTexts(), QStringList{Modified});
        QCOMPARE(Position(), position);
        QCOMPARE(QFileInfo(ArchivePath()).size(), qint64(sheetsAfter * S));
    }

    void saveNeedsTheFirstFieldAndTheName_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("focus");
        QTest::newRow("first field blank")
            << "   " << "Rossi"
            << "Attenzione: per salvare la scheda è necessario compilare il primo campo del database." << "txtCampo01";
        QTest::newRow("name blank")
            << "Titolo" << " \t "
            << "Attenzione: per salvare la scheda è necessario indicare il nome del Cliente associato." << "txtCliente";
    }
    void saveNeedsTheFirstFieldAndTheName()
    {
        QFETCH(QString, first);
        QFETCH(QString, name);
        QFETCH(QString, warning);
        QFETCH(QString, focus);
        Open();
        SetText("txtCampo01", first);
        SetText("txtCliente", name);
        Child(screen(), "txtEmail")->setFocus();
        Click(Child(screen(), "cmdSalva"));
        QCOMPARE(messages->shown.size(), 1);
        QCOMPARE(messages->shown.at(0).kind, MessageKind::Warning);
        QCOMPARE(messages->shown.at(0).text, warning);
        QCOMPARE(Focused(), Child(screen(), focus.toLatin1().constData()));
        QVERIFY(!QFile::exists(ArchivePath()));
        QVERIFY(Position().isEmpty());
    }

    // Each step is "command=position", with "!" when the empty-archive message follows,
    // or "show n" to put stored sheet n on screen as the search tools do.
    void navigation_data()
    {
        QTest::addColumn<int>("sheets");
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("three sheets, from a new sheet")
            << 3
            << QStringList{"cmdAvanti=1", "cmdAvanti=2", "cmdAvanti=3", "cmdAvanti=3", "cmdIndietro=2",
                           "cmdIndietro=1", "cmdIndietro=1", "cmdUltimo=3", "cmdPrimo=1", "cmdNuovo=",
                           "cmdIndietro=1", "cmdUltimo=3", "cmdDuplica=", "cmdAvanti=1"};
        QTest::newRow("empty archive")
            << 0
            << QStringList{"cmdPrimo=!", "cmdUltimo=!", "cmdAvanti=!", "cmdIndietro=!", "show 2", "cmdIndietro=2!",
                           "cmdUltimo=2!", "cmdAvanti=!", "show 1", "cmdIndietro=1", "cmdAvanti=!"};
    }
    void navigation()
    {
        QFETCH(int, sheets);
        QFETCH(QStringList, steps);
        WriteArchive(sheets);
        Open();
        for (const QString& step : steps) {
            messages->shown.clear();
            if (step.startsWith(QStringLiteral("show "))) {
                const int n = step.mid(5).toInt();
                screen()->MostraScheda(Sheet(n), std::size_t(n));
                continue;
            }
            const QStringList parts = step.split(u'=');
            QString expected = parts.at(1);
            const bool saysEmpty = expected.endsWith(u'!');
            expected.remove(u'!');
            SetText("txtCampo03", QStringLiteral("non salvato"));
            Click(Child(screen(), parts.at(0).toLatin1().constData()));
            QVERIFY2(Position() == expected, qPrintable(step + QStringLiteral(": ") + Position()));
            if (saysEmpty)
                QCOMPARE(MessageTexts(), QStringList{EmptyArchive});
            else if (parts.at(0) != QStringLiteral("cmdDuplica"))
                QVERIFY2(messages->shown.isEmpty(), qPrintable(step));
            if (parts.at(0) != QStringLiteral("cmdDuplica") && !saysEmpty && !expected.isEmpty())
                QCOMPARE(Text("txtCampo01"), QStringLiteral("Scheda %1").arg(expected));
        }
    }

    void navigationDropsUnsavedChanges()
    {
        WriteArchive(2);
        Open();
        Click(Child(screen(), "cmdPrimo"));
        SetText("txtCampo02", QStringLiteral("cambiato"));
        Click(Child(screen(), "cmdAvanti"));
        Click(Child(screen(), "cmdIndietro"));
        QCOMPARE(Text("txtCampo02"), QStringLiteral("Secondo 1"));
        QVERIFY(messages->shown.isEmpty());
    }

    void flagFollowsTheStoredMark_data()
    {
        QTest::addColumn<bool>("before");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("after");
        const QString yes = QStringLiteral("Sì");
        QTest::newRow("Sì ticks") << false << yes << true;
        QTest::newRow("Sì keeps ticked") << true << yes << true;
        QTest::newRow("No unticks") << true << "No" << false;
        QTest::newRow("No keeps unticked") << false << "No" << false;
        QTest::newRow("empty leaves ticked") << true << "" << true;
        QTest::newRow("empty leaves unticked") << false << "" << false;
        QTest::newRow("si without accent leaves unticked") << false << "si" << false;
        QTest::newRow("SÌ in capitals leaves unticked") << false << QStringLiteral("SÌ") << false;
        QTest::newRow("no in small letters leaves ticked") << true << "no" << true;
    }
    void flagFollowsTheStoredMark()
    {
        QFETCH(bool, before);
        QFETCH(QString, stored);
        QFETCH(bool, after);
        Open();
        Flag()->setChecked(before);
        TSchedaDatabase sheet = Sheet(1);
        sheet.Set(F::Segnala, T(stored));
        screen()->MostraScheda(sheet, 5);
        QCOMPARE(Flag()->isChecked(), after);
        QCOMPARE(Position(), QStringLiteral("5"));
    }

    void mostraSchedaPutsEveryFieldOnScreenAndNothingElse()
    {
        Open();
        TSchedaDatabase sheet;
        for (const auto& [box, field] : BoxFields())
            sheet.Set(field, T(QStringLiteral(" %1 ").arg(QString::fromLatin1(box).mid(3, 2))));
        sheet.Set(F::ProvRes, u"mi");
        sheet.Set(F::Web, u"");
        for (int i = 0; i < 6; ++i)
            sheet.Set(static_cast<F>(int(F::File01) + i), T(AttachmentLabels.at(i)));
        auto* focus = Child(screen(), "txtCampo05");
        focus->setFocus();
        auto* province = Child<ProvinceBox>(screen(), "txtProvRes");
        province->setCurrentIndex(3);
        const QString status = Child<QLabel>(screen(), "panInfo")->text();

        screen()->MostraScheda(sheet, 12345);
        for (const auto& [box, field] : BoxFields())
            QCOMPARE(Text(box), Q(sheet.Get(field)));
        QVERIFY(Text("txtWeb").isEmpty()); // no "https://" for a stored sheet without a site
        QCOMPARE(Text("txtProvRes"), QStringLiteral("mi"));
        for (int i = 0; i < 6; ++i)
            QCOMPARE(Label(AttachmentLabels.at(i).toLatin1().constData()), AttachmentLabels.at(i));
        QCOMPARE(Position(), QStringLiteral("12345"));
        QCOMPARE(Focused(), focus);
        QCOMPARE(province->currentIndex(), 3);
        QCOMPARE(Child<QLabel>(screen(), "panInfo")->text(), status);
    }

    void newSheetClearsEverything()
    {
        WriteArchive(2);
        Open();
        Click(Child(screen(), "cmdUltimo"));
        Child<ProvinceBox>(screen(), "txtProvRes")->setCurrentIndex(4);
        Click(Child(screen(), "cmdNuovo"));
        for (const auto& [box, field] : BoxFields())
            QCOMPARE(Text(box), field == F::Web ? QStringLiteral("https://") : QString());
        QVERIFY(!Flag()->isChecked());
        for (const QString& label : AttachmentLabels)
            QVERIFY(Label(label.toLatin1().constData()).isEmpty());
        QCOMPARE(Child<ProvinceBox>(screen(), "txtProvRes")->currentIndex(), -1);
        QVERIFY(Position().isEmpty());
        QCOMPARE(Focused(), Child(screen(), "txtCampo01"));
        QVERIFY(messages->shown.isEmpty());
        QCOMPARE(ArchiveBytes(), Bytes(Sheet(1)) + Bytes(Sheet(2)));
    }

    void duplicateOfANewSheetOnlyWarns()
    {
        Open();
        SetText("txtCampo01", QStringLiteral("Titolo"));
        screen()->SetAttachmentTexts({{QStringLiteral("a.pdf"), {}, {}}, {QStringLiteral("A"), {}, {}}});
        Click(Child(screen(), "cmdDuplica"));
        QCOMPARE(messages->shown.size(), 1);
        QCOMPARE(messages->shown.at(0).kind, MessageKind::Warning);
        QCOMPARE(messages->shown.at(0).text,
                 QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa è "
                                "stata inserita in archivio."));
        QCOMPARE(Text("txtCampo01"), QStringLiteral("Titolo"));
        QCOMPARE(Label("lblFile01"), QStringLiteral("a.pdf"));
        QVERIFY(Position().isEmpty());
        QVERIFY(!QFile::exists(ArchivePath()));
    }

    void leavingAndComingBackGivesANewSheetWithFreshTitles()
    {
        WriteArchive(2);
        Open();
        Click(Child(screen(), "cmdUltimo"));
        QVERIFY(Flag()->isChecked());
        fixture->WriteFile(QStringLiteral("Archivio.ini"), "[Nome Campi]\r\nCampo 03=Nuovo titolo\r\n");
        Click(Child(screen(), "cmdEsci"));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmAvvio")});
        Click(Child(fixture->program->Avvio(), "cmdDatabase"));
        QVERIFY(QTest::qWaitForWindowActive(screen()));
        QCOMPARE(Text("txtCampo01"), QString());
        QCOMPARE(Text("txtWeb"), QStringLiteral("https://"));
        QVERIFY(!Flag()->isChecked());
        QVERIFY(Label("lblFile01").isEmpty());
        QVERIFY(Position().isEmpty());
        QCOMPARE(Label("titCampo03"), QStringLiteral("Nuovo titolo"));
        QCOMPARE(Focused(), Child(screen(), "txtCampo01"));
    }

    // A failing archive shows the archive-access error, changes nothing on screen that the
    // user has not been told about, and loses nothing on disk.
    void archiveFailures_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<IoOp>("fault");
        QTest::addColumn<QString>("positionAfter");
        QTest::addColumn<int>("sheetsAfter");
        QTest::newRow("next: read fails") << "cmdAvanti" << IoOp::Read << "1" << 2;
        QTest::newRow("next: short read") << "cmdAvanti" << IoOp::ShortRead << "1" << 2;
        QTest::newRow("last: open fails") << "cmdUltimo" << IoOp::Open << "1" << 2;
        QTest::newRow("last: close fails after reading") << "cmdUltimo" << IoOp::Close << "1" << 2;
        QTest::newRow("save: open fails") << "cmdSalva" << IoOp::Open << "1" << 2;
        QTest::newRow("save: write fails") << "cmdSalva" << IoOp::Write << "1" << 2;
        QTest::newRow("save: close fails after writing") << "cmdSalva" << IoOp::Close << "1" << 2;
        QTest::newRow("duplicate: open fails") << "cmdDuplica" << IoOp::Open << "" << 2;
    }
    void archiveFailures()
    {
        QFETCH(QString, command);
        QFETCH(IoOp, fault);
        QFETCH(QString, positionAfter);
        QFETCH(int, sheetsAfter);
        WriteArchive(2);
        Open();
        Click(Child(screen(), "cmdPrimo"));
        SetText("txtCampo02", QStringLiteral("in corso"));
        const QByteArray before = ArchiveBytes();

        IoFaults::FailNext(fault);
        Click(Child(screen(), command.toLatin1().constData()));
        IoFaults::Reset();

        QCOMPARE(messages->shown.size(), 1);
        QCOMPARE(messages->shown.at(0).kind, MessageKind::Error);
        QCOMPARE(messages->shown.at(0).text, ArchiveAccess);
        QCOMPARE(Position(), positionAfter);
        QCOMPARE(Text("txtCampo01"), QStringLiteral("Scheda 1"));
        QCOMPARE(Text("txtCampo02"), QStringLiteral("in corso"));
        QCOMPARE(ArchiveBytes().size(), qsizetype(sheetsAfter * S));
        if (command == QStringLiteral("cmdSalva") && fault == IoOp::Close)
            QCOMPARE(Q(Stored(1).Get(F::Campo02)), QStringLiteral("in corso")); // written before the failure
        else
            QCOMPARE(ArchiveBytes(), before);
        QCOMPARE(Label("lblFile01").isEmpty(), command == QStringLiteral("cmdDuplica"));
    }

    void saveOfANewSheetThatFailsAfterWritingShowsItsPosition()
    {
        WriteArchive(2);
        Open();
        SetText("txtCampo01", QStringLiteral("Titolo"));
        SetText("txtCliente", QStringLiteral("Rossi"));
        IoFaults::FailNext(IoOp::Close);
        Click(Child(screen(), "cmdSalva"));
        IoFaults::Reset();
        QCOMPARE(MessageTexts(), QStringList{ArchiveAccess});
        QCOMPARE(Position(), QStringLiteral("3"));
        QCOMPARE(Q(Stored(3).Get(F::Campo01)), QStringLiteral("Titolo"));
    }

    void enterChainAndTabOrder_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("order");
        QStringList boxes;
        for (int i = 1; i <= 14; ++i)
            boxes << QStringLiteral("txtCampo%1").arg(i, 2, 10, QLatin1Char('0'));
        const QStringList contact{"txtCliente", "txtIndirizzoRes", "txtComuneRes", "txtProvRes",
                                  "txtEmail", "txtRecapito", "txtCodFisc", "txtPartitaIva"};
        QTest::newRow("Enter") << int(Qt::Key_Return)
                               << boxes + contact + QStringList{"txtGoogle", "txtWeb", "txtCampo01"};
        QTest::newRow("Tab") << int(Qt::Key_Tab)
                             << boxes + QStringList{"chkSegnala"} + contact
                                    + QStringList{"txtGoogle", "btnGoogle", "txtWeb", "btnVai", "txtCampo01"};
    }
    void enterChainAndTabOrder()
    {
        QFETCH(int, key);
        QFETCH(QStringList, order);
        Open();
        QCOMPARE(Focused(), Child(screen(), "txtCampo01"));
        QStringList visited{QStringLiteral("txtCampo01")};
        for (int i = 1; i < order.size(); ++i) {
            if (key == Qt::Key_Tab && Focused() == Child(screen(), "txtPartitaIva")) {
                // The digits-only box swallows Tab like any other key that is not a digit;
                // the focus moves on as the tab order says when the user clicks on.
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(Focused(), Child(screen(), "txtPartitaIva"));
                QWidget* next = QApplication::focusWidget()->nextInFocusChain();
                while (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisible())
                    next = next->nextInFocusChain();
                next->setFocus(Qt::TabFocusReason);
            } else {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
            }
            visited.append(Focused() ? Focused()->objectName() : QString());
        }
        QCOMPARE(visited, order);
        // Only the box with the focus shows its frame.
        QCOMPARE(Child(screen(), "effCampo01")->isVisible(), true);
        QCOMPARE(Child(screen(), "effWeb")->isVisible(), false);
    }

    void boxesAcceptAtMostTheirFieldWidth()
    {
        Open();
        for (const auto& [box, field] : BoxFields()) {
            QWidget* widget = Child(screen(), box);
            QLineEdit* edit = qobject_cast<QLineEdit*>(widget);
            if (auto* province = qobject_cast<ProvinceBox*>(widget))
                edit = province->lineEdit();
            QCOMPARE(edit->maxLength(), int(TSchedaDatabase::FieldSpecOf(field).width));
            QVERIFY(Child(screen(), (QStringLiteral("eff") + QString::fromLatin1(box).mid(3)).toLatin1().constData()));
        }
    }

    void webSiteCommand_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("opened"); // empty: nothing
        QTest::newRow("web address") << "https://www.example.it/pagina" << "https://www.example.it/pagina";
        QTest::newRow("without scheme, as http") << " www.example.it " << "http://www.example.it";
        QTest::newRow("bare default") << "https://" << "";
        QTest::newRow("local program") << "C:\\Windows\\System32\\calc.exe" << "";
        QTest::newRow("local file address") << "file:///etc/passwd" << "";
    }
    void webSiteCommand()
    {
        QFETCH(QString, typed);
        QFETCH(QString, opened);
        OpenedUrls urls;
        Open();
        SetText("txtWeb", typed);
        Click(Child(screen(), "btnVai"));
        QVERIFY(messages->shown.isEmpty());
        QCOMPARE(urls.urls.size(), opened.isEmpty() ? 0 : 1);
        if (!opened.isEmpty())
            QCOMPARE(urls.urls.at(0), QUrl(opened));
        QCOMPARE(Text("txtWeb"), typed);
    }

    void webSiteCommandWithAnEmptyBoxWarnsAndOffersHttp()
    {
        OpenedUrls urls;
        Open();
        SetText("txtWeb", QStringLiteral("   "));
        Click(Child(screen(), "btnVai"));
        QCOMPARE(messages->shown.size(), 1);
        QCOMPARE(messages->shown.at(0).kind, MessageKind::Warning);
        QCOMPARE(messages->shown.at(0).text,
                 QStringLiteral("Attenzione: per aprire il sito Web è necessario indicare il suo Indirizzo."));
        QCOMPARE(Text("txtWeb"), QStringLiteral("http://"));
        QCOMPARE(Focused(), Child(screen(), "txtWeb"));
        QVERIFY(urls.urls.isEmpty());
    }

    void webSearch()
    {
        OpenedUrls urls;
        Open();
        Click(Child(screen(), "btnGoogle"));
        QCOMPARE(MessageTexts(), QStringList{QStringLiteral("Attenzione: prima di avviare Google, indicare una chiave di "
                                                            "ricerca nell'apposito campo.")});
        QCOMPARE(messages->shown.at(0).kind, MessageKind::Warning);
        QCOMPARE(Focused(), Child(screen(), "txtGoogle"));
        QVERIFY(urls.urls.isEmpty());

        SetText("txtGoogle", QStringLiteral(" nome rosa "));
        Click(Child(screen(), "btnGoogle"));
        QCOMPARE(urls.urls.size(), 1);
        const QUrl url = urls.urls.at(0);
        QCOMPARE(url.scheme(), QStringLiteral("http"));
        QCOMPARE(url.host(), QStringLiteral("www.google.it"));
        QCOMPARE(url.path(), QStringLiteral("/search"));
        QCOMPARE(url.query(QUrl::FullyDecoded), QStringLiteral("q=nome rosa"));
    }

    void mailCommand_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("opened");
        QTest::newRow("address") << " mario.rossi@example.it " << "mailto:mario.rossi@example.it";
        QTest::newRow("empty box: a message without recipient") << "" << "mailto:";
    }
    void mailCommand()
    {
        QFETCH(QString, address);
        QFETCH(QString, opened);
        OpenedUrls urls;
        Open();
        SetText("txtEmail", address);
        Click(Child(screen(), "sndMail"));
        QCOMPARE(urls.urls, QList<QUrl>{QUrl(opened)});
    }

    void checkers_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("prefilled");
        QTest::newRow("empty fiscal code") << "btnCodFisc" << "" << "TfrmCodFisc" << "txtCodFisc" << "";
        QTest::newRow("fiscal code in capitals") << "btnCodFisc" << "rssmra80a01h501u" << "TfrmCodFisc" << "txtCodFisc"
                                                 << "RSSMRA80A01H501U";
        QTest::newRow("eleven digits go to the VAT check") << "btnCodFisc" << "01234567890" << "TfrmPartitaIva"
                                                           << "txtPartitaIva" << "01234567890";
        QTest::newRow("VAT number") << "btnPartitaIva" << "01234567890" << "TfrmPartitaIva" << "txtPartitaIva"
                                    << "01234567890";
        QTest::newRow("empty VAT number") << "btnPartitaIva" << "" << "TfrmPartitaIva" << "txtPartitaIva" << "";
    }
    void checkers()
    {
        QFETCH(QString, command);
        QFETCH(QString, typed);
        QFETCH(QString, tool);
        QFETCH(QString, box);
        QFETCH(QString, prefilled);
        Open();
        QWidget* field = Child(screen(), command == QStringLiteral("btnCodFisc") ? "txtCodFisc" : "txtPartitaIva");
        field->setFocus();
        QTest::keyClicks(field, typed);
        QString opened;
        QString received;
        WhenModal([&](QWidget* modal) {
            opened = QString::fromLatin1(modal->metaObject()->className());
            if (auto* input = Child<QLineEdit>(modal, box.toLatin1().constData()))
                received = input->text();
            Click(Child<QPushButton>(modal, "btnChiudi"));
        });
        Click(Child(screen(), command.toLatin1().constData()));
        QCOMPARE(opened, tool);
        QCOMPARE(received, prefilled);
    }

    void toolsOpenFreshOverTheScreen_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("mode"); // what the tool's lblMemory must hold, if it has one
        QTest::addColumn<QString>("closer");
        QTest::newRow("search") << "cmdTrova" << "TfrmTrovaDatabase" << "database" << "btnAnnulla";
        QTest::newRow("flagged list") << "cmdSegnalati" << "TfrmSegnalati" << "" << "btnChiudi";
        QTest::newRow("export") << "cmdEsporta" << "TfrmExpDatabase" << "" << "cmdEsci";
        QTest::newRow("attachments") << "cmdFile" << "TfrmAllegaCartella" << "database" << "btnAnnulla";
    }
    void toolsOpenFreshOverTheScreen()
    {
        QFETCH(QString, command);
        QFETCH(QString, tool);
        QFETCH(QString, mode);
        QFETCH(QString, closer);
        Open();
        QString opened;
        QString memory;
        QPointer<QWidget> instance;
        WhenModal([&](QWidget* modal) {
            instance = modal;
            opened = QString::fromLatin1(modal->metaObject()->className());
            QCOMPARE(modal->parentWidget(), screen());
            if (auto* label = modal->findChild<QLabel*>(QStringLiteral("lblMemory")))
                memory = label->text();
            else
                memory = mode; // a tool that serves only this screen needs no mode
            Click(Child(modal, closer.toLatin1().constData()));
        });
        Click(Child(screen(), command.toLatin1().constData()));
        QCOMPARE(opened, tool);
        QCOMPARE(memory, mode);
        QVERIFY(instance.isNull());
        QVERIFY(screen()->isVisible());
    }

    void attachmentsGoToTheToolAndComeBackIntoTheSheet()
    {
        WriteArchive(1);
        Open();
        Click(Child(screen(), "cmdPrimo"));
        fixture->WriteFile(QStringLiteral("uno.pdf"), "1");
        fixture->WriteFile(QStringLiteral("due.doc"), "2");
        FileDialogRecorder dialogs;
        dialogs.next = {fixture->Path(QStringLiteral("uno.pdf")), fixture->Path(QStringLiteral("due.doc"))};
        QStringList received;
        WhenModal([&](QWidget* modal) {
            for (const char* box : {"txtFile01", "txtDesc01", "txtFile02", "txtDesc02", "txtFile03", "txtDesc03"})
                received.append(Child<QLineEdit>(modal, box)->text());
            Click(Child<QPushButton>(modal, "btnSfoglia01"));
            Click(Child<QPushButton>(modal, "btnSfoglia02"));
            auto* desc01 = Child<QLineEdit>(modal, "txtDesc01");
            desc01->selectAll();
            QTest::keyClicks(desc01, QStringLiteral("Primo "));
            QTest::keyClicks(Child<QLineEdit>(modal, "txtDesc03"), QStringLiteral("terzo senza file"));
            Click(Child<QPushButton>(modal, "btnApplica"));
        });
        Click(Child(screen(), "cmdFile"));
        QCOMPARE(received, (QStringList{"documento 1.pdf", "Allegato della scheda 1", "", "", "", ""}));
        QCOMPARE(Label("lblFile01"), QStringLiteral("uno.pdf"));
        QCOMPARE(Label("lblDesc01"), QStringLiteral("Primo"));
        Click(Child(screen(), "cmdSalva"));
        const TSchedaDatabase stored = Stored(1);
        QCOMPARE(Q(stored.Get(F::File01)), QStringLiteral("uno.pdf"));
        QCOMPARE(Q(stored.Get(F::File02)), QStringLiteral("due.doc"));
        QCOMPARE(Q(stored.Get(F::File03)), QString());
        QCOMPARE(Q(stored.Get(F::Desc01)), QStringLiteral("Primo"));
        QCOMPARE(Q(stored.Get(F::Desc03)), QStringLiteral("terzo senza file"));
    }

    void importingAClientFillsOnlyTheContactBoxes()
    {
        Open();
        SetText("txtCampo01", QStringLiteral("Titolo"));
        SetText("txtGoogle", QStringLiteral("chiave"));
        TSchedaCliente client;
        const QList<QPair<ClientField, const char*>> contact{
            {ClientField::Cliente, "txtCliente"}, {ClientField::IndirizzoRes, "txtIndirizzoRes"},
            {ClientField::ComuneRes, "txtComuneRes"}, {ClientField::ProvRes, "txtProvRes"},
            {ClientField::Email, "txtEmail"}, {ClientField::Recapito, "txtRecapito"},
            {ClientField::CodFisc, "txtCodFisc"}, {ClientField::PartitaIva, "txtPartitaIva"}};
        for (const auto& [field, box] : contact)
            client.Set(field, T(QStringLiteral(" %1 ").arg(QString::fromLatin1(box).mid(3, 2))));
        client.Set(ClientField::Note, u"non importata");
        screen()->ImportaCliente(client);
        for (const auto& [field, box] : contact)
            QCOMPARE(Text(box), QString::fromLatin1(box).mid(3, 2));
        QCOMPARE(Text("txtCampo01"), QStringLiteral("Titolo"));
        QCOMPARE(Text("txtGoogle"), QStringLiteral("chiave"));
        QCOMPARE(Text("txtWeb"), QStringLiteral("https://"));
        QVERIFY(Position().isEmpty());
    }

    void guideExplainsTheScreenInNineParagraphs()
    {
        Open();
        QString title;
        QString text;
        WhenModal([&](QWidget* modal) {
            QCOMPARE(modal->metaObject()->className(), "TfrmGuida");
            title = Child<QLabel>(modal, "lblTitolo")->text();
            text = Child<QPlainTextEdit>(modal, "txtGuida")->toPlainText();
            Click(Child<QPushButton>(modal, "btnChiudi"));
        });
        Click(Child(screen(), "cmdGuida"));
        QCOMPARE(title, QStringLiteral("Gestione Database."));
        const QString opening = QStringLiteral("Premendo il pulsante Database nella schermata di partenza del "
                                               "software, si entrerà nell'ambiente di lavoro in cui gestire le schede.");
        QVERIFY(text.startsWith(opening));
        const QStringList paragraphs = DatabaseHelpText().split(QStringLiteral("\r\n\r\n"));
        QCOMPARE(paragraphs.size(), 9);
        for (const QString& paragraph : paragraphs) {
            QVERIFY2(!paragraph.contains(u'\n') && !paragraph.contains(u'\r'), qPrintable(paragraph));
            QVERIFY2(paragraph.endsWith(u'.') && paragraph == paragraph.trimmed(), qPrintable(paragraph));
            QVERIFY2(!paragraph.contains(QStringLiteral("  ")), qPrintable(paragraph));
        }
        // The topics, one paragraph each, in their order.
        const QStringList topics{"Premendo", "quattordici campi", "nuova scheda", "Trova", "Allega file",
                                 "Duplica", "Segnala", "Esporta", "copia di sicurezza"};
        for (int i = 0; i < 9; ++i)
            QVERIFY2(paragraphs.at(i).contains(topics.at(i)), qPrintable(topics.at(i)));
    }

    void hoverTexts_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        const QList<QPair<const char*, const char*>> rows{
            {"cmdNuovo", "Prepara la schermata per la registrazione di una nuova scheda."},
            {"cmdDuplica", "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti."},
            {"cmdSalva", "Salva la scheda corrente in archivio."},
            {"cmdTrova", "Trova una scheda in archivio."},
            {"cmdFile", "Allega file alla scheda corrente."},
            {"cmdAnteprima", "Visualizza l'anteprima di stampa."},
            {"cmdStampa", "Stampa la scheda corrente."},
            {"cmdSegnalati", "Visualizza il riepilogo dei record segnalati."},
            {"cmdPrimo", "Visualizza la prima scheda in archivio."},
            {"cmdIndietro", "Visualizza la scheda precedente in archivio."},
            {"cmdAvanti", "Visualizza la scheda successiva in archivio."},
            {"cmdUltimo", "Visualizza l'ultima scheda in archivio."},
            {"cmdEsporta", "Esporta le schede in archivio in un file di Microsoft Excel."},
            {"cmdGuida", "Visualizza la guida in linea."},
            {"cmdEsci", "Esci dalla schermata di lavoro corrente."},
            {"chkSegnala", "Aggiungi la scheda corrente all'elenco dei record segnalati."},
            {"impCliente", "Importa i dati dall'archivio anagrafico dei Clienti."},
            {"sndMail", "Invia una e-mail all'indirizzo indicato."},
            {"btnCodFisc", "Controlla il codice fiscale."},
            {"btnPartitaIva", "Controlla il numero di partita IVA."},
            {"btnGoogle", "Cerca con Google utilizzando le chiavi di ricerca indicate nel campo di testo."},
            {"btnVai", "Vai al sito Internet indicato."},
        };
        for (const auto& [control, text] : rows)
            QTest::newRow(control) << control << QString::fromUtf8(text);
    }
    void hoverTexts()
    {
        QFETCH(QString, control);
        QFETCH(QString, text);
        Open();
        auto* line = Child<QLabel>(screen(), "panInfo");
        // The mouse enters the control (sent directly: the test screen is smaller than the design).
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(Child(screen(), control.toLatin1().constData()), &enter);
        QCOMPARE(line->text(), text);
        QTest::mouseMove(Child(screen(), "txtCampo01")); // a box leaves the text
        QCOMPARE(line->text(), text);
        QTest::mouseMove(Child(screen(), "shpSezione01"), QPoint(40, 140)); // the background empties it
        QCOMPARE(line->text(), QString());
    }
};

QTEST_MAIN(TstSheetScreen)
#include "tst_sheetscreen.moc"
