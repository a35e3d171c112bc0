#pragma once

#include <QComboBox>
#include <QObject>

class QFrame;
class QLineEdit;

// How a text box tidies what the user types.
enum class BoxKind {
    Plain,
    Code,                // trimmed and capitalised (a-z only) at every change
    CodeAlsoOnKeyRelease, // as Code, and again whenever a key is released (the checkers)
    Email,               // trimmed at every change and when the box is left
    EmailOnKeyRelease,   // trimmed whenever a key is released and when the box is left
    DigitsOnly,          // only digits, Backspace, Delete, Left and Right get through
    UpperOnKeyRelease,   // capitalised (a-z only) whenever a key is released, never trimmed
};

// The behaviours a screen attaches to its text boxes: highlight frame, place in the Enter
// chain, maximum length and kind. One small object per box holds them.
namespace TextBoxes {

// Creates the yellow frame "eff<Name>" for a box named "txt<Name>", under the box and
// larger by 4 units on every side; hidden until the box has the focus.
QFrame* AttachHighlightFrame(QWidget* box);

// Enter in `box` moves the focus to `next` (nullptr: Enter is only swallowed).
void SetEnterSuccessor(QWidget* box, QWidget* next);
// Enter walks the boxes in order; with `wrap` the last hands back to the first.
void SetEnterChain(const QList<QWidget*>& boxes, bool wrap);

void SetKind(QWidget* box, BoxKind kind);
void SetMaxLength(QWidget* box, int length);
// The box's text is stored in Windows-1252 (a record field, a settings file): what the user
// types or pastes that the code page lacks is replaced at once by what saving would store
// (StorableText), so the box never shows what the archive cannot hold.
void KeepStorable(QWidget* box);
// A box that feeds a record field: at most `width` characters, kept storable.
void SetFieldWidth(QWidget* box, int width);

// Puts a text into a box (line edit or province box) showing its beginning: a long value is
// not shown scrolled to its end.
void ShowText(QWidget* box, const QString& text);

// Applies the kind's tidying once, as leaving the box would.
QString Tidy(BoxKind kind, const QString& text);

// The text of a text box (a line edit or a province box).
QString TextOf(const QWidget* box);

} // namespace TextBoxes

// The province box: an editable list of the 112 province codes that accepts any two
// characters, capitalised as they are typed and tidied again when the box is left. The list
// only offers: what the user types is kept as typed (no code is completed into the box),
// and a code of the list is taken only when the user picks it.
class ProvinceBox : public QComboBox {
    Q_OBJECT
public:
    explicit ProvinceBox(QWidget* parent = nullptr);
    static const QStringList& Codes();
    QString text() const;
    void setText(const QString& text);
};
