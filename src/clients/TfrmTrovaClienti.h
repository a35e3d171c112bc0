#pragma once

#include "app/Screens.h"

// Finds clients by up to ten fields.
class TfrmTrovaClienti : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmTrovaClienti(QWidget* opener);
};
