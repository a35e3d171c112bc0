#pragma once

#include "kit/Widgets.h"

#include <QPixmap>
#include <QStringList>

// The pictures the settings screens draw for themselves: their title pictures and instruction
// cards (their icons are SVG pictures in the resources, see kit/Icons.h).
namespace SettingsPictures {

// A screen's title: its caption in capitals, 70 units high.
QPixmap Title(const QString& caption, int width);
// A card with one instruction per line, each behind a bullet.
QPixmap Instructions(const QSize& size, const QStringList& lines);

} // namespace SettingsPictures
