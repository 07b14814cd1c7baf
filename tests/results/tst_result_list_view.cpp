#include "platform/look.h"
#include "reference/reference_table.h"
#include "results/result_list_model.h"
#include "results/result_list_view.h"
#include "results/result_test_files.h"

#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

using namespace pellomar;
using Column = ResultLayout::Column;

namespace {

std::vector<std::string> records(int count)
{
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i)
        lines.push_back(test::recordLine(i));
    return lines;
}

QPoint centreOf(const QRect &r)
{
    return r.center();
}

bool hasInk(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                return true;
    return false;
}

} // namespace

class TestResultListView : public QObject {
    Q_OBJECT

private:
    ReferenceTable m_countries = ParseCountries("US|United States of America\n").table;

    void showAndWait(QWidget &widget)
    {
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
    }

private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }

    void designedStructure()
    {
        ResultListView view(m_countries);
        QCOMPARE(view.objectName(), QStringLiteral("Picture1"));
        QCOMPARE(view.size(), twipsRect(240, 3120, 11415, 4335).size());
        QCOMPARE(view.accessibleName(), QStringLiteral("Results"));
        auto *vs = view.findChild<QScrollBar *>(QStringLiteral("VS"));
        QVERIFY(vs);
        QCOMPARE(vs->geometry(), twipsRect(11160, 0, 250, 4335));
        QCOMPARE(vs->minimum(), 0);
        QCOMPARE(vs->maximum(), 0);
        QCOMPARE(vs->singleStep(), 1);
        auto *canvas = view.findChild<QWidget *>(QStringLiteral("Picture2"));
        QVERIFY(canvas);
        QCOMPARE(canvas->geometry(), twipsRect(0, 0, 11175, 400));
        auto *frame = canvas->findChild<QWidget *>(QStringLiteral("SS"));
        QVERIFY(frame);
        QVERIFY(frame->isHidden());
        QCOMPARE(view.SelectedRow(), 0);
    }

    void rowsSitAtTheirPitchInAlternatingColours_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("1") << 1 << QColor(224, 224, 224);
        QTest::newRow("2") << 2 << QColor(255, 255, 255);
        QTest::newRow("300") << 300 << QColor(255, 255, 255);
    }
    void rowsSitAtTheirPitchInAlternatingColours()
    {
        QFETCH(int, row);
        QFETCH(QColor, colour);
        ResultListView view(m_countries);
        view.model()->appendRecords(records(300));
        showAndWait(view);
        QCOMPARE(view.canvas()->height(), twips(400 + 480 * 300));
        const int top = twips(480 * (row - 1));
        QCOMPARE(view.cellRect(row, Column::Name), twipsRect(480, 480 * (row - 1), 2415, 480));
        QCOMPARE(view.cellRect(row, Column::Number).top(), twips(480 * (row - 1) + 20));

        // Scroll the row into the frame and look at what is on screen there.
        view.scrollBar()->setValue(
            ResultLayout::ScrollValueShowing(row, 0, view.scrollBar()->maximum()));
        const QImage shot = view.grab().toImage();
        const QPoint origin = view.canvas()->mapTo(&view, QPoint(0, 0));
        for (int c = ResultLayout::FirstTextColumn; c < ResultLayout::ColumnCount; ++c) {
            const QRect cell = view.cellRect(row, static_cast<Column>(c)).translated(origin);
            QCOMPARE(cell.top(), origin.y() + top);
            // Bottom right of each cell is background: the captions are short.
            QCOMPARE(QColor(shot.pixel(cell.right() - 2, cell.bottom() - 3)), colour);
        }
        // The name and the row number are painted.
        QVERIFY(hasInk(shot.copy(view.cellRect(row, Column::Name).translated(origin))));
        QRect number = view.cellRect(row, Column::Number).translated(origin);
        number.setLeft(0);
        QVERIFY(hasInk(shot.copy(number)));
        // Left of the name cell the canvas keeps its own colour.
        const QRect name = view.cellRect(row, Column::Name).translated(origin);
        QCOMPARE(QColor(shot.pixel(name.left() - 2, name.bottom() - 3)),
            view.canvas()->palette().color(QPalette::Base));
    }

    void frameFollowsThePointerOncePerRow()
    {
        ResultListView view(m_countries);
        view.model()->appendRecords(records(5));
        showAndWait(view);
        QSignalSpy moved(&view, &ResultListView::selectionMoved);
        QWidget *canvas = view.canvas();

        QTest::mouseMove(canvas, centreOf(view.cellRect(1, Column::Name)));
        QTRY_COMPARE(moved.count(), 1);
        QCOMPARE(view.SelectedRow(), 1);
        QVERIFY(view.selectionFrame()->isVisible());
        QCOMPARE(view.selectionFrame()->geometry(), twipsRect(470, 10, 10680, 500));

        // Across all six cells of the same row: the frame stays put.
        for (int c = ResultLayout::FirstTextColumn; c < ResultLayout::ColumnCount; ++c) {
            QTest::mouseMove(
                canvas, view.cellRect(1, static_cast<Column>(c)).topLeft() + QPoint(3, 3));
            QTest::mouseMove(canvas, centreOf(view.cellRect(1, static_cast<Column>(c))));
        }
        QCOMPARE(moved.count(), 1);

        QTest::mouseMove(canvas, centreOf(view.cellRect(2, Column::City)));
        QTRY_COMPARE(moved.count(), 2);
        QCOMPARE(moved.last().at(0).toInt(), 2);
        QCOMPARE(view.selectionFrame()->geometry(), view.selectionRect(2));

        // The number column and the empty canvas below the rows frame nothing; the frame
        // stays on the last row crossed.
        QTest::mouseMove(canvas, centreOf(view.cellRect(3, Column::Number)));
        QTest::mouseMove(canvas, centreOf(view.cellRect(7, Column::Name)));
        QTest::mouseMove(&view, QPoint(view.width() - 3, view.height() - 3));
        QTest::qWait(20);
        QCOMPARE(moved.count(), 2);
        QCOMPARE(view.SelectedRow(), 2);
        QVERIFY(view.selectionFrame()->isVisible());
    }

    void hitTestingMatchesTheCells_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("row");
        QTest::newRow("row 1 name") << QPoint(twips(500), 5) << 1;
        QTest::newRow("row 1 operator, right edge") << QPoint(twips(11040), 5) << 1;
        QTest::newRow("right of the operator") << QPoint(twips(11100), 5) << 0;
        QTest::newRow("number column") << QPoint(10, 5) << 0;
        QTest::newRow("row 2 top pixel") << QPoint(twips(5000), twips(480)) << 2;
        QTest::newRow("row 3 middle") << QPoint(twips(7000), twips(1200)) << 3;
        QTest::newRow("below the last row") << QPoint(twips(5000), twips(480 * 3 + 100)) << 0;
        QTest::newRow("above the canvas") << QPoint(twips(5000), -3) << 0;
    }
    void hitTestingMatchesTheCells()
    {
        QFETCH(QPoint, point);
        QFETCH(int, row);
        ResultListView view(m_countries);
        view.model()->appendRecords(records(3));
        QCOMPARE(view.rowAt(point), row);
    }

    void clickOnATextCellOpensItsRow()
    {
        ResultListView view(m_countries);
        view.model()->appendRecords(records(5));
        showAndWait(view);
        QSignalSpy opened(&view, &ResultListView::openRow);
        QWidget *canvas = view.canvas();

        QTest::mouseClick(canvas, Qt::LeftButton, {}, centreOf(view.cellRect(3, Column::Type)));
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened.last().at(0).toInt(), 3);
        QCOMPARE(view.SelectedRow(), 0); // a click alone does not move the frame

        QTest::mouseClick(canvas, Qt::LeftButton, {}, centreOf(view.cellRect(4, Column::Number)));
        QTest::mouseClick(canvas, Qt::RightButton, {}, centreOf(view.cellRect(4, Column::Name)));
        QTest::mousePress(canvas, Qt::LeftButton, {}, centreOf(view.cellRect(4, Column::Name)));
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, centreOf(view.cellRect(5, Column::Name)));
        QCOMPARE(opened.count(), 1);

        QTest::mouseClick(canvas, Qt::LeftButton, {}, centreOf(view.cellRect(5, Column::Operator)));
        QCOMPARE(opened.count(), 2);
        QCOMPARE(opened.last().at(0).toInt(), 5);
    }

    void scrollMovesTheCanvas()
    {
        ResultListView view(m_countries);
        view.model()->appendRecords(records(20));
        QScrollBar *vs = view.scrollBar();
        QCOMPARE(vs->maximum(), ResultLayout::ScrollMaximum(20));
        view.SetSel(1);
        const QRect frame = view.selectionFrame()->geometry();

        vs->setValue(3);
        QCOMPARE(view.canvas()->y(), twips(-450));
        QCOMPARE(view.canvas()->x(), 0);
        // The frame rides on the canvas.
        QCOMPARE(view.selectionFrame()->geometry(), frame);
        QVERIFY(view.selectionFrame()->isVisibleTo(&view));
        QCOMPARE(view.SelectedRow(), 1);

        vs->setValue(vs->maximum());
        QCOMPARE(view.canvas()->y(), twips(-150 * vs->maximum()));
        vs->setValue(0);
        QCOMPARE(view.canvas()->y(), 0);
    }

    void shortListsDoNotScroll()
    {
        ResultListView view(m_countries);
        view.model()->appendRecords(records(7));
        QScrollBar *vs = view.scrollBar();
        QCOMPARE(vs->maximum(), 0);
        vs->setValue(-1);
        QCOMPARE(vs->value(), 0);
        QCOMPARE(view.canvas()->y(), 0);
    }

    void clearingResetsListFrameAndScrolling()
    {
        ResultListView view(m_countries);
        view.model()->appendRecords(records(300));
        QCOMPARE(view.scrollBar()->maximum(), 937);
        view.SetSel(12);
        view.scrollBar()->setValue(500);
        view.clearResults();
        QCOMPARE(view.rowCount(), 0);
        QVERIFY(view.record(1).empty());
        QCOMPARE(view.SelectedRow(), 0);
        QVERIFY(view.selectionFrame()->isHidden());
        QCOMPARE(view.scrollBar()->value(), 0);
        QCOMPARE(view.scrollBar()->maximum(), 0);
        QCOMPARE(view.canvas()->geometry(), twipsRect(0, 0, 11175, 400));
        // Clearing an empty list changes nothing.
        view.clearResults();
        QCOMPARE(view.canvas()->geometry(), twipsRect(0, 0, 11175, 400));
    }

    void setSelIgnoresTheFramedRowAndMissingRows()
    {
        ResultListView view(m_countries);
        view.model()->appendRecords(records(3));
        QSignalSpy moved(&view, &ResultListView::selectionMoved);
        view.SetSel(2);
        view.SetSel(2);
        view.SetSel(0);
        view.SetSel(4);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(view.SelectedRow(), 2);
    }

    void keyboardMovesTheFrameAndKeepsItVisible()
    {
        ResultListView view(m_countries);
        view.model()->appendRecords(records(300));
        showAndWait(view);
        view.setFocus();
        QSignalSpy opened(&view, &ResultListView::openRow);
        QScrollBar *vs = view.scrollBar();

        QTest::keyClick(&view, Qt::Key_Return);
        QCOMPARE(opened.count(), 0); // nothing framed yet

        QTest::keyClick(&view, Qt::Key_Down);
        QCOMPARE(view.SelectedRow(), 1);
        QTest::keyClick(&view, Qt::Key_End);
        QCOMPARE(view.SelectedRow(), 300);
        QCOMPARE(vs->value(), ResultLayout::ScrollValueShowing(300, 0, vs->maximum()));
        // Row 300's frame lies inside the visible frame.
        const QRect shown = view.rect();
        const QRect frame = view.selectionFrame()->geometry().translated(view.canvas()->pos());
        QVERIFY(shown.contains(frame));

        QTest::keyClick(&view, Qt::Key_Home);
        QCOMPARE(view.SelectedRow(), 1);
        QCOMPARE(vs->value(), 0);
        QTest::keyClick(&view, Qt::Key_PageDown);
        QCOMPARE(view.SelectedRow(), 1 + ResultLayout::RowsPerPage);
        QTest::keyClick(&view, Qt::Key_Up);
        QCOMPARE(view.SelectedRow(), ResultLayout::RowsPerPage);
        QTest::keyClick(&view, Qt::Key_Enter);
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened.last().at(0).toInt(), ResultLayout::RowsPerPage);
    }

    void wheelScrollsTheList()
    {
        ResultListView view(m_countries);
        view.model()->appendRecords(records(50));
        showAndWait(view);
        const QPointF at = view.cellRect(2, Column::City).center();
        QWheelEvent wheel(at, view.canvas()->mapToGlobal(at), QPoint(), QPoint(0, -120),
            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.canvas(), &wheel);
        const int lines = QApplication::wheelScrollLines();
        QCOMPARE(view.scrollBar()->value(), lines);
        QCOMPARE(view.canvas()->y(), -10 * lines);

        // Half notches of a fine wheel add up.
        QWheelEvent half(at, view.canvas()->mapToGlobal(at), QPoint(), QPoint(0, 60), Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.canvas(), &half);
        QCOMPARE(view.scrollBar()->value(), lines);
        QApplication::sendEvent(view.canvas(), &half);
        QCOMPARE(view.scrollBar()->value(), 0);
    }
};

QTEST_MAIN(TestResultListView)
#include "tst_result_list_view.moc"
