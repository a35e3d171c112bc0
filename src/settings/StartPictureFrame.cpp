#include "settings/StartPictureFrame.h"

#include "kit/Widgets.h"
#include "settings/LogoFile.h"

#include <QLabel>

StartPictureFrame StartPictureFrame::Build(QWidget* design, QPoint topLeft)
{
    constexpr int BorderWidth = 8;
    const QSize area = LogoFile::PictureArea;
    StartPictureFrame frame{};
    frame.border = Widgets::NewShape(design, QStringLiteral("bkgSfondoPic"),
        QRect(topLeft, area + QSize(2 * BorderWidth, 2 * BorderWidth)),
        QStringLiteral("background: qlineargradient(x1:0, y1:0, x2:1, y2:1, stop:0 #9DB9E6, stop:1 #3A6FC4);"
                       " border-radius: 6px;"));
    frame.area = Widgets::NewShape(frame.border, QStringLiteral("bkgPic"), QRect(QPoint(BorderWidth, BorderWidth), area),
                                   QStringLiteral("background: white;"));
    frame.picture = Widgets::NewLabel(frame.area, QStringLiteral("imgLogo"));
    frame.picture->setGeometry(QRect(QPoint(0, 0), area));
    frame.picture->setAlignment(Qt::AlignCenter);
    frame.defaultPicture = Widgets::NewHiddenLabel(frame.area, QStringLiteral("imgTemp"));
    frame.defaultPicture->setGeometry(frame.picture->geometry());
    frame.defaultPicture->setPixmap(LogoFile::DefaultPicture());
    return frame;
}
