#include "settings/SettingsPictures.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor DarkBlue(0x1D, 0x3F, 0x86);
const QColor MidBlue(0x24, 0x5C, 0xB8);
const QColor PaleBlue(0xDC, 0xE8, 0xF8);

QPixmap Blank(const QSize& size)
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    return picture;
}

// The rounded face shared by the two small picture buttons.
void DrawButtonFace(QPainter& painter, int size)
{
    QLinearGradient gradient(0, 0, 0, size);
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(1, PaleBlue);
    painter.setBrush(gradient);
    painter.setPen(QPen(QColor(0x9D, 0xB9, 0xE6), 1));
    painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size * 0.2, size * 0.2);
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

QPixmap EraserButton(int size)
{
    QPixmap picture = Blank(QSize(size, size));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawButtonFace(painter, size);
    const qreal s = size;
    painter.translate(s / 2, s / 2);
    painter.rotate(-35);
    const QRectF body(-s * 0.32, -s * 0.14, s * 0.64, s * 0.28);
    painter.setPen(QPen(DarkBlue, s / 20));
    painter.setBrush(QColor(0xE8, 0x6A, 0x7A));
    painter.drawRoundedRect(body, s * 0.04, s * 0.04);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(body.left(), body.top(), body.width() * 0.38, body.height()), s * 0.04, s * 0.04);
    painter.resetTransform();
    painter.setPen(QPen(MidBlue, s / 24, Qt::DotLine));
    painter.drawLine(QPointF(s * 0.18, s * 0.84), QPointF(s * 0.82, s * 0.84));
    return picture;
}

QPixmap RestoreButton(int size)
{
    QPixmap picture = Blank(QSize(size, size));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawButtonFace(painter, size);
    const qreal s = size;
    const QRectF circle(s * 0.24, s * 0.24, s * 0.52, s * 0.52);
    painter.setPen(QPen(QColor(0x2E, 0x8B, 0x57), s / 11, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(circle, 100 * 16, 290 * 16);
    // The arrow head at the start of the arc, pointing along it.
    const QPointF tip(circle.center().x() - s * 0.02, circle.top());
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2E, 0x8B, 0x57));
    painter.drawPolygon(QPolygonF({tip + QPointF(-s * 0.14, 0), tip + QPointF(s * 0.04, -s * 0.12),
                                   tip + QPointF(s * 0.04, s * 0.12)}));
    return picture;
}

QPixmap Folders(int size)
{
    QPixmap picture = Blank(QSize(size, size));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QList<QColor> colours{QColor(0xF2, 0xC1, 0x4E), QColor(0xE0, 0xA8, 0x30), QColor(0xC9, 0x8F, 0x1C)};
    for (int i = 0; i < 3; ++i) {
        const qreal x = s * (0.08 + 0.1 * i);
        const qreal y = s * (0.12 + 0.12 * i);
        QPainterPath folder;
        folder.moveTo(x, y + s * 0.08);
        folder.lineTo(x, y + s * 0.62);
        folder.lineTo(x + s * 0.62, y + s * 0.62);
        folder.lineTo(x + s * 0.62, y + s * 0.08);
        folder.lineTo(x + s * 0.3, y + s * 0.08);
        folder.lineTo(x + s * 0.24, y);
        folder.lineTo(x + s * 0.06, y);
        folder.closeSubpath();
        painter.setPen(QPen(colours[i].darker(140), s / 40));
        painter.setBrush(colours[i]);
        painter.drawPath(folder);
    }
    return picture;
}

QPixmap Pen(int size)
{
    QPixmap picture = Blank(QSize(size, size));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    painter.translate(s / 2, s / 2);
    painter.rotate(45);
    painter.setPen(QPen(DarkBlue, s / 30));
    painter.setBrush(MidBlue);
    painter.drawRect(QRectF(-s * 0.08, -s * 0.42, s * 0.16, s * 0.58));
    painter.setBrush(QColor(0xF2, 0xC1, 0x4E));
    painter.drawPolygon(QPolygonF({QPointF(-s * 0.08, s * 0.16), QPointF(s * 0.08, s * 0.16), QPointF(0, s * 0.38)}));
    painter.setBrush(DarkBlue);
    painter.drawRect(QRectF(-s * 0.08, -s * 0.46, s * 0.16, s * 0.08));
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
