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
    for (int slot = 1; slot <= 3; ++slot) {
        const QString number = QStringLiteral("%1").arg(slot, 2, 10, QLatin1Char('0'));
        m_attachmentLabels.append(Widgets::NewHiddenLabel(design, QStringLiteral("lblFile") + number));
        m_attachmentLabels.append(Widgets::NewHiddenLabel(design, QStringLiteral("lblDesc") + number));
    }

    connect(cmdEsci, &CommandPicture::clicked, this, &SheetScreen::cmdEsciClick);
}

void SheetScreen::FormShow()
{
    m_lblPosizione->clear();
    SetAttachmentTexts({});
}

QStringList SheetScreen::AttachmentTexts() const
{
    QStringList texts;
    for (const QLabel* label : m_attachmentLabels)
        texts.append(label->text());
    return texts;
}

void SheetScreen::SetAttachmentTexts(const QStringList& texts)
{
    for (qsizetype i = 0; i < m_attachmentLabels.size(); ++i)
        m_attachmentLabels.at(i)->setText(texts.value(i));
}

void SheetScreen::FormClose()
{
    Program::Current()->Avvio()->ShowScreen();
}

void SheetScreen::cmdEsciClick()
{
    close();
}
