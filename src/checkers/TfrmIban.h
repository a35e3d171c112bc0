#pragma once

#include "checkers/CheckerDialog.h"

// Checks an IBAN of the Italian length with the ISO 13616 mod-97 rule.
class TfrmIban : public CheckerDialog {
    Q_OBJECT
public:
    // Opened with OpenTool<TfrmIban>(opener, text), it starts with `text` in its box.
    explicit TfrmIban(QWidget* opener, const QString& text = {});

protected:
    void btnControllaClick() override;
};
