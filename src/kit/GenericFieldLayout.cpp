#include "kit/GenericFieldLayout.h"

#include "kit/Widgets.h"

#include <array>

namespace {

constexpr int FirstRowTop = 130;
constexpr int RowHeight = 58;
constexpr int TitleHeight = 18;
constexpr int BoxOffset = 20; // from the top of the title to the top of its box
constexpr int BoxHeight = 26;

struct Column {
    int row; // 0 ... 4
    int left;
    int width;
};

constexpr std::array<Column, 14> Columns{{
    {0, 92, 298}, {0, 402, 298}, {0, 712, 292},
    {1, 92, 298}, {1, 402, 298}, {1, 712, 292},
    {2, 92, 452}, {2, 556, 220}, {2, 788, 216},
    {3, 92, 452}, {3, 556, 220}, {3, 788, 216},
    {4, 92, 370}, {4, 474, 420},
}};

const Column& ColumnOf(int number)
{
    return Columns.at(static_cast<std::size_t>(number - 1));
}

} // namespace

namespace GenericFieldLayout {

QRect TitleRect(int number)
{
    const Column& column = ColumnOf(number);
    return QRect(column.left, FirstRowTop + column.row * RowHeight, column.width, TitleHeight);
}

QRect BoxRect(int number)
{
    const Column& column = ColumnOf(number);
    return QRect(column.left, FirstRowTop + column.row * RowHeight + BoxOffset, column.width, BoxHeight);
}

QFont TitleFont()
{
    return Widgets::DesignFont(QStringLiteral("Tahoma"), 9, true);
}

QFont BoxFont()
{
    return Widgets::DesignFont(QStringLiteral("Verdana"), 12, true);
}

} // namespace GenericFieldLayout
