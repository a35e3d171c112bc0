// The about and copyright screens: captions, sizes, where they open, and their links.

#include "support/ScreenTest.h"

#include "kit/Maker.h"
#include "kit/TMisc.h"
#include "app/TfrmAvvio.h"
#include "app/TfrmInfo.h"
#include "app/TfrmSplash.h"
#include "kit/Widgets.h"

#include <QPushButton>

class TestAboutScreens : public QObject {
    Q_OBJECT

    ScreenTestFixture fixture;
    TfrmAvvio* menu() { return fixture->program->Avvio(); }

    // Opens the tool from the start menu picture, runs `check` on it, then closes it.
    void WithTool(const char* picture, const std::function<void(QWidget*)>& check)
    {
        bool ran = false;
        WhenModal([&](QWidget* tool) {
            check(tool);
            ran = true;
            Click(Child<QPushButton>(tool, "btnChiudi"));
        });
        Click(Child(menu(), picture));
        QVERIFY(ran);
        QVERIFY(!QApplication::activeModalWidget());
    }

private slots:
    void init()
    {
        fixture.Start(ScreenTestFixture::Recording::None);
        menu()->ShowScreen();
    }
    void cleanup() { fixture.Stop(); }

    void theAboutScreenNamesTheProgramAndWritesToTheMaker()
    {
        QCOMPARE(TfrmInfo::MailCommand(),
                 u'"' + QStringLiteral("mailto:") + Maker::InfoEmail
                     + QStringLiteral("?subject=Software Velorbis 4.0&body=Salve, desidererei avere le seguenti "
                                      "informazioni sul software in oggetto:")
                     + u'"');
        OpenedUrls opened;
        WithTool("imgInfo", [&](QWidget* tool) {
            QCOMPARE(tool->windowTitle(), QStringLiteral(" Informazioni su Velorbis 4.0"));
            QCOMPARE(tool->size(), QSize(473, 579));
            QCOMPARE(Child<QLabel>(tool, "lblProgramma")->text(), QStringLiteral("Velorbis 4.0"));
            QVERIFY(Child<QLabel>(tool, "lblInformazioni")->text().contains(QStringLiteral("Versione 4.0")));
            QCOMPARE(Child<QLabel>(tool, "lnkWeb")->text(), Maker::InfoEmail);
            Click(Child(tool, "imgEmail"));
        });
        QCOMPARE(opened.urls, QList<QUrl>{TMisc::UrlFor(TfrmInfo::MailCommand())});
    }

    void theCopyrightScreenShowsTheNoticeAndOpensTheSite()
    {
        OpenedUrls opened;
        WithTool("imgCopyright", [&](QWidget* tool) {
            QCOMPARE(tool->windowTitle(), u' ' + Maker::ProgramName + QStringLiteral(" - ") + Maker::CopyrightNotice);
            QCOMPARE(tool->size(), QSize(661, 467));
            QCOMPARE(Child<QLabel>(tool, "imgLogo")->pixmap().size(), QSize(625, 380));
            QCOMPARE(Child<QLabel>(tool, "lnkWeb")->text(), Maker::WebAddressShown);
            QCOMPARE(tool->focusWidget(), Child<QWidget>(tool, "btnChiudi"));
            Click(Child(tool, "lnkWeb"));
        });
        QCOMPARE(opened.urls, QList<QUrl>{QUrl(Maker::WebAddress)});
        QVERIFY(QUrl(Maker::WebAddress).host().endsWith(QStringLiteral(".example.com")));
    }

    void holdingTheMouseOnALinkIconTurnsTheLinkOrange_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("icon");
        QTest::newRow("about") << "imgInfo" << "imgEmail";
        QTest::newRow("copyright") << "imgCopyright" << "imgWeb";
    }
    void holdingTheMouseOnALinkIconTurnsTheLinkOrange()
    {
        QFETCH(QString, picture);
        QFETCH(QString, icon);
        OpenedUrls opened;
        WithTool(picture.toLatin1().constData(), [&](QWidget* tool) {
            auto* link = Child<LinkLabel>(tool, "lnkWeb");
            QWidget* iconPicture = Child(tool, icon.toLatin1().constData());
            QTest::mousePress(iconPicture, Qt::LeftButton);
            QCOMPARE(link->Colour(), LinkLabel::Pressed);
            QTest::mouseRelease(iconPicture, Qt::LeftButton, Qt::NoModifier, QPoint(-20, -20)); // released outside
            QCOMPARE(link->Colour(), LinkLabel::Normal);
        });
        QVERIFY(opened.urls.isEmpty());
    }
};

QTEST_MAIN(TestAboutScreens)
#include "tst_aboutscreens.moc"
