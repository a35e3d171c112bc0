#include "kit/Messages.h"

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
    const char* title;
};

KindLook LookOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning:
        return {QMessageBox::Warning, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, "Avviso"};
    case MessageKind::Error:
        return {QMessageBox::Critical, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, "Errore"};
    case MessageKind::Information:
        return {QMessageBox::Information, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, "Informazione"};
    case MessageKind::Confirmation:
        return {QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, "Conferma"};
    case MessageKind::Plain:
        break;
    }
    return {QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok, "Velorbis 4.0"};
}

QMessageBox::StandardButton Run(QWidget* parent, MessageKind kind, const QString& text)
{
    if (InstalledHandler())
        return InstalledHandler()(kind, text);
    QMessageBox* box = Messages::Build(parent, kind, text);
    const auto answer = static_cast<QMessageBox::StandardButton>(box->exec());
    delete box;
    return answer;
}

} // namespace

namespace Messages {

QMessageBox* Build(QWidget* parent, MessageKind kind, const QString& text)
{
    const KindLook look = LookOf(kind);
    auto* box = new QMessageBox(look.icon, QString::fromUtf8(look.title), text, look.buttons, parent);
    box->setObjectName(QStringLiteral("MessageBox"));
    box->setTextFormat(Qt::PlainText);
    box->setDefaultButton(look.defaultButton);
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

void Warning(QWidget* parent, const QString& text) { Run(parent, MessageKind::Warning, text); }
void Error(QWidget* parent, const QString& text) { Run(parent, MessageKind::Error, text); }
void Information(QWidget* parent, const QString& text) { Run(parent, MessageKind::Information, text); }
void Plain(QWidget* parent, const QString& text) { Run(parent, MessageKind::Plain, text); }

bool Confirm(QWidget* parent, const QString& text)
{
    return Run(parent, MessageKind::Confirmation, text) == QMessageBox::Yes;
}

void SetHandler(Handler handler) { InstalledHandler() = std::move(handler); }

QString ArchiveAccessText()
{
    return QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                          "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione "
                          "del programma.");
}

} // namespace Messages
