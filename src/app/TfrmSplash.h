#pragma once

#include "kit/Screens.h"

// The copyright screen: the maker's notice and a link to the maker's web site.
class TfrmSplash : public ToolDialog {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* opener);

    static QPixmap NoticePicture();
    void lnkWebClick();
    void btnChiudiClick();
};
