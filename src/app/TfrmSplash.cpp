#include "app/TfrmSplash.h"

#include "kit/Maker.h"
#include "kit/TMisc.h"
#include "kit/Widgets.h"

#include <QPainter>
#include <QPushButton>

TfrmSplash::TfrmSplash(QWidget* opener)
    : ToolDialog(opener, u' ' + Maker::ProgramName + QStringLiteral(" - ") + Maker::CopyrightNotice, QSize(661, 467),
                 Placement::CentredOnOpener)
{
    auto* imgLogo = Widgets::NewLabel(this, QStringLiteral("imgLogo"));
    imgLogo->setGeometry(18, 16, 625, 380);
    imgLogo->setPixmap(NoticePicture());

    auto* imgWeb = new CommandPicture(this, QStringLiteral("imgWeb"),
                                      Pictures::IconPicture(Pictures::Icon::Globe, 32, Maker::BrandBlue));
    imgWeb->setGeometry(18, 418, 32, 32);
    auto* lnkWeb = new LinkLabel(this, QStringLiteral("lnkWeb"), Maker::WebAddressShown);
    lnkWeb->setGeometry(58, 420, 300, 28);
    lnkWeb->ShareWith(imgWeb);

    auto* btnChiudi = Widgets::NewButton(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"));
    btnChiudi->setGeometry(535, 415, 108, 36);
    btnChiudi->setFocus();

    connect(lnkWeb, &LinkLabel::clicked, this, &TfrmSplash::lnkWebClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmSplash::btnChiudiClick);
}

QPixmap TfrmSplash::NoticePicture()
{
    QPixmap picture(625, 380);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, 380);
    gradient.setColorAt(0, QColor(0x2B, 0x56, 0xA8));
    gradient.setColorAt(1, QColor(0x10, 0x24, 0x52));
    painter.fillRect(picture.rect(), gradient);
    painter.drawPixmap(40, 60, Pictures::IconPicture(Pictures::Icon::Database, 120, QColor(0xDD, 0xEB, 0xFA)));
    painter.setPen(Qt::white);
    painter.setFont(Widgets::DesignFont(QStringLiteral("Arial"), 40, true));
    painter.drawText(QRect(180, 60, 420, 80), Qt::AlignLeft | Qt::AlignVCenter, Maker::ProgramName);
    painter.setFont(Widgets::DesignFont(QStringLiteral("Arial"), 14, false, true));
    painter.drawText(QRect(180, 140, 420, 40), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Il tuo archivio, sul tuo computer."));
    painter.setFont(Widgets::DesignFont(QStringLiteral("Tahoma"), 12));
    painter.drawText(QRect(40, 260, 545, 30), Qt::AlignLeft | Qt::AlignVCenter, Maker::CopyrightNotice);
    painter.drawText(QRect(40, 292, 545, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tutti i diritti riservati."));
    painter.drawText(QRect(40, 324, 545, 30), Qt::AlignLeft | Qt::AlignVCenter, Maker::WebAddressShown);
    return picture;
}

void TfrmSplash::lnkWebClick() { TMisc::Open(Maker::WebAddress); }
void TfrmSplash::btnChiudiClick() { CloseTool(); }
