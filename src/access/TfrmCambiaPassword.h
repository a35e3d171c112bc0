#pragma once

#include "app/Screens.h"

class QLineEdit;
class QPushButton;

// Replaces the login password: old password, new password and its confirmation.
class TfrmCambiaPassword : public FixedScreen {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(QWidget* parent = nullptr);

    void cmdOKClick();
    void cmdEsciClick();

protected:
    void FormShow() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateOK();
    void ReportFailure();

    QLineEdit* m_txtPasswordOld;
    QLineEdit* m_txtPasswordNew;
    QLineEdit* m_txtConferma;
    QPushButton* m_cmdOK;
};
