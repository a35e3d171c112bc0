#pragma once

#include "app/Screens.h"

// Checks a credit-card number.
class TfrmCarta : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmCarta(QWidget* opener);
};
