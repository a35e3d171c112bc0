#pragma once

#include "kit/Screens.h"
#include "kit/SheetScreen.h"
#include "attachments/AttachmentFolder.h"

#include <QStringList>
#include <array>
#include <string_view>

class CommandPicture;
class QLabel;
class QLineEdit;
class QPushButton;

// Attaches up to three files to a sheet: each picked file is copied at once into the
// attachments folder; the names and descriptions go back to the sheet screen on apply.
class TfrmAllegaCartella : public ToolDialog {
    Q_OBJECT
public:
    // The tool serves one sheet screen: it shows the sheet's attachment texts and gives
    // them back to that screen on apply.
    explicit TfrmAllegaCartella(SheetScreen& served);

    static constexpr int SlotCount = 3;

    // Asked when the attachments folder already holds a file of the picked name.
    static QString OverwriteQuestionText();
    // Why a picked file is refused: its name would be stored differently from the copy's,
    // or it cannot be a name in the attachments folder.
    static QString UnstorableNameText();
    static QString UnusableNameText();
    // The warning of a copy that failed at `step`, saying why in the user's words.
    static QString CopyFailedText(attachments::CopyStep step);

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
    // True when `name` can be a file of the folder that the sheet stores as it is; otherwise
    // says why not.
    bool Accepts(std::u16string_view name);
    // Fills the six boxes, txtFile01, txtDesc01, ... txtDesc03, from the sheet's texts.
    void ShowTexts(const AttachmentTexts& texts);
    // The six texts, trimmed, in the order the sheet screens keep them.
    AttachmentTexts Texts() const;

    SheetScreen& m_served;
    std::array<Slot, SlotCount> m_slots;
    QLabel* m_lblMemory;
};
