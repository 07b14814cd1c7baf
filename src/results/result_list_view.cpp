// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/result_list_view.h"

#include "platform/look.h"
#include "results/column_heading.h"
#include "results/result_list_accessible.h"
#include "results/result_list_model.h"
#include "results/result_loader.h"
#include "results/result_order.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

namespace pellomar {

using ResultLayout::Column;

namespace {

QRect toPixels(const ResultLayout::Rect &r)
{
    return twipsRect(r.left, r.top, r.width, r.height);
}

// The frame's grey, which odd rows share; even rows are white.
const QColor Grey(224, 224, 224);
const QColor FrameColour(255, 128, 128);

} // namespace

// The frame around the row under the pointer: a border only, so the row shows through, and
// the pointer's events go to the row beneath it.
class SelectionFrame : public QWidget {
public:
    explicit SelectionFrame(QWidget *parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("SS"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(QPen(FrameColour, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};

// The canvas that holds the rows and moves inside the frame as the list scrolls. It paints
// only the rows that the frame shows.
class ResultCanvas : public QWidget {
public:
    explicit ResultCanvas(ResultListView *view)
        : QWidget(view)
        , m_view(view)
        , m_textFont(verdana(8.25))
        , m_numberFont(verdana(9.75, true))
    {
        // Dozens of captions are drawn on every paint: Latin text skips the shaping step (and
        // with it kerning, which the list never had), which makes each a third cheaper.
        // Scripts that need shaping still get it.
        m_textFont.setStyleStrategy(QFont::PreferNoShaping);
        m_numberFont.setStyleStrategy(QFont::PreferNoShaping);
        setObjectName(QStringLiteral("Picture2"));
        setAccessibleName(QCoreApplication::translate("pellomar::ResultListView", "Result rows"));
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (const int row = m_view->rowAt(event->position().toPoint()))
            m_view->SetSel(row);
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        m_view->setFocus(Qt::MouseFocusReason);
        m_pressedRow
            = event->button() == Qt::LeftButton ? m_view->rowAt(event->position().toPoint()) : 0;
        if (m_pressedRow != 0)
            Q_EMIT m_view->rowChosen(m_pressedRow);
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        const int row = std::exchange(m_pressedRow, 0);
        if (event->button() == Qt::LeftButton && row != 0
            && m_view->rowAt(event->position().toPoint()) == row)
            Q_EMIT m_view->openRow(row);
    }
    void wheelEvent(QWheelEvent *event) override { m_view->wheelEvent(event); }

private:
    ResultListView *m_view;
    QFont m_textFont;
    QFont m_numberFont;
    int m_pressedRow = 0;
};

void ResultCanvas::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    const QColor base = palette().color(QPalette::Base);
    painter.fillRect(area, base);

    const ResultListModel &model = *m_view->model();
    const ResultOrder &order = *m_view->order();
    const int pitch = twips(ResultLayout::RowPitch);
    const int first = std::max(1, area.top() / pitch);
    const int last = std::min(order.shownCount(), area.bottom() / pitch + 2);
    painter.setPen(Qt::black);
    for (int position = first; position <= last; ++position) {
        // The text cells span the row's full height (the number's cell lies inside them).
        const QRect band = m_view->cellRect(position, Column::Name);
        if (band.bottom() < area.top() || band.top() > area.bottom())
            continue;
        // Number and colour belong to the hotspot, wherever sorting puts it.
        const int row = order.rowAt(position);
        painter.setFont(m_textFont);
        const QColor colour = ResultListView::rowColour(row);
        for (int c = ResultLayout::FirstTextColumn; c < ResultLayout::ColumnCount; ++c) {
            const auto column = static_cast<Column>(c);
            const QRect cell = m_view->cellRect(position, column);
            if (colour != base)
                painter.fillRect(cell, colour);
            painter.drawText(
                cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, model.caption(row, column));
        }
        painter.setFont(m_numberFont);
        painter.drawText(m_view->cellRect(position, Column::Number), Qt::AlignRight | Qt::AlignTop,
            model.caption(row, Column::Number));
    }
    // With the keyboard in the list and no row framed yet, a dotted edge shows where it is.
    if (m_view->hasFocus()) {
        const QRect shown(0, -y(), m_view->scrollBar()->x(), m_view->height());
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(shown.adjusted(0, 0, -1, -1));
    }
}

ResultListView::ResultListView(const ReferenceTable &countries, QWidget *parent)
    : QFrame(parent)
    , m_model(new ResultListModel(countries, this))
    , m_order(new ResultOrder(m_model, this))
    , m_loader(new ResultLoader(*m_model, this))
    , m_canvas(new ResultCanvas(this))
    , m_selectionFrame(new SelectionFrame(m_canvas))
    , m_scrollBar(new QScrollBar(Qt::Vertical, this))
{
    setObjectName(QStringLiteral("Picture1"));
    setAccessibleName(tr("Results"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, Grey);
    setPalette(grey);
    setGeometry(toPixels(ResultLayout::Frame));

    m_canvas->setAutoFillBackground(false);
    m_canvas->setAttribute(Qt::WA_OpaquePaintEvent);

    m_scrollBar->setObjectName(QStringLiteral("VS"));
    m_scrollBar->setAccessibleName(tr("Scroll results"));
    m_scrollBar->setGeometry(toPixels(ResultLayout::ScrollBar));
    m_scrollBar->setRange(0, 0);
    m_scrollBar->setSingleStep(1);
    m_scrollBar->setPageStep(1);
    m_scrollBar->raise();
    connect(m_scrollBar, &QScrollBar::valueChanged, this, &ResultListView::VS_Change);

    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, &ResultListView::newLoad);
    connect(m_order, &QAbstractItemModel::modelReset, this, &ResultListView::orderChanged);
    connect(m_order, &QAbstractItemModel::layoutChanged, this, &ResultListView::orderChanged);
    connect(m_order, &QAbstractItemModel::rowsInserted, this, &ResultListView::orderChanged);
    connect(m_order, &QAbstractItemModel::rowsRemoved, this, &ResultListView::orderChanged);
    orderChanged();
    adoptAccessibleInterface(this);
}

ResultListView::~ResultListView() = default;

int ResultListView::rowCount() const
{
    return m_model->count();
}

const std::string &ResultListView::record(int row) const
{
    return m_model->record(row);
}

std::vector<int> ResultListView::shownRows() const
{
    std::vector<int> rows;
    for (int position = 1; position <= m_order->shownCount(); ++position)
        rows.push_back(m_order->rowAt(position));
    return rows;
}

std::vector<std::string> ResultListView::shownRecords() const
{
    std::vector<std::string> records;
    for (const int row : shownRows())
        records.push_back(record(row));
    return records;
}

QColor ResultListView::rowColour(int row)
{
    return row % 2 == 1 ? Grey : QColor(Qt::white);
}

QWidget *ResultListView::canvas() const
{
    return m_canvas;
}

QWidget *ResultListView::selectionFrame() const
{
    return m_selectionFrame;
}

QRect ResultListView::cellRect(int position, Column column) const
{
    return toPixels(ResultLayout::cellRect(position, column));
}

QRect ResultListView::selectionRect(int position) const
{
    return toPixels(ResultLayout::selectionRect(position));
}

int ResultListView::positionAt(const QPoint &canvasPos) const
{
    // Cells of neighbouring rows overlap by a pixel; the later row is painted on top.
    const int guess = canvasPos.y() / twips(ResultLayout::RowPitch) + 1;
    const int shown = m_order->shownCount();
    for (int position = std::min(guess + 1, shown); position >= std::max(1, guess - 1);
         --position) {
        for (int c = ResultLayout::FirstTextColumn; c < ResultLayout::ColumnCount; ++c) {
            if (cellRect(position, static_cast<Column>(c)).contains(canvasPos))
                return position;
        }
    }
    return 0;
}

int ResultListView::rowAt(const QPoint &canvasPos) const
{
    return m_order->rowAt(positionAt(canvasPos));
}

void ResultListView::SetSel(int row)
{
    const int position = m_order->positionOf(row);
    if (row == m_selectedRow || position == 0)
        return;
    m_selectedRow = row;
    m_selectionFrame->setGeometry(selectionRect(position));
    m_selectionFrame->show();
    Q_EMIT selectionMoved(row);
    notifyAccessibleFocus();
}

void ResultListView::showRow(int row)
{
    SetSel(row);
    if (const int position = m_order->positionOf(row); position != 0 && row == m_selectedRow)
        m_scrollBar->setValue(ResultLayout::scrollValueShowing(
            position, m_scrollBar->value(), m_scrollBar->maximum()));
}

void ResultListView::sortByColumn(Column column)
{
    const bool again
        = m_order->sortColumn() == int(column) && m_order->sortOrder() == Qt::AscendingOrder;
    m_order->sort(int(column), again ? Qt::DescendingOrder : Qt::AscendingOrder);
    showSortMarks();
}

void ResultListView::attachHeadings(const std::array<ColumnHeading *, 6> &headings)
{
    m_headings = headings;
    for (std::size_t i = 0; i < headings.size(); ++i) {
        const auto column = static_cast<Column>(ResultLayout::FirstTextColumn + int(i));
        connect(
            headings[i], &ColumnHeading::clicked, this, [this, column] { sortByColumn(column); });
    }
}

void ResultListView::attachFilter(QLineEdit *filter)
{
    connect(filter, &QLineEdit::textChanged, m_order, &ResultOrder::setFilterText);
    connect(m_model, &QAbstractItemModel::modelReset, filter, [this, filter] {
        if (m_order->filterText().isEmpty() && !filter->text().trimmed().isEmpty())
            filter->clear();
    });
}

void ResultListView::showSortMarks()
{
    for (std::size_t i = 0; i < m_headings.size(); ++i) {
        if (m_headings[i]) {
            m_headings[i]->setSortMark(
                m_order->sortColumn() == ResultLayout::FirstTextColumn + int(i)
                    ? std::optional(m_order->sortOrder())
                    : std::nullopt);
        }
    }
}

// A new load starts at the top, unsorted and unfiltered, with no row framed.
void ResultListView::newLoad()
{
    m_selectedRow = 0;
    m_order->setFilterText({});
    m_order->sort(-1);
    showSortMarks();
}

// Sorting and filtering move the rows: the frame stays with its hotspot, or goes when the
// filter hides it, and the list shows the framed row (or starts at the top).
void ResultListView::orderChanged()
{
    const int rows = m_order->shownCount();
    m_canvas->resize(twips(ResultLayout::CanvasWidth), twips(ResultLayout::canvasHeight(rows)));
    m_scrollBar->setMaximum(ResultLayout::scrollMaximum(rows));
    const int position = m_order->positionOf(m_selectedRow);
    if (position == 0) {
        m_selectedRow = 0;
        m_selectionFrame->hide();
        m_scrollBar->setValue(0);
    } else {
        m_selectionFrame->setGeometry(selectionRect(position));
        m_scrollBar->setValue(ResultLayout::scrollValueShowing(
            position, m_scrollBar->value(), m_scrollBar->maximum()));
    }
    repaintRows();
    if (QAccessible::isActive()) {
        QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&event);
    }
    Q_EMIT shownRowsChanged();
}

void ResultListView::VS_Change(int value)
{
    m_canvas->move(0, twips(ResultLayout::canvasTop(value)));
    if (hasFocus())
        repaintRows();
}

void ResultListView::keyPressEvent(QKeyEvent *event)
{
    using ResultLayout::Key;
    static const std::array<std::pair<int, Key>, 6> keys { {
        { Qt::Key_Up, Key::Up },
        { Qt::Key_Down, Key::Down },
        { Qt::Key_PageUp, Key::PageUp },
        { Qt::Key_PageDown, Key::PageDown },
        { Qt::Key_Home, Key::Home },
        { Qt::Key_End, Key::End },
    } };
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && m_selectedRow > 0) {
        Q_EMIT openRow(m_selectedRow);
        return;
    }
    const auto key = std::find_if(
        keys.begin(), keys.end(), [event](const auto &k) { return k.first == event->key(); });
    const int shown = m_order->shownCount();
    if (key == keys.end() || shown == 0) {
        QFrame::keyPressEvent(event);
        return;
    }
    const int position
        = ResultLayout::navigatedRow(m_order->positionOf(m_selectedRow), shown, key->second);
    SetSel(m_order->rowAt(position));
    if (m_selectedRow != 0)
        Q_EMIT rowChosen(m_selectedRow);
    m_scrollBar->setValue(
        ResultLayout::scrollValueShowing(position, m_scrollBar->value(), m_scrollBar->maximum()));
}

void ResultListView::notifyAccessibleFocus()
{
    const int position = m_order->positionOf(m_selectedRow);
    if (!QAccessible::isActive() || !hasFocus() || position == 0)
        return;
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(this);
    QAccessibleTableInterface *table = list ? list->tableInterface() : nullptr;
    if (QAccessibleInterface *cell
        = table ? table->cellAt(position - 1, ResultLayout::FirstTextColumn) : nullptr) {
        QAccessibleEvent event(cell, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}

// Only the rows show the focus (QWidget's own handlers would repaint the scroll bar too).
void ResultListView::focusInEvent(QFocusEvent *)
{
    repaintRows();
    notifyAccessibleFocus();
}

void ResultListView::focusOutEvent(QFocusEvent *)
{
    repaintRows();
}

// The scroll bar lies over the canvas's last column: a repaint of the whole canvas would
// repaint the scroll bar as well, which costs as much as a third of the rows.
void ResultListView::repaintRows()
{
    m_canvas->update(
        QRect(0, 0, std::min(m_canvas->width(), m_scrollBar->x()), m_canvas->height()));
}

void ResultListView::wheelEvent(QWheelEvent *event)
{
    // The scroll bar's own wheel handling moves at most one page step, one unit here: far too
    // slow for a long list. A notch moves the usual number of lines, ten pixels each.
    m_wheelDelta += event->angleDelta().y();
    const int notches = m_wheelDelta / QWheelEvent::DefaultDeltasPerStep;
    m_wheelDelta -= notches * QWheelEvent::DefaultDeltasPerStep;
    m_scrollBar->setValue(m_scrollBar->value() - notches * QApplication::wheelScrollLines());
    event->accept();
}

} // namespace pellomar
