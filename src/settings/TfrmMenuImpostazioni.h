#pragma once

#include "settings/SettingsFlow.h"
#include "kit/Screens.h"

class QLabel;

// The settings menu: leads to the field-name screen or the start-screen settings, and opens
// the archive's copies.
class TfrmMenuImpostazioni : public WorkScreen {
    Q_OBJECT
public:
    explicit TfrmMenuImpostazioni(SettingsFlow& flow, QWidget* parent = nullptr);

    void btnImpostaCampiClick();
    void btnImpostaAvvioClick();
    void imgCopieClick();
    void imgGuidaClick();
    void imgEsciClick();

protected:
    void FormShow() override;
    void FormClose() override;

private:
    // Where the menu hands over when it closes; lblMemory shows it as "avvio", "start" or "campi".
    enum class Next { StartMenu, FieldNames, StartScreenSettings };
    void SetNext(Next next);

    SettingsFlow& m_flow;
    Next m_next = Next::StartMenu;
    QLabel* m_lblMemory;
};
