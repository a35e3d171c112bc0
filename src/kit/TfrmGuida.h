#pragma once

#include "kit/Screens.h"

class LinkLabel;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The help window: a topic title, its help text and a link to the user guide Guida.pdf.
class TfrmGuida : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget* opener);
    // The help window of a topic, opened with OpenTool<TfrmGuida>(opener, title, text).
    TfrmGuida(QWidget* opener, const QString& title, const QString& text);

    void SetTopic(const QString& title, const QString& text);
    void lnkWebClick();
    void btnChiudiClick();

private:
    QLabel* m_lblTitolo;
    QPlainTextEdit* m_txtGuida;
    LinkLabel* m_lnkWeb;
};
