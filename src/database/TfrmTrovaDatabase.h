#pragma once

#include "app/Screens.h"

// Finds sheets by up to ten fields.
class TfrmTrovaDatabase : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmTrovaDatabase(QWidget* opener);
};
