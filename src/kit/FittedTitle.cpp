#include "kit/FittedTitle.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

FittedTitle::FittedTitle(QWidget* parent, const QString& name) : QLabel(parent)
{
    setObjectName(name);
    setTextFormat(Qt::PlainText);
}

int FittedTitle::FloorPointSize() const
{
    return qMax(1, font().pointSize() * 2 / 3);
}

FittedTitle::Fit FittedTitle::Fitted() const
{
    const QString whole = text();
    const int width = contentsRect().width();
    QFont shown = font();
    for (int size = font().pointSize(); size >= FloorPointSize(); --size) {
        shown.setPointSize(size);
        if (QFontMetrics(shown, this).horizontalAdvance(whole) <= width)
            return {shown, whole};
    }
    return {shown, QFontMetrics(shown, this).elidedText(whole, Qt::ElideRight, width)};
}

QFont FittedTitle::ShownFont() const { return Fitted().font; }
QString FittedTitle::ShownText() const { return Fitted().text; }

void FittedTitle::paintEvent(QPaintEvent* event)
{
    (void)event;
    QPainter painter(this);
    drawFrame(&painter);
    const Fit fit = Fitted();
    painter.setFont(fit.font);
    style()->drawItemText(&painter, contentsRect(), QStyle::visualAlignment(layoutDirection(), alignment()),
                          palette(), isEnabled(), fit.text, foregroundRole());
}

bool FittedTitle::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        if (const QString whole = text(); ShownText() != whole)
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), whole, this);
        else
            QToolTip::hideText();
        return true;
    }
    return QLabel::event(event);
}
