#include "results/result_layout.h"

#include <QTest>

using namespace pellomar::ResultLayout;

Q_DECLARE_METATYPE(pellomar::ResultLayout::Key)

class TestResultLayout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rowsStackAtTheirPitch_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("top");
        QTest::newRow("1") << 1 << 0;
        QTest::newRow("2") << 2 << 480;
        QTest::newRow("300") << 300 << 143520;
    }
    void rowsStackAtTheirPitch()
    {
        QFETCH(int, row);
        QFETCH(int, top);
        QCOMPARE(RowTop(row), top);
        for (int c = 1; c < ColumnCount; ++c)
            QCOMPARE(CellRect(row, static_cast<Column>(c)).top, top);
        // The number sits 20 twips lower, partly left of the canvas.
        QCOMPARE(CellRect(row, Column::Number), (Rect { -120, top + 20, 495, 255 }));
    }

    void canvasGrowsByOnePitchPerRow()
    {
        QCOMPARE(CanvasHeight(0), 400);
        QCOMPARE(CanvasHeight(10), 5200);
        QCOMPARE(CanvasHeight(300), 144400);
    }

    void frameSurroundsTheRow()
    {
        QCOMPARE(SelectionRect(1), (Rect { 470, 10, 10680, 500 }));
        QCOMPARE(SelectionRect(2), (Rect { 470, 490, 10680, 500 }));
    }

    void scrollMaximum_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("maximum");
        // Lists that fit the frame never scroll down into empty canvas.
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("1") << 1 << 0;
        QTest::newRow("7") << 7 << 0;
        QTest::newRow("8") << 8 << 2;
        QTest::newRow("9") << 9 << 6;
        QTest::newRow("300") << 300 << 937;
    }
    void scrollMaximum()
    {
        QFETCH(int, rows);
        QFETCH(int, maximum);
        QCOMPARE(ScrollMaximum(rows), maximum);
    }

    void canvasTopFollowsTheScrollValue()
    {
        QCOMPARE(CanvasTop(0), 0);
        QCOMPARE(CanvasTop(3), -450);
        QCOMPARE(CanvasTop(937), -140550);
    }

    void scrollValueShowing_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("expected");
        QTest::newRow("row 1 from the top") << 1 << 0 << 937 << 0;
        QTest::newRow("row 8 fits") << 8 << 0 << 937 << 0;
        QTest::newRow("row 9 pulls the list up") << 9 << 0 << 937 << 1;
        QTest::newRow("row 1 from further down") << 1 << 40 << 937 << 0;
        QTest::newRow("row 20 above the view") << 20 << 100 << 937 << 60;
        QTest::newRow("row 20 already shown") << 20 << 40 << 937 << 40;
        QTest::newRow("last of 300") << 300 << 0 << 937 << 932;
        QTest::newRow("clamped to the maximum") << 20 << 0 << 5 << 5;
    }
    void scrollValueShowing()
    {
        QFETCH(int, row);
        QFETCH(int, current);
        QFETCH(int, maximum);
        QFETCH(int, expected);
        const int value = ScrollValueShowing(row, current, maximum);
        QCOMPARE(value, expected);
        if (value < maximum) {
            // The whole frame around the row lies inside the visible part of the canvas.
            const Rect band = SelectionRect(row);
            QVERIFY(RowTop(row) >= value * ScrollStep);
            QVERIFY(band.top + band.height <= value * ScrollStep + Frame.height);
        }
    }

    void navigation_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("count");
        QTest::addColumn<Key>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("empty list") << 0 << 0 << Key::Down << 0;
        QTest::newRow("down from none") << 0 << 5 << Key::Down << 1;
        QTest::newRow("up from none") << 0 << 5 << Key::Up << 1;
        QTest::newRow("down") << 2 << 5 << Key::Down << 3;
        QTest::newRow("down at the end") << 5 << 5 << Key::Down << 5;
        QTest::newRow("up") << 3 << 5 << Key::Up << 2;
        QTest::newRow("up at the top") << 1 << 5 << Key::Up << 1;
        QTest::newRow("page down") << 1 << 300 << Key::PageDown << 1 + RowsPerPage;
        QTest::newRow("page down near the end") << 296 << 300 << Key::PageDown << 300;
        QTest::newRow("page up") << 50 << 300 << Key::PageUp << 50 - RowsPerPage;
        QTest::newRow("page up near the top") << 3 << 300 << Key::PageUp << 1;
        QTest::newRow("home") << 77 << 300 << Key::Home << 1;
        QTest::newRow("end") << 0 << 300 << Key::End << 300;
    }
    void navigation()
    {
        QFETCH(int, current);
        QFETCH(int, count);
        QFETCH(Key, key);
        QFETCH(int, expected);
        QCOMPARE(NavigatedRow(current, count, key), expected);
    }
};

QTEST_APPLESS_MAIN(TestResultLayout)
#include "tst_result_layout.moc"
