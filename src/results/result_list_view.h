// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "results/result_layout.h"
#include "results/result_loader.h"

#include <QColor>
#include <QFrame>
#include <array>
#include <string>
#include <vector>

class QLineEdit;
class QScrollBar;

namespace pellomar {

class ColumnHeading;
class ReferenceTable;
class ResultCanvas;
class ResultListModel;
class ResultOrder;
class SelectionFrame;

// The result list: the grey frame ("Picture1") with the scroll bar ("VS") and the canvas
// ("Picture2") that scrolls inside it. The canvas paints one row per hotspot, and the selection
// frame ("SS") follows the pointer from row to row. Rows count from 1.
class ResultListView : public QFrame {
    Q_OBJECT

public:
    // `countries` names the country column; it must outlive the view.
    explicit ResultListView(const ReferenceTable &countries, QWidget *parent = nullptr);
    ~ResultListView() override;

    ResultListModel *model() const { return m_model; }
    ResultOrder *order() const { return m_order; }
    // Fills the list from the result file.
    ResultLoader *loader() const { return m_loader; }
    int rowCount() const;
    // The record line of row `row`; empty past the count.
    const std::string &record(int row) const;
    // The rows shown (filter and sort applied), in their order on screen.
    std::vector<int> shownRows() const;
    // The record lines of the rows shown, in their order on screen.
    std::vector<std::string> shownRecords() const;
    // The colour of row `row`, wherever sorting puts it: every other hotspot is grey.
    static QColor rowColour(int row);

    // Frames row `row` wherever it is shown; nothing happens when it is framed already or
    // not shown.
    void SetSel(int row);
    int SelectedRow() const { return m_selectedRow; }
    // Frames row `row` and scrolls the list to show it, for a row chosen elsewhere (the map).
    void showRow(int row);

    QScrollBar *scrollBar() const { return m_scrollBar; }
    QWidget *canvas() const;
    QWidget *selectionFrame() const;

    // A cell on the canvas, in pixels, by screen position (from 1). Without sorting or
    // filtering the position of a row is its number.
    QRect cellRect(int position, ResultLayout::Column column) const;
    // The row (hotspot) whose text cell lies under `canvasPos`; 0 for none.
    int rowAt(const QPoint &canvasPos) const;

    // A click on a column heading: sorts by it, or the other way round when it sorts already.
    void sortByColumn(ResultLayout::Column column);

    // The column headings lblTitle(0) to lblTitle(5), left to right: a click sorts by that
    // column, and each marks whether the list is sorted by it.
    void attachHeadings(const std::array<ColumnHeading *, 6> &headings);
    // The filter box: typing narrows the rows. A new load shows all its rows, so it empties
    // the box.
    void attachFilter(QLineEdit *filter);

Q_SIGNALS:
    // A text cell of row `row` was clicked, or Enter pressed on the framed row.
    void openRow(int row);
    // The frame has moved to row `row`, following the pointer or not.
    void selectionMoved(int row);
    // The user chose row `row` with a click or the keyboard: the map brings its marker into
    // view, which it must not do for a pointer passing over the list.
    void rowChosen(int row);
    // A load, a sort or the filter has changed the rows shown or their order.
    void shownRowsChanged();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    friend class ResultCanvas;

    QRect selectionRect(int position) const;
    // The screen position (from 1) whose text cell lies under `canvasPos`; 0 for none.
    int positionAt(const QPoint &canvasPos) const;
    void newLoad();
    void orderChanged();
    void showSortMarks();
    void repaintRows();
    void notifyAccessibleFocus();
    void VS_Change(int value);

    ResultListModel *m_model;
    ResultOrder *m_order;
    ResultLoader *m_loader;
    ResultCanvas *m_canvas;
    SelectionFrame *m_selectionFrame;
    QScrollBar *m_scrollBar;
    std::array<ColumnHeading *, 6> m_headings {};
    int m_selectedRow = 0;
    int m_wheelDelta = 0; // wheel movement short of a whole notch
};

} // namespace pellomar
