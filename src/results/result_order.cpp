// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/result_order.h"

#include "results/result_list_model.h"

namespace pellomar {

namespace {

using Column = ResultLayout::Column;

QString withoutAccents(const QString &caption)
{
    QString text = caption.normalized(QString::NormalizationForm_KD);
    text.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
    return text;
}

} // namespace

// One order for every user, whatever the desktop's language: the collator of the C locale
// would compare digits one by one.
ResultOrder::ResultOrder(ResultListModel *rows, QObject *parent)
    : QSortFilterProxyModel(parent)
    , m_collator(QLocale(QLocale::English))
{
    m_collator.setNumericMode(true);
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    setSourceModel(rows);
}

int ResultOrder::rowAt(int position) const
{
    const QModelIndex shown = index(position - 1, 0);
    return shown.isValid() ? mapToSource(shown).row() + 1 : 0;
}

int ResultOrder::positionOf(int row) const
{
    return mapFromSource(sourceModel()->index(row - 1, 0)).row() + 1;
}

void ResultOrder::setFilterText(const QString &text)
{
    const QString filter = text.trimmed();
    if (filter == m_filter)
        return;
    m_filter = filter;
    invalidateFilter();
}

bool ResultOrder::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const auto column = static_cast<Column>(left.column());
    if (column == Column::Number)
        return left.row() < right.row();
    const int order = m_collator.compare(withoutAccents(rows().caption(left.row() + 1, column)),
        withoutAccents(rows().caption(right.row() + 1, column)));
    if (order != 0)
        return order < 0;
    // Descending, the proxy asks with the two the other way round.
    return sortOrder() == Qt::AscendingOrder ? left.row() < right.row() : left.row() > right.row();
}

bool ResultOrder::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    if (m_filter.isEmpty())
        return true;
    for (int c = ResultLayout::FirstTextColumn; c < ResultLayout::ColumnCount; ++c) {
        if (rows()
                .caption(sourceRow + 1, static_cast<Column>(c))
                .contains(m_filter, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

const ResultListModel &ResultOrder::rows() const
{
    return *static_cast<const ResultListModel *>(sourceModel());
}

} // namespace pellomar
