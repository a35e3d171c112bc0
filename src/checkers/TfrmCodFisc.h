#pragma once

#include "app/Screens.h"

class QLineEdit;

// Checks an Italian fiscal code.
class TfrmCodFisc : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget* opener);

    // Puts the opener's text into the code box before the tool is shown.
    void Prefill(const QString& codFisc);

private:
    QLineEdit* m_txtCodFisc;
};
