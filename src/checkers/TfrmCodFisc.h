#pragma once

#include "app/Screens.h"

// Checks an Italian fiscal code.
class TfrmCodFisc : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget* opener);

    // Puts the text to check into the box before the tool is shown.
    void Prefill(const QString& text);
};
