#pragma once

#include "kit/Messages.h"
#include "kit/Screens.h"
#include "kit/TextBoxes.h"

#include <QString>

class QLineEdit;
class QPushButton;

// What sets one checker apart from the others: captions, header, the box and its kind.
struct CheckerLook {
    QString caption;      // window title
    QSize clientSize;
    QString headerTitle;  // written on the header picture
    QString headerIcon;   // the icon beside it, as named in the resources
    QString instruction;  // lblTitolo
    QString boxName;      // txtCodFisc, txtPartitaIva, ...
    int typingLimit;      // characters the user can type
    BoxKind kind;
};

// The shape the four checkers share: a header picture, one line of instructions, one box in a
// large fixed-pitch font, "Controlla" and "Chiudi". Enter in the box moves to "Controlla";
// a second Enter presses it. A text the check cannot take keeps the tool open; a verdict
// closes it.
class CheckerDialog : public ToolDialog {
    Q_OBJECT
public:
    // Puts the text to check into the box before the tool is shown. The text is shown whole,
    // even beyond the typing limit; it is not tidied until the user types in the box.
    void Prefill(const QString& text);

protected:
    CheckerDialog(QWidget* opener, const CheckerLook& look);

    QLineEdit* Box() const { return m_box; }
    // "Controlla".
    virtual void btnControllaClick() = 0;
    // Warns, puts the focus back in the box and stays open for another attempt.
    void AskAgain(const QString& warning);
    // Shows the verdict (an information or a warning) and closes the tool.
    void Conclude(MessageKind kind, const QString& text);

    void FormShow() override;

private:
    void btnChiudiClick();
    void KeepTypingLimit();

    QLineEdit* m_box;
    int m_typingLimit;
};
