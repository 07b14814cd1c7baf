// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCollator>
#include <QSortFilterProxyModel>

namespace pellomar {

class ResultListModel;

// The rows in the order the user sees them: sorted by a column and narrowed by a filter.
// A "position" (from 1) is a place on screen; proxy row p is position p + 1. Without sorting
// or filtering, the position of a row is its number.
class ResultOrder : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit ResultOrder(ResultListModel *rows, QObject *parent = nullptr);

    int shownCount() const { return rowCount(); }
    // The row at screen position `position`; 0 when nothing is shown there.
    int rowAt(int position) const;
    // The screen position of row `row`; 0 when it is filtered out or missing.
    int positionOf(int row) const;

    // Shows only the rows with `text` (trimmed, any case) in one of their text cells.
    void setFilterText(const QString &text);
    const QString &filterText() const { return m_filter; }

protected:
    // Names sort as people read them: any case, accents ignored, digits by their value
    // ("Cafe 2" before "Cafe 10"). Equal captions keep the order the directory sent them in,
    // either way round, whatever the order was before.
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    const ResultListModel &rows() const;

    QCollator m_collator;
    QString m_filter;
};

} // namespace pellomar
