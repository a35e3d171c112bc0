#pragma once

#include "checkers/CheckerDialog.h"

// Checks an Italian VAT number and names the VAT office that issued it.
class TfrmPartitaIva : public CheckerDialog {
    Q_OBJECT
public:
    // Opened with OpenTool<TfrmPartitaIva>(opener, text), it starts with `text` in its box.
    explicit TfrmPartitaIva(QWidget* opener, const QString& text = {});

    // The verdict on an eleven-character number, as the tool shows it.
    static QString VerdictText(const QString& number);

protected:
    void btnControllaClick() override;
};
