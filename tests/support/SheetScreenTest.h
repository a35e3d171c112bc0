#pragma once
// What the tests of the two sheet screens share: putting a screen on, reading and writing its
// boxes as the user sees them, where the focus is, and the texts every sheet screen says.

#include "support/ScreenTest.h"

#include "kit/Screens.h"
#include "kit/TextBoxes.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QTest>

namespace SheetTexts {
inline const QString Inserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
inline const QString Modified =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
inline const QString Duplicated = QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente."
                                                 "\n\r\n\rAl termine premere Salva per inserire la scheda in archivio.");
inline const QString EmptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");
inline const QString DuplicateNeedsASavedSheet = QStringLiteral(
    "Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa è stata inserita in archivio.");
inline const QString ArchiveAccess = QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                                                    "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                                                    "installazione del programma.");
} // namespace SheetTexts

// Shows a work screen and waits (bounded) until it is the active window.
inline void ShowAndWait(WorkScreen* screen)
{
    screen->ShowScreen();
    QVERIFY(QTest::qWaitForWindowActive(screen));
}

// The texts of the recorded messages, in their order.
inline QStringList MessageTexts(const MessageRecorder& messages)
{
    QStringList texts;
    for (const ShownMessage& message : messages.shown)
        texts.append(message.text);
    return texts;
}

// The box with the focus; a province box has it through its line edit.
inline QWidget* FocusedBox()
{
    QWidget* focus = QApplication::focusWidget();
    if (focus && qobject_cast<ProvinceBox*>(focus->parentWidget()))
        return focus->parentWidget();
    return focus;
}

// What a text box (line edit or province box) of the screen shows, and putting a text into it.
inline QString BoxText(QWidget* screen, const char* box) { return TextBoxes::TextOf(Child(screen, box)); }
inline void SetBoxText(QWidget* screen, const char* box, const QString& text)
{
    TextBoxes::ShowText(Child(screen, box), text);
}
inline QString LabelText(QWidget* screen, const char* label) { return Child<QLabel>(screen, label)->text(); }

// The line edit of a text box.
inline QLineEdit* EditOf(QWidget* box)
{
    if (auto* province = qobject_cast<ProvinceBox*>(box))
        return province->lineEdit();
    return qobject_cast<QLineEdit*>(box);
}

// Types as the user does, a key press and release per character (letters beyond ASCII too).
inline void Type(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

// Moves the focus on along the tab order as a click on the next control would (a box that
// swallows Tab leaves the user nothing else).
inline void FocusNextInTabOrder()
{
    QWidget* next = QApplication::focusWidget()->nextInFocusChain();
    while (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisible())
        next = next->nextInFocusChain();
    next->setFocus(Qt::TabFocusReason);
}
