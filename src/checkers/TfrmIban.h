#pragma once

#include "app/Screens.h"

// Checks an IBAN.
class TfrmIban : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmIban(QWidget* opener);

    // Puts the text to check into the box before the tool is shown.
    void Prefill(const QString& text);
};
