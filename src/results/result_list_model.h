#pragma once

#include "reference_table.h"
#include "result_layout.h"
#include "result_table.h"

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <array>
#include <string>
#include <vector>

namespace pellomar {

// The hotspots of the last load: their record lines (the result table) and, per row, the
// captions of the six text cells as the list shows them. Model row r is result row r + 1.
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

    // Empties the list and the result table.
    void clear();
    // Adds the record lines as the next rows; lines past the table's capacity are dropped.
    void appendRecords(std::vector<std::string> lines);

    int count() const { return m_table.count(); }
    // Result row `row` (from 1); empty past the count.
    const std::string &record(int row) const { return m_table.entry(row); }
    const ResultTable &table() const { return m_table; }
    // What cell `column` of result row `row` shows; empty past the count.
    QString caption(int row, Column column) const;

private:
    using Captions = std::array<QString, ResultLayout::ColumnCount - ResultLayout::FirstTextColumn>;
    Captions captionsFor(const std::string &line) const;

    const ReferenceTable &m_countries;
    ResultTable m_table;
    std::vector<Captions> m_captions;
};

} // namespace pellomar
