#pragma once

#include "app/SheetScreen.h"

// The database sheet screen: one sheet of the customisable database at a time.
class TfrmDatabase : public SheetScreen {
    Q_OBJECT
public:
    explicit TfrmDatabase(QWidget* parent = nullptr);
};
