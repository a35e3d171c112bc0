#pragma once

#include "app/Screens.h"

// Checks an Italian fiscal code.
class TfrmCodFisc : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget* opener);
};
