// The attachments screen: what the sheet hands over, picking and copying files with the
// overwrite question, opening them safely, clearing a slot, and what goes back to the sheet.

#include "support/FileDialogRecorder.h"
#include "support/ScreenTest.h"
#include "support/StandardErrorCapture.h"

#include "kit/SheetScreen.h"
#include "attachments/TfrmAllegaCartella.h"
#include "clients/TfrmClienti.h"
#include "database/TfrmDatabase.h"
#include "kit/Failures.h"
#include "storage/IoFaults.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <sys/mount.h>
#include <sys/stat.h>

Q_DECLARE_METATYPE(attachments::CopyStep)

namespace {

const QString OverwriteQuestion = QStringLiteral(
    "Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome.\r\n\r\n"
    "Si vuole sovrascrivere il file esistente?");

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void SetMode(const QString& path, mode_t mode)
{
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

uint Mode(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? uint(info.st_mode & 07777) : 0u;
}

// A disk of 64 KiB mounted on a folder while it lives, to fill it up (we are root).
class SmallDisk {
public:
    explicit SmallDisk(const QString& folder) : m_folder(QFile::encodeName(folder))
    {
        QDir().mkpath(folder);
        m_mounted = ::mount("tmpfs", m_folder.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(m_folder.constData(), MNT_DETACH);
    }
    bool Mounted() const { return m_mounted; }

private:
    QByteArray m_folder;
    bool m_mounted = false;
};

QLineEdit* Box(QWidget* tool, const char* name) { return Child<QLineEdit>(tool, name); }
QPushButton* Button(QWidget* tool, const char* name) { return Child<QPushButton>(tool, name); }

} // namespace

class TestAllegaCartella : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;
    SheetScreen* database() { return fixture->program->Database(); }
    SheetScreen* clienti() { return fixture->program->Clienti(); }
    QString Attachments() const { return fixture->Path(QStringLiteral("Documenti_Allegati")); }
    QString Attached(const QString& name) const { return Attachments() + u'/' + name; }
    // A file elsewhere on the disk that the user can pick.
    QString Outside(const QString& name, const QByteArray& bytes)
    {
        QDir().mkpath(fixture->Path(QStringLiteral("Scrivania")));
        const QString path = fixture->Path(QStringLiteral("Scrivania/") + name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return path;
    }
    void PutInFolder(const QString& name, const QByteArray& bytes)
    {
        QDir().mkpath(Attachments());
        QFile file(Attached(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // Opens the tool for the sheet screen of `mode` with the sheet's six texts, runs `act` on
    // it and presses "Annulla" if `act` left it open. Returns whether it was left open.
    bool Use(const QString& mode, const QStringList& texts, std::function<void(QWidget*)> act)
    {
        bool leftOpen = false;
        WhenModal([&](QWidget* tool) {
            act(tool);
            leftOpen = tool->isVisible();
            if (tool->isVisible())
                Click(Button(tool, "btnAnnulla"));
        });
        SheetScreen* sheet = mode == QLatin1String("clienti") ? clienti() : database();
        sheet->SetAttachmentTexts(AttachmentTexts::FromList(texts));
        if (QWidget* command = sheet->findChild<QWidget*>(QStringLiteral("cmdFile")))
            Click(command);
        else // a sheet screen whose command bar is not built yet
            OpenTool<TfrmAllegaCartella>(*sheet);
        return leftOpen;
    }

private slots:
    void init() { fixture.Start(ScreenTestFixture::Recording::None); }
    void cleanup() { fixture.Stop(); }

    void shapeAndTabOrder()
    {
        QString caption;
        QSize size;
        QStringList texts, tabOrder;
        bool memoryHidden = false;
        Use(QStringLiteral("database"), {}, [&](QWidget* tool) {
            caption = tool->windowTitle();
            size = tool->size();
            for (const char* name : {"btnSfoglia01", "btnApri02", "btnApplica", "btnAnnulla"})
                texts << Button(tool, name)->text();
            for (const char* name : {"titFile01", "titDesc03"})
                texts << Child<QLabel>(tool, name)->text();
            memoryHidden = Child<QLabel>(tool, "lblMemory")->isHidden();
            QWidget* w = Box(tool, "txtFile01");
            for (int i = 0; i < 15; ++i) {
                tabOrder << w->objectName();
                do
                    w = w->nextInFocusChain();
                while (!(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled());
            }
        });
        QCOMPARE(caption, QStringLiteral(" Allega file"));
        QCOMPARE(size, QSize(634, 534));
        QCOMPARE(texts, (QStringList{"Sfoglia...", "Apri", "Applica e chiudi", "Annulla", "Nome 1° file allegato:",
                                     "Descrizione 3° file allegato:"}));
        QVERIFY(memoryHidden);
        // Disabled "Apri" buttons are skipped by Tab.
        QCOMPARE(tabOrder, (QStringList{"txtFile01", "btnSfoglia01", "txtDesc01", "txtFile02", "btnSfoglia02",
                                        "txtDesc02", "txtFile03", "btnSfoglia03", "txtDesc03", "btnApplica",
                                        "btnAnnulla", "txtFile01", "btnSfoglia01", "txtDesc01", "txtFile02"}));
    }

    void theSheetsTextsArriveTrimmedAndApriFollowsTheNames()
    {
        QStringList shown;
        QString memory;
        QList<bool> apri;
        bool readOnly = false;
        Use(QStringLiteral("clienti"), {" Contratto.pdf ", " firmato ", "", "solo descrizione", "", ""}, [&](QWidget* tool) {
            for (const char* name : {"txtFile01", "txtDesc01", "txtFile02", "txtDesc02", "txtFile03", "txtDesc03"})
                shown << Box(tool, name)->text();
            memory = Child<QLabel>(tool, "lblMemory")->text();
            for (const char* name : {"btnApri01", "btnApri02", "btnApri03"})
                apri << Button(tool, name)->isEnabled();
            readOnly = Box(tool, "txtFile01")->isReadOnly();
        });
        QCOMPARE(shown, (QStringList{"Contratto.pdf", "firmato", "", "solo descrizione", "", ""}));
        QCOMPARE(memory, QStringLiteral("clienti"));
        QCOMPARE(apri, (QList<bool>{true, false, false}));
        QVERIFY(readOnly);
    }

    void browseCancelledChangesNothing()
    {
        MessageRecorder messages;
        FileDialogRecorder dialogs;
        QString shown;
        Use(QStringLiteral("database"), {"a.pdf"}, [&](QWidget* tool) {
            Click(Button(tool, "btnSfoglia01"));
            shown = Box(tool, "txtFile01")->text();
        });
        QCOMPARE(dialogs.asked.size(), 1);
        QCOMPARE(dialogs.asked.at(0).title, QStringLiteral("Selezionare il file da allegare:"));
        QCOMPARE(dialogs.asked.at(0).filter, QStringLiteral("Tutti i file (*)"));
        QCOMPARE(shown, QStringLiteral("a.pdf"));
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(!QDir(Attachments()).exists());
    }

    void browseCopiesThePickedFileUnderItsBareName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "Preventivo.pdf";
        QTest::newRow("blanks and accents") << "Perizia dell'unità immobiliare.docx";
        QTest::newRow("several dots") << "foto.2024.06.01.jpeg";
        QTest::newRow("no extension") << "LEGGIMI";
    }
    void browseCopiesThePickedFileUnderItsBareName()
    {
        QFETCH(QString, name);
        MessageRecorder messages;
        FileDialogRecorder dialogs;
        dialogs.next << Outside(name, "contenuto " + name.toUtf8());
        QString shown;
        bool apri = false;
        Use(QStringLiteral("database"), {}, [&](QWidget* tool) {
            Click(Button(tool, "btnSfoglia02"));
            shown = Box(tool, "txtFile02")->text();
            apri = Button(tool, "btnApri02")->isEnabled();
        });
        QCOMPARE(shown, name);
        QVERIFY(apri);
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(Entries(Attachments()), QStringList{name});
        QCOMPARE(Read(Attached(name)), "contenuto " + name.toUtf8());
    }

    // A name the sheet's field could not keep as it is would be stored as another name than
    // the copy's; a name that cannot be a file of the folder cannot be copied. Either is
    // refused with a message, on both sheets, and nothing is copied.
    void namesTheSheetCannotKeepAreRefused_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("unusable");
        QTest::newRow("Hungarian letters") << "database" << QStringLiteral("Gödöllő.pdf") << false;
        QTest::newRow("Japanese") << "clienti" << QStringLiteral("日本.pdf") << false;
        QTest::newRow("emoji") << "clienti" << QStringLiteral("foto \U0001F600.jpg") << false;
        QTest::newRow("longer than the field") << "database" << QString(251, u'a') << false;
        QTest::newRow("a backslash") << "clienti" << QStringLiteral("a\\b.pdf") << true;
        QTest::newRow("a drive") << "database" << QStringLiteral("C:b.pdf") << true;
    }
    void namesTheSheetCannotKeepAreRefused()
    {
        QFETCH(QString, mode);
        QFETCH(QString, name);
        QFETCH(bool, unusable);
        MessageRecorder messages;
        FileDialogRecorder dialogs;
        dialogs.next << Outside(name, "contenuto");
        QString shown;
        Use(mode, {}, [&](QWidget* tool) {
            Click(Button(tool, "btnSfoglia01"));
            shown = Box(tool, "txtFile01")->text();
        });
        QVERIFY(shown.isEmpty());
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown.at(0).kind, MessageKind::Warning);
        QCOMPARE(messages.shown.at(0).text,
                 unusable ? TfrmAllegaCartella::UnusableNameText() : TfrmAllegaCartella::UnstorableNameText());
        QVERIFY(Entries(Attachments()).isEmpty());
    }

    // The picked name is trimmed before anything: the copy bears the name the sheet stores,
    // the question is asked about it, and "Apri" opens the picked document.
    void thePickedNameIsTrimmedBeforeAnything_data()
    {
        QTest::addColumn<QString>("picked");
        QTest::addColumn<bool>("anotherSheetsReport");
        QTest::addColumn<QString>("attached");
        QTest::newRow("trailing blank") << "report.pdf " << false << "report.pdf";
        QTest::newRow("blanks and a tab around") << "\t report.pdf  " << false << "report.pdf";
        QTest::newRow("trailing blank, another sheet's report.pdf in the folder")
            << "report.pdf " << true << "report (2).pdf";
    }
    void thePickedNameIsTrimmedBeforeAnything()
    {
        QFETCH(QString, picked);
        QFETCH(bool, anotherSheetsReport);
        QFETCH(QString, attached);
        if (anotherSheetsReport)
            PutInFolder(QStringLiteral("report.pdf"), "la perizia di un'altra pratica");
        MessageRecorder messages;
        messages.answer = QMessageBox::No;
        FileDialogRecorder dialogs;
        dialogs.next << Outside(picked, "il rapporto di questa pratica");
        OpenedUrls opened;
        QString shown;
        Use(QStringLiteral("database"), {}, [&](QWidget* tool) {
            Click(Button(tool, "btnSfoglia01"));
            shown = Box(tool, "txtFile01")->text();
            Click(Button(tool, "btnApri01"));
            Click(Button(tool, "btnApplica"));
        });
        QCOMPARE(shown, attached);
        QCOMPARE(database()->Attachments().ToList().at(0), attached);
        QCOMPARE(opened.urls, QList<QUrl>{QUrl::fromLocalFile(Attached(attached))});
        QCOMPARE(Read(Attached(attached)), QByteArray("il rapporto di questa pratica"));
        QCOMPARE(messages.shown.size(), anotherSheetsReport ? 1 : 0);
        if (anotherSheetsReport) {
            QCOMPARE(messages.shown.at(0).text, OverwriteQuestion);
            QCOMPARE(Read(Attached(QStringLiteral("report.pdf"))), QByteArray("la perizia di un'altra pratica"));
        }
        QStringList expected{attached};
        if (anotherSheetsReport)
            expected << QStringLiteral("report.pdf");
        expected.sort();
        QCOMPARE(Entries(Attachments()), expected);
    }

    // Yes replaces the folder's copy (for every sheet that attaches that name) and keeps its
    // rights. No keeps it: the sheet shares it when it is the same document, and otherwise
    // gets a copy of its own under the first free numbered name.
    void aNameAlreadyInTheFolderAsksBeforeOverwriting_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("picked");
        QTest::addColumn<QStringList>("inFolder"); // each holds "vecchio"
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("attached");
        const QStringList listino{"Listino.xls"};
        QTest::newRow("yes replaces the copy") << "Listino.xls" << QByteArray("nuovo") << listino << true << "Listino.xls";
        QTest::newRow("no, the same document is shared")
            << "Listino.xls" << QByteArray("vecchio") << listino << false << "Listino.xls";
        QTest::newRow("no, another document gets (2)")
            << "Listino.xls" << QByteArray("nuovo") << listino << false << "Listino (2).xls";
        QTest::newRow("no, (2) is taken too: (3)") << "Listino.xls" << QByteArray("nuovo")
                                                   << QStringList{"Listino.xls", "Listino (2).xls"} << false
                                                   << "Listino (3).xls";
        QTest::newRow("no, a name without a dot")
            << "LEGGIMI" << QByteArray("nuovo") << QStringList{"LEGGIMI"} << false << "LEGGIMI (2)";
        QTest::newRow("no, the number goes before the last dot")
            << "foto.2024.jpeg" << QByteArray("nuovo") << QStringList{"foto.2024.jpeg"} << false
            << "foto.2024 (2).jpeg";
        QTest::newRow("no, a name with a leading dot only")
            << ".profilo" << QByteArray("nuovo") << QStringList{".profilo"} << false << ".profilo (2)";
    }
    void aNameAlreadyInTheFolderAsksBeforeOverwriting()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, picked);
        QFETCH(QStringList, inFolder);
        QFETCH(bool, yes);
        QFETCH(QString, attached);
        for (const QString& kept : inFolder)
            PutInFolder(kept, "vecchio");
        SetMode(Attached(name), 0640);
        MessageRecorder messages;
        messages.answer = yes ? QMessageBox::Yes : QMessageBox::No;
        FileDialogRecorder dialogs;
        dialogs.next << Outside(name, picked);
        QString shown;
        bool apri = false;
        Use(QStringLiteral("database"), {"", "", "", "", "prima.pdf", ""}, [&](QWidget* tool) {
            Click(Button(tool, "btnSfoglia03"));
            shown = Box(tool, "txtFile03")->text();
            apri = Button(tool, "btnApri03")->isEnabled();
        });
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown.at(0).kind, MessageKind::Confirmation);
        QCOMPARE(messages.shown.at(0).text, OverwriteQuestion);
        QCOMPARE(shown, attached);
        QVERIFY(apri);
        QCOMPARE(Read(Attached(attached)), picked);
        QCOMPARE(Read(Attached(name)), yes ? picked : QByteArray("vecchio"));
        QCOMPARE(Mode(Attached(name)), 0640u);
        QStringList expected = inFolder;
        if (!inFolder.contains(attached))
            expected << attached;
        expected.sort();
        QCOMPARE(Entries(Attachments()), expected);
    }

    // A copy with no write bit set is kept even from root, whom the system would let replace
    // it: Yes is refused with a warning and the box keeps what it held.
    void aReadOnlyCopyIsNotReplacedByYes()
    {
        PutInFolder(QStringLiteral("Listino.xls"), "vecchio");
        SetMode(Attached(QStringLiteral("Listino.xls")), 0444);
        StandardErrorCapture standardError;
        MessageRecorder messages;
        messages.answer = QMessageBox::Yes;
        FileDialogRecorder dialogs;
        dialogs.next << Outside(QStringLiteral("Listino.xls"), "nuovo");
        QString shown;
        Use(QStringLiteral("database"), {"prima.pdf"}, [&](QWidget* tool) {
            Click(Button(tool, "btnSfoglia01"));
            shown = Box(tool, "txtFile01")->text();
        });
        QCOMPARE(shown, QStringLiteral("prima.pdf"));
        QCOMPARE(messages.shown.size(), 2);
        QCOMPARE(messages.shown.at(0).text, OverwriteQuestion);
        QCOMPARE(messages.shown.at(1).kind, MessageKind::Warning);
        QCOMPARE(messages.shown.at(1).text, TfrmAllegaCartella::CopyFailedText(attachments::CopyStep::Existing));
        QVERIFY(messages.shown.at(1).text.startsWith(QStringLiteral("Attenzione: ")));
        QCOMPARE(standardError.Text(), QStringLiteral("Velorbis 4.0: replace ") + Attached(QStringLiteral("Listino.xls"))
                                           + QStringLiteral(": the file is marked read-only\n"));
        QCOMPARE(Read(Attached(QStringLiteral("Listino.xls"))), QByteArray("vecchio"));
        QCOMPARE(Mode(Attached(QStringLiteral("Listino.xls"))), 0444u);
        QCOMPARE(Entries(Attachments()), QStringList{"Listino.xls"});
    }

    // A copy that fails is said, with the system's reason on standard error, and the box keeps
    // what it held before Browse: the sheet never names a file that is not in the folder.
    void aFailedCopyIsSaidAndTheBoxKeepsItsName_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<attachments::CopyStep>("step");
        QTest::addColumn<bool>("diskFull");
        QTest::addColumn<QString>("operation"); // what standard error says failed, on which file
        QTest::addColumn<QString>("file");      // of the program folder
        using attachments::CopyStep;
        QTest::newRow("the folder's path is a plain file")
            << "plain file" << CopyStep::Folder << false << "create folder" << "Documenti_Allegati";
        QTest::newRow("the picked file is gone")
            << "gone" << CopyStep::Source << false << "open" << "Scrivania/video.mp4";
        QTest::newRow("a write fails halfway")
            << "write fault" << CopyStep::Write << false << "write beside" << "Documenti_Allegati/video.mp4";
        QTest::newRow("the disk is full")
            << "disk full" << CopyStep::Write << true << "write beside" << "Documenti_Allegati/video.mp4";
    }
    void aFailedCopyIsSaidAndTheBoxKeepsItsName()
    {
        QFETCH(QString, failure);
        QFETCH(attachments::CopyStep, step);
        QFETCH(bool, diskFull);
        QFETCH(QString, operation);
        QFETCH(QString, file);
        MessageRecorder messages;
        FileDialogRecorder dialogs;
        const QString picked = Outside(QStringLiteral("video.mp4"), QByteArray(3 * 1024 * 1024, 'v'));
        dialogs.next << picked;
        std::unique_ptr<SmallDisk> disk;
        if (failure == QLatin1String("plain file"))
            fixture->WriteFile(QStringLiteral("Documenti_Allegati"), "non una cartella");
        if (failure == QLatin1String("gone"))
            QVERIFY(QFile::remove(picked));
        if (diskFull) {
            disk = std::make_unique<SmallDisk>(Attachments());
            if (!disk->Mounted())
                QSKIP("a small disk cannot be mounted here");
        }
        StandardErrorCapture standardError;
        QString shown;
        bool apri = false;
        Use(QStringLiteral("database"), {"prima.pdf", "descrizione"}, [&](QWidget* tool) {
            if (failure == QLatin1String("write fault"))
                IoFaults::FailNext(IoOp::Write, 1);
            Click(Button(tool, "btnSfoglia01"));
            shown = Box(tool, "txtFile01")->text();
            apri = Button(tool, "btnApri01")->isEnabled();
            Click(Button(tool, "btnApplica"));
        });
        QCOMPARE(shown, QStringLiteral("prima.pdf"));
        QVERIFY(apri);
        QCOMPARE(database()->Attachments().ToList().at(0), QStringLiteral("prima.pdf"));
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown.at(0).kind, MessageKind::Warning);
        QCOMPARE(messages.shown.at(0).text, TfrmAllegaCartella::CopyFailedText(step)
                                                + (diskFull ? Failures::DiskFullParagraph : QString()));
        QVERIFY(messages.shown.at(0).text.startsWith(QStringLiteral("Attenzione: ")));
        const QString written = standardError.Text();
        QVERIFY2(written.startsWith(QStringLiteral("Velorbis 4.0: ") + operation + u' ' + fixture->Path(file)
                                    + QStringLiteral(": ")),
                 qPrintable(written));
        QCOMPARE(written.count(u'\n'), 1);
        if (diskFull)
            QVERIFY2(written.endsWith(QStringLiteral(": No space left on device\n")), qPrintable(written));
        if (failure == QLatin1String("plain file"))
            QCOMPARE(Read(Attachments()), QByteArray("non una cartella"));
        else
            QCOMPARE(Entries(Attachments()), QStringList{}); // no half-written copy is left behind
    }

    void apriHandsTheQuotedPathToTheShellAsAFileUrl()
    {
        const QString name = QStringLiteral("Verbale #3 è 100% pronto.v2.pdf");
        PutInFolder(name, "pdf");
        OpenedUrls opened;
        Use(QStringLiteral("clienti"), {"", "", QStringLiteral("  ") + name, ""}, [&](QWidget* tool) {
            Click(Button(tool, "btnApri02"));
        });
        QCOMPARE(opened.urls, QList<QUrl>{QUrl::fromLocalFile(Attached(name))});
        QCOMPARE(opened.urls.at(0).toLocalFile(), Attached(name));
    }

    void apriOfAMissingFileOpensItWithoutAMessage()
    {
        MessageRecorder messages;
        OpenedUrls opened;
        Use(QStringLiteral("database"), {"mancante.pdf"}, [&](QWidget* tool) { Click(Button(tool, "btnApri01")); });
        QCOMPARE(opened.urls, QList<QUrl>{QUrl::fromLocalFile(Attached(QStringLiteral("mancante.pdf")))});
        QVERIFY(messages.shown.isEmpty());
    }

    void aNameReachingOutOfTheFolderOpensNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("up one folder") << "../Database.pro";
        QTest::newRow("up one folder, Windows") << "..\\Database.pro";
        QTest::newRow("dot dot") << "..";
        QTest::newRow("absolute") << "/etc/passwd";
        QTest::newRow("drive") << "C:\\Windows\\win.ini";
        QTest::newRow("sub-folder") << "altro/file.pdf";
    }
    void aNameReachingOutOfTheFolderOpensNothing()
    {
        QFETCH(QString, name);
        MessageRecorder messages;
        OpenedUrls opened;
        bool apri = true;
        Use(QStringLiteral("database"), {name}, [&](QWidget* tool) {
            apri = Button(tool, "btnApri01")->isEnabled(); // it offers nothing it would not open
            Click(Button(tool, "btnApri01"));
        });
        QVERIFY(!apri);
        QVERIFY(opened.urls.isEmpty());
        QVERIFY(messages.shown.isEmpty());
    }

    void clearEmptiesTheNameAndKeepsTheDescriptionAndTheCopy()
    {
        PutInFolder(QStringLiteral("b.pdf"), "b");
        QString name, description;
        bool apri = true;
        Use(QStringLiteral("database"), {"a.pdf", "prima", "b.pdf", "seconda", "c.pdf", "terza"}, [&](QWidget* tool) {
            Click(Child(tool, "imgCancella02"));
            name = Box(tool, "txtFile02")->text();
            description = Box(tool, "txtDesc02")->text();
            apri = Button(tool, "btnApri02")->isEnabled();
        });
        QCOMPARE(name, QString());
        QCOMPARE(description, QStringLiteral("seconda"));
        QVERIFY(!apri);
        QCOMPARE(Entries(Attachments()), QStringList{"b.pdf"});
    }

    void applyWritesTheSixTrimmedTextsIntoTheSheetItServes_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("database sheet") << "database";
        QTest::newRow("client sheet") << "clienti";
    }
    void applyWritesTheSixTrimmedTextsIntoTheSheetItServes()
    {
        QFETCH(QString, mode);
        const QStringList before{"a.pdf", "prima", "b.pdf", "seconda", "", ""};
        database()->SetAttachmentTexts(AttachmentTexts::FromList(before));
        clienti()->SetAttachmentTexts(AttachmentTexts::FromList(before));
        MessageRecorder messages;
        FileDialogRecorder dialogs;
        dialogs.next << Outside(QStringLiteral("nuovo.txt"), "n");
        const bool leftOpen = Use(mode, before, [&](QWidget* tool) {
            Click(Child(tool, "imgCancella01"));
            Click(Button(tool, "btnSfoglia03"));
            QTest::keyClicks(Box(tool, "txtDesc03"), QStringLiteral("  terza, nuova  "));
            Click(Button(tool, "btnApplica"));
        });
        QVERIFY(!leftOpen);
        const QStringList after{"", "prima", "b.pdf", "seconda", "nuovo.txt", "terza, nuova"};
        SheetScreen* served = mode == QLatin1String("clienti") ? clienti() : database();
        SheetScreen* other = mode == QLatin1String("clienti") ? database() : clienti();
        QCOMPARE(served->Attachments().ToList(), after);
        QCOMPARE(other->Attachments().ToList(), before);
    }

    void cancelWritesNothingButTheCopiedFileStays()
    {
        const QStringList before{"a.pdf", "prima", "", "", "", ""};
        database()->SetAttachmentTexts(AttachmentTexts::FromList(before));
        MessageRecorder messages;
        FileDialogRecorder dialogs;
        dialogs.next << Outside(QStringLiteral("copiato.txt"), "c");
        const bool leftOpen = Use(QStringLiteral("database"), before, [&](QWidget* tool) {
            Click(Button(tool, "btnSfoglia02"));
            QTest::keyClicks(Box(tool, "txtDesc01"), QStringLiteral(" cambiata"));
            Click(Button(tool, "btnAnnulla"));
        });
        QVERIFY(!leftOpen);
        QCOMPARE(database()->Attachments().ToList(), before);
        QCOMPARE(Entries(Attachments()), QStringList{"copiato.txt"});
    }

    void eachOpeningStartsAfresh()
    {
        FileDialogRecorder dialogs;
        dialogs.next << Outside(QStringLiteral("x.txt"), "x");
        Use(QStringLiteral("database"), {}, [&](QWidget* tool) { Click(Button(tool, "btnSfoglia01")); });
        QString shown = QStringLiteral("?");
        bool apri = true;
        Use(QStringLiteral("database"), {}, [&](QWidget* tool) {
            shown = Box(tool, "txtFile01")->text();
            apri = Button(tool, "btnApri01")->isEnabled();
        });
        QCOMPARE(shown, QString());
        QVERIFY(!apri);
    }
};

QTEST_MAIN(TestAllegaCartella)
#include "tst_allegacartella.moc"
