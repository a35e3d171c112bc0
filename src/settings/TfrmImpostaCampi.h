#pragma once

#include "settings/SettingsScreen.h"

// Names the fourteen generic fields of the database sheet.
class TfrmImpostaCampi : public SettingsScreen {
    Q_OBJECT
public:
    explicit TfrmImpostaCampi(QWidget* parent = nullptr);
};
