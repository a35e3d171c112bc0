#pragma once

#include "app/Screens.h"

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
    // Where the menu hands over when it closes: "avvio", "start" or "campi".
    QLabel* m_lblMemory;
};
