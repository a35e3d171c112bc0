#pragma once

#include "app/Screens.h"

// Attaches up to three files to a sheet, copied into the attachments folder.
class TfrmAllegaCartella : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(QWidget* opener);

    // Tells the tool which sheet screen it serves ("database" or "clienti") and fills its six boxes
    // in the order txtFile01, txtDesc01, txtFile02, txtDesc02, txtFile03, txtDesc03.
    void Prefill(const QString& mode, const QStringList& texts);
};
