#pragma once

#include "app/Screens.h"

// Checks an Italian VAT number and names its office.
class TfrmPartitaIva : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget* opener);

    // Puts the text to check into the box before the tool is shown.
    void Prefill(const QString& text);
};
