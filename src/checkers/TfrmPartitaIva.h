#pragma once

#include "app/Screens.h"

// Checks an Italian VAT number and names its office.
class TfrmPartitaIva : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget* opener);
};
