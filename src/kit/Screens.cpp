#include "kit/Screens.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

namespace {

constexpr Qt::WindowFlags FixedWindowFlags =
    Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint;

} // namespace

void CentreWindow(QWidget* window, const QWidget* over)
{
    QRect area;
    if (over && over->isVisible())
        area = over->frameGeometry();
    else if (QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isEmpty())
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(area.center());
    window->move(frame.topLeft());
}

WorkScreen::WorkScreen(const QString& caption, QWidget* parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(caption);
    setMinimumSize(DesignSize);
    setAutoFillBackground(true);
    m_design = new QWidget(this);
    m_design->setObjectName(QStringLiteral("panDesign"));
    m_design->setFixedSize(DesignSize);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_design, 0, 0, Qt::AlignCenter);
}

void WorkScreen::ShowScreen()
{
    showMaximized();
    raise();
    activateWindow();
}

void WorkScreen::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void WorkScreen::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

FixedScreen::FixedScreen(const QString& caption, const QSize& clientSize, QWidget* parent)
    : QWidget(parent, Qt::Window | FixedWindowFlags)
{
    setWindowTitle(caption);
    setFixedSize(clientSize);
}

void FixedScreen::ShowScreen()
{
    show();
    CentreWindow(this);
    raise();
    activateWindow();
}

void FixedScreen::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void FixedScreen::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

ToolDialog::ToolDialog(QWidget* opener, const QString& caption, const QSize& clientSize, Placement placement)
    : QDialog(opener, Qt::Dialog | FixedWindowFlags), m_placement(placement)
{
    setWindowTitle(caption);
    setFixedSize(clientSize);
    setModal(true);
}

void ToolDialog::CloseTool()
{
    done(QDialog::Accepted);
}

void ToolDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CentreWindow(this, m_placement == Placement::CentredOnOpener ? parentWidget() : nullptr);
    FormShow();
}

void ToolDialog::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !qobject_cast<QPushButton*>(focusWidget())) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
