#include "app/SheetScreen.h"

#include "app/Program.h"
#include "app/StatusLine.h"
#include "app/TfrmAvvio.h"
#include "app/Widgets.h"

SheetScreen::SheetScreen(const QString& caption, const QColor& statusColour, QWidget* parent)
    : WorkScreen(caption, parent)
{
    QWidget* design = Design();
    QWidget* shpSfondo = Widgets::NewShape(design, QStringLiteral("shpSfondo"), QRect(0, 0, 1016, 713),
                                           QStringLiteral("background: #F2F6FC;"));
    m_status = new StatusLine(this, design, QRect(0, 681, 1016, 32), statusColour,
                              QStringLiteral("Pronto per archiviare una nuova scheda..."));
    m_status->AddBackground(shpSfondo);

    auto* cmdEsci = new CommandPicture(design, QStringLiteral("cmdEsci"),
        CommandPicture::Drawn(QSize(120, 44), QStringLiteral("Esci"),
                              Pictures::IconPicture(Pictures::Icon::Exit, 30, Qt::white),
                              QColor(0x4A, 0x80, 0xD6), QColor(0x1D, 0x3F, 0x86)));
    cmdEsci->setGeometry(884, 626, 120, 44);
    m_status->SetHoverText(cmdEsci, QStringLiteral("Torna alla schermata di avvio."));
    m_lblPosizione = Widgets::NewHiddenLabel(design, QStringLiteral("lblPosizione"));

    connect(cmdEsci, &CommandPicture::clicked, this, &SheetScreen::cmdEsciClick);
}

void SheetScreen::FormShow()
{
    m_lblPosizione->clear();
}

void SheetScreen::FormClose()
{
    Program::Current()->Avvio()->ShowScreen();
}

void SheetScreen::cmdEsciClick()
{
    close();
}
