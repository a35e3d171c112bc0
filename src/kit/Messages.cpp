#include "kit/Messages.h"

#include "kit/Maker.h"

namespace {

Messages::Handler& InstalledHandler()
{
    static Messages::Handler handler;
    return handler;
}

struct KindLook {
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    QString title;
};

KindLook LookOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning:
        return {QMessageBox::Warning, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QStringLiteral("Avviso")};
    case MessageKind::Error:
        return {QMessageBox::Critical, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QStringLiteral("Errore")};
    case MessageKind::Information:
        return {QMessageBox::Information, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QStringLiteral("Informazione")};
    case MessageKind::Confirmation:
        return {QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QStringLiteral("Conferma")};
    case MessageKind::Plain:
        break;
    }
    return {QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok, Maker::ProgramName};
}

} // namespace

namespace Messages {

QMessageBox* Build(QWidget* parent, MessageKind kind, const QString& text)
{
    const KindLook look = LookOf(kind);
    auto* box = new QMessageBox(look.icon, look.title, text, look.buttons, parent);
    box->setObjectName(QStringLiteral("MessageBox"));
    box->setTextFormat(Qt::PlainText);
    box->setDefaultButton(look.defaultButton);
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

QMessageBox::StandardButton Show(QWidget* parent, MessageKind kind, const QString& text)
{
    if (InstalledHandler())
        return InstalledHandler()(kind, text);
    QMessageBox* box = Build(parent, kind, text);
    const auto answer = static_cast<QMessageBox::StandardButton>(box->exec());
    delete box;
    return answer;
}

void Warning(QWidget* parent, const QString& text) { Show(parent, MessageKind::Warning, text); }
void Error(QWidget* parent, const QString& text) { Show(parent, MessageKind::Error, text); }
void Information(QWidget* parent, const QString& text) { Show(parent, MessageKind::Information, text); }
void Plain(QWidget* parent, const QString& text) { Show(parent, MessageKind::Plain, text); }

bool Confirm(QWidget* parent, const QString& text)
{
    return Show(parent, MessageKind::Confirmation, text) == QMessageBox::Yes;
}

void SetHandler(Handler handler) { InstalledHandler() = std::move(handler); }

} // namespace Messages
