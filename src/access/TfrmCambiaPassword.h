#pragma once

#include "access/AccessFlow.h"
#include "kit/Screens.h"

#include <string_view>

struct FileError;

class QLineEdit;
class QPushButton;

// Replaces the login password: old password, new password and its confirmation.
class TfrmCambiaPassword : public FixedScreen {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(AccessFlow& flow, QWidget* parent = nullptr);

    // Why a new password cannot be stored faithfully (too long, or a character the store
    // cannot hold), or empty when it can.
    static QString Refusal(const QString& newPassword);

    void cmdOKClick();
    void cmdEsciClick();

protected:
    void FormShow() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateOK();
    // The screen's error message; the busy warning when another copy held the file.
    void ReportFailure(const FileError& error);
    // Shows the message, empties the new password and its confirmation, focus to the new one.
    void AskNewPasswordAgain(const QString& message);

    AccessFlow& m_flow;
    QLineEdit* m_txtPasswordOld;
    QLineEdit* m_txtPasswordNew;
    QLineEdit* m_txtConferma;
    QPushButton* m_cmdOK;
};
