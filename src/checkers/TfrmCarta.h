#pragma once

#include "checkers/CheckerDialog.h"

// Checks a payment-card number by its Luhn check digit and names the card type.
class TfrmCarta : public CheckerDialog {
    Q_OBJECT
public:
    explicit TfrmCarta(QWidget* opener);

protected:
    void btnControllaClick() override;

private:
    void txtNumeroTyping();
};
