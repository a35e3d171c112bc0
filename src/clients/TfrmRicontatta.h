#pragma once

#include "kit/Screens.h"

// Lists the clients to recontact.
class TfrmRicontatta : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmRicontatta(QWidget* opener);
};
