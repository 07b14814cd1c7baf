#include "common/harness.h"
#include "platform/look.h"
#include "results/column_heading.h"
#include "results/result_list_model.h"
#include "results/result_list_view.h"
#include "results/result_order.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

using namespace pellomar;
using namespace Qt::StringLiterals;
using Column = ResultLayout::Column;

namespace {

// Name, access, operator, type, city and country: row n of this list is hotspot n.
const std::vector<std::string> Hotspots {
    "Cafe 10<>free<>Zeta<><><><>Library<><><>Bonn<>DE",
    "cafe 2<>comm<>alpha<><><><>Airport<><><>Austin<>US",
    "Bakery<>free<>Mid<><><><>Cafe<><><>Z\xC3\xBCrich<>US",
    "Cafe 2<>reg<>Alpha<><><><>Hotel<><><>austin<>DE",
    "Deli<>free<><><><><>Cafe<><><>Berlin<>DE",
    "\xC3\x89"
    "clair<>free<>\xC3\x93pera<><><><>Bakery<><><>Zurich<>US",
};

std::vector<std::string> numbered(int count)
{
    std::vector<std::string> lines;
    for (int n = 1; n <= count; ++n)
        lines.push_back(test::recordLine(n));
    return lines;
}

// The rows in their order on screen, as "3 1 2".
QString shown(const ResultListView &view)
{
    QStringList rows;
    for (int position = 1; position <= view.order()->shownCount(); ++position)
        rows << QString::number(view.order()->rowAt(position));
    return rows.join(u' ');
}

} // namespace

// The list's rows: what they show, their order, their place, and what the pointer, the keys,
// the headings and screen readers do with them.
class TestResultList : public QObject {
    Q_OBJECT

private:
    ReferenceTable m_countries
        = ParseCountries("US|United States of America\nDE|Germany\nAX|\xC3\x85land Islands").table;

private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }

    void captions_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("cells"); // name|country|city|type|access|operator
        QTest::newRow("all fields") << QByteArray("C<>free<>Op<>w<>5<>e<>Bar<>1 Rd<>1<>NY<>US<>1")
                                    << u"C|UNITED STATES OF AMERICA|NY|Bar|free|Op"_s;
        QTest::newRow("A<>B<>C") << QByteArray("A<>B<>C") << u"A||||B|C"_s;
        QTest::newRow("a message")
            << QByteArray("No hotspots, sorry") << u"No hotspots, sorry|||||"_s;
        QTest::newRow("unknown country") << QByteArray("x<><><><><><><><><><>ZZ") << u"x|||||"_s;
        QTest::newRow("Latin-1, spaces, capitals beyond ASCII") << QByteArray(
            "Caf\xE9  <> B <><><><><><><><><>ax") << u"Caf\u00E9  |\u00C5LAND ISLANDS||| B |"_s;
        QTest::newRow("UTF-8") << QByteArray("M\xC3\xBCller<>\xE2\x82\xAC")
                               << u"M\u00FCller||||\u20AC|"_s;
    }
    void captions()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, cells);
        ResultListView view(m_countries);
        view.model()->setRecords({ "first", line.toStdString() });
        QStringList shown;
        for (int c = ResultLayout::FirstTextColumn; c < ResultLayout::ColumnCount; ++c)
            shown << view.model()->caption(2, static_cast<Column>(c));
        QCOMPARE(shown.join(u'|'), cells);
        QCOMPARE(view.model()->caption(2, Column::Number), u"2"_s);
        QCOMPARE(view.record(2), line.toStdString());
    }

    void order_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("clicks"); // on the headings of these columns, 1 to 6
        QTest::addColumn<QString>("rows");
        // Any case, accents ignored, numbers by value; equal captions in the order the
        // directory sent them, either way round, whatever the order was before.
        QTest::newRow("name") << u""_s << u"1"_s << u"3 2 4 1 5 6"_s;
        QTest::newRow("name, descending") << u""_s << u"1 1"_s << u"6 5 1 2 4 3"_s;
        QTest::newRow("name, a third click") << u""_s << u"1 1 1"_s << u"3 2 4 1 5 6"_s;
        QTest::newRow("country") << u""_s << u"2"_s << u"1 4 5 2 3 6"_s;
        QTest::newRow("city") << u""_s << u"3"_s << u"2 4 5 1 3 6"_s;
        QTest::newRow("city, descending") << u""_s << u"3 3"_s << u"3 6 1 5 2 4"_s;
        QTest::newRow("type") << u""_s << u"4"_s << u"2 6 3 5 4 1"_s;
        QTest::newRow("access, after the name") << u""_s << u"1 5"_s << u"2 1 3 5 6 4"_s;
        QTest::newRow("operator, empty first") << u""_s << u"6"_s << u"5 2 4 3 6 1"_s;
        QTest::newRow("number, descending") << u""_s << u"0 0"_s << u"6 5 4 3 2 1"_s;
        // Any case, trimmed, in any of the six text cells; not in the number or the code.
        QTest::newRow("filter: name and type") << u" bAkErY "_s << u""_s << u"3 6"_s;
        QTest::newRow("filter: country") << u"germ"_s << u""_s << u"1 4 5"_s;
        QTest::newRow("filter: city") << u"AUS"_s << u""_s << u"2 4"_s;
        QTest::newRow("filter: accents count") << u"zurich"_s << u""_s << u"6"_s;
        QTest::newRow("filter: type") << u"library"_s << u""_s << u"1"_s;
        QTest::newRow("filter: access") << u"comm"_s << u""_s << u"2"_s;
        QTest::newRow("filter: operator") << u"\u00F3pera"_s << u""_s << u"6"_s;
        QTest::newRow("filter: number") << u"3"_s << u""_s << u""_s;
        QTest::newRow("filter: country code") << u"DE<"_s << u""_s << u""_s;
        QTest::newRow("filtered, sorted twice") << u"free"_s << u"1 5"_s << u"1 3 5 6"_s;
        QTest::newRow("filtered, sorted") << u"germany"_s << u"3"_s << u"4 5 1"_s;
    }
    void order()
    {
        QFETCH(QString, filter);
        QFETCH(QString, clicks);
        QFETCH(QString, rows);
        ResultListView view(m_countries);
        view.model()->setRecords(Hotspots);
        view.order()->setFilterText(filter);
        for (const QString &column : clicks.split(u' ', Qt::SkipEmptyParts))
            view.sortByColumn(static_cast<Column>(column.toInt()));
        QCOMPARE(shown(view), rows);
        // A new load shows all its rows in the directory's order.
        view.model()->setRecords(Hotspots);
        QCOMPARE(shown(view), u"1 2 3 4 5 6"_s);
    }

    void geometry_data()
    {
        QTest::addColumn<QString>("control"); // or "column:position" for a painted cell
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("scroll");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<int>("maximum"); // of the scroll bar
        QTest::newRow("list") << u"Picture1"_s << 0 << 0 << QRect(240, 3120, 11415, 4335) << 0;
        QTest::newRow("scroll bar") << u"VS"_s << 300 << 0 << QRect(11160, 0, 250, 4335) << 937;
        QTest::newRow("empty canvas") << u"Picture2"_s << 0 << 0 << QRect(0, 0, 11175, 400) << 0;
        QTest::newRow("7 rows fit") << u"Picture2"_s << 7 << 0 << QRect(0, 0, 11175, 3760) << 0;
        QTest::newRow("8 rows, scrolled")
            << u"Picture2"_s << 8 << 2 << QRect(0, -300, 11175, 4240) << 2;
        QTest::newRow("300, at the end")
            << u"Picture2"_s << 300 << 937 << QRect(0, -140550, 11175, 144400) << 937;
        QTest::newRow("frame on row 2") << u"SS"_s << 5 << 0 << QRect(470, 490, 10680, 500) << 0;
        QTest::newRow("number of row 2") << u"0:2"_s << 5 << 0 << QRect(-120, 500, 495, 255) << 0;
        QTest::newRow("operator of row 300")
            << u"6:300"_s << 300 << 0 << QRect(9240, 143520, 1815, 495) << 937;
    }
    void geometry()
    {
        QFETCH(QString, control);
        QFETCH(int, rows);
        QFETCH(int, scroll);
        QFETCH(QRect, twips);
        QFETCH(int, maximum);
        ResultListView view(m_countries);
        view.model()->setRecords(numbered(rows));
        view.scrollBar()->setValue(scroll);
        view.SetSel(2);
        const QWidget *widget = control == u"Picture1" ? &view : view.findChild<QWidget *>(control);
        const QRect actual = widget ? widget->geometry()
                                    : view.cellRect(control.section(u':', 1).toInt(),
                                        Column(control.section(u':', 0, 0).toInt()));
        QCOMPARE(actual, twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
        QCOMPARE(view.scrollBar()->maximum(), maximum);
        QCOMPARE(view.scrollBar()->value(), scroll);
    }

    // Rows alternate grey and white by their hotspot's number, wherever sorting puts them; the
    // number sits left of the name, on the canvas's own colour.
    void paintsTheRows()
    {
        ResultListView view(m_countries);
        view.model()->setRecords(Hotspots);
        view.sortByColumn(Column::Name); // 3, 2, 4, 1, 5, 6
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QImage shot = view.canvas()->grab().toImage();
        const auto grey = [&](int x, int y) {
            return qGray(shot.pixel(QPoint(x, y) * shot.devicePixelRatio()));
        };
        for (int position = 1; position <= 4; ++position) {
            const QRect city = view.cellRect(position, Column::City);
            QCOMPARE(grey(city.right() - 2, city.bottom() - 3),
                position == 1 || position == 4 ? 224 : 255);
            const QRect name = view.cellRect(position, Column::Name);
            QCOMPARE(grey(name.left() - 2, name.bottom() - 3), 255);
            const QRect number = view.cellRect(position, Column::Number).intersected(shot.rect());
            int darkest = 255;
            for (int y = number.top(); y <= number.bottom(); ++y)
                for (int x = number.left(); x <= number.right(); ++x)
                    darkest = std::min(darkest, grey(x, y));
            QVERIFY(darkest < 100);
        }
    }

    // Steps: hover:P moves the pointer over the six cells of screen position P; click:P,
    // number:P (the number's cell) and drag:P (to P + 1) press there; wheel:D turns the wheel
    // by D; scroll:V sets the scroll bar; any other step is a key.
    void pointerAndKeys_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("clicks"); // on the name heading
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("framed");
        QTest::addColumn<int>("moves"); // of the frame
        QTest::addColumn<int>("opened"); // the last row opened
        QTest::addColumn<int>("scroll");
        QTest::newRow("the frame follows the pointer, once per row")
            << u""_s << 0 << u"hover:1 hover:2 number:3"_s << 2 << 2 << 0 << 0;
        QTest::newRow("a click opens its row") << u""_s << 0 << u"click:3"_s << 0 << 0 << 3 << 0;
        QTest::newRow("nothing opens from the number or a drag")
            << u""_s << 0 << u"number:4 drag:4"_s << 0 << 0 << 0 << 0;
        QTest::newRow("Enter needs a frame; End shows the last row")
            << u""_s << 0 << u"Return Down Down End"_s << 300 << 3 << 0 << 932;
        QTest::newRow("Home, a page down, up, Enter")
            << u""_s << 0 << u"End Home PgDown Up Enter"_s << 9 << 4 << 9 << 4;
        QTest::newRow("page up from row 20")
            << u""_s << 0 << u"scroll:40 hover:20 PgUp"_s << 11 << 2 << 0 << 32;
        QTest::newRow("sorted: keys and clicks follow the screen")
            << u""_s << 2 << u"Down Enter click:2"_s << 300 << 1 << 299 << 0;
        QTest::newRow("filtered: a click opens the row shown there")
            << u"Name 2"_s << 0 << u"click:2 Down"_s << 2 << 1 << 20 << 0;
        QTest::newRow("the wheel, by lines and half notches")
            << u""_s << 0 << u"wheel:-240 wheel:60 wheel:60"_s << 0 << 0 << 0 << 3;
    }
    void pointerAndKeys()
    {
        QFETCH(QString, filter);
        QFETCH(int, clicks);
        QFETCH(QString, steps);
        QFETCH(int, framed);
        QFETCH(int, moves);
        QFETCH(int, opened);
        QFETCH(int, scroll);
        ResultListView view(m_countries);
        view.model()->setRecords(numbered(300));
        view.order()->setFilterText(filter);
        for (int i = 0; i < clicks; ++i)
            view.sortByColumn(Column::Name);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.setFocus();
        QSignalSpy moved(&view, &ResultListView::selectionMoved);
        QSignalSpy opens(&view, &ResultListView::openRow);
        QWidget *canvas = view.canvas();
        for (const QString &step : steps.split(u' ')) {
            const QString kind = step.section(u':', 0, 0);
            const int n = step.section(u':', 1).toInt();
            const QPoint at
                = view.cellRect(n, kind == u"number" ? Column::Number : Column::Type).center();
            if (kind == u"hover") {
                for (int c = ResultLayout::FirstTextColumn; c < ResultLayout::ColumnCount; ++c)
                    QTest::mouseMove(canvas, view.cellRect(n, static_cast<Column>(c)).center());
            } else if (kind == u"click" || kind == u"number") {
                if (kind == u"number")
                    QTest::mouseMove(canvas, at);
                QTest::mouseClick(canvas, Qt::LeftButton, {}, at);
            } else if (kind == u"drag") {
                QTest::mousePress(canvas, Qt::LeftButton, {}, at);
                QTest::mouseRelease(
                    canvas, Qt::LeftButton, {}, view.cellRect(n + 1, Column::Type).center());
            } else if (kind == u"wheel") {
                QWheelEvent wheel(QPointF(), canvas->mapToGlobal(QPointF()), {}, QPoint(0, n),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(canvas, &wheel);
            } else if (kind == u"scroll") {
                view.scrollBar()->setValue(n);
            } else {
                QTest::keyClick(&view, QKeySequence::fromString(step)[0].key());
            }
        }
        QCOMPARE(view.SelectedRow(), framed);
        QCOMPARE(view.selectionFrame()->isVisible(), framed != 0);
        QCOMPARE(moved.size(), moves);
        QCOMPARE(opens.isEmpty() ? 0 : opens.last().at(0).toInt(), opened);
        QCOMPARE(view.scrollBar()->value(), scroll);
        QCOMPARE(canvas->y(), twips(ResultLayout::CanvasTop(scroll)));
    }

    // The headings sort and mark their column, the filter box narrows the rows, and to screen
    // readers the list is a table and the headings are column headers that can be pressed.
    void headingsFilterAndScreenReaders()
    {
        ResultListView view(m_countries);
        view.model()->setRecords(Hotspots);
        QWidget holder;
        std::array<ColumnHeading *, 6> headings {};
        for (std::size_t i = 0; i < headings.size(); ++i)
            headings[i] = new ColumnHeading(QStringLiteral("H%1").arg(i), &holder);
        view.attachHeadings(headings);
        QLineEdit filter;
        view.attachFilter(&filter);
        holder.show();
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTest::mouseClick(headings[2], Qt::LeftButton);
        QTest::mouseClick(headings[2], Qt::LeftButton);
        QCOMPARE(headings[2]->sortMark(), std::optional(Qt::DescendingOrder));
        QTest::mouseClick(headings[0], Qt::LeftButton);
        QCOMPARE(shown(view), u"3 2 4 1 5 6"_s);
        QVERIFY(!headings[2]->sortMark());
        QAccessibleInterface *heading = QAccessible::queryAccessibleInterface(headings[4]);
        QCOMPARE(heading->role(), QAccessible::ColumnHeader);
        QCOMPARE(heading->text(QAccessible::Name), u"H4"_s);
        heading->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(heading->text(QAccessible::Description), u"sorted ascending"_s);
        QTest::keyClicks(&filter, u"FREE"_s);
        QCOMPARE(shown(view), u"1 3 5 6"_s);

        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(&view);
        QCOMPARE(list->role(), QAccessible::Table);
        QCOMPARE(list->text(QAccessible::Name), u"Results"_s);
        QAccessibleTableInterface *table = list->tableInterface();
        QCOMPARE(table->rowCount(), 4);
        QCOMPARE(table->columnCount(), 7);
        QCOMPARE(table->columnDescription(1), u"Location Name"_s);
        QCOMPARE(table->cellAt(1, 0)->text(QAccessible::Name), u"3"_s);
        QCOMPARE(table->cellAt(1, 2)->text(QAccessible::Name), u"UNITED STATES OF AMERICA"_s);
        QVERIFY(table->selectRow(3));
        QCOMPARE(view.SelectedRow(), 6);
        const QRect painted = view.cellRect(4, Column::City);
        QCOMPARE(table->cellAt(3, 3)->rect(),
            QRect(view.canvas()->mapToGlobal(painted.topLeft()), painted.size()));
        // A new load shows all its rows, unsorted, and empties the filter box.
        view.model()->setRecords(Hotspots);
        QVERIFY(filter.text().isEmpty());
        QVERIFY(!headings[4]->sortMark());
        QCOMPARE(table->rowCount(), 6);
    }
};

QTEST_MAIN(TestResultList)
#include "tst_result_list.moc"
