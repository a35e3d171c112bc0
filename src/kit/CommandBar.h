#pragma once
// The command bar of a sheet screen: command pictures on white tiles. Both sheet screens
// have the same commands (the client sheet one more, "Crea PDF"), with the same hover texts
// on the status line; each screen says only where a tile or a command lies, which picture
// it shows and what it does.
#include <QPixmap>
#include <QRect>
#include <QString>

#include <functional>

class CommandPicture;
class QWidget;
class StatusLine;

class CommandBar {
public:
    // The white tile of the database sheet's bar.
    static const QString TileStyle;

    CommandBar(QWidget* design, StatusLine* status);

    // A tile behind a group of commands; hovering it empties the status line.
    QWidget* AddTile(const char* name, const QRect& geometry, const QString& style = TileStyle);
    // A command picture showing `face` at `geometry`, which runs `action` on a click. Its
    // hover text is the sheet command's own (see HoverText), unless `hover` is given.
    CommandPicture* AddCommand(const char* name, const QPixmap& face, const QRect& geometry,
                               std::function<void()> action, const QString& hover = {});
    // An existing command (the sheet screen's exit) put into the bar.
    void Place(CommandPicture* command, const QPixmap& face, const QRect& geometry);

    // The hover text every sheet screen gives the command of that name; empty for a name
    // that is not a shared sheet command.
    static QString HoverText(const QString& name);

private:
    QWidget* m_design;
    StatusLine* m_status;
};
