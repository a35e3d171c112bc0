#pragma once

#include "app/Screens.h"

// Lists the flagged sheets.
class TfrmSegnalati : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmSegnalati(QWidget* opener);
};
