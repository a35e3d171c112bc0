#pragma once

#include "kit/ScreenFlow.h"
#include "kit/Screens.h"

class CommandPicture;
class QLabel;

// The hand-overs of the start menu: into either archive or the settings.
class StartMenuFlow : public virtual ScreenFlow {
public:
    virtual void ShowDatabase() = 0;
    virtual void ShowClients() = 0;
    virtual void ShowSettingsMenu() = 0;
};

// The start menu: the archive's name, subtitle and picture, and the ways into the program.
class TfrmAvvio : public WorkScreen {
    Q_OBJECT
public:
    explicit TfrmAvvio(StartMenuFlow& flow, QWidget* parent = nullptr);

    void cmdDatabaseClick();
    void cmdClientiClick();
    void cmdImpostazioniClick();
    void imgGuidaClick();
    void imgInfoClick();
    void imgCopyrightClick();
    void imgSitoWebClick();
    void imgEsciClick();

protected:
    void FormShow() override;
    void FormClose() override;

private:
    // Shows the next screen through the flow and hides the menu.
    void HandOver(void (StartMenuFlow::*show)());

    StartMenuFlow& m_flow;

    QLabel* m_titNomeArchivio;
    QLabel* m_titSottotitolo;
    QLabel* m_imgLogo;
    QLabel* m_imgTemp;
};
