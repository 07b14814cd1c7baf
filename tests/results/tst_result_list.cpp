// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/helpers.h"
#include "platform/look.h"
#include "resultfile/result_format.h"
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

// Name, access, operator, type, city and country (ZZ: none known): row n of this list is
// hotspot n.
const std::vector<std::string> Hotspots {
    "Cafe 10<>free<>Zeta<><><><>Library<><><>Bonn<>DE",
    "cafe 2<>comm<>alpha<><><><>Airport<><><>Austin<>US",
    "Bakery<>free<>Mid<><><><>Cafe<><><>Z\xC3\xBCrich<>US",
    "Cafe 2<>reg<>Alpha<><><><>Hotel<><><>austin<>DE", "Deli<>free<><><><><>Cafe<><><>Berlin<>ZZ",
    "\xC9"
    "clair<>free<>\xC3\x93pera<><><><>Bakery<><><>Zurich<>US", // Latin-1, then UTF-8
};

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
        = parseCountries("US|United States of America\nDE|Germany\nAX|\xC3\x85land Islands").table;

private Q_SLOTS:
    void order_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("clicks"); // on the headings of these columns, 1 to 6
        QTest::addColumn<QString>("rows");
        // Any case, accents ignored, numbers by value; equal captions in the order the
        // directory sent them, either way round, whatever the order was before.
        QTest::newRow("name") << u""_s << u"1"_s << u"3 2 4 1 5 6"_s;
        QTest::newRow("country, none known first") << u""_s << u"2"_s << u"5 1 4 2 3 6"_s;
        QTest::newRow("city, descending") << u""_s << u"3 3"_s << u"3 6 1 5 2 4"_s;
        QTest::newRow("type") << u""_s << u"4"_s << u"2 6 3 5 4 1"_s;
        QTest::newRow("access, after the name") << u""_s << u"1 5"_s << u"2 1 3 5 6 4"_s;
        QTest::newRow("operator, empty first") << u""_s << u"6"_s << u"5 2 4 3 6 1"_s;
        // Any case, trimmed, in any of the six text cells; not in the number or the code.
        QTest::newRow("filter: name and type") << u" bAkErY "_s << u""_s << u"3 6"_s;
        QTest::newRow("filter: country") << u"germ"_s << u""_s << u"1 4"_s;
        QTest::newRow("filter: city") << u"AUS"_s << u""_s << u"2 4"_s;
        QTest::newRow("filter: accents count") << u"zurich"_s << u""_s << u"6"_s;
        QTest::newRow("filter: access") << u"comm"_s << u""_s << u"2"_s;
        QTest::newRow("filter: operator") << u"\u00F3pera"_s << u""_s << u"6"_s;
        QTest::newRow("filter: number") << u"3"_s << u""_s << u""_s;
        QTest::newRow("filter: country code") << u"DE<"_s << u""_s << u""_s;
        QTest::newRow("filtered, sorted") << u"germany"_s << u"3"_s << u"4 1"_s;
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
    }

    // How far the list scrolls, and where the frame and the scroll bar lie (twips as designed).
    void geometry()
    {
        ResultListView view(m_countries);
        for (const auto &[rows, height, maximum] : { std::array { 7, 3760, 0 },
                 std::array { 8, 4240, 2 }, std::array { 300, 144400, 937 } }) {
            view.model()->setRecords(readResultRecords(test::resultFileText(rows)).lines);
            QCOMPARE(QSize(view.canvas()->height(), view.scrollBar()->maximum()),
                QSize(twips(height), maximum));
        }
        view.SetSel(2);
        QCOMPARE(view.selectionFrame()->geometry(), twipsRect(470, 490, 10680, 500));
        QCOMPARE(view.scrollBar()->geometry(), twipsRect(11160, 0, 250, 4335));
    }

    // Steps: hover:P moves the pointer over the six cells of screen position P; click:P,
    // number:P (the number's cell) and drag:P (to P + 1) press there; wheel:D turns the wheel
    // by D; scroll:V sets the scroll bar; sort:C clicks the heading of column C; any other step
    // is a key.
    void pointerAndKeys_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("outcome"); // the row framed, frame moves, row opened, scroll
        const auto row
            = [](const char *name, const char *filter, const char *steps, const char *outcome) {
                  QTest::newRow(name) << QString::fromLatin1(filter) << QString::fromLatin1(steps)
                                      << QString::fromLatin1(outcome);
              };
        row("the frame follows the pointer", "", "hover:1 hover:2 number:3", "2 2 0 0");
        row("a click opens its row", "", "click:3", "0 0 3 0");
        row("not the number, not a drag", "", "number:4 drag:4", "0 0 0 0");
        row("Enter needs a frame; End", "", "Return Down Down End", "300 3 0 932");
        row("Home, a page down, up, Enter", "", "End Home PgDown Up Enter", "9 4 9 4");
        row("page up from row 20", "", "scroll:40 hover:20 PgUp", "11 2 0 32");
        row("sorted: as on the screen", "", "sort:1 sort:1 Down Enter click:2", "300 1 299 0");
        row("filtered: as on the screen", "Name 2", "click:2 Down", "2 1 20 0");
        row("the wheel, by lines and half notches", "", "wheel:-240 wheel:60 wheel:60", "0 0 0 3");
    }
    void pointerAndKeys()
    {
        QFETCH(QString, filter);
        QFETCH(QString, steps);
        ResultListView view(m_countries);
        view.model()->setRecords(readResultRecords(test::resultFileText(300)).lines);
        view.order()->setFilterText(filter);
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
            } else if (kind == u"click" || kind == u"number" || kind == u"drag") {
                if (kind == u"number")
                    QTest::mouseMove(canvas, at);
                QTest::mousePress(canvas, Qt::LeftButton, {}, at);
                QTest::mouseRelease(canvas, Qt::LeftButton, {},
                    kind == u"drag" ? view.cellRect(n + 1, Column::Type).center() : at);
            } else if (kind == u"wheel") {
                QWheelEvent wheel(QPointF(), canvas->mapToGlobal(QPointF()), {}, QPoint(0, n),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(canvas, &wheel);
            } else if (kind == u"scroll") {
                view.scrollBar()->setValue(n);
            } else if (kind == u"sort") {
                view.sortByColumn(Column(n));
            } else {
                QTest::keyClick(&view, QKeySequence::fromString(step)[0].key());
            }
        }
        const int opened = opens.isEmpty() ? 0 : opens.last().at(0).toInt();
        QTEST(u"%1 %2 %3 %4"_s.arg(view.SelectedRow())
                  .arg(moved.size())
                  .arg(opened)
                  .arg(view.scrollBar()->value()),
            "outcome");
        QCOMPARE(view.selectionFrame()->isVisible(), view.SelectedRow() != 0);
        QCOMPARE(canvas->y(), -10 * view.scrollBar()->value());
    }

    // The headings sort and mark their column; rows alternate grey and white by their
    // hotspot's number wherever sorting puts them; the filter box narrows the rows; to screen
    // readers the list is a table read by screen position.
    void headingsPaintAndScreenReaders()
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
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTest::mouseClick(headings[2], Qt::LeftButton);
        QTest::mouseClick(headings[0], Qt::LeftButton);
        QCOMPARE(shown(view), u"3 2 4 1 5 6"_s);
        QCOMPARE(headings[0]->sortMark(), std::optional(Qt::AscendingOrder));
        QVERIFY(!headings[2]->sortMark());
        const QImage shot = view.canvas()->grab().toImage();
        for (int position = 1; position <= 3; ++position) {
            const QPoint at = view.cellRect(position, Column::City).bottomRight() - QPoint(2, 3);
            QCOMPARE(qGray(shot.pixel(at * shot.devicePixelRatio())), position == 1 ? 224 : 255);
        }
        headings[4]->click();
        QTest::keyClicks(&filter, u"FREE"_s);
        QCOMPARE(shown(view), u"1 3 5 6"_s);
        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(&view);
        QAccessibleTableInterface *table = list->tableInterface();
        QCOMPARE(list->role(), QAccessible::Table);
        QCOMPARE(list->text(QAccessible::Name) + u' ' + table->columnDescription(1),
            u"Results Location Name"_s);
        QCOMPARE(QSize(table->columnCount(), table->rowCount()), QSize(7, 4));
        QCOMPARE(table->cellAt(1, 0)->text(QAccessible::Name) + u' '
                + table->cellAt(1, 2)->text(QAccessible::Name),
            u"3 UNITED STATES OF AMERICA"_s);
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
