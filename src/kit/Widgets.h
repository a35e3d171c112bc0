#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QString>

class QLineEdit;
class QPushButton;
class QWidget;

// Small factories that give every control the same look and the same safe defaults.
namespace Widgets {

// A label that always shows its text literally, never as markup.
QLabel* NewLabel(QWidget* parent, const QString& name, const QString& text = {});
// A push button that Enter presses when it has the focus, as the space bar does.
QPushButton* NewButton(QWidget* parent, const QString& name, const QString& caption);
QLineEdit* NewLineEdit(QWidget* parent, const QString& name);
// A hidden label that carries screen state (a position, a mode).
QLabel* NewHiddenLabel(QWidget* parent, const QString& name, const QString& text = {});
// An instruction line of a tool's panel: Verdana 9 bold in `colour`, wrapped at its width.
QLabel* NewInstruction(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                       const QString& colour);
// A plain rectangle or gradient panel the screens are drawn on.
QWidget* NewShape(QWidget* parent, const QString& name, const QRect& geometry, const QString& styleSheet);

QFont DesignFont(const QString& family, int pointSize, bool bold = false, bool italic = false);

} // namespace Widgets

// A picture the user clicks: a command of a work screen, an icon beside a link. Acts on
// one click and shows the pointing hand.
class CommandPicture : public QLabel {
    Q_OBJECT
public:
    CommandPicture(QWidget* parent, const QString& name, const QPixmap& picture);
    // A picture made of an icon and a caption, for commands drawn by the program itself.
    static QPixmap Drawn(const QSize& size, const QString& caption, const QPixmap& icon,
                         const QColor& top, const QColor& bottom, const QColor& text = Qt::white);

signals:
    void pressed();
    void released();
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_down = false;
};

// A link of the help, about and copyright screens: dark blue, orange while the mouse
// button is held down on it or on its icon; a click opens `target` through the shell.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    static const QColor Normal;   // RGB (0, 0, 139)
    static const QColor Pressed;  // RGB (255, 165, 0)

    LinkLabel(QWidget* parent, const QString& name, const QString& text);
    // The icon beside the link shares its handlers.
    void ShareWith(CommandPicture* icon);
    QColor Colour() const { return m_colour; }

    void lnkWebMouseDown();
    void lnkWebMouseUp();

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void SetColour(const QColor& colour);
    QColor m_colour;
    bool m_down = false;
};

// Pictures the program draws itself (headers with an icon, a title and a few lines).
namespace Pictures {
enum class Icon { Padlock, Question, Information, Globe, Envelope, Pdf, Database, Clients, Settings, Exit, Copyright, Copies };
QPixmap IconPicture(Icon icon, int size, const QColor& colour);
QPixmap Header(const QSize& size, Icon icon, const QColor& iconColour, const QString& title,
               const QStringList& lines);
// The same header with a picture of the caller's own in place of a drawn icon.
QPixmap Header(const QSize& size, const QPixmap& icon, const QString& title, const QStringList& lines);
// The side of the icon square at the left of a header of that size.
int HeaderIconSide(const QSize& size);
} // namespace Pictures
