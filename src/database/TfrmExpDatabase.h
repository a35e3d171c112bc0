#pragma once

#include "app/Screens.h"

// Exports the database to a spreadsheet file.
class TfrmExpDatabase : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmExpDatabase(QWidget* opener);
};
