// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/result_list_accessible.h"

#include "platform/look.h"
#include "results/column_heading.h"
#include "results/result_list_model.h"
#include "results/result_list_view.h"
#include "results/result_order.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPointer>
#include <QScrollBar>
#include <map>

namespace pellomar {

namespace {

using ResultLayout::Column;

// The rules name the columns in English; lupdate finds their translations here.
[[maybe_unused]] constexpr const char *TranslatedColumnNames[] = {
    QT_TRANSLATE_NOOP("pellomar::ResultLayout", "Number"),
    QT_TRANSLATE_NOOP("pellomar::ResultLayout", "Location Name"),
    QT_TRANSLATE_NOOP("pellomar::ResultLayout", "Country"),
    QT_TRANSLATE_NOOP("pellomar::ResultLayout", "City"),
    QT_TRANSLATE_NOOP("pellomar::ResultLayout", "Type"),
    QT_TRANSLATE_NOOP("pellomar::ResultLayout", "Access"),
    QT_TRANSLATE_NOOP("pellomar::ResultLayout", "Operator"),
};

QString columnName(int column)
{
    return QCoreApplication::translate(
        "pellomar::ResultLayout", ResultLayout::ColumnNames[std::size_t(column)]);
}

// One cell of the list, by screen position and column. It reads the model each time it is
// asked, so it always tells what is painted at its place.
class ResultCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    ResultCellAccessible(ResultListView *view, int position, int column)
        : m_view(view)
        , m_position(position)
        , m_column(column)
    {
    }

    bool isValid() const override { return m_view && m_position <= m_view->order()->shownCount(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_view ? m_view->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override
    {
        return m_view ? QAccessible::queryAccessibleInterface(m_view.data()) : nullptr;
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text kind) const override
    {
        if (!isValid())
            return {};
        switch (kind) {
        case QAccessible::Name:
        case QAccessible::Value:
            return m_view->model()->caption(row(), static_cast<Column>(m_column));
        case QAccessible::Description:
            return columnName(m_column);
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString &) override { }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect cell = m_view->cellRect(m_position, static_cast<Column>(m_column));
        return QRect(m_view->canvas()->mapToGlobal(cell.topLeft()), cell.size());
    }

    QAccessible::Role role() const override { return QAccessible::Cell; }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.selectable = true;
        state.focusable = true;
        state.selected = isSelected();
        state.focused = state.selected && m_view->hasFocus();
        const QRect cell = m_view->cellRect(m_position, static_cast<Column>(m_column))
                               .translated(m_view->canvas()->pos());
        state.offscreen = !m_view->rect().intersects(cell) || !m_view->isVisible();
        state.invisible = !m_view->isVisible();
        return state;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface *>(this);
        return nullptr;
    }

    bool isSelected() const override
    {
        return isValid() && row() != 0 && row() == m_view->SelectedRow();
    }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_position - 1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

    const ResultListView *view() const { return m_view; }

private:
    int row() const { return m_view->order()->rowAt(m_position); }

    QPointer<ResultListView> m_view;
    int m_position;
    int m_column;
};

// The list as a table: one row per shown hotspot, seven cells each (number and the six
// columns under their headings). The frame marks the selected row.
class ResultListAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit ResultListAccessible(ResultListView *view)
        : QAccessibleWidget(view, QAccessible::Table)
    {
    }
    ~ResultListAccessible() override { dropCells(); }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Description) {
            const ResultOrder &order = *view()->order();
            QString description
                = QCoreApplication::translate("pellomar::ResultList", "%1 of %2 results shown")
                      .arg(order.shownCount())
                      .arg(view()->rowCount());
            if (order.sortColumn() >= 0) {
                description
                    += QCoreApplication::translate("pellomar::ResultList", ", sorted by %1 %2")
                           .arg(columnName(order.sortColumn()),
                               order.sortOrder() == Qt::AscendingOrder
                                   ? QCoreApplication::translate(
                                       "pellomar::ResultList", "ascending")
                                   : QCoreApplication::translate(
                                       "pellomar::ResultList", "descending"));
            }
            return description;
        }
        return QAccessibleWidget::text(kind);
    }

    // The cells; the canvas and the scroll bar beneath them carry nothing a reader needs.
    int childCount() const override { return rowCount() * columnCount(); }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        return cellAt(index / columnCount(), index % columnCount());
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const auto *cell = dynamic_cast<const ResultCellAccessible *>(child);
        if (!cell || cell->view() != view() || !cell->isValid())
            return -1;
        return cell->rowIndex() * columnCount() + cell->columnIndex();
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint onCanvas = view()->canvas()->mapFromGlobal(QPoint(x, y));
        if (!view()->rect().contains(view()->mapFromGlobal(QPoint(x, y))))
            return nullptr;
        const int position = onCanvas.y() / twips(ResultLayout::RowPitch) + 1;
        for (int p = std::max(1, position - 1); p <= std::min(rowCount(), position + 1); ++p) {
            for (int c = ResultLayout::ColumnCount - 1; c >= 0; --c) {
                if (view()->cellRect(p, static_cast<Column>(c)).contains(onCanvas))
                    return cellAt(p - 1, c);
            }
        }
        return nullptr;
    }
    QAccessibleInterface *focusChild() const override
    {
        const int position = view()->order()->positionOf(view()->SelectedRow());
        if (!view()->hasFocus() || position == 0)
            return nullptr;
        return cellAt(position - 1, ResultLayout::FirstTextColumn);
    }

    // QAccessibleTableInterface
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override
    {
        if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
            return nullptr;
        const std::pair key(row, column);
        if (const auto found = m_cells.find(key); found != m_cells.end()) {
            if (QAccessibleInterface *cell = QAccessible::accessibleInterface(found->second))
                return cell;
        }
        auto *cell = new ResultCellAccessible(view(), row + 1, column);
        m_cells[key] = QAccessible::registerAccessibleInterface(cell);
        return cell;
    }
    int selectedCellCount() const override { return selectedRowCount() * columnCount(); }
    QList<QAccessibleInterface *> selectedCells() const override
    {
        QList<QAccessibleInterface *> cells;
        for (const int row : selectedRows()) {
            for (int column = 0; column < columnCount(); ++column)
                cells << cellAt(row, column);
        }
        return cells;
    }
    QString columnDescription(int column) const override
    {
        if (column < 0 || column >= columnCount())
            return {};
        return columnName(column);
    }
    QString rowDescription(int row) const override
    {
        const int hotspot = view()->order()->rowAt(row + 1);
        return hotspot ? QString::number(hotspot) : QString();
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    int columnCount() const override { return ResultLayout::ColumnCount; }
    int rowCount() const override { return view()->order()->shownCount(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override
    {
        const int position = view()->order()->positionOf(view()->SelectedRow());
        return position ? QList<int> { position - 1 } : QList<int> {};
    }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override { return row >= 0 && selectedRows().contains(row); }
    // Selecting a row frames it, as the arrow keys do.
    bool selectRow(int row) override
    {
        const int hotspot = view()->order()->rowAt(row + 1);
        if (hotspot == 0)
            return false;
        view()->SetSel(hotspot);
        Q_EMIT view()->rowChosen(hotspot);
        return true;
    }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override { dropCells(); }

private:
    ResultListView *view() const { return static_cast<ResultListView *>(widget()); }

    void dropCells()
    {
        for (const auto &[key, id] : m_cells)
            QAccessible::deleteAccessibleInterface(id);
        m_cells.clear();
    }

    mutable std::map<std::pair<int, int>, QAccessible::Id> m_cells;
};

// A heading is a button that sorts: its caption is its name, the sort its description.
class ColumnHeadingAccessible : public QAccessibleWidget {
public:
    explicit ColumnHeadingAccessible(ColumnHeading *heading)
        : QAccessibleWidget(heading, QAccessible::ColumnHeader)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && heading()->accessibleName().isEmpty())
            return heading()->text();
        if (kind == QAccessible::Description && heading()->accessibleDescription().isEmpty())
            return heading()->sortDescription();
        return QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override
    {
        return QStringList { pressAction() } + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            heading()->click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    ColumnHeading *heading() const { return static_cast<ColumnHeading *>(widget()); }
};

QAccessibleInterface *resultListFactory(const QString &, QObject *object)
{
    if (auto *view = qobject_cast<ResultListView *>(object))
        return new ResultListAccessible(view);
    if (auto *heading = qobject_cast<ColumnHeading *>(object))
        return new ColumnHeadingAccessible(heading);
    return nullptr;
}

} // namespace

void installResultListAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(resultListFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void adoptAccessibleInterface(QWidget *widget)
{
    installResultListAccessibility();
    // The base class's constructor may have been asked for its interface already, and the
    // cache keeps that plain one; it goes, and the next query gets ours.
    QAccessibleInterface *current = QAccessible::queryAccessibleInterface(widget);
    if (current && !dynamic_cast<ResultListAccessible *>(current)
        && !dynamic_cast<ColumnHeadingAccessible *>(current))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(current));
}

} // namespace pellomar
