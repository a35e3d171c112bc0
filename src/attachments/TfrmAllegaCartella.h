#pragma once

#include "app/Screens.h"
#include "app/SheetScreen.h"

#include <QStringList>
#include <array>

class CommandPicture;
class QLabel;
class QLineEdit;
class QPushButton;

// Attaches up to three files to a sheet: each picked file is copied at once into the
// attachments folder; the names and descriptions go back to the sheet screen on apply.
class TfrmAllegaCartella : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(QWidget* opener);

    // Tells the tool which sheet screen it serves ("database" or "clienti") and fills its six boxes
    // in the order txtFile01, txtDesc01, txtFile02, txtDesc02, txtFile03, txtDesc03.
    void Prefill(const QString& mode, const AttachmentTexts& texts);

    static constexpr int SlotCount = 3;

    void btnSfogliaClick(int slot);
    void btnApriClick(int slot);
    void imgCancellaClick(int slot);
    void txtFileChange(int slot);
    void btnApplicaClick();
    void btnAnnullaClick();

private:
    struct Slot {
        QLineEdit* txtFile;
        QLineEdit* txtDesc;
        CommandPicture* imgCancella;
        QPushButton* btnSfoglia;
        QPushButton* btnApri;
    };
    Slot NewSlot(int slot, int top);
    // The six texts, trimmed, in the order the sheet screens keep them.
    AttachmentTexts Texts() const;

    std::array<Slot, SlotCount> m_slots;
    QLabel* m_lblMemory;
};
