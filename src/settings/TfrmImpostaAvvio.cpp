#include "settings/TfrmImpostaAvvio.h"

#include "kit/Failures.h"
#include "kit/Icons.h"
#include "kit/FileDialogs.h"
#include "kit/Maker.h"
#include "kit/Messages.h"
#include "kit/StatusLine.h"
#include "kit/TextRules.h"
#include "kit/Widgets.h"
#include "storage/ArchiveSettings.h"
#include "settings/LogoFile.h"
#include "settings/StartPictureFrame.h"
#include "settings/SettingsPictures.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>

namespace {

QPixmap BlankPicture()
{
    QPixmap picture(2, 2);
    picture.fill(Qt::white);
    return picture;
}

QString PictureFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QDir(pictures).exists() ? pictures : QDir::homePath();
}

} // namespace

const QString TfrmImpostaAvvio::PictureDialogTitle = QStringLiteral("Selezionare il logo della Ditta in formato Jpeg o Bitmap.");
// The toolkit reads the patterns from the last parentheses, separated by blanks.
const QString TfrmImpostaAvvio::PictureDialogFilter =
    QStringLiteral("Immagine JPEG (*.jpg *.jpeg);;Immagine Bitmap (*.bmp)");

TfrmImpostaAvvio::TfrmImpostaAvvio(ScreenFlow& flow, QWidget* parent)
    : SettingsScreen(flow, Maker::Caption(QStringLiteral("Imposta schermata di avvio")), parent)
{
    QWidget* design = Design();

    auto* icoImpostazioni = Widgets::NewLabel(design, QStringLiteral("icoImpostazioni"));
    icoImpostazioni->setGeometry(44, 4, 56, 56);
    icoImpostazioni->setPixmap(Pictures::IconPicture(Pictures::Icon::Settings, 56, Maker::BrandBlue));
    auto* titImpostaAvvio = Widgets::NewLabel(design, QStringLiteral("titImpostaAvvio"));
    titImpostaAvvio->setGeometry(112, -3, 640, 70);
    titImpostaAvvio->setPixmap(SettingsPictures::Title(QStringLiteral("Imposta schermata di avvio"), 640));
    AddBackground(icoImpostazioni);
    AddBackground(titImpostaAvvio);

    m_txtNomeArchivio = Widgets::NewLineEdit(design, QStringLiteral("txtNomeArchivio"));
    m_txtNomeArchivio->setGeometry(44, 66, 928, 54);
    m_txtNomeArchivio->setFont(Widgets::DesignFont(QStringLiteral("Arial"), 28, true));
    m_txtNomeArchivio->setAlignment(Qt::AlignCenter);

    const StartPictureFrame frame = StartPictureFrame::Build(design, QPoint(44, 128));
    m_imgLogo = frame.picture;
    m_imgTemp = frame.defaultPicture;
    m_imgBianco = Widgets::NewHiddenLabel(frame.area, QStringLiteral("imgBianco"));
    m_imgBianco->setGeometry(0, 0, 2, 2);
    m_imgBianco->setPixmap(BlankPicture());
    for (QWidget* background : {frame.border, frame.area, static_cast<QWidget*>(m_imgLogo)})
        AddBackground(background);

    auto* btnCancLogo = new CommandPicture(design, QStringLiteral("btnCancLogo"), Icons::Picture(QStringLiteral("settings/eraser"), 34));
    btnCancLogo->setGeometry(977, 128, 34, 34);
    auto* btnRipristina = new CommandPicture(design, QStringLiteral("btnRipristina"), Icons::Picture(QStringLiteral("settings/restore"), 34));
    btnRipristina->setGeometry(977, 168, 34, 34);

    m_txtSottotitolo = Widgets::NewLineEdit(design, QStringLiteral("txtSottotitolo"));
    m_txtSottotitolo->setGeometry(44, 561, 928, 52);
    m_txtSottotitolo->setFont(Widgets::DesignFont(QStringLiteral("Arial"), 26, false, true));
    m_txtSottotitolo->setAlignment(Qt::AlignCenter);

    auto* btnSfoglia = Widgets::NewButton(design, QStringLiteral("btnSfoglia"), QStringLiteral("Carica immagine"));
    btnSfoglia->setGeometry(44, 626, 170, 40);

    Status()->SetHoverText(btnSfoglia, QStringLiteral("Carica l'immagine da mostrare nella schermata di avvio."));
    Status()->SetHoverText(btnCancLogo, QStringLiteral("Cancella immagine."));
    Status()->SetHoverText(btnRipristina, QStringLiteral("Ripristina immagine di default."));

    setTabOrder(m_txtNomeArchivio, m_txtSottotitolo);
    setTabOrder(m_txtSottotitolo, btnSfoglia);
    setTabOrder(btnSfoglia, CancelButton());
    setTabOrder(CancelButton(), ApplyButton());

    connect(btnSfoglia, &QPushButton::clicked, this, &TfrmImpostaAvvio::btnSfogliaClick);
    connect(btnCancLogo, &CommandPicture::clicked, this, &TfrmImpostaAvvio::btnCancLogoClick);
    connect(btnRipristina, &CommandPicture::clicked, this, &TfrmImpostaAvvio::btnRipristinaClick);
    connect(ApplyButton(), &QPushButton::clicked, this, &TfrmImpostaAvvio::btnApplicaClick);
}

void TfrmImpostaAvvio::FormShow()
{
    const IniValues settings = LoadSettings();
    m_txtNomeArchivio->setText(ToQString(ReadArchiveName(settings)));
    m_txtSottotitolo->setText(ToQString(ReadArchiveSubtitle(settings)));
    SetPicture(LogoFile::Load());
    m_txtNomeArchivio->setFocus();
}

void TfrmImpostaAvvio::SetPicture(const QImage& picture)
{
    m_picture = picture.isNull() ? m_imgTemp->pixmap().toImage() : picture;
    m_imgLogo->setPixmap(LogoFile::FitToPictureArea(QPixmap::fromImage(m_picture)));
}

void TfrmImpostaAvvio::btnSfogliaClick()
{
    const QString chosen = FileDialogs::OpenFile(this, PictureDialogTitle, PictureDialogFilter, PictureFolder());
    if (chosen.isEmpty())
        return;
    SetPicture(LogoFile::LoadPicture(chosen));
}

void TfrmImpostaAvvio::btnCancLogoClick()
{
    SetPicture(m_imgBianco->pixmap().toImage());
}

void TfrmImpostaAvvio::btnRipristinaClick()
{
    SetPicture(m_imgTemp->pixmap().toImage());
}

void TfrmImpostaAvvio::btnApplicaClick()
{
    if (ArchiveNameMissing(m_txtNomeArchivio->text().toStdU16String())) {
        Messages::Warning(this, QStringLiteral("Attenzione: per salvare le impostazioni è necessario indicare il nome "
                                               "del database."));
        m_txtNomeArchivio->setFocus();
        return;
    }
    if (!WriteSettings([this] {
            WriteStartScreenTexts(m_txtNomeArchivio->text().toStdU16String(), m_txtSottotitolo->text().toStdU16String());
        }))
        return;
    if (const FileOutcome saved = LogoFile::Save(m_picture); !saved) {
        Failures::Note(saved.Error());
        SetPicture({}); // the start menu then shows the default picture too; no message
    }
    close();
}
