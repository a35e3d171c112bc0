#pragma once

#include "app/Screens.h"

// Checks a credit-card number.
class TfrmCarta : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmCarta(QWidget* opener);

    // Puts the text to check into the box before the tool is shown.
    void Prefill(const QString& text);
};
