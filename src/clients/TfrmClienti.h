#pragma once

#include "kit/SheetScreen.h"

// The client sheet screen: one client of the registry at a time.
class TfrmClienti : public SheetScreen {
    Q_OBJECT
public:
    explicit TfrmClienti(QWidget* parent = nullptr);
};
