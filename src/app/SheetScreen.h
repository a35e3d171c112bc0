#pragma once

#include "app/Screens.h"

class QLabel;
class StatusLine;

// What the database and the client sheet screens share: the status line, the hidden
// position of the sheet on show, the exit command, and handing back to the start menu.
class SheetScreen : public WorkScreen {
    Q_OBJECT
public:
    SheetScreen(const QString& caption, const QColor& statusColour, QWidget* parent = nullptr);

    void cmdEsciClick();

    // The sheet's three attachments, as the hidden labels hold them, in the order
    // lblFile01, lblDesc01, lblFile02, lblDesc02, lblFile03, lblDesc03.
    QStringList AttachmentTexts() const;
    void SetAttachmentTexts(const QStringList& texts);

protected:
    void FormShow() override;
    void FormClose() override;

    StatusLine* Status() const { return m_status; }
    QLabel* Position() const { return m_lblPosizione; }

private:
    StatusLine* m_status;
    QLabel* m_lblPosizione;
    QList<QLabel*> m_attachmentLabels;
};
