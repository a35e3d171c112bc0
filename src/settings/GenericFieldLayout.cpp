#include "settings/GenericFieldLayout.h"

#include "app/Widgets.h"

#include <array>

namespace {

constexpr int FirstRowTop = 120;
constexpr int RowHeight = 58;
constexpr int TitleHeight = 18;
constexpr int BoxOffset = 22; // from the top of the title to the top of its box
constexpr int BoxHeight = 28;

struct Column {
    int row; // 0 ... 4
    int left;
    int width;
};

constexpr std::array<Column, 14> Columns{{
    {0, 24, 312}, {0, 352, 312}, {0, 680, 312},
    {1, 24, 312}, {1, 352, 312}, {1, 680, 312},
    {2, 24, 472}, {2, 512, 232}, {2, 760, 232},
    {3, 24, 472}, {3, 512, 232}, {3, 760, 232},
    {4, 24, 380}, {4, 420, 460},
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
    return Widgets::DesignFont(QStringLiteral("Tahoma"), 10, true);
}

QFont BoxFont()
{
    return Widgets::DesignFont(QStringLiteral("Verdana"), 12, true);
}

} // namespace GenericFieldLayout
