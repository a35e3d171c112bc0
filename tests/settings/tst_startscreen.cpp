// The start-screen settings: the archive name and subtitle in Archivio.ini, the picture in
// Logo.bmp, and what the start menu shows afterwards.

#include "support/SettingsTest.h"

#include "support/FileDialogRecorder.h"
#include "support/StandardErrorCapture.h"
#include "kit/Failures.h"
#include "kit/TextRules.h"
#include "app/TfrmAvvio.h"
#include "settings/LogoFile.h"
#include "settings/TfrmImpostaAvvio.h"
#include "storage/IniFile.h"
#include "storage/IoFaults.h"
#include "support/SaveLockHolder.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <sys/stat.h>

namespace {

QImage Filled(const QSize& size, const QColor& colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

bool Near(const QColor& a, const QColor& b)
{
    return qAbs(a.red() - b.red()) <= 8 && qAbs(a.green() - b.green()) <= 8 && qAbs(a.blue() - b.blue()) <= 8;
}

} // namespace

class TestStartScreen : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;
    TfrmImpostaAvvio* screen() { return fixture->program->ImpostaAvvio(); }
    QLineEdit* name() { return Child<QLineEdit>(screen(), "txtNomeArchivio"); }
    QLineEdit* subtitle() { return Child<QLineEdit>(screen(), "txtSottotitolo"); }
    QString Path(const char* file) { return fixture->Path(QString::fromLatin1(file)); }
    QByteArray Bytes(const char* file) { return FileBytes(Path(file)); }
    void Show()
    {
        screen()->ShowScreen();
        QVERIFY(QTest::qWaitForWindowExposed(screen()));
    }
    void Apply() { Click(Child<QPushButton>(screen(), "btnApplica")); }
    // A picture file in a folder of its own, as the user would pick it.
    QString PictureFile(const QString& fileName, const QImage& image, const char* format)
    {
        const QString path = pictures.filePath(fileName);
        if (!image.save(path, format))
            qWarning("could not write %s", qPrintable(path));
        return path;
    }
    QTemporaryDir pictures;
    std::unique_ptr<FileDialogRecorder> dialogs;

private slots:
    void init()
    {
        fixture.Start();
        dialogs = std::make_unique<FileDialogRecorder>();
    }
    void cleanup()
    {
        dialogs.reset();
        fixture.Stop();
    }

    void firstShowingHasEmptyBoxesAndTheDefaultPictureAndApplyAsksForTheName()
    {
        Show();
        QCOMPARE(name()->text(), QString());
        QCOMPARE(subtitle()->text(), QString());
        QCOMPARE(screen()->Picture(), LogoFile::DefaultPicture().toImage());
        QCOMPARE(screen()->focusWidget(), name());
        QCOMPARE(Child<QLabel>(screen(), "panInfo")->text(), QStringLiteral("Pronto per salvare le impostazioni..."));
        QCOMPARE(Child<QLabel>(screen(), "imgBianco")->pixmap().size(), QSize(2, 2));
        QVERIFY(!Child<QLabel>(screen(), "imgTemp")->isVisible());
        Apply();
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown.at(0).kind, MessageKind::Warning);
        QCOMPARE(fixture.messages->shown.at(0).text,
                 QStringLiteral("Attenzione: per salvare le impostazioni è necessario indicare il nome del database."));
    }

    void aBlankNameWarnsAndWritesNothing_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks") << "  \t ";
    }
    void aBlankNameWarnsAndWritesNothing()
    {
        QFETCH(QString, typed);
        Show();
        name()->setText(typed);
        subtitle()->setText(QStringLiteral("Pratiche"));
        subtitle()->setFocus();
        Click(Child(screen(), "btnCancLogo"));
        Apply();
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown.at(0).kind, MessageKind::Warning);
        QVERIFY(!QFile::exists(Path("Archivio.ini")));
        QVERIFY(!QFile::exists(Path("Logo.bmp")));
        QCOMPARE(screen()->focusWidget(), name());
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmImpostaAvvio")});
    }

    void applyWritesTheTrimmedTextsAndABlankSubtitleEmpty_data()
    {
        QTest::addColumn<QString>("typedName");
        QTest::addColumn<QString>("typedSubtitle");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("both") << "  Studio Rossi " << " Pratiche 2026  "
                              << QByteArray("[Database]\r\nNome Archivio=Studio Rossi\r\nSottotitolo Archivio=Pratiche 2026\r\n");
        QTest::newRow("blank subtitle") << "Studio Rossi" << "    "
                                        << QByteArray("[Database]\r\nNome Archivio=Studio Rossi\r\nSottotitolo Archivio=\r\n");
    }
    void applyWritesTheTrimmedTextsAndABlankSubtitleEmpty()
    {
        QFETCH(QString, typedName);
        QFETCH(QString, typedSubtitle);
        QFETCH(QByteArray, written);
        Show();
        name()->setText(typedName);
        subtitle()->setText(typedSubtitle);
        Apply();
        QVERIFY(fixture.messages->shown.isEmpty());
        QCOMPARE(Bytes("Archivio.ini"), written);
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmAvvio")});
        QCOMPARE(Child<QLabel>(fixture->program->Avvio(), "titNomeArchivio")->text(), TrimText(typedName));
        QCOMPARE(Child<QLabel>(fixture->program->Avvio(), "titSottotitolo")->text(), TrimText(typedSubtitle));
    }

    // What the preview holds after the user's steps, and what Logo.bmp then holds.
    void theAppliedPictureIsStoredAsABitmapAtItsOwnSize_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QColor>("centre");
        const QColor defaultCentre = LogoFile::DefaultPicture().toImage().pixelColor(456, 204);
        QTest::newRow("default untouched") << QStringList{} << QSize(912, 409) << defaultCentre;
        QTest::newRow("cleared") << QStringList{"clear"} << QSize(2, 2) << QColor(Qt::white);
        QTest::newRow("cleared, then restored") << QStringList{"clear", "restore"} << QSize(912, 409) << defaultCentre;
        QTest::newRow("a JPEG") << QStringList{"jpeg"} << QSize(300, 200) << QColor(200, 30, 30);
        QTest::newRow("a large bitmap") << QStringList{"bitmap"} << QSize(1824, 818) << QColor(30, 30, 200);
        QTest::newRow("a JPEG named .bmp") << QStringList{"misnamed"} << QSize(64, 48) << QColor(30, 160, 30);
        QTest::newRow("a JPEG, then cleared") << QStringList{"jpeg", "clear"} << QSize(2, 2) << QColor(Qt::white);
        QTest::newRow("an unreadable file") << QStringList{"clear", "unreadable"} << QSize(912, 409) << defaultCentre;
        QTest::newRow("dialog cancelled") << QStringList{"clear", "cancel"} << QSize(2, 2) << QColor(Qt::white);
    }
    void theAppliedPictureIsStoredAsABitmapAtItsOwnSize()
    {
        QFETCH(QStringList, steps);
        QFETCH(QSize, size);
        QFETCH(QColor, centre);
        Show();
        name()->setText(QStringLiteral("Studio Rossi"));
        for (const QString& step : steps) {
            if (step == "clear")
                Click(Child(screen(), "btnCancLogo"));
            else if (step == "restore")
                Click(Child(screen(), "btnRipristina"));
            else {
                QString chosen;
                if (step == "jpeg")
                    chosen = PictureFile("logo.jpg", Filled(QSize(300, 200), QColor(200, 30, 30)), "JPEG");
                else if (step == "bitmap")
                    chosen = PictureFile("logo grande.bmp", Filled(QSize(1824, 818), QColor(30, 30, 200)), "BMP");
                else if (step == "misnamed")
                    chosen = PictureFile("foto.bmp", Filled(QSize(64, 48), QColor(30, 160, 30)), "JPEG");
                else if (step == "unreadable") {
                    chosen = pictures.filePath(QStringLiteral("rotta.jpg"));
                    QFile broken(chosen);
                    QVERIFY(broken.open(QIODevice::WriteOnly));
                    broken.write("\xFF\xD8 not really a JPEG");
                }
                dialogs->next = {chosen};
                Click(Child<QPushButton>(screen(), "btnSfoglia"));
            }
        }
        Apply();
        QVERIFY(fixture.messages->shown.isEmpty());
        const QByteArray file = Bytes("Logo.bmp");
        // A Windows bitmap whatever the picture was: "BM", a 40-byte information header, 24 bits a pixel.
        QVERIFY(file.startsWith("BM"));
        QCOMPARE(quint8(file.at(14)), quint8(40));
        QCOMPARE(quint8(file.at(28)), quint8(24));
        QImage stored;
        QVERIFY(stored.loadFromData(file, "BMP"));
        QCOMPARE(stored.size(), size);
        QVERIFY(Near(stored.pixelColor(size.width() / 2, size.height() / 2), centre));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmAvvio")});
        const QPixmap shown = Child<QLabel>(fixture->program->Avvio(), "imgLogo")->pixmap();
        QCOMPARE(shown.toImage(), LogoFile::FitToPictureArea(QPixmap::fromImage(stored)).toImage());
    }

    void theFileDialogOffersJpegAndBitmapPictures()
    {
        QCOMPARE(TfrmImpostaAvvio::PictureDialogTitle,
                 QStringLiteral("Selezionare il logo della Ditta in formato Jpeg o Bitmap."));
        const QStringList filters = TfrmImpostaAvvio::PictureDialogFilter.split(QStringLiteral(";;"));
        QCOMPARE(filters.size(), 2);
        QVERIFY(filters.at(0).startsWith(QStringLiteral("Immagine JPEG")));
        QVERIFY(filters.at(0).contains(QStringLiteral("*.jpg")) && filters.at(0).contains(QStringLiteral("*.jpeg")));
        QVERIFY(filters.at(1).startsWith(QStringLiteral("Immagine Bitmap")) && filters.at(1).contains(QStringLiteral("*.bmp")));
    }

    void cancelLeavesBothFilesUnchangedAndTheNextShowingReloadsThem()
    {
        IniFile(Path("Archivio.ini").toStdString()).Write(u"Database", u"Nome Archivio", u"Studio Rossi");
        QVERIFY(Filled(QSize(40, 30), Qt::darkGreen).save(Path("Logo.bmp"), "BMP"));
        const QByteArray settings = Bytes("Archivio.ini");
        const QByteArray logo = Bytes("Logo.bmp");
        Show();
        QCOMPARE(screen()->Picture().size(), QSize(40, 30));
        name()->setText(QStringLiteral("Altro nome"));
        subtitle()->setText(QStringLiteral("Altro sottotitolo"));
        dialogs->next = {PictureFile("nuovo.jpg", Filled(QSize(100, 100), Qt::red), "JPEG")};
        Click(Child<QPushButton>(screen(), "btnSfoglia"));
        QCOMPARE(screen()->Picture().size(), QSize(100, 100));
        Click(Child<QPushButton>(screen(), "btnAnnulla"));
        QCOMPARE(Bytes("Archivio.ini"), settings);
        QCOMPARE(Bytes("Logo.bmp"), logo);
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmAvvio")});
        Show();
        QCOMPARE(name()->text(), QStringLiteral("Studio Rossi"));
        QCOMPARE(subtitle()->text(), QString());
        QCOMPARE(screen()->Picture().size(), QSize(40, 30));
    }

    void aLogoThatIsNotAPictureShowsTheDefaultWithoutAMessage()
    {
        fixture->WriteFile(QStringLiteral("Logo.bmp"), "BM but nothing else");
        Show();
        QCOMPARE(screen()->Picture(), LogoFile::DefaultPicture().toImage());
        QVERIFY(fixture.messages->shown.isEmpty());
    }

    void aRefusedSettingsWriteKeepsTheScreenOpenAndThePictureUnsaved()
    {
        Show();
        name()->setText(QStringLiteral("Studio Rossi"));
        subtitle()->setText(QStringLiteral("Pratiche"));
        IoFaults::FailNext(IoOp::Rename); // name and subtitle are one replacement of the file
        Apply();
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown.at(0).kind, MessageKind::Error);
        QCOMPARE(fixture.messages->shown.at(0).text, QStringLiteral("Unable to write to ") + Path("Archivio.ini"));
        QCOMPARE(QDir(fixture->folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmImpostaAvvio")});
        QCOMPARE(name()->text(), QStringLiteral("Studio Rossi"));
        QCOMPARE(subtitle()->text(), QStringLiteral("Pratiche"));
    }

    // While another copy of the program holds the settings file, the apply waits for it a
    // moment, then says the archive is in use: neither the texts nor the picture are
    // written, and the screen stays open with the edits.
    void aFileAnotherCopyHoldsGivesTheBusyWarning()
    {
        IniFile(Path("Archivio.ini").toStdString()).Write(u"Database", u"Nome Archivio", u"Studio Rossi");
        const QByteArray settings = Bytes("Archivio.ini");
        Show();
        name()->setText(QStringLiteral("Studio Bianchi"));
        subtitle()->setText(QStringLiteral("Pratiche"));
        Click(Child(screen(), "btnCancLogo"));
        SaveLockHolder other(Path("Archivio.ini"));
        QVERIFY(other.Locked());
        Apply();
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown.at(0).kind, MessageKind::Warning);
        QCOMPARE(fixture.messages->shown.at(0).text, Failures::ArchiveBusyText);
        QCOMPARE(Bytes("Archivio.ini"), settings);
        QVERIFY(!QFile::exists(Path("Logo.bmp")));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmImpostaAvvio")});
        QCOMPARE(name()->text(), QStringLiteral("Studio Bianchi"));
        QCOMPARE(subtitle()->text(), QStringLiteral("Pratiche"));
        QCOMPARE(screen()->Picture().size(), QSize(2, 2));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void aPictureThatCannotBeSavedLeavesTheDefaultInThePreviewAndClosesQuietly()
    {
        QVERIFY(QDir(fixture->folder.path()).mkdir(QStringLiteral("Logo.bmp"))); // nothing can replace a folder
        Show();
        name()->setText(QStringLiteral("Studio Rossi"));
        Click(Child(screen(), "btnCancLogo"));
        Apply();
        QVERIFY(fixture.messages->shown.isEmpty());
        QCOMPARE(screen()->Picture(), LogoFile::DefaultPicture().toImage());
        QVERIFY(QFileInfo(Path("Logo.bmp")).isDir());
        QCOMPARE(Bytes("Archivio.ini"), QByteArray("[Database]\r\nNome Archivio=Studio Rossi\r\nSottotitolo Archivio=\r\n"));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmAvvio")});
        const QStringList leftovers = QDir(fixture->folder.path()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(leftovers, QStringList{QStringLiteral("Archivio.ini")});
    }

    // As the tests' superuser: a Logo.bmp whose write bits are off is not replaced; the screen
    // does what it does with any picture it cannot save (the default picture in the preview,
    // no message, the reason on standard error) and leaves no temporary file. A replaced one
    // keeps its rights.
    void aReadOnlyLogoIsNotReplacedAndAReplacedOneKeepsItsRights_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("0444") << 0444 << false;
        QTest::newRow("0400") << 0400 << false;
        QTest::newRow("0600") << 0600 << true;
        QTest::newRow("0660") << 0660 << true;
    }
    void aReadOnlyLogoIsNotReplacedAndAReplacedOneKeepsItsRights()
    {
        QFETCH(int, mode);
        QFETCH(bool, replaced);
        QVERIFY(Filled(QSize(40, 30), Qt::darkGreen).save(Path("Logo.bmp"), "BMP"));
        const QByteArray earlier = Bytes("Logo.bmp");
        QCOMPARE(::chmod(QFile::encodeName(Path("Logo.bmp")).constData(), mode_t(mode)), 0);
        Show();
        name()->setText(QStringLiteral("Studio Rossi"));
        Click(Child(screen(), "btnCancLogo"));
        StandardErrorCapture standardError;
        Apply();
        QVERIFY(fixture.messages->shown.isEmpty());
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmAvvio")});
        QImage stored;
        QVERIFY(stored.loadFromData(Bytes("Logo.bmp"), "BMP"));
        if (replaced) {
            QCOMPARE(stored.size(), QSize(2, 2));
            QVERIFY(standardError.Text().isEmpty());
        } else {
            QCOMPARE(Bytes("Logo.bmp"), earlier);
            QCOMPARE(screen()->Picture(), LogoFile::DefaultPicture().toImage());
            QCOMPARE(standardError.Text(), QStringLiteral("Velorbis 4.0: replace %1: the file is marked read-only\n")
                                               .arg(Path("Logo.bmp")));
        }
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(Path("Logo.bmp")).constData(), &info), 0);
        QCOMPARE(int(info.st_mode & 07777), mode);
        QCOMPARE(QDir(fixture->folder.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{QStringLiteral("Archivio.ini"), QStringLiteral("Logo.bmp")}));
    }

    // A pipe, a folder or a damaged giant in place of the settings and the picture file:
    // the screen shows at once with empty boxes and the default picture; applying is refused
    // with the write message and leaves the settings file as it was.
    void unusableFilesShowDefaultsAndApplyIsRefused_data() { ProgramFixture::AddUnusableKinds(); }
    void unusableFilesShowDefaultsAndApplyIsRefused()
    {
        QFETCH(QString, kind);
        fixture->MakeUnusable(QStringLiteral("Archivio.ini"), kind);
        fixture->MakeUnusable(QStringLiteral("Logo.bmp"), kind);
        Show();
        QCOMPARE(name()->text(), QString());
        QCOMPARE(subtitle()->text(), QString());
        QCOMPARE(screen()->Picture(), LogoFile::DefaultPicture().toImage());
        QVERIFY(fixture.messages->shown.isEmpty());
        name()->setText(QStringLiteral("Studio Rossi"));
        Apply();
        QCOMPARE(fixture.messages->shown.size(), 1);
        QCOMPARE(fixture.messages->shown.at(0).kind, MessageKind::Error);
        QCOMPARE(fixture.messages->shown.at(0).text, QStringLiteral("Unable to write to ") + Path("Archivio.ini"));
        QCOMPARE(VisibleScreens(), QStringList{QStringLiteral("TfrmImpostaAvvio")});
        QVERIFY(StillUnusable(Path("Archivio.ini"), kind));
    }

    void aPickedPipeShowsTheDefaultPicture()
    {
        const QString pipe = pictures.filePath(QStringLiteral("pipe.jpg"));
        QFile::remove(pipe);
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0666), 0);
        Show();
        dialogs->next = {pipe};
        Click(Child<QPushButton>(screen(), "btnSfoglia"));
        QCOMPARE(screen()->Picture(), LogoFile::DefaultPicture().toImage());
        QVERIFY(fixture.messages->shown.isEmpty());
    }

    // A settings file saved in UTF-16 is read, and applying keeps it UTF-16 throughout.
    void aUtf16SettingsFileStaysUtf16()
    {
        const QString text = QStringLiteral("[Database]\r\nNome Archivio=Citt\u00E0 Vecchia\r\n");
        QByteArray bytes("\xFF\xFE");
        bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        fixture->WriteFile(QStringLiteral("Archivio.ini"), bytes);
        Show();
        QCOMPARE(name()->text(), QStringLiteral("Citt\u00E0 Vecchia"));
        subtitle()->setText(QStringLiteral("Sede"));
        Apply();
        QVERIFY(fixture.messages->shown.isEmpty());
        const QString expected = text + QStringLiteral("Sottotitolo Archivio=Sede\r\n");
        QByteArray expectedBytes("\xFF\xFE");
        expectedBytes.append(reinterpret_cast<const char*>(expected.utf16()), expected.size() * 2);
        QCOMPARE(Bytes("Archivio.ini"), expectedBytes);
    }

    void hoverTexts_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::newRow("load") << "btnSfoglia" << "Carica l'immagine da mostrare nella schermata di avvio.";
        QTest::newRow("clear") << "btnCancLogo" << "Cancella immagine.";
        QTest::newRow("restore") << "btnRipristina" << "Ripristina immagine di default.";
        QTest::newRow("cancel") << "btnAnnulla" << "Esci senza salvare le impostazioni.";
        QTest::newRow("apply") << "btnApplica" << "Applica le impostazioni e chiudi questa schermata.";
    }
    void hoverTexts()
    {
        QFETCH(QString, control);
        QFETCH(QString, text);
        Show();
        QTest::mouseMove(screen(), QPoint(2, 2)); // so that the move below is a real move
        Hover(Child(screen(), control.toLatin1().constData()));
        QCOMPARE(Child<QLabel>(screen(), "panInfo")->text(), text);
        QTest::mouseMove(Child(screen(), "imgLogo"));
        QCOMPARE(Child<QLabel>(screen(), "panInfo")->text(), QString());
    }

    void tabOrder()
    {
        Show();
        QStringList order;
        QWidget* widget = name();
        for (int i = 0; i < 5; ++i) {
            order.append(widget->objectName());
            do
                widget = widget->nextInFocusChain();
            while (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisible());
        }
        QCOMPARE(order, (QStringList{"txtNomeArchivio", "txtSottotitolo", "btnSfoglia", "btnAnnulla", "btnApplica"}));
    }
};

VELORBIS_SCREEN_TEST_MAIN(TestStartScreen)
#include "tst_startscreen.moc"
