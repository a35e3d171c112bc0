#pragma once

#include "kit/Screens.h"

// The about screen: what the program is, and a link that writes an e-mail to the maker.
class TfrmInfo : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget* opener);

    // The mail link handed to the shell, quoted for it.
    static QString MailCommand();
    void lnkWebClick();
    void btnChiudiClick();
};
