#pragma once

#include "reference/reference_table.h"
#include "results/result_layout.h"
#include "results/result_table.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace pellomar {

// The hotspots of the last load: their record lines (the result table) and, per row, the
// captions of the six text cells as the list shows them. A row's captions are made when first
// asked for: right after a search only the rows in view need them, and the rows are on screen
// sooner for it.
//
// A result row ("row", "hotspot") is the hotspot's number in the load, from 1: its entry in the
// result table, the number the list shows and what a detail window opens. The user may sort
// and filter the list; a "position" (from 1) is a place on screen, and model row r is
// position r + 1. Without sorting or filtering, position and row are the same.
class ResultListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using Column = ResultLayout::Column;

    enum Role {
        // The record line as stored in the result table, as a QByteArray.
        RecordRole = Qt::UserRole + 1,
    };

    // `countries` names the country column; it must outlive the model.
    explicit ResultListModel(const ReferenceTable &countries, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Empties the list and the result table; the list is unsorted and unfiltered again.
    void clear();
    // Adds the record lines as the next rows; lines past the table's capacity are dropped.
    void appendRecords(std::vector<std::string> lines);

    int count() const { return m_table.count(); }
    // Result row `row` (from 1); empty past the count.
    const std::string &record(int row) const { return m_table.entry(row); }
    const ResultTable &table() const { return m_table; }
    // What cell `column` of result row `row` shows; empty past the count.
    QString caption(int row, Column column) const;

    // Sorting: a column heading clicked once sorts ascending, again descending.
    void toggleSort(Column column);
    void clearSort();
    std::optional<Column> sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    // Shows only the rows with `text` (trimmed, any case) in one of their text cells.
    void setFilterText(const QString &text);
    QString filterText() const { return m_filter; }

    // Rows on screen, after filtering.
    int shownCount() const { return int(m_order.size()); }
    // The row at screen position `position`; 0 when nothing is shown there.
    int rowAt(int position) const;
    // The screen position of row `row`; 0 when it is filtered out or missing.
    int positionOf(int row) const;

Q_SIGNALS:
    void sortChanged();

private:
    using Captions = std::array<QString, ResultLayout::ColumnCount - ResultLayout::FirstTextColumn>;
    Captions captionsFor(const std::string &line) const;
    const Captions &captionsOf(int row) const;
    bool matchesFilter(int row) const;
    std::vector<int> computeOrder() const;
    void applyOrder(std::vector<int> order);
    void reorder(bool rowsChange);
    bool isPlainOrder() const { return !m_sortColumn && m_filter.isEmpty(); }

    const ReferenceTable &m_countries;
    ResultTable m_table;
    mutable std::vector<std::optional<Captions>> m_captions; // row - 1 -> captions once made
    std::optional<Column> m_sortColumn;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    QString m_filter;
    std::vector<int> m_order; // position - 1 -> row
    std::vector<int> m_positions; // row - 1 -> position, 0 when filtered out
};

} // namespace pellomar
