#include "settings/SettingsScreen.h"

#include "kit/Failures.h"
#include "kit/ScreenFlow.h"
#include "kit/StatusLine.h"
#include "kit/WaitCursor.h"
#include "kit/Widgets.h"
#include "storage/IniFile.h"

#include <QPushButton>

SettingsScreen::SettingsScreen(ScreenFlow& flow, const QString& caption, QWidget* parent)
    : WorkScreen(caption, parent), m_flow(flow)
{
    QWidget* design = Design();
    QWidget* shpSfondo = Widgets::NewShape(design, QStringLiteral("shpSfondo"), QRect(0, 0, 1016, 713),
                                           QStringLiteral("background: #F2F6FC;"));
    m_status = new StatusLine(this, design, QRect(0, 681, 1016, 32), StatusLine::Blue,
                              QStringLiteral("Pronto per salvare le impostazioni..."));
    m_status->AddBackground(shpSfondo);

    m_btnAnnulla = Widgets::NewButton(design, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"));
    m_btnAnnulla->setGeometry(700, 626, 140, 40);
    m_btnApplica = Widgets::NewButton(design, QStringLiteral("btnApplica"), QStringLiteral("Applica e chiudi"));
    m_btnApplica->setGeometry(856, 626, 150, 40);
    m_status->SetHoverText(m_btnAnnulla, QStringLiteral("Esci senza salvare le impostazioni."));
    m_status->SetHoverText(m_btnApplica, QStringLiteral("Applica le impostazioni e chiudi questa schermata."));
    connect(m_btnAnnulla, &QPushButton::clicked, this, &SettingsScreen::btnAnnullaClick);
}

void SettingsScreen::AddBackground(QWidget* background)
{
    m_status->AddBackground(background);
}

bool SettingsScreen::WriteSettings(const std::function<void()>& write)
{
    try {
        WaitCursor wait; // gone before the message below
        write();
        return true;
    } catch (const FileFailure& failure) {
        Failures::ReportWriteFailure(this, MessageKind::Error, QString::fromUtf8(failure.what()), failure.Error());
        return false;
    }
}

void SettingsScreen::FormClose()
{
    m_flow.ShowStartMenu();
}

void SettingsScreen::btnAnnullaClick()
{
    close();
}
