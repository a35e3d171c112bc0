#pragma once

#include "kit/ScreenFlow.h"
#include "kit/Screens.h"

class CommandPicture;
class QLabel;

// The start menu: the archive's name, subtitle and picture, and the ways into the program.
class TfrmAvvio : public WorkScreen {
    Q_OBJECT
public:
    explicit TfrmAvvio(QWidget* parent = nullptr);

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
    void HandOverTo(WorkScreenId next);

    QLabel* m_titNomeArchivio;
    QLabel* m_titSottotitolo;
    QLabel* m_imgLogo;
    QLabel* m_imgTemp;
};
