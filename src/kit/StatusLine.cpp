#include "kit/StatusLine.h"

#include "kit/Widgets.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>

const QColor StatusLine::Blue(0x30, 0x30, 0xDD);
const QColor StatusLine::SlateBlue(0x6A, 0x5A, 0xCD);

StatusLine::StatusLine(QWidget* screen, QWidget* area, const QRect& geometry, const QColor& colour,
                       const QString& initialText)
    : QObject(screen), m_screen(screen)
{
    m_shape = new QFrame(area);
    m_shape->setObjectName(QStringLiteral("shpInfo"));
    m_shape->setGeometry(geometry);
    m_shape->setAutoFillBackground(true);
    QPalette palette = m_shape->palette();
    palette.setColor(QPalette::Window, colour);
    m_shape->setPalette(palette);

    m_label = Widgets::NewLabel(m_shape, QStringLiteral("panInfo"), initialText);
    m_label->setGeometry(8, 0, geometry.width() - 16, geometry.height());
    m_label->setFont(Widgets::DesignFont(QStringLiteral("Tahoma"), 12));
    m_label->setStyleSheet(QStringLiteral("color: white;"));
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_label->setWordWrap(false);

    AddBackground(screen);
    AddBackground(area);
    // The whole strip is background, the line of text that covers most of it included.
    AddBackground(m_shape);
    AddBackground(m_label);
}

void StatusLine::SetHoverText(QWidget* command, const QString& text)
{
    m_hoverTexts.insert(command, text);
    command->installEventFilter(this);
}

void StatusLine::AddBackground(QWidget* background)
{
    m_backgrounds.insert(background);
    Track(background);
}

void StatusLine::Track(QWidget* widget)
{
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

void StatusLine::ShowFor(QWidget* under)
{
    if (m_backgrounds.contains(under)) {
        m_label->clear();
        return;
    }
    // A command's own children (its caption, its icon) count as the command; a text box,
    // label or picture without a hover text changes nothing.
    for (QWidget* w = under; w && !m_backgrounds.contains(w); w = w->parentWidget()) {
        if (auto it = m_hoverTexts.constFind(w); it != m_hoverTexts.constEnd()) {
            m_label->setText(*it);
            return;
        }
    }
}

bool StatusLine::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    // Only a real movement over the background empties the line, not a window appearing
    // under a resting mouse.
    if (event->type() == QEvent::Enter) {
        if (m_hoverTexts.contains(widget))
            m_label->setText(m_hoverTexts.value(widget));
    } else if (event->type() == QEvent::MouseMove && m_backgrounds.contains(widget)) {
        // The move may have been passed up from a child: look at what is really under the mouse.
        const auto* move = static_cast<QMouseEvent*>(event);
        QWidget* under = m_screen->childAt(m_screen->mapFromGlobal(move->globalPosition().toPoint()));
        ShowFor(under ? under : m_screen);
    }
    return false;
}
