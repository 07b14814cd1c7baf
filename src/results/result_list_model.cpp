// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/result_list_model.h"

#include "platform/display_text.h"
#include "reference/text_fields.h"
#include "results/hotspot_record.h"

namespace pellomar {

ResultListModel::ResultListModel(const ReferenceTable &countries, QObject *parent)
    : QAbstractTableModel(parent)
    , m_countries(countries)
{
}

int ResultListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

int ResultListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ResultLayout::ColumnCount;
}

QVariant ResultListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return caption(index.row() + 1, static_cast<Column>(index.column()));
}

void ResultListModel::setRecords(std::vector<std::string> lines)
{
    if (lines.size() > std::size_t(ResultTable::Capacity))
        lines.resize(std::size_t(ResultTable::Capacity));
    beginResetModel();
    m_table.clear();
    for (std::string &line : lines)
        m_table.append(std::move(line));
    m_captions.assign(lines.size(), std::nullopt);
    endResetModel();
}

QString ResultListModel::caption(int row, Column column) const
{
    if (row < 1 || row > count())
        return {};
    if (column == Column::Number)
        return QString::number(row);
    std::optional<Captions> &captions = m_captions[std::size_t(row - 1)];
    if (!captions)
        captions = captionsFor(m_table.entry(row));
    return (*captions)[std::size_t(static_cast<int>(column) - ResultLayout::FirstTextColumn)];
}

ResultListModel::Captions ResultListModel::captionsFor(const std::string &line) const
{
    const HotspotRecord record(line);
    // A record without a country code names no country, whatever the table holds.
    const std::string code = record.CountryCode();
    const std::optional<std::string> country
        = trim(code).empty() ? std::nullopt : m_countries.nameForCode(code);
    return {
        displayText(record.LocationName()),
        country ? displayText(*country) : QString(),
        displayText(record.City()),
        displayText(record.LocationType()),
        displayText(record.HotspotType()),
        displayText(record.Operator()),
    };
}

} // namespace pellomar
