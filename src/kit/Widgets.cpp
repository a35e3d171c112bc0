#include "kit/Widgets.h"

#include "kit/Icons.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

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

QString FileName(Icon icon)
{
    switch (icon) {
    case Icon::Padlock: return QStringLiteral("padlock");
    case Icon::Question: return QStringLiteral("question");
    case Icon::Information: return QStringLiteral("information");
    case Icon::Globe: return QStringLiteral("globe");
    case Icon::Envelope: return QStringLiteral("envelope");
    case Icon::Pdf: return QStringLiteral("pdf");
    case Icon::Database: return QStringLiteral("database");
    case Icon::Clients: return QStringLiteral("clients");
    case Icon::Settings: return QStringLiteral("settings");
    case Icon::Exit: return QStringLiteral("exit");
    case Icon::Copyright: return QStringLiteral("copyright");
    case Icon::Copies: return QStringLiteral("copies");
    }
    return {};
}

} // namespace

QPixmap IconPicture(Icon icon, int size, const QColor& colour)
{
    return Icons::Tinted(QStringLiteral("tinted/") + FileName(icon), size, colour);
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
