#pragma once

#include <QFont>
#include <QRect>

// Where the fourteen generic fields of the database sheet lie on the 1016 x 713 design,
// each with its title label above it: three per row in rows one and two (fields 1-3, 4-6),
// a wide field and two normal ones in rows three and four (7-9, 10-12), a wide field 13
// and a wider field 14 in the last row (the rest of that row is left free for the sheet's
// flag). The database sheet and the field-name screen both place them from here, so that a
// title cut by its one-line label on the field-name screen is cut the same way on the sheet.
namespace GenericFieldLayout {

// number: 1 ... 14.
QRect TitleRect(int number);
QRect BoxRect(int number);

QFont TitleFont();
QFont BoxFont();

} // namespace GenericFieldLayout
