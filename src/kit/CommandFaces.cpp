#include "kit/CommandFaces.h"

#include "kit/Widgets.h"

#include <QPainter>
#include <QPainterPath>

namespace CommandFaces {

namespace {

const QColor Ink(0x1D, 0x3F, 0x86);
const QColor Accent(0x3A, 0x8F, 0xD8);
const QColor Paper(0xFF, 0xFF, 0xFF);
const QColor Green(0x2E, 0x9E, 0x4F);
const QColor Red(0xD2, 0x3A, 0x2A);
const QColor Amber(0xF0, 0xA0, 0x1C);

// A page with a folded corner.
void Page(QPainter& p, const QRectF& r)
{
    const qreal fold = r.width() * 0.3;
    QPainterPath page;
    page.moveTo(r.topLeft());
    page.lineTo(r.right() - fold, r.top());
    page.lineTo(r.right(), r.top() + fold);
    page.lineTo(r.bottomRight());
    page.lineTo(r.bottomLeft());
    page.closeSubpath();
    p.setBrush(Paper);
    p.drawPath(page);
    p.drawPolyline(QPolygonF({QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold),
                              QPointF(r.right(), r.top() + fold)}));
}

void Arrow(QPainter& p, const QPointF& tip, qreal size, bool right)
{
    const qreal d = right ? -size : size;
    p.setBrush(p.pen().color());
    p.drawPolygon(QPolygonF({tip, QPointF(tip.x() + d, tip.y() - size), QPointF(tip.x() + d, tip.y() + size)}));
}

void DrawSymbol(QPainter& p, Symbol symbol, const QRectF& r)
{
    const qreal w = r.width();
    const auto at = [&](qreal x, qreal y) { return QPointF(r.left() + x * w, r.top() + y * w); };
    const auto box = [&](qreal x, qreal y, qreal bw, qreal bh) { return QRectF(at(x, y), QSizeF(bw * w, bh * w)); };
    QPen pen(Ink, qMax(1.2, w / 16), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (symbol) {
    case Symbol::New:
        Page(p, box(0.2, 0.08, 0.6, 0.84));
        p.setPen(QPen(Green, w / 9, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(at(0.5, 0.42), at(0.5, 0.74));
        p.drawLine(at(0.34, 0.58), at(0.66, 0.58));
        break;
    case Symbol::Duplicate:
        Page(p, box(0.12, 0.06, 0.5, 0.66));
        Page(p, box(0.38, 0.28, 0.5, 0.66));
        break;
    case Symbol::Save:
        p.setBrush(Accent);
        p.drawRoundedRect(box(0.12, 0.1, 0.76, 0.8), w * 0.06, w * 0.06);
        p.setBrush(Paper);
        p.drawRect(box(0.26, 0.1, 0.48, 0.28));
        p.drawRect(box(0.24, 0.56, 0.52, 0.34));
        break;
    case Symbol::Find:
        p.setPen(QPen(Ink, w / 9, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(QColor(0xDD, 0xEE, 0xFF));
        p.drawEllipse(box(0.12, 0.1, 0.5, 0.5));
        p.drawLine(at(0.55, 0.55), at(0.86, 0.86));
        break;
    case Symbol::Attach: {
        p.setPen(QPen(Ink, w / 12, Qt::SolidLine, Qt::RoundCap));
        QPainterPath clip;
        clip.moveTo(at(0.62, 0.3));
        clip.lineTo(at(0.62, 0.72));
        clip.arcTo(box(0.38, 0.6, 0.24, 0.24), 0, -180);
        clip.lineTo(at(0.38, 0.22));
        clip.arcTo(box(0.38, 0.08, 0.36, 0.28), 180, -180);
        clip.lineTo(at(0.74, 0.76));
        p.drawPath(clip);
        break;
    }
    case Symbol::Preview:
        Page(p, box(0.14, 0.06, 0.56, 0.78));
        p.setPen(QPen(Ink, w / 11, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(QColor(0xDD, 0xEE, 0xFF));
        p.drawEllipse(box(0.44, 0.46, 0.32, 0.32));
        p.drawLine(at(0.72, 0.74), at(0.9, 0.92));
        break;
    case Symbol::Print:
        Page(p, box(0.28, 0.06, 0.44, 0.34));
        p.setBrush(QColor(0xC8, 0xD4, 0xE6));
        p.drawRoundedRect(box(0.1, 0.36, 0.8, 0.36), w * 0.06, w * 0.06);
        p.setBrush(Paper);
        p.drawRect(box(0.28, 0.6, 0.44, 0.32));
        break;
    case Symbol::Flagged:
    case Symbol::Flag: {
        p.drawLine(at(0.22, 0.08), at(0.22, 0.92));
        p.setBrush(symbol == Symbol::Flag ? Red : Amber);
        QPainterPath flag;
        flag.moveTo(at(0.24, 0.1));
        flag.cubicTo(at(0.45, 0.0), at(0.6, 0.25), at(0.84, 0.14));
        flag.lineTo(at(0.84, 0.52));
        flag.cubicTo(at(0.6, 0.62), at(0.45, 0.38), at(0.24, 0.48));
        flag.closeSubpath();
        p.drawPath(flag);
        break;
    }
    case Symbol::First:
    case Symbol::Last:
    case Symbol::Previous:
    case Symbol::Next: {
        const bool right = symbol == Symbol::Next || symbol == Symbol::Last;
        p.setPen(QPen(Accent, 1));
        Arrow(p, at(right ? 0.74 : 0.26, 0.5), w * 0.28, right);
        if (symbol == Symbol::First || symbol == Symbol::Last) {
            p.setPen(QPen(Accent, w / 8, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(at(right ? 0.84 : 0.16, 0.22), at(right ? 0.84 : 0.16, 0.78));
        }
        break;
    }
    case Symbol::Export:
        p.setBrush(Paper);
        p.drawRect(box(0.1, 0.12, 0.62, 0.76));
        p.setPen(QPen(Green, w / 24));
        for (qreal y : {0.31, 0.5, 0.69})
            p.drawLine(at(0.1, y), at(0.72, y));
        p.drawLine(at(0.34, 0.12), at(0.34, 0.88));
        p.setPen(QPen(Green, w / 9, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(at(0.5, 0.5), at(0.82, 0.5));
        p.setPen(QPen(Green, 1));
        Arrow(p, at(0.94, 0.5), w * 0.14, true);
        break;
    case Symbol::Help: {
        p.setBrush(Accent);
        p.setPen(Qt::NoPen);
        p.drawEllipse(box(0.08, 0.08, 0.84, 0.84));
        QFont font(QStringLiteral("Arial"));
        font.setBold(true);
        font.setPixelSize(qMax(8, int(w * 0.6)));
        p.setFont(font);
        p.setPen(Paper);
        p.drawText(r, Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case Symbol::Exit:
        p.setBrush(QColor(0xC8, 0xD4, 0xE6));
        p.drawRect(box(0.14, 0.1, 0.42, 0.8));
        p.setPen(QPen(Red, w / 9, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(at(0.42, 0.5), at(0.78, 0.5));
        p.setPen(QPen(Red, 1));
        Arrow(p, at(0.94, 0.5), w * 0.16, true);
        break;
    case Symbol::Import:
    case Symbol::Person:
        p.setBrush(symbol == Symbol::Person ? Accent : QColor(0xDD, 0xEE, 0xFF));
        p.drawEllipse(box(0.3, 0.08, 0.36, 0.36));
        p.drawChord(box(0.14, 0.5, 0.68, 0.8), 0, 180 * 16);
        if (symbol == Symbol::Import) {
            p.setPen(QPen(Green, w / 9, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(at(0.62, 0.7), at(0.86, 0.7));
            p.setPen(QPen(Green, 1));
            Arrow(p, at(0.52, 0.7), w * 0.14, false);
        }
        break;
    case Symbol::Check:
        p.setBrush(Green);
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(box(0.06, 0.06, 0.88, 0.88), w * 0.16, w * 0.16);
        p.setPen(QPen(Paper, w / 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({at(0.26, 0.52), at(0.44, 0.7), at(0.76, 0.3)}));
        break;
    case Symbol::Mail: {
        const QRectF e = box(0.06, 0.2, 0.88, 0.6);
        p.setBrush(Paper);
        p.drawRect(e);
        p.drawPolyline(QPolygonF({e.topLeft(), at(0.5, 0.56), e.topRight()}));
        break;
    }
    case Symbol::Folders:
        for (int i = 0; i < 3; ++i) {
            const qreal x = 0.06 + i * 0.3;
            p.setBrush(i == 1 ? Amber : QColor(0xF6, 0xC4, 0x5A));
            p.drawRoundedRect(box(x, 0.14 + i * 0.04, 0.26, 0.76 - i * 0.04), w * 0.03, w * 0.03);
            p.setBrush(Paper);
            p.drawRect(box(x + 0.06, 0.3 + i * 0.04, 0.14, 0.1));
        }
        break;
    case Symbol::Pdf:
        Page(p, box(0.18, 0.06, 0.64, 0.88));
        p.setPen(Qt::NoPen);
        p.setBrush(Red);
        p.drawRect(box(0.08, 0.46, 0.6, 0.28));
        break;
    case Symbol::Recontact:
        p.setBrush(QColor(0xDD, 0xEE, 0xFF));
        p.drawEllipse(box(0.1, 0.1, 0.8, 0.8));
        p.setPen(QPen(Ink, w / 10, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(at(0.5, 0.5), at(0.5, 0.24));
        p.drawLine(at(0.5, 0.5), at(0.7, 0.6));
        break;
    case Symbol::Money:
        p.setBrush(QColor(0xE8, 0xF4, 0xEA));
        p.drawRoundedRect(box(0.06, 0.22, 0.88, 0.56), w * 0.08, w * 0.08);
        p.setPen(QPen(Green, w / 12));
        p.drawRect(box(0.14, 0.36, 0.2, 0.14));
        p.drawLine(at(0.14, 0.64), at(0.8, 0.64));
        break;
    case Symbol::Profile:
        p.setBrush(Paper);
        p.drawRoundedRect(box(0.06, 0.16, 0.88, 0.68), w * 0.06, w * 0.06);
        p.setBrush(Accent);
        p.drawEllipse(box(0.16, 0.3, 0.22, 0.22));
        p.drawChord(box(0.12, 0.52, 0.3, 0.3), 0, 180 * 16);
        p.drawLine(at(0.5, 0.38), at(0.84, 0.38));
        p.drawLine(at(0.5, 0.56), at(0.84, 0.56));
        break;
    case Symbol::Notes:
        Page(p, box(0.16, 0.06, 0.68, 0.88));
        p.setPen(QPen(Accent, w / 14));
        for (qreal y : {0.4, 0.56, 0.72})
            p.drawLine(at(0.28, y), at(0.72, y));
        break;
    case Symbol::Globe: {
        const QRectF c = box(0.08, 0.08, 0.84, 0.84);
        p.setBrush(QColor(0xDD, 0xEE, 0xFF));
        p.drawEllipse(c);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c.adjusted(c.width() * 0.28, 0, -c.width() * 0.28, 0));
        p.drawLine(QPointF(c.left(), c.center().y()), QPointF(c.right(), c.center().y()));
        p.drawLine(QPointF(c.center().x(), c.top()), QPointF(c.center().x(), c.bottom()));
        break;
    }
    }
}

} // namespace

QPixmap Command(const QSize& size, Symbol symbol, const QString& caption)
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const int captionHeight = caption.isEmpty() ? 0 : 14;
    const int side = qMin(size.width() - 4, size.height() - captionHeight - 4);
    DrawSymbol(painter, symbol, QRectF((size.width() - side) / 2.0, 2, side, side));
    if (!caption.isEmpty()) {
        painter.setPen(Ink);
        painter.setFont(Widgets::DesignFont(QStringLiteral("Tahoma"), 7, true));
        painter.drawText(QRect(0, size.height() - captionHeight - 1, size.width(), captionHeight),
                         Qt::AlignHCenter | Qt::AlignVCenter, caption);
    }
    return picture;
}

QPixmap RowCommand(const QSize& size, Symbol symbol, const QString& caption)
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0xB8, 0xC7, 0xDD));
    painter.setBrush(QColor(0xF3, 0xF7, 0xFC));
    painter.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 5, 5);
    const int side = size.height() - 8;
    DrawSymbol(painter, symbol, QRectF(6, 4, side, side));
    painter.setPen(Ink);
    painter.setFont(Widgets::DesignFont(QStringLiteral("Tahoma"), 9, true));
    painter.drawText(QRect(side + 14, 0, size.width() - side - 16, size.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     caption);
    return picture;
}

QPixmap Symbolic(int side, Symbol symbol)
{
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawSymbol(painter, symbol, QRectF(0, 0, side, side));
    return picture;
}

QPixmap GoogleWord(const QSize& size)
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(size.height() - 2);
    painter.setFont(font);
    const QColor colours[] = {QColor(0x42, 0x85, 0xF4), QColor(0xEA, 0x43, 0x35), QColor(0xFB, 0xBC, 0x05),
                              QColor(0x42, 0x85, 0xF4), QColor(0x34, 0xA8, 0x53), QColor(0xEA, 0x43, 0x35)};
    const QString word = QStringLiteral("Google");
    int x = 0;
    for (int i = 0; i < word.size(); ++i) {
        painter.setPen(colours[i]);
        painter.drawText(QPoint(x, size.height() - 4), word.at(i));
        x += painter.fontMetrics().horizontalAdvance(word.at(i));
    }
    return picture;
}

} // namespace CommandFaces
