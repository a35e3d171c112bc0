// The start menu reads the archive's name, subtitle and picture every time it is shown.

#include "support/ScreenTest.h"
#include "support/StandardErrorCapture.h"

#include "app/TfrmAvvio.h"
#include "settings/LogoFile.h"
#include "app/TfrmInfo.h"
#include "app/TfrmSplash.h"
#include "kit/FittedTitle.h"
#include "kit/TMisc.h"
#include "kit/Widgets.h"
#include "storage/IniFile.h"

#include <QImage>
#include <QPushButton>

class TestStartMenu : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;
    TfrmAvvio* menu() { return fixture->program->Avvio(); }
    QLabel* title() { return Child<QLabel>(menu(), "titNomeArchivio"); }
    QLabel* subtitle() { return Child<QLabel>(menu(), "titSottotitolo"); }
    QPixmap logo() { return Child<QLabel>(menu(), "imgLogo")->pixmap(); }
    void ShowAgain()
    {
        menu()->hide();
        menu()->ShowScreen();
    }
    void WriteLogo(const QSize& size, const QColor& colour)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        QVERIFY(image.save(fixture->Path(QStringLiteral("Logo.bmp")), "BMP"));
    }

private slots:
    void init() { fixture.Start(ScreenTestFixture::Recording::None); }
    void cleanup() { fixture.Stop(); }

    void withoutSettingsTheBandsAreEmptyAndTheDefaultPictureShows()
    {
        menu()->ShowScreen();
        QCOMPARE(title()->text(), QString());
        QCOMPARE(subtitle()->text(), QString());
        QCOMPARE(logo().toImage(), LogoFile::FitToPictureArea(LogoFile::DefaultPicture()).toImage());
        QCOMPARE(LogoFile::DefaultPicture().size(), QSize(912, 409));
        QCOMPARE(menu()->windowTitle(), QStringLiteral(" Velorbis 4.0"));
    }

    void nameAndSubtitleAreReadAtEveryShowingAndShownLiterally()
    {
        IniFile settings(fixture->Path(QStringLiteral("Archivio.ini")).toStdString());
        settings.Write(u"Database", u"Nome Archivio", u"Archivio <b>Rossi</b>");
        settings.Write(u"Database", u"Sottotitolo Archivio", u"Pratiche 2026");
        menu()->ShowScreen();
        QCOMPARE(title()->text(), QStringLiteral("Archivio <b>Rossi</b>"));
        QCOMPARE(title()->textFormat(), Qt::PlainText);
        QCOMPARE(subtitle()->text(), QStringLiteral("Pratiche 2026"));
        settings.Write(u"database", u"NOME ARCHIVIO", u"Studio Bianchi");
        ShowAgain();
        QCOMPARE(title()->text(), QStringLiteral("Studio Bianchi"));
    }

    void anyPictureIsFittedWholeKeepingItsProportions_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("wide and large") << QSize(1824, 409) << QSize(912, 205);
        QTest::newRow("tall") << QSize(100, 409) << QSize(100, 409);
        QTest::newRow("small") << QSize(228, 102) << QSize(912, 408);
        QTest::newRow("exact") << QSize(912, 409) << QSize(912, 409);
    }
    void anyPictureIsFittedWholeKeepingItsProportions()
    {
        QFETCH(QSize, size);
        QFETCH(QSize, shown);
        WriteLogo(size, Qt::darkGreen);
        menu()->ShowScreen();
        QVERIFY(qAbs(logo().width() - shown.width()) <= 1);
        QVERIFY(qAbs(logo().height() - shown.height()) <= 1);
        QCOMPARE(logo().toImage().pixelColor(logo().width() / 2, logo().height() / 2), QColor(Qt::darkGreen));
    }

    void aLogoThatIsNotAPictureShowsTheDefaultWithoutAMessage()
    {
        MessageRecorder messages;
        fixture->WriteFile(QStringLiteral("Logo.bmp"), "BM this is not a bitmap at all");
        menu()->ShowScreen();
        QCOMPARE(logo().toImage(), LogoFile::FitToPictureArea(LogoFile::DefaultPicture()).toImage());
        QVERIFY(messages.shown.isEmpty());
    }

    // A pipe, a folder or a damaged giant in place of the settings or the picture file: the
    // menu shows at once with blank bands and the default picture, without a message.
    void unusableSettingsAndPictureFilesShowTheDefaults_data() { ProgramFixture::AddUnusableKinds(); }
    void unusableSettingsAndPictureFilesShowTheDefaults()
    {
        QFETCH(QString, kind);
        MessageRecorder messages;
        fixture->MakeUnusable(QStringLiteral("Archivio.ini"), kind);
        fixture->MakeUnusable(QStringLiteral("Logo.bmp"), kind);
        menu()->ShowScreen();
        QCOMPARE(title()->text(), QString());
        QCOMPARE(subtitle()->text(), QString());
        QCOMPARE(logo().toImage(), LogoFile::FitToPictureArea(LogoFile::DefaultPicture()).toImage());
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(menu()->isVisible());
    }

    void aQuotedNameShowsWithoutItsQuotes()
    {
        fixture->WriteFile(QStringLiteral("Archivio.ini"),
                           "[Database]\r\nNome Archivio=\"Studio Rossi\"\r\nSottotitolo Archivio='Pratiche'\r\n");
        menu()->ShowScreen();
        QCOMPARE(title()->text(), QStringLiteral("Studio Rossi"));
        QCOMPARE(subtitle()->text(), QStringLiteral("Pratiche"));
    }

    void linksOpenTheMakersSiteAndMail()
    {
        OpenedUrls opened;
        menu()->ShowScreen();
        Click(Child(menu(), "imgSitoWeb"));
        QCOMPARE(opened.urls.size(), 1);
        QVERIFY(opened.urls.at(0).host().endsWith(QStringLiteral("example.com")));

        WhenModal([&](QWidget* tool) {
            auto* link = Child<LinkLabel>(tool, "lnkWeb");
            QTest::mousePress(link, Qt::LeftButton);
            QTest::mouseRelease(link, Qt::LeftButton, Qt::NoModifier, QPoint(-20, -20)); // released outside
            QCOMPARE(link->Colour(), LinkLabel::Normal);
            QCOMPARE(opened.urls.size(), 1);
            Click(link);
            Click(Child<QPushButton>(tool, "btnChiudi"));
        });
        Click(Child(menu(), "imgInfo"));
        QCOMPARE(opened.urls.size(), 2);
        const QUrl mail = opened.urls.at(1);
        QCOMPARE(mail.scheme(), QStringLiteral("mailto"));
        QVERIFY(mail.toString().contains(QStringLiteral("subject=Software Velorbis 4.0&body=Salve, desidererei "
                                                        "avere le seguenti informazioni sul software in oggetto:")));
    }

    void guideLinkOpensTheQuotedGuideOfTheProgramFolder()
    {
        OpenedUrls opened;
        menu()->ShowScreen();
        WhenModal([&](QWidget* tool) {
            Click(Child(tool, "imgPDF"));
            Click(Child<QPushButton>(tool, "btnChiudi"));
        });
        Click(Child(menu(), "imgGuida"));
        QCOMPARE(opened.urls, QList<QUrl>{QUrl::fromLocalFile(fixture->Path(QStringLiteral("Guida.pdf")))});
    }

    // A desktop that opens nothing: the user is warned over the screen that asked, and the
    // standard error says what could not be opened.
    void aLinkTheDesktopCannotOpenIsReported_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reason");
        QTest::newRow("web site") << "imgSitoWeb" << QString()
                                  << "Attenzione: il sistema non è riuscito ad aprire la pagina Internet.\n\r\n\r"
                                     "Accertarsi che nel computer sia installato un browser."
                                  << "Velorbis 4.0: open https://";
        QTest::newRow("guide") << "imgGuida" << "imgPDF"
                               << "Attenzione: il sistema non è riuscito ad aprire il file.\n\r\n\rAccertarsi che "
                                  "nel computer sia installato un programma in grado di aprire i file di questo tipo."
                               << "Velorbis 4.0: open /";
        QTest::newRow("mail to the maker") << "imgInfo" << "imgEmail"
                                           << "Attenzione: il sistema non è riuscito ad aprire il programma di posta "
                                              "elettronica.\n\r\n\rAccertarsi che nel computer sia installato e "
                                              "configurato un programma di posta elettronica."
                                           << "Velorbis 4.0: open mailto:";
    }
    void aLinkTheDesktopCannotOpenIsReported()
    {
        QFETCH(QString, picture);
        QFETCH(QString, link);
        QFETCH(QString, text);
        QFETCH(QString, reason);
        MessageRecorder messages;
        OpenedUrls desktop(OpenedUrls::Desktop::OpensNothing);
        StandardErrorCapture standardError;
        menu()->ShowScreen();
        QString toolClass;
        if (!link.isEmpty())
            WhenModal([&](QWidget* tool) {
                toolClass = QString::fromLatin1(tool->metaObject()->className());
                Click(Child(tool, link.toLatin1().constData()));
                QCOMPARE(messages.shown.size(), 1); // while the tool is still open
                Click(Child<QPushButton>(tool, "btnChiudi"));
            });
        Click(Child(menu(), picture.toLatin1().constData()));
        QCOMPARE(desktop.refused, 1);
        QVERIFY(desktop.urls.isEmpty());
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].kind, MessageKind::Warning);
        QCOMPARE(messages.shown[0].text, text);
        const QString written = standardError.Text();
        QVERIFY2(written.startsWith(reason) && written.contains(QStringLiteral(": the desktop has no program that opens it\n")),
                 qPrintable(written));
    }

    // A name too wide for the title band is drawn smaller, down to a floor, then cut with "…";
    // the label keeps the whole name.
    void aLongArchiveNameShrinksThenIsCut_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shrinks"); // "no", "yes", "to the floor and cut"
        QTest::newRow("short") << "Studio Rossi" << "no";
        QTest::newRow("a little long") << "Studio Tecnico Associato Rossi, Bianchi, Verdi & Neri" << "yes";
        QTest::newRow("far too long")
            << "Archivio storico delle pratiche dello Studio Tecnico Associato Rossi, Bianchi, Verdi e Neri di "
               "Reggio Emilia"
            << "to the floor and cut";
    }
    void aLongArchiveNameShrinksThenIsCut()
    {
        QFETCH(QString, name);
        QFETCH(QString, shrinks);
        IniFile settings(fixture->Path(QStringLiteral("Archivio.ini")).toStdString());
        settings.Write(u"Database", u"Nome Archivio", name.toStdU16String());
        menu()->ShowScreen();
        auto* band = Child<FittedTitle>(menu(), "titNomeArchivio");
        QVERIFY(band);
        QCOMPARE(band->text(), name);
        const int design = band->font().pointSize();
        QCOMPARE(design, 28);
        QCOMPARE(band->FloorPointSize(), 18);
        const int shown = band->ShownFont().pointSize();
        const QFontMetrics metrics(band->ShownFont());
        QVERIFY(metrics.horizontalAdvance(band->ShownText()) <= band->contentsRect().width());
        if (shrinks == QLatin1String("no")) {
            QCOMPARE(shown, design);
            QCOMPARE(band->ShownText(), name);
        } else if (shrinks == QLatin1String("yes")) {
            QVERIFY2(shown < design && shown > band->FloorPointSize(), qPrintable(QString::number(shown)));
            QCOMPARE(band->ShownText(), name);
            // one point larger would not fit
            QFont larger = band->ShownFont();
            larger.setPointSize(shown + 1);
            QVERIFY(QFontMetrics(larger).horizontalAdvance(name) > band->contentsRect().width());
        } else {
            QCOMPARE(shown, band->FloorPointSize());
            QVERIFY(band->ShownText().endsWith(u'…'));
            QVERIFY(name.startsWith(band->ShownText().chopped(1)));
        }
    }

    void copyrightScreenCaptionNamesTheProgramAndTheNotice()
    {
        menu()->ShowScreen();
        QString caption;
        WhenModal([&](QWidget* tool) {
            caption = tool->windowTitle();
            QCOMPARE(tool->metaObject()->className(), "TfrmSplash");
            Click(Child<QPushButton>(tool, "btnChiudi"));
        });
        Click(Child(menu(), "imgCopyright"));
        QVERIFY(caption.startsWith(QStringLiteral(" Velorbis 4.0")));
        QVERIFY(caption.contains(u'©'));
    }
};

QTEST_MAIN(TestStartMenu)
#include "tst_startmenu.moc"
