#include "result_list_model.h"

#include "display_text.h"
#include "hotspot_record.h"
#include "look.h"
#include "text_fields.h"

#include <QColor>
#include <QFont>

namespace pellomar {

namespace {

QColor rowColour(int row)
{
    return row % 2 == 1 ? QColor(224, 224, 224) : QColor(255, 255, 255);
}

const char *const HeaderTexts[]
    = { "", "Location Name", "Country", "City", "Type", "Access", "Operator" };

} // namespace

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
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int row = index.row() + 1;
    const auto column = static_cast<Column>(index.column());
    const bool isNumber = column == Column::Number;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return caption(row, column);
    case Qt::BackgroundRole:
        if (isNumber)
            return {};
        return rowColour(row);
    case Qt::FontRole:
        return isNumber ? verdana(9.75, true) : verdana(8.25);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue((isNumber ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    case RecordRole: {
        const std::string &line = record(row);
        return QByteArray(line.data(), qsizetype(line.size()));
    }
    default:
        return {};
    }
}

QVariant ResultListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0
        || section >= ResultLayout::ColumnCount)
        return {};
    return QString::fromLatin1(HeaderTexts[section]);
}

void ResultListModel::clear()
{
    beginResetModel();
    m_table.clear();
    m_captions.clear();
    endResetModel();
}

void ResultListModel::appendRecords(std::vector<std::string> lines)
{
    const auto room = static_cast<std::size_t>(ResultTable::Capacity - count());
    if (lines.size() > room)
        lines.resize(room);
    if (lines.empty())
        return;
    const int first = count();
    beginInsertRows({}, first, first + int(lines.size()) - 1);
    m_captions.reserve(m_captions.size() + lines.size());
    for (std::string &line : lines) {
        m_captions.push_back(captionsFor(line));
        m_table.append(std::move(line));
    }
    endInsertRows();
}

QString ResultListModel::caption(int row, Column column) const
{
    if (row < 1 || row > count())
        return {};
    if (column == Column::Number)
        return QString::number(row);
    return m_captions[std::size_t(row - 1)]
                     [std::size_t(static_cast<int>(column) - ResultLayout::FirstTextColumn)];
}

ResultListModel::Captions ResultListModel::captionsFor(const std::string &line) const
{
    const HotspotRecord record(line);
    // A record without a country code names no country, whatever the table holds.
    const std::string code = record.CountryCode();
    const std::optional<std::string> country
        = Trim(code).empty() ? std::nullopt : m_countries.nameForCode(code);
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
