#include "kit/Widgets.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QtMath>

namespace Widgets {

QLabel* NewLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

QPushButton* NewButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(true);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QLineEdit* NewLineEdit(QWidget* parent, const QString& name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

QLabel* NewHiddenLabel(QWidget* parent, const QString& name, const QString& text)
{
    QLabel* label = NewLabel(parent, name, text);
    label->hide();
    return label;
}

QLabel* NewInstruction(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                       const QString& colour)
{
    QLabel* label = NewLabel(parent, name, text);
    label->setGeometry(geometry);
    label->setFont(DesignFont(QStringLiteral("Verdana"), 9, true));
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: %1;").arg(colour));
    return label;
}

QWidget* NewShape(QWidget* parent, const QString& name, const QRect& geometry, const QString& styleSheet)
{
    auto* shape = new QWidget(parent);
    shape->setObjectName(name);
    shape->setGeometry(geometry);
    shape->setAttribute(Qt::WA_StyledBackground, true);
    shape->setStyleSheet(QStringLiteral("#%1 { %2 }").arg(name, styleSheet));
    return shape;
}

QFont DesignFont(const QString& family, int pointSize, bool bold, bool italic)
{
    QFont font(family);
    font.setPointSize(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace Widgets

CommandPicture::CommandPicture(QWidget* parent, const QString& name, const QPixmap& picture)
    : QLabel(parent)
{
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setPixmap(picture);
    setScaledContents(true);
    setCursor(Qt::PointingHandCursor);
}

QPixmap CommandPicture::Drawn(const QSize& size, const QString& caption, const QPixmap& icon,
                              const QColor& top, const QColor& bottom, const QColor& text)
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, size.height());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    painter.setBrush(gradient);
    painter.setPen(QPen(bottom.darker(130), 1));
    painter.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 10, 10);
    int textLeft = 10;
    if (!icon.isNull()) {
        const int side = qMin(size.height() - 12, icon.height());
        painter.drawPixmap(QRect(10, (size.height() - side) / 2, side, side), icon);
        textLeft = 20 + side;
    }
    painter.setPen(text);
    QFont font = Widgets::DesignFont(QStringLiteral("Arial"), qBound(9, size.height() / 4, 20), true);
    painter.setFont(font);
    painter.drawText(QRect(textLeft, 0, size.width() - textLeft - 8, size.height()),
                     Qt::AlignCenter | Qt::TextWordWrap, caption);
    return picture;
}

void CommandPicture::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_down = true;
    emit pressed();
}

void CommandPicture::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_down)
        return;
    m_down = false;
    emit released();
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

const QColor LinkLabel::Normal(0, 0, 139);
const QColor LinkLabel::Pressed(255, 165, 0);

LinkLabel::LinkLabel(QWidget* parent, const QString& name, const QString& text) : QLabel(parent)
{
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setText(text);
    QFont font = Widgets::DesignFont(QStringLiteral("Tahoma"), 14);
    font.setUnderline(true);
    setFont(font);
    setCursor(Qt::PointingHandCursor);
    SetColour(Normal);
}

void LinkLabel::ShareWith(CommandPicture* icon)
{
    connect(icon, &CommandPicture::pressed, this, &LinkLabel::lnkWebMouseDown);
    connect(icon, &CommandPicture::released, this, &LinkLabel::lnkWebMouseUp);
    connect(icon, &CommandPicture::clicked, this, &LinkLabel::clicked);
}

void LinkLabel::lnkWebMouseDown() { SetColour(Pressed); }
void LinkLabel::lnkWebMouseUp() { SetColour(Normal); }

void LinkLabel::SetColour(const QColor& colour)
{
    m_colour = colour;
    setStyleSheet(QStringLiteral("color: %1;").arg(colour.name()));
}

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_down = true;
    lnkWebMouseDown();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_down)
        return;
    m_down = false;
    lnkWebMouseUp();
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

namespace Pictures {

namespace {

void DrawSymbol(QPainter& p, Icon icon, const QRectF& r, const QColor& colour)
{
    const qreal w = r.width();
    p.setPen(QPen(colour, w / 14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    auto letter = [&](const QString& text, const QColor& ink) {
        QFont font(QStringLiteral("Arial"));
        font.setBold(true);
        font.setPixelSize(int(w * 0.6));
        p.setFont(font);
        p.setPen(ink);
        p.drawText(r, Qt::AlignCenter, text);
    };
    switch (icon) {
    case Icon::Padlock: {
        p.drawArc(QRectF(r.left() + w * 0.25, r.top() + w * 0.05, w * 0.5, w * 0.6), 0, 180 * 16);
        p.drawLine(QPointF(r.left() + w * 0.25, r.top() + w * 0.35), QPointF(r.left() + w * 0.25, r.top() + w * 0.45));
        p.drawLine(QPointF(r.left() + w * 0.75, r.top() + w * 0.35), QPointF(r.left() + w * 0.75, r.top() + w * 0.45));
        p.setBrush(colour);
        p.drawRoundedRect(QRectF(r.left() + w * 0.15, r.top() + w * 0.45, w * 0.7, w * 0.5), w * 0.06, w * 0.06);
        p.setBrush(Qt::white);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(r.center().x(), r.top() + w * 0.68), w * 0.06, w * 0.06);
        break;
    }
    case Icon::Question:
    case Icon::Information:
    case Icon::Copyright:
        p.setBrush(colour);
        p.drawEllipse(r.adjusted(w * 0.05, w * 0.05, -w * 0.05, -w * 0.05));
        letter(icon == Icon::Question ? QStringLiteral("?") : icon == Icon::Information ? QStringLiteral("i")
                                                                                       : QStringLiteral("©"),
               Qt::white);
        break;
    case Icon::Globe: {
        const QRectF c = r.adjusted(w * 0.08, w * 0.08, -w * 0.08, -w * 0.08);
        p.drawEllipse(c);
        p.drawEllipse(c.adjusted(c.width() * 0.28, 0, -c.width() * 0.28, 0));
        p.drawLine(QPointF(c.left(), c.center().y()), QPointF(c.right(), c.center().y()));
        p.drawLine(QPointF(c.center().x(), c.top()), QPointF(c.center().x(), c.bottom()));
        break;
    }
    case Icon::Envelope: {
        const QRectF e(r.left() + w * 0.08, r.top() + w * 0.22, w * 0.84, w * 0.56);
        p.drawRect(e);
        p.drawPolyline(QPolygonF({e.topLeft(), QPointF(e.center().x(), e.center().y() + w * 0.05), e.topRight()}));
        break;
    }
    case Icon::Pdf: {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(r.left() + w * 0.18, r.top() + w * 0.05, w * 0.64, w * 0.9));
        QFont font(QStringLiteral("Arial"));
        font.setBold(true);
        font.setPixelSize(int(w * 0.25));
        p.setFont(font);
        p.setPen(colour);
        p.drawText(r, Qt::AlignCenter, QStringLiteral("PDF"));
        break;
    }
    case Icon::Database: {
        const QRectF top(r.left() + w * 0.15, r.top() + w * 0.08, w * 0.7, w * 0.22);
        p.setBrush(colour.lighter(150));
        QPainterPath body;
        body.moveTo(top.left(), top.center().y());
        body.lineTo(top.left(), top.center().y() + w * 0.6);
        body.arcTo(QRectF(top.left(), top.top() + w * 0.6, top.width(), top.height()), 180, 180);
        body.lineTo(top.right(), top.center().y());
        p.drawPath(body);
        p.drawEllipse(top);
        break;
    }
    case Icon::Clients:
        p.setBrush(colour.lighter(150));
        p.drawEllipse(QRectF(r.left() + w * 0.12, r.top() + w * 0.15, w * 0.3, w * 0.3));
        p.drawEllipse(QRectF(r.left() + w * 0.55, r.top() + w * 0.15, w * 0.3, w * 0.3));
        p.drawChord(QRectF(r.left() + w * 0.02, r.top() + w * 0.5, w * 0.5, w * 0.7), 0, 180 * 16);
        p.drawChord(QRectF(r.left() + w * 0.45, r.top() + w * 0.5, w * 0.5, w * 0.7), 0, 180 * 16);
        break;
    case Icon::Settings: {
        const QPointF centre = r.center();
        for (int i = 0; i < 8; ++i) {
            const qreal a = i * M_PI / 4;
            p.drawLine(centre + QPointF(qCos(a), qSin(a)) * w * 0.3, centre + QPointF(qCos(a), qSin(a)) * w * 0.45);
        }
        p.setBrush(colour.lighter(150));
        p.drawEllipse(centre, w * 0.3, w * 0.3);
        p.setBrush(Qt::white);
        p.drawEllipse(centre, w * 0.1, w * 0.1);
        break;
    }
    case Icon::Exit: {
        p.drawRect(QRectF(r.left() + w * 0.15, r.top() + w * 0.1, w * 0.4, w * 0.8));
        p.drawLine(QPointF(r.left() + w * 0.4, r.center().y()), QPointF(r.right() - w * 0.05, r.center().y()));
        p.drawPolyline(QPolygonF({QPointF(r.right() - w * 0.22, r.center().y() - w * 0.15),
                                  QPointF(r.right() - w * 0.05, r.center().y()),
                                  QPointF(r.right() - w * 0.22, r.center().y() + w * 0.15)}));
        break;
    }
    }
}

} // namespace

QPixmap IconPicture(Icon icon, int size, const QColor& colour)
{
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawSymbol(painter, icon, QRectF(0, 0, size, size), colour);
    return picture;
}

QPixmap Header(const QSize& size, Icon icon, const QColor& iconColour, const QString& title,
               const QStringList& lines)
{
    const int side = HeaderIconSide(size);
    return Header(size, IconPicture(icon, side, iconColour), title, lines);
}

int HeaderIconSide(const QSize& size)
{
    return qMin(size.height() - 16, 72);
}

QPixmap Header(const QSize& size, const QPixmap& icon, const QString& title, const QStringList& lines)
{
    QPixmap picture(size);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, size.height());
    gradient.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    gradient.setColorAt(1, QColor(0xDC, 0xE8, 0xF8));
    painter.fillRect(picture.rect(), gradient);
    const int side = HeaderIconSide(size);
    painter.drawPixmap(QRect(12, 8, side, side), icon);
    const int left = side + 28;
    painter.setPen(QColor(0x20, 0x30, 0x70));
    painter.setFont(Widgets::DesignFont(QStringLiteral("Arial"), 18, true));
    painter.drawText(QRect(left, 6, size.width() - left - 8, 32), Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.setFont(Widgets::DesignFont(QStringLiteral("Tahoma"), 9));
    painter.setPen(QColor(0x30, 0x30, 0x30));
    QRect textArea(left, 40, size.width() - left - 8, size.height() - 44);
    painter.drawText(textArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, lines.join(u'\n'));
    painter.setPen(QColor(0xA0, 0xB0, 0xD0));
    painter.drawLine(0, size.height() - 1, size.width(), size.height() - 1);
    return picture;
}

} // namespace Pictures
