#pragma once

#include "kit/Screens.h"

// Exports the client registry to a spreadsheet file.
class TfrmExpClienti : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmExpClienti(QWidget* opener);
};
