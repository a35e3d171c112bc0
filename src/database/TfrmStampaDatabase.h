#pragma once

#include "database/SheetPrintDialog.h"

// " Stampa scheda": prints the sheet the database sheet screen shows, after the print dialog.
class TfrmStampaDatabase : public SheetPrintDialog {
    Q_OBJECT
public:
    explicit TfrmStampaDatabase(TfrmDatabase& sheet);
};
