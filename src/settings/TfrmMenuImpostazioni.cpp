#include "settings/TfrmMenuImpostazioni.h"

#include "kit/DesignColours.h"
#include "settings/SettingsHelp.h"
#include "kit/Maker.h"
#include "kit/TextRules.h"
#include "kit/TfrmGuida.h"
#include "kit/Widgets.h"

#include <QPainter>
#include <QPushButton>

namespace {

const QString StartMenu = QStringLiteral("avvio");
const QString StartScreenSettings = QStringLiteral("start");
const QString FieldNames = QStringLiteral("campi");

QPixmap TitlePicture()
{
    QPixmap picture(760, 70);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawPixmap(0, 3, Pictures::IconPicture(Pictures::Icon::Settings, 64, Maker::BrandBlue));
    painter.setPen(DesignColours::Ink);
    painter.setFont(Widgets::DesignFont(QStringLiteral("Arial"), 30, true));
    painter.drawText(QRect(84, 0, 676, 70), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("IMPOSTAZIONI ARCHIVIO"));
    return picture;
}

// White on the blue command pictures; the question mark is itself drawn white, so its disc
// takes a dark colour that lets it show.
QColor IconColour(Pictures::Icon icon)
{
    return icon == Pictures::Icon::Question ? QColor(0x12, 0x2B, 0x5E) : QColor(Qt::white);
}

} // namespace

TfrmMenuImpostazioni::TfrmMenuImpostazioni(SettingsFlow& flow, QWidget* parent)
    : WorkScreen(Maker::Caption(QStringLiteral("Impostazioni archivio")), parent), m_flow(flow)
{
    QWidget* design = Design();
    Widgets::NewShape(design, QStringLiteral("shpSfondo"), QRect(0, 0, 1016, 713),
                      QStringLiteral("background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FFFFFF, stop:1 #DCE8F8);"
                                     " border-radius: 12px;"));
    auto* imgTitolo = Widgets::NewLabel(design, QStringLiteral("imgTitolo"));
    imgTitolo->setGeometry(128, 40, 760, 70);
    imgTitolo->setPixmap(TitlePicture());

    auto* icoImpostazioni = Widgets::NewLabel(design, QStringLiteral("icoImpostazioni"));
    icoImpostazioni->setGeometry(178, 250, 128, 128);
    icoImpostazioni->setPixmap(Pictures::IconPicture(Pictures::Icon::Settings, 128, QColor(0x9D, 0xB9, 0xE6)));
    auto* icoImposta = Widgets::NewLabel(design, QStringLiteral("icoImposta"));
    icoImposta->setGeometry(710, 250, 128, 128);
    icoImposta->setPixmap(Pictures::IconPicture(Pictures::Icon::Database, 128, QColor(0x9D, 0xB9, 0xE6)));

    auto* lblIstruzioni = Widgets::NewLabel(design, QStringLiteral("lblIstruzioni"),
        QStringLiteral("Premere il pulsante relativo al tipo di impostazioni da effettuare."));
    lblIstruzioni->setGeometry(108, 160, 800, 30);
    lblIstruzioni->setFont(Widgets::DesignFont(QStringLiteral("Tahoma"), 14));
    lblIstruzioni->setAlignment(Qt::AlignCenter);

    QFont buttonFont = Widgets::DesignFont(QStringLiteral("Tahoma"), 13, true);
    auto* btnImpostaAvvio = Widgets::NewButton(design, QStringLiteral("btnImpostaAvvio"),
                                               QStringLiteral("Imposta schermata di avvio"));
    btnImpostaAvvio->setGeometry(358, 250, 300, 52);
    btnImpostaAvvio->setFont(buttonFont);
    auto* btnImpostaCampi = Widgets::NewButton(design, QStringLiteral("btnImpostaCampi"),
                                               QStringLiteral("Imposta campi di testo"));
    btnImpostaCampi->setGeometry(358, 326, 300, 52);
    btnImpostaCampi->setFont(buttonFont);

    auto small = [&](const QString& name, const QString& caption, Pictures::Icon icon, int x, int width = 160) {
        const QSize size(width, 50);
        auto* picture = new CommandPicture(design, name,
            CommandPicture::Drawn(size, caption, Pictures::IconPicture(icon, 34, IconColour(icon)),
                                  DesignColours::CommandFace, DesignColours::Ink));
        picture->setGeometry(x, 630, size.width(), size.height());
        return picture;
    };
    auto* imgGuida = small(QStringLiteral("imgGuida"), QStringLiteral("Guida"), Pictures::Icon::Question, 30);
    auto* imgCopie = small(QStringLiteral("imgCopie"), QStringLiteral("Copie di sicurezza"), Pictures::Icon::Copies, 208, 240);
    imgCopie->setToolTip(QStringLiteral("Elenca le copie di sicurezza dell'archivio e consente di ripristinarne una."));
    auto* imgEsci = small(QStringLiteral("imgEsci"), QStringLiteral("Esci"), Pictures::Icon::Exit, 826);

    m_lblMemory = Widgets::NewHiddenLabel(design, QStringLiteral("lblMemory"), StartMenu);

    connect(btnImpostaCampi, &QPushButton::clicked, this, &TfrmMenuImpostazioni::btnImpostaCampiClick);
    connect(btnImpostaAvvio, &QPushButton::clicked, this, &TfrmMenuImpostazioni::btnImpostaAvvioClick);
    connect(imgCopie, &CommandPicture::clicked, this, &TfrmMenuImpostazioni::imgCopieClick);
    connect(imgGuida, &CommandPicture::clicked, this, &TfrmMenuImpostazioni::imgGuidaClick);
    connect(imgEsci, &CommandPicture::clicked, this, &TfrmMenuImpostazioni::imgEsciClick);
}

void TfrmMenuImpostazioni::FormShow()
{
    SetNext(Next::StartMenu);
}

void TfrmMenuImpostazioni::FormClose()
{
    switch (m_next) {
    case Next::StartMenu: m_flow.ShowStartMenu(); break;
    case Next::FieldNames: m_flow.ShowFieldNames(); break;
    case Next::StartScreenSettings: m_flow.ShowStartScreenSettings(); break;
    }
    SetNext(Next::StartMenu);
}

void TfrmMenuImpostazioni::SetNext(Next next)
{
    m_next = next;
    m_lblMemory->setText(next == Next::FieldNames            ? FieldNames
                         : next == Next::StartScreenSettings ? StartScreenSettings
                                                             : StartMenu);
}

void TfrmMenuImpostazioni::btnImpostaCampiClick()
{
    SetNext(Next::FieldNames);
    close();
}

void TfrmMenuImpostazioni::btnImpostaAvvioClick()
{
    SetNext(Next::StartScreenSettings);
    close();
}

void TfrmMenuImpostazioni::imgCopieClick()
{
    m_flow.OpenBackups(this);
}

void TfrmMenuImpostazioni::imgGuidaClick()
{
    OpenTool<TfrmGuida>(this, SettingsHelpTitle(), SettingsHelpText());
}

void TfrmMenuImpostazioni::imgEsciClick()
{
    close();
}
