#pragma once
// What the settings screen tests share on top of the screen tests' fixture.

#include "support/ScreenTest.h"

#include <QEnterEvent>
#include <QFile>

// Moves the mouse onto a control as far as the status line is concerned (the test screen is
// smaller than the design, so a real mouse move cannot reach every control).
inline void Hover(QWidget* control)
{
    const QPointF centre = QRectF(control->rect()).center();
    QEnterEvent enter(centre, centre, control->mapToGlobal(centre));
    QApplication::sendEvent(control, &enter);
}

inline QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
