#pragma once

#include "kit/ScreenFlow.h"
#include "kit/Screens.h"

class QLabel;

// The settings menu: leads to the field-name screen or the start-screen settings.
class TfrmMenuImpostazioni : public WorkScreen {
    Q_OBJECT
public:
    explicit TfrmMenuImpostazioni(QWidget* parent = nullptr);

    void btnImpostaCampiClick();
    void btnImpostaAvvioClick();
    void imgGuidaClick();
    void imgEsciClick();

protected:
    void FormShow() override;
    void FormClose() override;

private:
    // Where the menu hands over when it closes; lblMemory shows it as "avvio", "start" or "campi".
    void SetNext(WorkScreenId next);

    WorkScreenId m_next = WorkScreenId::StartMenu;
    QLabel* m_lblMemory;
};
