// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "reference/reference_table.h"
#include "results/result_layout.h"
#include "results/result_table.h"

#include <QAbstractTableModel>
#include <QString>
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace pellomar {

// The hotspots of the last load: their record lines (the result table) and, per row, the
// captions of the six text cells as the list shows them. A row's captions are made when first
// asked for: right after a search only the rows in view need them, and the rows are on screen
// sooner for it. A row is the hotspot's number in the load, from 1 (model row r is row r + 1).
class ResultListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using Column = ResultLayout::Column;

    // `countries` names the country column; it must outlive the model.
    explicit ResultListModel(const ReferenceTable &countries, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Replaces every row with the record lines, numbered from 1; lines past the table's
    // capacity are dropped.
    void setRecords(std::vector<std::string> lines);

    int count() const { return m_table.count(); }
    // Result row `row` (from 1); empty past the count.
    const std::string &record(int row) const { return m_table.entry(row); }
    // What cell `column` of result row `row` shows; empty past the count.
    QString caption(int row, Column column) const;

private:
    using Captions = std::array<QString, ResultLayout::ColumnCount - ResultLayout::FirstTextColumn>;
    Captions captionsFor(const std::string &line) const;

    const ReferenceTable &m_countries;
    ResultTable m_table;
    mutable std::vector<std::optional<Captions>> m_captions; // row - 1 -> captions once made
};

} // namespace pellomar
