#pragma once

#include <QColor>
#include <QString>

// The colours of the screens' design, named once.
namespace DesignColours {

// The dark blue of titles, positions, marks and the lower end of the title bands.
inline const QColor Ink = QColor(0x1D, 0x3F, 0x86);
// The upper end of the title bands and the darker end of the picture frames.
inline const QColor BandTop = QColor(0x3A, 0x6F, 0xC4);
// The face of the large drawn commands ("Esci") and the search tool's picture.
inline const QColor CommandFace = QColor(0x4A, 0x80, 0xD6);

// A text in the given colour, as a style sheet says it.
inline QString TextStyle(const QColor& colour) { return QStringLiteral("color: %1;").arg(colour.name()); }

// The banner behind a screen's title: a vertical band from BandTop to Ink with round corners.
inline QString TitleBandStyle(int cornerRadius)
{
    return QStringLiteral("background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2);"
                          " border-radius: %3px;")
        .arg(BandTop.name(), Ink.name())
        .arg(cornerRadius);
}

} // namespace DesignColours
