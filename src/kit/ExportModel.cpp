#include "kit/ExportModel.h"

#include "kit/TextRules.h"

ExportModel::ExportModel(ExportTable& table, QObject* parent) : QAbstractTableModel(parent), m_table(table) {}

void ExportModel::Load(Progress& progress)
{
    beginResetModel();
    try {
        m_table.Load(progress);
    } catch (...) {
        endResetModel();
        throw;
    }
    endResetModel();
}

QString ExportModel::ColumnName(int column) const
{
    if (column == NumberColumn)
        return QStringLiteral("colNum");
    return QString::fromStdString(m_table.Description().grid[column - 1].name);
}

int ExportModel::ColumnWidth(int column) const
{
    if (column == NumberColumn)
        return NumberColumnWidth;
    return m_table.Description().grid[column - 1].width;
}

int ExportModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_table.RowCount());
}

int ExportModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_table.ColumnCount()) + 1;
}

QVariant ExportModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    if (index.column() == NumberColumn)
        return QString::number(index.row() + 1);
    return ToQString(m_table.Cell(static_cast<std::size_t>(index.row()), static_cast<std::size_t>(index.column() - 1)));
}

bool ExportModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const auto row = static_cast<std::size_t>(index.row());
    const auto column = static_cast<std::size_t>(index.column() - 1);
    Text text = ToText(value.toString());
    if (m_table.Cell(row, column) == text)
        return true;
    m_table.SetCell(row, column, std::move(text));
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags ExportModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() != NumberColumn && m_table.IsEditable(static_cast<std::size_t>(index.column() - 1)))
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant ExportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == NumberColumn)
        return QStringLiteral("N.");
    return ToQString(m_table.Description().grid[section - 1].title);
}
