#pragma once

#include "database/SheetPrintDialog.h"

// " Anteprima di stampa": shows the sheet the database sheet screen shows as it will print.
class TfrmAnteprimaPrev : public SheetPrintDialog {
    Q_OBJECT
public:
    explicit TfrmAnteprimaPrev(TfrmDatabase& sheet);
};
