#include "access/TfrmCambiaPassword.h"

#include "access/Crypt.h"
#include "access/PasswordStore.h"
#include "access/TfrmPassword.h"
#include "kit/Failures.h"
#include "kit/Messages.h"
#include "kit/ScreenFlow.h"
#include "kit/TextBoxes.h"
#include "kit/TextRules.h"
#include "kit/WaitCursor.h"
#include "kit/Widgets.h"
#include "storage/IniFile.h"

#include <QEvent>
#include <QLineEdit>
#include <QPushButton>

TfrmCambiaPassword::TfrmCambiaPassword(AccessFlow& flow, QWidget* parent)
    : FixedScreen(QStringLiteral(" Cambia password"), QSize(411, 418), parent), m_flow(flow)
{
    setStyleSheet(QStringLiteral("TfrmCambiaPassword { background: white; }"));
    setAttribute(Qt::WA_StyledBackground, true);

    auto* imgLogo = Widgets::NewLabel(this, QStringLiteral("imgLogo"));
    imgLogo->setGeometry(0, 0, 411, 110);
    imgLogo->setPixmap(Pictures::Header(QSize(411, 110), Pictures::Icon::Padlock, QColor(0xC8, 0x8A, 0x12),
        QStringLiteral("Cambia password"), {QStringLiteral("Compila i campi qui sotto e premi OK.")}));

    auto box = [this](const QString& label, const QString& labelName, const QString& name, int y) {
        auto* title = Widgets::NewLabel(this, labelName, label);
        title->setGeometry(28, y, 340, 20);
        title->setFont(Widgets::DesignFont(QStringLiteral("Tahoma"), 10, true));
        QLineEdit* edit = Widgets::NewLineEdit(this, name);
        edit->setGeometry(32, y + 24, 346, 36);
        edit->setEchoMode(QLineEdit::Password);
        edit->setFont(Widgets::DesignFont(QStringLiteral("Verdana"), 14, true));
        TextBoxes::AttachHighlightFrame(edit);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textChanged, this, &TfrmCambiaPassword::UpdateOK);
        return edit;
    };
    m_txtPasswordOld = box(QStringLiteral("Vecchia password:"), QStringLiteral("lblRigo05"), QStringLiteral("txtPasswordOld"), 124);
    m_txtPasswordNew = box(QStringLiteral("Nuova password:"), QStringLiteral("lblRigo06"), QStringLiteral("txtPasswordNew"), 196);
    m_txtConferma = box(QStringLiteral("Conferma nuova password:"), QStringLiteral("lblRigo07"), QStringLiteral("txtConferma"), 268);
    TextBoxes::SetEnterChain({m_txtPasswordOld, m_txtPasswordNew, m_txtConferma}, true);

    auto* cmdEsci = Widgets::NewButton(this, QStringLiteral("cmdEsci"), QStringLiteral("Chiudi"));
    cmdEsci->setGeometry(28, 364, 110, 36);
    m_cmdOK = Widgets::NewButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"));
    m_cmdOK->setGeometry(272, 364, 110, 36);
    m_cmdOK->setEnabled(false);

    setTabOrder(m_txtPasswordOld, m_txtPasswordNew);
    setTabOrder(m_txtPasswordNew, m_txtConferma);
    setTabOrder(m_txtConferma, cmdEsci);
    setTabOrder(cmdEsci, m_cmdOK);

    connect(cmdEsci, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdEsciClick);
    connect(m_cmdOK, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdOKClick);
}

void TfrmCambiaPassword::UpdateOK()
{
    m_cmdOK->setEnabled(!TrimText(m_txtPasswordOld->text()).isEmpty() && !TrimText(m_txtPasswordNew->text()).isEmpty()
                        && !TrimText(m_txtConferma->text()).isEmpty());
}

bool TfrmCambiaPassword::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease)
        UpdateOK();
    return FixedScreen::eventFilter(watched, event);
}

void TfrmCambiaPassword::FormShow()
{
    m_txtPasswordOld->clear();
    m_txtPasswordNew->clear();
    m_txtConferma->clear();
    m_txtPasswordOld->setFocus();
}

void TfrmCambiaPassword::FormClose()
{
    m_flow.ShowLogin();
}

void TfrmCambiaPassword::ReportFailure(const FileError& error)
{
    Failures::ReportWriteFailure(this, MessageKind::Plain, QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica della "
                                         "password. Si consiglia di reinstallare il software."), error);
}

void TfrmCambiaPassword::AskNewPasswordAgain(const QString& message)
{
    Messages::Plain(this, message);
    m_txtPasswordNew->clear();
    m_txtConferma->clear();
    m_txtPasswordNew->setFocus();
}

// The store keeps one byte per character, so a longer password or a character of code above
// 255 (the euro sign, typographic quotes and apostrophes, Š, Œ, letters of other alphabets)
// would come back different and never match again: such a password is refused, naming the
// first such character, and both new boxes are emptied as when the confirmation differs.
QString TfrmCambiaPassword::Refusal(const QString& newPassword)
{
    const Text password = ::Trim(::UpperAZ(newPassword.toStdU16String()));
    if (password.size() > MaxPasswordLength)
        return QStringLiteral("Attenzione: la nuova password è troppo lunga. Può contenere al massimo 255 caratteri.");
    if (PasswordCanBeStored(password))
        return {};
    QString refused;
    for (const char32_t character : TrimText(newPassword).toUcs4()) {
        if (character > 255) {
            refused = QString::fromUcs4(&character, 1);
            break;
        }
    }
    return QStringLiteral("Attenzione: la nuova password contiene il carattere «%1», che non può essere memorizzato. "
                          "Si possono usare soltanto i caratteri dell'Europa occidentale (ISO 8859-1): le lettere, "
                          "anche accentate, le cifre, lo spazio e i simboli della tastiera. Non si possono usare, "
                          "per esempio, il simbolo dell'euro (€), le virgolette e gli apostrofi tipografici "
                          "(“ ” ‘ ’), i puntini di sospensione (…), le lettere Š, Œ, Ž e le lettere di altri "
                          "alfabeti.")
        .arg(refused);
}

void TfrmCambiaPassword::cmdOKClick()
{
    Text stored;
    try {
        stored = ReadStoredPassword();
    } catch (const FileFailure& failure) {
        ReportFailure(failure.Error());
        return;
    }
    if (!PasswordMatches(stored, m_txtPasswordOld->text().toStdU16String())) {
        Messages::Plain(this, QStringLiteral("Attenzione: vecchia password errata."));
        m_txtPasswordOld->clear();
        m_txtPasswordOld->setFocus();
        return;
    }
    const QString newPassword = TrimText(m_txtPasswordNew->text());
    if (newPassword != TrimText(m_txtConferma->text())) {
        AskNewPasswordAgain(QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                                           "E' necessario reinserire entrambi i valori."));
        return;
    }
    if (const QString refusal = Refusal(newPassword); !refusal.isEmpty()) {
        AskNewPasswordAgain(refusal);
        return;
    }
    try {
        WaitCursor wait; // another copy of the program may hold the file for a moment
        StorePassword(newPassword.toStdU16String());
    } catch (const FileFailure& failure) {
        ReportFailure(failure.Error());
        return;
    }
    Messages::Plain(this, QStringLiteral("Modifica della password completata con successo."));
    close();
}

void TfrmCambiaPassword::cmdEsciClick()
{
    close();
}
