#pragma once

#include "checkers/CheckerDialog.h"

// Checks an IBAN of the Italian length with the ISO 13616 mod-97 rule.
class TfrmIban : public CheckerDialog {
    Q_OBJECT
public:
    explicit TfrmIban(QWidget* opener);

protected:
    void btnControllaClick() override;
};
