#pragma once
// The pictures of the sheet screens' commands: a symbol (an SVG icon from
// resources/icons/sheet/) with its caption, on a transparent ground (the database sheet's
// white tiles and the client sheet's white command column show through).
#include <QPixmap>
#include <QString>

namespace CommandFaces {

enum class Symbol {
    New, Duplicate, Save, Find, Attach, Preview, Print, Flagged,
    First, Previous, Next, Last, Export, Help, Exit,
    Import, Check, Mail, Folders, Person, Globe, Flag, Pdf, Recontact, Money, Profile, Notes,
};

// A command of the command bar: symbol above, caption below (no caption: symbol only).
QPixmap Command(const QSize& size, Symbol symbol, const QString& caption = {});
// A command of a column of commands: symbol at the left, caption beside it.
QPixmap RowCommand(const QSize& size, Symbol symbol, const QString& caption);
// A bare symbol, for the section pictures and the small pictures beside the boxes.
QPixmap Symbolic(int side, Symbol symbol);
// The coloured "Google" word above the search-phrase box.
QPixmap GoogleWord(const QSize& size);

} // namespace CommandFaces
