#pragma once

#include "app/Screens.h"

// Previews the sheet on show.
class TfrmAnteprimaPrev : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmAnteprimaPrev(QWidget* opener);
};
