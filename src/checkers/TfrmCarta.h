#pragma once

#include "checkers/CheckerDialog.h"

// Checks a payment-card number by its Luhn check digit and names the card type.
class TfrmCarta : public CheckerDialog {
    Q_OBJECT
public:
    // Opened with OpenTool<TfrmCarta>(opener, text), it starts with `text` in its box.
    explicit TfrmCarta(QWidget* opener, const QString& text = {});

protected:
    void btnControllaClick() override;

private:
    void txtNumeroTyping();
};
