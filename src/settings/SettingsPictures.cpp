#include "settings/SettingsPictures.h"

#include "kit/DesignColours.h"
#include <QPainter>

namespace {

const QColor DarkBlue = DesignColours::Ink;
const QColor MidBlue(0x24, 0x5C, 0xB8);

QPixmap Blank(const QSize& size)
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    return picture;
}

} // namespace

namespace SettingsPictures {

QPixmap Title(const QString& caption, int width)
{
    QPixmap picture = Blank(QSize(width, 70));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(DarkBlue);
    painter.setFont(Widgets::DesignFont(QStringLiteral("Arial"), 30, true));
    painter.drawText(QRect(0, 0, width, 70), Qt::AlignLeft | Qt::AlignVCenter, caption.toUpper());
    return picture;
}

QPixmap Instructions(const QSize& size, const QStringList& lines)
{
    QPixmap picture = Blank(size);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x9D, 0xB9, 0xE6), 1));
    painter.setBrush(QColor(0xF7, 0xFA, 0xFE));
    painter.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 8, 8);
    QFont font = Widgets::DesignFont(QStringLiteral("Tahoma"), 11);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int textLeft = 26;
    const int textWidth = size.width() - textLeft - 12;
    int top = 10;
    for (const QString& line : lines) {
        const QRect bounds = metrics.boundingRect(QRect(0, 0, textWidth, 1000), Qt::TextWordWrap, line);
        painter.setPen(Qt::NoPen);
        painter.setBrush(MidBlue);
        painter.drawEllipse(QPointF(14, top + metrics.height() / 2.0), 3.5, 3.5);
        painter.setPen(QColor(0x20, 0x30, 0x50));
        painter.drawText(QRect(textLeft, top, textWidth, bounds.height()), Qt::AlignLeft | Qt::TextWordWrap, line);
        top += bounds.height() + 8;
    }
    return picture;
}

} // namespace SettingsPictures
