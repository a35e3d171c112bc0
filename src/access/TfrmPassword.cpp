#include "access/TfrmPassword.h"

#include "access/Crypt.h"
#include "access/PasswordStore.h"
#include "access/TfrmCambiaPassword.h"
#include "kit/Failures.h"
#include "kit/Maker.h"
#include "kit/Messages.h"
#include "kit/ScreenFlow.h"
#include "kit/TextBoxes.h"
#include "kit/TextRules.h"
#include "kit/Widgets.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

const QString TfrmPassword::NoPasswordText =
    QStringLiteral("Attenzione: la password di accesso non è stata trovata (il file unins000.dll manca o è vuoto)."
                   "\n\r\n\rRipristinare il file unins000.dll dalla cartella di installazione del programma.");

TfrmPassword::TfrmPassword(AccessFlow& flow, QWidget* parent)
    : FixedScreen(Maker::Caption(QStringLiteral("Autenticazione")), QSize(388, 405), parent), m_flow(flow)
{
    setStyleSheet(QStringLiteral("TfrmPassword { background: white; }"));
    setAttribute(Qt::WA_StyledBackground, true);

    auto* imgLogo = Widgets::NewLabel(this, QStringLiteral("imgLogo"));
    imgLogo->setGeometry(0, 0, 388, 150);
    imgLogo->setPixmap(Pictures::Header(QSize(388, 150), Pictures::Icon::Padlock, QColor(0xC8, 0x8A, 0x12),
        QStringLiteral("Password"),
        {QStringLiteral("Proteggi l'accesso al programma con una password di tua scelta."), QString(),
         QStringLiteral("Al primo accesso usa la password: velorbis")}));

    auto* lblRigo05 = Widgets::NewLabel(this, QStringLiteral("lblRigo05"), QStringLiteral("Immetti la password e premi OK."));
    lblRigo05->setGeometry(24, 172, 340, 22);
    lblRigo05->setFont(Widgets::DesignFont(QStringLiteral("Tahoma"), 10, true));

    m_txtPassword = Widgets::NewLineEdit(this, QStringLiteral("txtPassword"));
    m_txtPassword->setGeometry(28, 206, 246, 36);
    m_txtPassword->setEchoMode(QLineEdit::Password);
    m_txtPassword->setFont(Widgets::DesignFont(QStringLiteral("Verdana"), 14, true));
    TextBoxes::AttachHighlightFrame(m_txtPassword);
    m_txtPassword->installEventFilter(this); // after the frame: Enter is handled here first

    m_cmdOK = Widgets::NewButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"));
    m_cmdOK->setGeometry(290, 206, 72, 36);
    m_cmdOK->setEnabled(false);

    auto* cmdEsci = Widgets::NewButton(this, QStringLiteral("cmdEsci"), QStringLiteral("Esci"));
    cmdEsci->setGeometry(24, 348, 110, 36);
    auto* btnCambiaPassword = Widgets::NewButton(this, QStringLiteral("btnCambiaPassword"), QStringLiteral("Cambia password"));
    btnCambiaPassword->setGeometry(214, 348, 150, 36);

    m_lblMemory = Widgets::NewHiddenLabel(this, QStringLiteral("lblMemory"));

    setTabOrder(m_txtPassword, m_cmdOK);
    setTabOrder(m_cmdOK, cmdEsci);
    setTabOrder(cmdEsci, btnCambiaPassword);

    connect(m_txtPassword, &QLineEdit::textChanged, this, &TfrmPassword::UpdateOK);
    connect(m_cmdOK, &QPushButton::clicked, this, &TfrmPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmPassword::cmdEsciClick);
    connect(btnCambiaPassword, &QPushButton::clicked, this, &TfrmPassword::btnCambiaPasswordClick);
}

void TfrmPassword::UpdateOK()
{
    m_cmdOK->setEnabled(!TrimText(m_txtPassword->text()).isEmpty());
}

bool TfrmPassword::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtPassword) {
        if (event->type() == QEvent::KeyRelease)
            UpdateOK();
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                if (!TrimText(m_txtPassword->text()).isEmpty())
                    cmdOKClick();
                return true;
            }
        }
    }
    return FixedScreen::eventFilter(watched, event);
}

// Shown at start and again when the user comes back from changing the password: either
// way the login starts empty.
void TfrmPassword::FormShow()
{
    ResetPassword();
}

void TfrmPassword::FormClose()
{
    m_flow.End();
}

void TfrmPassword::ResetPassword()
{
    m_txtPassword->clear();
    m_lblMemory->clear();
    m_txtPassword->setFocus();
}

void TfrmPassword::cmdOKClick()
{
    Text stored;
    try {
        stored = ReadStoredPassword();
    } catch (const FileFailure& failure) {
        Failures::Report(this, MessageKind::Plain,
                         QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura "
                                        "della password. Si consiglia di reinstallare il software."),
                         failure.Error());
        return;
    }
    // No password can match then; the user is told why, rather than that the password is wrong.
    if (stored.empty()) {
        Messages::Plain(this, NoPasswordText);
        return;
    }
    if (!PasswordMatches(stored, m_txtPassword->text().toStdU16String())) {
        Messages::Plain(this, QStringLiteral("Attenzione: password errata."));
        m_txtPassword->clear();
        m_txtPassword->setFocus();
        return;
    }
    m_flow.ShowStartMenu();
    hide();
}

void TfrmPassword::cmdEsciClick()
{
    m_flow.End();
}

void TfrmPassword::btnCambiaPasswordClick()
{
    m_flow.ShowChangePassword();
    hide();
}
