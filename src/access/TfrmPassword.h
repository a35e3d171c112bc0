#pragma once

#include "access/AccessFlow.h"
#include "kit/Screens.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The login screen, the program's main window: only the stored password leads on.
class TfrmPassword : public FixedScreen {
    Q_OBJECT
public:
    explicit TfrmPassword(AccessFlow& flow, QWidget* parent = nullptr);

    // Said on OK when unins000.dll is missing or holds no password: no password can open the
    // program then, and the program never makes the file itself.
    static const QString NoPasswordText;

    void cmdOKClick();
    void cmdEsciClick();
    void btnCambiaPasswordClick();

protected:
    void FormShow() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateOK();
    // Empties the password box (and the hidden memory label) and puts the focus in it.
    void ResetPassword();

    AccessFlow& m_flow;

    QLineEdit* m_txtPassword;
    QPushButton* m_cmdOK;
    QLabel* m_lblMemory;
};
