#include "results/result_list_model.h"

#include "platform/display_text.h"
#include "platform/look.h"
#include "reference/text_fields.h"
#include "results/hotspot_record.h"

#include <QColor>
#include <QFont>
#include <algorithm>

namespace pellomar {

namespace {

QColor rowColour(int row)
{
    return row % 2 == 1 ? QColor(224, 224, 224) : QColor(255, 255, 255);
}

// The caption without accents and case, for comparing.
QString sortKey(const QString &caption)
{
    const QString decomposed = caption.normalized(QString::NormalizationForm_KD);
    QString key;
    key.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            key += c.toCaseFolded();
    }
    return key;
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Like a plain comparison, except that a run of digits compares by its value. (Qt's collator
// does this only with ICU, which Debian's Qt leaves out.)
int naturalCompare(QStringView a, QStringView b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (isAsciiDigit(a[i]) && isAsciiDigit(b[j])) {
            while (i < a.size() - 1 && a[i] == u'0' && isAsciiDigit(a[i + 1]))
                ++i;
            while (j < b.size() - 1 && b[j] == u'0' && isAsciiDigit(b[j + 1]))
                ++j;
            qsizetype endA = i;
            qsizetype endB = j;
            while (endA < a.size() && isAsciiDigit(a[endA]))
                ++endA;
            while (endB < b.size() && isAsciiDigit(b[endB]))
                ++endB;
            if (endA - i != endB - j)
                return endA - i < endB - j ? -1 : 1;
            for (; i < endA; ++i, ++j) {
                if (a[i] != b[j])
                    return a[i] < b[j] ? -1 : 1;
            }
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j] ? -1 : 1;
        ++i;
        ++j;
    }
    const qsizetype restA = a.size() - i;
    const qsizetype restB = b.size() - j;
    return restA == restB ? 0 : (restA < restB ? -1 : 1);
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
    return parent.isValid() ? 0 : shownCount();
}

int ResultListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ResultLayout::ColumnCount;
}

QVariant ResultListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int row = rowAt(index.row() + 1);
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
    const bool wasSorted = m_sortColumn.has_value();
    beginResetModel();
    m_table.clear();
    m_captions.clear();
    m_order.clear();
    m_positions.clear();
    m_sortColumn.reset();
    m_sortOrder = Qt::AscendingOrder;
    m_filter.clear();
    endResetModel();
    if (wasSorted)
        Q_EMIT sortChanged();
}

void ResultListModel::appendRecords(std::vector<std::string> lines)
{
    const auto room = static_cast<std::size_t>(ResultTable::Capacity - count());
    if (lines.size() > room)
        lines.resize(room);
    if (lines.empty())
        return;
    if (!isPlainOrder()) {
        // New rows take their place in the sorted, filtered order.
        beginResetModel();
        for (std::string &line : lines) {
            m_captions.emplace_back();
            m_table.append(std::move(line));
        }
        applyOrder(computeOrder());
        endResetModel();
        return;
    }
    const int first = count();
    beginInsertRows({}, first, first + int(lines.size()) - 1);
    m_captions.resize(m_captions.size() + lines.size());
    for (std::string &line : lines) {
        m_table.append(std::move(line));
        m_order.push_back(count());
        m_positions.push_back(count());
    }
    endInsertRows();
}

int ResultListModel::rowAt(int position) const
{
    if (position < 1 || position > shownCount())
        return 0;
    return m_order[std::size_t(position - 1)];
}

int ResultListModel::positionOf(int row) const
{
    if (row < 1 || row > count())
        return 0;
    return m_positions[std::size_t(row - 1)];
}

void ResultListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ResultLayout::ColumnCount)
        return;
    m_sortColumn = static_cast<Column>(column);
    m_sortOrder = order;
    reorder(false);
    Q_EMIT sortChanged();
}

void ResultListModel::toggleSort(Column column)
{
    const bool again = m_sortColumn == column && m_sortOrder == Qt::AscendingOrder;
    sort(static_cast<int>(column), again ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void ResultListModel::clearSort()
{
    if (!m_sortColumn)
        return;
    m_sortColumn.reset();
    m_sortOrder = Qt::AscendingOrder;
    reorder(false);
    Q_EMIT sortChanged();
}

void ResultListModel::setFilterText(const QString &text)
{
    const QString filter = text.trimmed();
    if (filter == m_filter)
        return;
    m_filter = filter;
    reorder(true);
}

bool ResultListModel::matchesFilter(int row) const
{
    if (m_filter.isEmpty())
        return true;
    for (const QString &cell : captionsOf(row)) {
        if (cell.contains(m_filter, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

std::vector<int> ResultListModel::computeOrder() const
{
    std::vector<int> order;
    order.reserve(std::size_t(count()));
    for (int row = 1; row <= count(); ++row) {
        if (matchesFilter(row))
            order.push_back(row);
    }
    if (!m_sortColumn || *m_sortColumn == Column::Number) {
        if (m_sortColumn && m_sortOrder == Qt::DescendingOrder)
            std::reverse(order.begin(), order.end());
        return order;
    }
    // Names sort as people read them: any case, accents after their letter, digits by their
    // value ("Cafe 2" before "Cafe 10"). Equal captions keep the order the directory sent them
    // in, either way round.
    const auto cell = std::size_t(static_cast<int>(*m_sortColumn) - ResultLayout::FirstTextColumn);
    std::vector<QString> keys;
    keys.reserve(std::size_t(count()));
    for (int row = 1; row <= count(); ++row)
        keys.push_back(sortKey(captionsOf(row)[cell]));
    const bool descending = m_sortOrder == Qt::DescendingOrder;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int result = naturalCompare(keys[std::size_t(a - 1)], keys[std::size_t(b - 1)]);
        return descending ? result > 0 : result < 0;
    });
    return order;
}

void ResultListModel::applyOrder(std::vector<int> order)
{
    m_order = std::move(order);
    m_positions.assign(std::size_t(count()), 0);
    for (std::size_t i = 0; i < m_order.size(); ++i)
        m_positions[std::size_t(m_order[i] - 1)] = int(i) + 1;
}

void ResultListModel::reorder(bool rowsChange)
{
    if (rowsChange)
        beginResetModel();
    else
        Q_EMIT layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    std::vector<int> rowsBefore;
    if (!rowsChange) {
        for (const QModelIndex &index : before)
            rowsBefore.push_back(rowAt(index.row() + 1));
    }
    applyOrder(computeOrder());
    if (rowsChange) {
        endResetModel();
        return;
    }
    QModelIndexList after;
    for (std::size_t i = 0; i < rowsBefore.size(); ++i)
        after << index(positionOf(rowsBefore[i]) - 1, before[int(i)].column());
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged();
}

QString ResultListModel::caption(int row, Column column) const
{
    if (row < 1 || row > count())
        return {};
    if (column == Column::Number)
        return QString::number(row);
    return captionsOf(row)[std::size_t(static_cast<int>(column) - ResultLayout::FirstTextColumn)];
}

const ResultListModel::Captions &ResultListModel::captionsOf(int row) const
{
    std::optional<Captions> &captions = m_captions[std::size_t(row - 1)];
    if (!captions)
        captions = captionsFor(m_table.entry(row));
    return *captions;
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
