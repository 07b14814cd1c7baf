#pragma once

#include "results/result_layout.h"

#include <QFrame>
#include <QString>
#include <array>
#include <string>
#include <string_view>

class QLineEdit;
class QScrollBar;

namespace pellomar {

class ColumnHeading;
class ReferenceTable;
class ResultCanvas;
class ResultFileReader;
class ResultListModel;
class SelectionFrame;

// Whether a load that reaches the list's limit says so with the "Max Results" message.
enum class LimitMessage { Show, Quiet };

// How a load of the result file went.
struct LoadSummary {
    int rows = 0; // rows on the list afterwards
    bool limitReached = false; // the file held the most records the list takes, or more
    // A load was already running (its message box open): it reloads once it is done, and its
    // own call reports the outcome. Nothing else of this summary is set.
    bool deferred = false;
    QString error; // "" when the file was read as far as needed
    qint64 bytesRead = 0;
};

// The result list: the grey frame (Picture1) with the scroll bar (VS) and the canvas
// (Picture2) that scrolls inside it. The canvas paints one row per hotspot, and the selection
// frame (SS) follows the pointer from row to row. Rows count from 1.
class ResultListView : public QFrame {
    Q_OBJECT

public:
    // `countries` names the country column; it must outlive the view.
    explicit ResultListView(const ReferenceTable &countries, QWidget *parent = nullptr);
    ~ResultListView() override;

    ResultListModel *model() const { return m_model; }
    int rowCount() const;
    // The record line of row `row`; empty past the count.
    const std::string &record(int row) const;

    // Replaces the list with the records of the result file at `path` (scrambled on disk, and
    // left so): up to 300 of them, with the "Max Results" message at the limit. A missing file
    // gives an empty list. A file that cannot be opened leaves the list as it was; a read that
    // fails later keeps the rows built so far.
    LoadSummary loadFile(const QString &path, LimitMessage message = LimitMessage::Show);
    // The same for a result file just written, from its plain `text` already in memory, so the
    // file is not read back and unscrambled at once. A reload that waited for a running load
    // reads the file at `path`.
    LoadSummary loadFile(const QString &path, std::string_view text);

    // Empties the list and the result table, scrolls to the top and hides the frame.
    void clearResults();

    // Frames row `row` wherever it is shown; nothing happens when it is framed already or
    // not shown.
    void SetSel(int row);
    int SelectedRow() const { return m_selectedRow; }

    QScrollBar *scrollBar() const { return VS; }
    QWidget *canvas() const;
    QWidget *selectionFrame() const;

    // Geometry on the canvas, in pixels, by screen position (from 1). Without sorting or
    // filtering the position of a row is its number.
    QRect cellRect(int position, ResultLayout::Column column) const;
    QRect selectionRect(int position) const;
    // The screen position (from 1) whose text cell lies under `canvasPos`; 0 for none.
    int positionAt(const QPoint &canvasPos) const;
    // The row (hotspot) whose text cell lies under `canvasPos`; 0 for none.
    int rowAt(const QPoint &canvasPos) const;

    // A click on a column heading: sorts by it, or the other way round when it sorts already.
    void sortByColumn(ResultLayout::Column column);
    // Shows only the rows with the text in one of their cells; "" shows all.
    void setFilterText(const QString &text);

    // The column headings lblTitle(0) to lblTitle(5), left to right: a click sorts by that
    // column, and each marks whether the list is sorted by it.
    void attachHeadings(const std::array<ColumnHeading *, 6> &headings);
    // The filter box: typing narrows the rows. A new load shows all its rows, so it empties
    // the box.
    void attachFilter(QLineEdit *filter);

Q_SIGNALS:
    // A text cell of row `row` was clicked, or Enter pressed on the framed row.
    void openRow(int row);
    // The frame has moved to row `row`.
    void selectionMoved(int row);
    // The "Max Results" message is about to wait for the user, in the middle of a load: the
    // only time a load lets other events run.
    void limitMessageShowing();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    friend class ResultCanvas;

    LoadSummary load(const QString &path, const std::string_view *text, LimitMessage message);
    LoadSummary loadOnce(const QString &path, LimitMessage message);
    LoadSummary loadText(std::string_view text, LimitMessage message);
    void startReplacingRows();
    void finishLoad(LoadSummary &summary, const ResultFileReader &reader, LimitMessage message);
    void fitCanvas();
    void repaintRows();
    void rowsAdded();
    void orderChanged();
    void notifyAccessibleFocus();
    void notifyAccessibleModelChange();
    void VS_Change(int value);

    ResultListModel *m_model;
    ResultCanvas *Picture2;
    SelectionFrame *SS;
    QScrollBar *VS;
    int m_selectedRow = 0;
    bool m_loading = false;
    bool m_reloadPending = false;
    // While a load replaces the rows, the canvas and the scroll range are fitted once, at the
    // end: a list that ends the size it was does not repaint its scroll bar.
    bool m_fitDeferred = false;
    LimitMessage m_reloadMessage = LimitMessage::Show; // for the reload that waits
    int m_wheelDelta = 0; // wheel movement short of a whole notch
};

} // namespace pellomar
