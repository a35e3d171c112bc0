#pragma once

#include "kit/ScreenFlow.h"
#include "kit/Screens.h"

#include <functional>

class QPushButton;
class StatusLine;

// What the two settings screens share: the status line, "Annulla" and "Applica e chiudi"
// with their hover texts, and handing back to the start menu (never to the settings menu)
// however they close.
class SettingsScreen : public WorkScreen {
    Q_OBJECT
public:
    SettingsScreen(ScreenFlow& flow, const QString& caption, QWidget* parent = nullptr);

    void btnAnnullaClick();

protected:
    void FormClose() override;

    StatusLine* Status() const { return m_status; }
    QPushButton* CancelButton() const { return m_btnAnnulla; }
    QPushButton* ApplyButton() const { return m_btnApplica; }
    // A decorative shape or picture over which the mouse empties the status line.
    void AddBackground(QWidget* background);
    // Runs a write of the settings file with the wait cursor, since another copy of the
    // program may hold the file for a moment. A refused write is reported ("Unable to write
    // to" the file, or that another copy holds it) and false returned: the screen stays as
    // it is, with what the user typed.
    bool WriteSettings(const std::function<void()>& write);

private:
    ScreenFlow& m_flow;
    StatusLine* m_status;
    QPushButton* m_btnAnnulla;
    QPushButton* m_btnApplica;
};
