#pragma once

#include <QPoint>

class QLabel;
class QWidget;

// The frame of the start-screen picture, the same on the start menu and on the start-screen
// settings: a gradient border (bkgSfondoPic) around a white area (bkgPic) of the picture
// area's size, holding the shown picture (imgLogo) and the hidden default picture (imgTemp).
struct StartPictureFrame {
    QWidget* border;
    QWidget* area;
    QLabel* picture;
    QLabel* defaultPicture;

    // Builds the frame on `design` with its border's top-left corner at `topLeft`.
    static StartPictureFrame Build(QWidget* design, QPoint topLeft);
};
