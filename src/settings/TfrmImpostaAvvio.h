#pragma once

#include "settings/SettingsScreen.h"

// Sets the archive name, the subtitle and the picture of the start menu.
class TfrmImpostaAvvio : public SettingsScreen {
    Q_OBJECT
public:
    explicit TfrmImpostaAvvio(QWidget* parent = nullptr);
};
