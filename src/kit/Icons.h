#pragma once

#include <QColor>
#include <QPixmap>
#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;

// The program's icons are SVG pictures in the resources (resources/icons/<name>.svg), drawn by
// Qt SVG: a picture is changed by editing its file. A name is the file's path below
// resources/icons without ".svg", for example "sheet/save".
namespace Icons {

// The icon drawn into `area` of a picture the caller paints (a caption or a background
// around it). An icon that does not exist draws nothing and is reported on standard error.
void Draw(QPainter& painter, const QString& name, const QRectF& area);
// The icon alone, on a transparent ground.
QPixmap Picture(const QString& name, const QSize& size);
QPixmap Picture(const QString& name, int side);
// A tinted icon ("tinted/..."): its blue #245CB8 drawn in `tint`, its light blue #478DFF in
// the tint's lighter shade, every other colour as drawn.
QPixmap Tinted(const QString& name, int side, const QColor& tint);

} // namespace Icons
