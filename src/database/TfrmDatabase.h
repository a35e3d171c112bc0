#pragma once

#include "app/SheetScreen.h"
#include "storage/Records.h"

#include <cstddef>

// The database sheet screen: one sheet of the customisable database at a time.
class TfrmDatabase : public SheetScreen {
    Q_OBJECT
public:
    explicit TfrmDatabase(QWidget* parent = nullptr);

    // Puts a stored sheet and its 1-based position in the file on screen.
    void MostraScheda(const TSchedaDatabase& sheet, std::size_t position);
};
