#include "app/TfrmAvvio.h"

#include "kit/DesignColours.h"
#include "kit/FittedTitle.h"
#include "app/StartMenuHelp.h"
#include "kit/Maker.h"
#include "kit/ScreenFlow.h"
#include "kit/TMisc.h"
#include "kit/TextRules.h"
#include "kit/TfrmGuida.h"
#include "app/TfrmInfo.h"
#include "app/TfrmSplash.h"
#include "kit/Widgets.h"
#include "settings/LogoFile.h"
#include "settings/StartPictureFrame.h"
#include "storage/ArchiveSettings.h"

TfrmAvvio::TfrmAvvio(StartMenuFlow& flow, QWidget* parent)
    : WorkScreen(u' ' + Maker::ProgramName, parent), m_flow(flow)
{
    setStyleSheet(QStringLiteral("TfrmAvvio { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                                 " stop:0 #DDEBFA, stop:1 #AFCBEF); }"));
    QWidget* design = Design();
    Widgets::NewShape(design, QStringLiteral("shpSfondo"), QRect(0, 0, 1016, 713),
                      QStringLiteral("background: white; border-radius: 12px;"));

    const QColor iconBlue = Maker::BrandBlue;
    auto* imgInfo = new CommandPicture(design, QStringLiteral("imgInfo"),
                                       Pictures::IconPicture(Pictures::Icon::Information, 56, QColor(0xF0, 0x8C, 0x00)));
    imgInfo->setGeometry(14, 10, 56, 56);
    QWidget* bkgTitolo = Widgets::NewShape(design, QStringLiteral("bkgTitolo"), QRect(80, 8, 856, 62),
        DesignColours::TitleBandStyle(8));
    m_titNomeArchivio = new FittedTitle(bkgTitolo, QStringLiteral("titNomeArchivio"));
    m_titNomeArchivio->setText(QStringLiteral("VELORBIS 4.0"));
    m_titNomeArchivio->setGeometry(8, 0, 840, 62);
    m_titNomeArchivio->setFont(Widgets::DesignFont(QStringLiteral("Arial"), 28, true));
    m_titNomeArchivio->setStyleSheet(QStringLiteral("color: #FFF5EE;"));
    m_titNomeArchivio->setAlignment(Qt::AlignCenter);
    auto* imgGuida = new CommandPicture(design, QStringLiteral("imgGuida"),
                                        Pictures::IconPicture(Pictures::Icon::Question, 56, iconBlue));
    imgGuida->setGeometry(946, 10, 56, 56);

    const StartPictureFrame frame = StartPictureFrame::Build(design, QPoint(44, 78));
    m_imgLogo = frame.picture;
    m_imgTemp = frame.defaultPicture;

    const QSize commandSize(286, 62);
    auto command = [&](const QString& name, const QString& caption, Pictures::Icon icon, int x) {
        auto* picture = new CommandPicture(design, name,
            CommandPicture::Drawn(commandSize, caption, Pictures::IconPicture(icon, 44, Qt::white),
                                  DesignColours::CommandFace, DesignColours::Ink));
        picture->setGeometry(x, 512, commandSize.width(), commandSize.height());
        return picture;
    };
    auto* cmdImpostazioni = command(QStringLiteral("cmdImpostazioni"), QStringLiteral("Impostazioni"),
                                    Pictures::Icon::Settings, 44);
    auto* cmdDatabase = command(QStringLiteral("cmdDatabase"), QStringLiteral("Database"), Pictures::Icon::Database, 365);
    auto* cmdClienti = command(QStringLiteral("cmdClienti"), QStringLiteral("Clienti"), Pictures::Icon::Clients, 686);

    QWidget* bkgSottotitolo = Widgets::NewShape(design, QStringLiteral("bkgSfondoSottotitolo"), QRect(44, 584, 928, 54),
        QStringLiteral("background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #5B8DD9, stop:1 #2B56A8);"
                       " border-radius: 8px;"));
    m_titSottotitolo = Widgets::NewLabel(bkgSottotitolo, QStringLiteral("titSottotitolo"),
                                         QStringLiteral("Crea il tuo database personalizzato in un minuto!"));
    m_titSottotitolo->setGeometry(8, 0, 912, 54);
    m_titSottotitolo->setFont(Widgets::DesignFont(QStringLiteral("Arial"), 26, false, true));
    m_titSottotitolo->setStyleSheet(QStringLiteral("color: white;"));
    m_titSottotitolo->setAlignment(Qt::AlignCenter);

    const QSize smallSize(200, 50);
    auto small = [&](const QString& name, const QString& caption, Pictures::Icon icon, int x) {
        auto* picture = new CommandPicture(design, name,
            CommandPicture::Drawn(smallSize, caption, Pictures::IconPicture(icon, 34, Maker::BrandBlue),
                                  QColor(0xF4, 0xF7, 0xFC), QColor(0xD5, 0xE2, 0xF5), DesignColours::Ink));
        picture->setGeometry(x, 650, smallSize.width(), smallSize.height());
        return picture;
    };
    auto* imgCopyright = small(QStringLiteral("imgCopyright"), QStringLiteral("Copyright"), Pictures::Icon::Copyright, 44);
    auto* imgSitoWeb = small(QStringLiteral("imgSitoWeb"), QStringLiteral("Sito Internet"), Pictures::Icon::Globe, 408);
    auto* imgEsci = small(QStringLiteral("imgEsci"), QStringLiteral("Esci"), Pictures::Icon::Exit, 772);

    connect(cmdDatabase, &CommandPicture::clicked, this, &TfrmAvvio::cmdDatabaseClick);
    connect(cmdClienti, &CommandPicture::clicked, this, &TfrmAvvio::cmdClientiClick);
    connect(cmdImpostazioni, &CommandPicture::clicked, this, &TfrmAvvio::cmdImpostazioniClick);
    connect(imgGuida, &CommandPicture::clicked, this, &TfrmAvvio::imgGuidaClick);
    connect(imgInfo, &CommandPicture::clicked, this, &TfrmAvvio::imgInfoClick);
    connect(imgCopyright, &CommandPicture::clicked, this, &TfrmAvvio::imgCopyrightClick);
    connect(imgSitoWeb, &CommandPicture::clicked, this, &TfrmAvvio::imgSitoWebClick);
    connect(imgEsci, &CommandPicture::clicked, this, &TfrmAvvio::imgEsciClick);
}

void TfrmAvvio::FormShow()
{
    const IniValues settings = LoadSettings(); // one reading of the file per showing
    m_titNomeArchivio->setText(ToQString(ReadArchiveName(settings)));
    m_titSottotitolo->setText(ToQString(ReadArchiveSubtitle(settings)));
    const QPixmap logo = QPixmap::fromImage(LogoFile::Load());
    m_imgLogo->setPixmap(LogoFile::FitToPictureArea(logo.isNull() ? m_imgTemp->pixmap() : logo));
}

void TfrmAvvio::FormClose()
{
    m_flow.End();
}

void TfrmAvvio::HandOver(void (StartMenuFlow::*show)())
{
    (m_flow.*show)();
    hide();
}

void TfrmAvvio::cmdDatabaseClick() { HandOver(&StartMenuFlow::ShowDatabase); }
void TfrmAvvio::cmdClientiClick() { HandOver(&StartMenuFlow::ShowClients); }
void TfrmAvvio::cmdImpostazioniClick() { HandOver(&StartMenuFlow::ShowSettingsMenu); }

void TfrmAvvio::imgGuidaClick()
{
    OpenTool<TfrmGuida>(this, OverviewHelpTitle(), OverviewHelpText());
}

void TfrmAvvio::imgInfoClick() { OpenTool<TfrmInfo>(this); }
void TfrmAvvio::imgCopyrightClick() { OpenTool<TfrmSplash>(this); }
void TfrmAvvio::imgSitoWebClick() { TMisc::Open(Maker::WebAddress); }
void TfrmAvvio::imgEsciClick() { m_flow.End(); }
