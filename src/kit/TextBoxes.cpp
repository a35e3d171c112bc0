#include "kit/TextBoxes.h"

#include "kit/TextRules.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

namespace {

QLineEdit* EditOf(QWidget* box)
{
    if (auto* edit = qobject_cast<QLineEdit*>(box))
        return edit;
    if (auto* combo = qobject_cast<QComboBox*>(box))
        return combo->lineEdit();
    return nullptr;
}

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

bool IsCode(BoxKind kind) { return kind == BoxKind::Code || kind == BoxKind::CodeAlsoOnKeyRelease; }
bool IsEmail(BoxKind kind) { return kind == BoxKind::Email || kind == BoxKind::EmailOnKeyRelease; }
bool Trims(BoxKind kind) { return IsCode(kind) || IsEmail(kind); }

// Puts `after` into the box with the cursor at `cursor`, unless the text is already that.
void Replace(QLineEdit* edit, const QString& after, int cursor)
{
    if (after == edit->text())
        return;
    edit->setText(after);
    edit->setCursorPosition(qBound(0, cursor, int(after.size())));
}

// Replaces the text of a box with its tidied form, keeping the cursor where the user was
// typing: only trimming takes characters away before it (the leading blanks).
void Retidy(QLineEdit* edit, BoxKind kind)
{
    const QString before = edit->text();
    int cursor = edit->cursorPosition();
    if (Trims(kind)) {
        int leading = 0;
        while (leading < cursor && IsTrimmedAway(before.at(leading).unicode()))
            ++leading;
        cursor -= leading;
    }
    Replace(edit, TextBoxes::Tidy(kind, before), cursor);
}

// Replaces what the archive cannot hold with what saving would store. Each character stays
// one character, so the cursor stays behind the same one.
void MakeStorable(QLineEdit* edit)
{
    const QString before = edit->text();
    const int cursor = int(QStringView(before).left(edit->cursorPosition()).toUcs4().size());
    Replace(edit, StorableText(before), cursor);
}

// When a province box is about to take the focus its list marks no entry (leaving the box
// has let the combo mark the code it shows); the text stays as it is.
void Unmark(QComboBox* province)
{
    if (province->currentIndex() != -1) {
        QLineEdit* edit = province->lineEdit();
        const QString text = edit->text();
        const int cursor = edit->cursorPosition();
        province->setCurrentIndex(-1);
        edit->setText(text);
        edit->setCursorPosition(cursor);
    }
    if (province->view())
        province->view()->clearSelection();
}

// The behaviours of one box, as an event filter living as the box's child.
class BoxBehaviour : public QObject {
public:
    explicit BoxBehaviour(QWidget* box) : QObject(box), m_box(box)
    {
        setObjectName(QStringLiteral("BoxBehaviour"));
        box->installEventFilter(this);
        if (auto* combo = qobject_cast<QComboBox*>(box))
            if (combo->lineEdit())
                combo->lineEdit()->installEventFilter(this);
        if (QLineEdit* edit = EditOf(box))
            connect(edit, &QLineEdit::textEdited, this, [this] { TextEdited(); });
    }

    static BoxBehaviour* Of(QWidget* box)
    {
        if (auto* existing = box->findChild<BoxBehaviour*>(QStringLiteral("BoxBehaviour"), Qt::FindDirectChildrenOnly))
            return existing;
        return new BoxBehaviour(box);
    }

    QPointer<QFrame> frame;
    QPointer<QWidget> successor;
    BoxKind kind = BoxKind::Plain;
    bool storable = false; // the text is stored in Windows-1252

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        // A popup (the box's own list, a context menu) takes the focus only while it is open:
        // the box has not been left, and is not entered again when it closes.
        case QEvent::FocusIn:
            if (watched == m_box && !ByPopup(event))
                FocusIn();
            break;
        case QEvent::FocusOut:
            if (watched == m_box && !ByPopup(event) && !ListOpen())
                FocusOut();
            break;
        case QEvent::KeyPress:
            return KeyPress(static_cast<QKeyEvent*>(event));
        case QEvent::KeyRelease:
            KeyRelease();
            break;
        default:
            break;
        }
        return false;
    }

private:
    static bool ByPopup(QEvent* event) { return static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason; }

    // The combo hands the focus to its list once the list is open.
    bool ListOpen() const
    {
        const auto* province = qobject_cast<QComboBox*>(m_box);
        return province && province->view() && province->view()->isVisible();
    }

    void FocusIn()
    {
        if (frame)
            frame->show();
        if (auto* province = qobject_cast<QComboBox*>(m_box); province && province->lineEdit())
            Unmark(province);
    }

    void FocusOut()
    {
        if (frame)
            frame->hide();
        if (qobject_cast<QComboBox*>(m_box) || IsEmail(kind))
            if (QLineEdit* edit = EditOf(m_box))
                Retidy(edit, kind);
    }

    bool KeyPress(QKeyEvent* key)
    {
        if (IsEnter(key->key())) {
            if (successor)
                successor->setFocus(Qt::OtherFocusReason);
            return true;
        }
        if (kind != BoxKind::DigitsOnly)
            return false;
        switch (key->key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
        case Qt::Key_Left:
        case Qt::Key_Right:
            return false;
        default:
            break;
        }
        const QString typed = key->text();
        const bool digit = typed.size() == 1 && typed.at(0) >= u'0' && typed.at(0) <= u'9';
        return !digit;
    }

    void KeyRelease()
    {
        if (kind == BoxKind::CodeAlsoOnKeyRelease || kind == BoxKind::EmailOnKeyRelease
            || kind == BoxKind::UpperOnKeyRelease)
            if (QLineEdit* edit = EditOf(m_box))
                Retidy(edit, kind);
    }

    void TextEdited()
    {
        QLineEdit* edit = EditOf(m_box);
        if (!edit)
            return;
        if (storable)
            MakeStorable(edit);
        if (IsCode(kind) || kind == BoxKind::Email)
            Retidy(edit, kind);
    }

    QWidget* m_box;
};

} // namespace

namespace TextBoxes {

QFrame* AttachHighlightFrame(QWidget* box)
{
    auto* frame = new QFrame(box->parentWidget());
    QString name = box->objectName();
    if (name.startsWith(QStringLiteral("txt")))
        name = name.mid(3);
    frame->setObjectName(QStringLiteral("eff") + name);
    frame->setGeometry(box->geometry().adjusted(-4, -4, 4, 4));
    frame->setStyleSheet(QStringLiteral(
        "QFrame { background: #FFFF00; border-radius: 3px;"
        " border: 2px solid qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FFFF00, stop:1 #FFFFFF); }"));
    frame->stackUnder(box);
    frame->hide();
    BoxBehaviour::Of(box)->frame = frame;
    return frame;
}

void SetEnterSuccessor(QWidget* box, QWidget* next)
{
    BoxBehaviour::Of(box)->successor = next;
}

void SetEnterChain(const QList<QWidget*>& boxes, bool wrap)
{
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        QWidget* next = i + 1 < boxes.size() ? boxes.at(i + 1) : (wrap ? boxes.first() : nullptr);
        SetEnterSuccessor(boxes.at(i), next);
    }
}

void SetKind(QWidget* box, BoxKind kind)
{
    BoxBehaviour::Of(box)->kind = kind;
}

void SetMaxLength(QWidget* box, int length)
{
    if (QLineEdit* edit = EditOf(box))
        edit->setMaxLength(length);
}

void KeepStorable(QWidget* box)
{
    BoxBehaviour::Of(box)->storable = true;
}

void SetFieldWidth(QWidget* box, int width)
{
    SetMaxLength(box, width);
    KeepStorable(box);
}

QString TextOf(const QWidget* box)
{
    if (const auto* province = qobject_cast<const ProvinceBox*>(box))
        return province->text();
    if (const auto* edit = qobject_cast<const QLineEdit*>(box))
        return edit->text();
    return {};
}

QString Tidy(BoxKind kind, const QString& text)
{
    if (IsCode(kind))
        return UpperAZ(TrimText(text));
    if (IsEmail(kind))
        return TrimText(text);
    if (kind == BoxKind::UpperOnKeyRelease)
        return UpperAZ(text);
    return text;
}

void ShowText(QWidget* box, const QString& text)
{
    if (auto* province = qobject_cast<ProvinceBox*>(box))
        province->setText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(box))
        edit->setText(text);
    if (QLineEdit* edit = EditOf(box))
        edit->setCursorPosition(0);
}

} // namespace TextBoxes

ProvinceBox::ProvinceBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // The editable combo's own completer would turn a typed "e" into "EE" when the box is left.
    setCompleter(nullptr);
    addItems(Codes());
    setCurrentIndex(-1);
    setEditText(QString());
    TextBoxes::SetMaxLength(this, 2);
    TextBoxes::SetKind(this, BoxKind::Code);
}

const QStringList& ProvinceBox::Codes()
{
    static const QStringList codes = QStringLiteral(
        "AG AL AN AO AP AQ AR AT AV BA BG BI BL BN BO BR BS BT BZ CA CB CE CH CI CL CN CO CR CS CT CZ "
        "EE EN FC FE FG FI FM FO FR GE GO GR IM IS KR LC LE LI LO LT LU MB MC MD ME MI MN MO MS MT NA "
        "NO NU OG OR OT PA PC PD PE PG PI PN PO PR PT PU PV PZ RA RC RE RG RI RM RN RO SA SI SO SP SR "
        "SS SV TA TE TN TO TP TR TS TV UD VA VB VC VE VI VR VT VV").split(u' ');
    return codes;
}

QString ProvinceBox::text() const { return currentText(); }

void ProvinceBox::setText(const QString& text) { setEditText(text); }
