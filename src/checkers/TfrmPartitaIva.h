#pragma once

#include "app/Screens.h"

class QLineEdit;

// Checks an Italian VAT number and names its office.
class TfrmPartitaIva : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget* opener);

    // Puts the opener's text into the number box before the tool is shown.
    void Prefill(const QString& partitaIva);

private:
    QLineEdit* m_txtPartitaIva;
};
