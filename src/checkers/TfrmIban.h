#pragma once

#include "app/Screens.h"

// Checks an IBAN.
class TfrmIban : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmIban(QWidget* opener);
};
