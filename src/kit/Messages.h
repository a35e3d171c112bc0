#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

// Every message to the user goes through here: a modal QMessageBox of one of five kinds,
// plain text only, with the icon and the buttons of its kind.
enum class MessageKind { Warning, Error, Information, Confirmation, Plain };

namespace Messages {

void Warning(QWidget* parent, const QString& text);
void Error(QWidget* parent, const QString& text);
void Information(QWidget* parent, const QString& text);
// True when the user answers Yes.
bool Confirm(QWidget* parent, const QString& text);
void Plain(QWidget* parent, const QString& text);
// A message of the given kind; the button the user pressed.
QMessageBox::StandardButton Show(QWidget* parent, MessageKind kind, const QString& text);

// The box itself, built but not run, for the few callers that need it.
QMessageBox* Build(QWidget* parent, MessageKind kind, const QString& text);

// Test seam: while a handler is installed, no box is shown; the handler receives the kind
// and the text and returns the button the user would have pressed.
using Handler = std::function<QMessageBox::StandardButton(MessageKind, const QString&)>;
void SetHandler(Handler handler);

} // namespace Messages
