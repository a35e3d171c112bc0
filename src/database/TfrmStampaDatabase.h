#pragma once

#include "app/Screens.h"

// Prints the sheet on show.
class TfrmStampaDatabase : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmStampaDatabase(QWidget* opener);
};
