#pragma once

#include "app/Screens.h"
#include "app/SheetScreen.h"

#include <array>

class QLabel;
class QLineEdit;

// Attaches up to three files to a sheet, copied into the attachments folder.
class TfrmAllegaCartella : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(QWidget* opener);

    // Before the tool is shown: which sheet screen it serves ("database" or "clienti", into
    // lblMemory) and the sheet's three file names and descriptions.
    void Prefill(const QString& mode, const AttachmentTexts& texts);

private:
    QLabel* m_lblMemory;
    std::array<QLineEdit*, 3> m_txtFile{};
    std::array<QLineEdit*, 3> m_txtDesc{};
};
