#pragma once

#include "checkers/CheckerDialog.h"

// Checks an Italian fiscal code by its check letter.
class TfrmCodFisc : public CheckerDialog {
    Q_OBJECT
public:
    // Opened with OpenTool<TfrmCodFisc>(opener, text), it starts with `text` in its box.
    explicit TfrmCodFisc(QWidget* opener, const QString& text = {});

    // The sheets' fiscal-code button: a field of digits only is a VAT number and goes to the
    // VAT check; anything else (also an empty field) to this tool. `fieldText` is trimmed.
    static void OpenFromSheet(QWidget* opener, const QString& fieldText);

protected:
    void btnControllaClick() override;
};
