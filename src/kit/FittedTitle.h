#pragma once

#include <QFont>
#include <QLabel>
#include <QString>

// A one-line title, such as the archive's name on the start menu and on the sheet banners.
// A text too wide for the label is drawn in a smaller size, down to two thirds of the
// label's own font; a text too wide even then is cut at its end with "…". text() keeps the
// whole text, which the tool tip shows while the title is cut.
class FittedTitle : public QLabel {
    Q_OBJECT
public:
    FittedTitle(QWidget* parent, const QString& name);

    // The font and the text as they are drawn at the label's present width.
    QFont ShownFont() const;
    QString ShownText() const;
    // The smallest point size a text shrinks to before it is cut.
    int FloorPointSize() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct Fit {
        QFont font;
        QString text;
    };
    Fit Fitted() const;
};
