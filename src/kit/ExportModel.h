#pragma once

#include "archive/SpreadsheetExport.h"

#include <QAbstractTableModel>

// The export grid's model over an ExportTable: column 0 ("N.") numbers the rows, the others
// are the table's columns. It holds no text of its own: the view asks only for the cells it
// paints, so a grid of 100,000 rows costs what the table costs.
class ExportModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int NumberColumn = 0;
    static constexpr int NumberColumnWidth = 60;

    explicit ExportModel(ExportTable& table, QObject* parent = nullptr);

    // Reads the archive into the table, reporting how far it is to `progress`. On a
    // FileFailure (passed on) the rows read before the failure are shown and the others are
    // empty.
    void Load(Progress& progress);

    // "colNum", "colCampo01", ...; the width of the column in screen units.
    QString ColumnName(int column) const;
    int ColumnWidth(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    ExportTable& m_table;
};
