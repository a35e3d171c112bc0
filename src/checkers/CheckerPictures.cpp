#include "checkers/CheckerPictures.h"

#include "kit/Widgets.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QPixmap Blank(int side)
{
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    return picture;
}

void DrawCard(QPainter& p, const QRectF& card, const QColor& colour)
{
    const qreal h = card.height();
    p.setPen(QPen(colour.darker(150), h / 30));
    p.setBrush(colour);
    p.drawRoundedRect(card, h * 0.1, h * 0.1);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE8, 0xC0, 0x40));
    p.drawRoundedRect(QRectF(card.left() + card.width() * 0.1, card.top() + h * 0.3, card.width() * 0.18, h * 0.25),
                      h * 0.04, h * 0.04);
    p.setBrush(colour.lighter(160));
    for (int line = 0; line < 2; ++line)
        p.drawRect(QRectF(card.left() + card.width() * 0.1, card.top() + h * (0.68 + line * 0.13),
                          card.width() * (0.75 - line * 0.3), h * 0.07));
}

} // namespace

namespace CheckerPictures {

QPixmap Card(int side)
{
    QPixmap picture = Blank(side);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    DrawCard(p, QRectF(side * 0.05, side * 0.2, side * 0.9, side * 0.6), QColor(0x2E, 0x9E, 0x4F));
    return picture;
}

QPixmap Receipt(int side)
{
    QPixmap picture = Blank(side);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF sheet(side * 0.18, side * 0.05, side * 0.64, side * 0.9);
    p.setPen(QPen(QColor(0x24, 0x5C, 0xB8), side / 30.0));
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(int(side * 0.22));
    p.setFont(font);
    p.drawText(QRectF(sheet.left(), sheet.top() + side * 0.08, sheet.width(), side * 0.3), Qt::AlignCenter,
               QStringLiteral("IVA"));
    p.setPen(QPen(QColor(0x90, 0xA8, 0xD0), side / 30.0));
    for (int line = 0; line < 4; ++line) {
        const qreal y = sheet.top() + side * (0.48 + line * 0.1);
        p.drawLine(QPointF(sheet.left() + side * 0.08, y), QPointF(sheet.right() - side * 0.08, y));
    }
    return picture;
}

QPixmap CardFan(int side)
{
    QPixmap picture = Blank(side);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colours[] = {QColor(0xC0, 0x39, 0x2B), QColor(0xE6, 0x7E, 0x22), QColor(0x24, 0x5C, 0xB8)};
    const qreal angles[] = {-24, -8, 8};
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(side * 0.55, side * 0.9);
        p.rotate(angles[i]);
        DrawCard(p, QRectF(-side * 0.34, -side * 0.6, side * 0.68, side * 0.44), colours[i]);
        p.restore();
    }
    return picture;
}

QPixmap Bank(int side)
{
    QPixmap picture = Blank(side);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor stone(0x5A, 0x6E, 0x8C);
    p.setPen(Qt::NoPen);
    p.setBrush(stone);
    QPainterPath roof;
    roof.moveTo(side * 0.05, side * 0.32);
    roof.lineTo(side * 0.5, side * 0.06);
    roof.lineTo(side * 0.95, side * 0.32);
    roof.closeSubpath();
    p.drawPath(roof);
    p.drawRect(QRectF(side * 0.08, side * 0.34, side * 0.84, side * 0.06));
    for (int column = 0; column < 4; ++column)
        p.drawRect(QRectF(side * (0.14 + column * 0.2), side * 0.44, side * 0.11, side * 0.36));
    p.drawRect(QRectF(side * 0.05, side * 0.82, side * 0.9, side * 0.1));
    return picture;
}

} // namespace CheckerPictures
