#pragma once

#include "kit/Widgets.h"

#include <QPixmap>
#include <QStringList>

// The pictures the settings screens draw for themselves: their title pictures, the two
// small picture buttons beside the start-screen preview, decorations and instruction cards.
namespace SettingsPictures {

// A screen's title: its caption in capitals, 70 units high.
QPixmap Title(const QString& caption, int width);
// A small square button face: an eraser, or a circular arrow.
QPixmap EraserButton(int size);
QPixmap RestoreButton(int size);
QPixmap Folders(int size);
QPixmap Pen(int size);
// A card with one instruction per line, each behind a bullet.
QPixmap Instructions(const QSize& size, const QStringList& lines);

} // namespace SettingsPictures
