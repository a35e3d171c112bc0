#pragma once

#include "kit/ExportTool.h"

// Shows the whole client registry in a grid and exports it to Clienti.xls.
class TfrmExpClienti : public ExportTool {
    Q_OBJECT
public:
    explicit TfrmExpClienti(QWidget* opener);

    // The topic of its "Guida".
    static QString HelpTitle();
    static QString HelpText();
};
