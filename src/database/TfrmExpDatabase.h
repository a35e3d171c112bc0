#pragma once

#include "kit/ExportTool.h"

// Shows the whole database in a grid and exports it to Database.xls.
class TfrmExpDatabase : public ExportTool {
    Q_OBJECT
public:
    explicit TfrmExpDatabase(QWidget* opener);

    // The topic of its "Guida".
    static QString HelpTitle();
    static QString HelpText();
};
