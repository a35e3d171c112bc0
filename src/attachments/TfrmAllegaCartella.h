#pragma once

#include "app/Screens.h"

// Attaches up to three files to a sheet, copied into the attachments folder.
class TfrmAllegaCartella : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(QWidget* opener);
};
