#pragma once

#include <QColor>
#include <QHash>
#include <QObject>
#include <QSet>

class QFrame;
class QLabel;
class QWidget;

// The bar across the bottom of a screen that describes the command under the mouse.
// Hovering a command writes its text; hovering the screen's background empties the line;
// anything else leaves the last text in place.
class StatusLine : public QObject {
    Q_OBJECT
public:
    static const QColor Blue;      // 3030DD
    static const QColor SlateBlue;

    // Creates `shpInfo` and `panInfo` on `area` at the given rectangle, showing `initialText`.
    StatusLine(QWidget* screen, QWidget* area, const QRect& geometry, const QColor& colour,
               const QString& initialText);

    void SetHoverText(QWidget* command, const QString& text);
    void AddBackground(QWidget* background);
    QLabel* Label() const { return m_label; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Track(QWidget* widget);
    void ShowFor(QWidget* widget);

    QWidget* m_screen;
    QFrame* m_shape;
    QLabel* m_label;
    QHash<QWidget*, QString> m_hoverTexts;
    QSet<QWidget*> m_backgrounds;
};
