#include "platform/look.h"
#include "reference/reference_table.h"
#include "results/column_heading.h"
#include "results/result_list_model.h"
#include "results/result_list_view.h"

#include <QAccessible>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace pellomar;
using Column = ResultLayout::Column;

namespace {

// Name, country code, city, type, access, operator: row n of this list is hotspot n.
std::vector<std::string> hotspots()
{
    return {
        "Cafe 10<>free<>Zeta<><><><>Library<><><>Bonn<>DE", // 1
        "cafe 2<>comm<>alpha<><><><>Airport<><><>Austin<>US", // 2
        "Bakery<>free<>Mid<><><><>Cafe<><><>Zurich<>US", // 3
        "Cafe 2<>reg<>Alpha<><><><>Hotel<><><>austin<>DE", // 4
        "Deli<>free<><><><><>Cafe<><><>Berlin<>DE", // 5
    };
}

std::vector<int> shownRows(const ResultListModel &model)
{
    std::vector<int> rows;
    for (int position = 1; position <= model.shownCount(); ++position)
        rows.push_back(model.rowAt(position));
    return rows;
}

} // namespace

class TestResultSorting : public QObject {
    Q_OBJECT

private:
    ReferenceTable m_countries = ParseCountries("US|United States of America\nDE|Germany\n").table;

private Q_SLOTS:
    void initTestCase() { installFontSubstitutions(); }

    void sortsByColumn_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<std::vector<int>>("ascending");
        // Any case, numbers by value, equal captions in the order the directory sent them.
        QTest::newRow("name") << int(Column::Name) << std::vector<int> { 3, 2, 4, 1, 5 };
        QTest::newRow("country") << int(Column::Country) << std::vector<int> { 1, 4, 5, 2, 3 };
        QTest::newRow("city") << int(Column::City) << std::vector<int> { 2, 4, 5, 1, 3 };
        QTest::newRow("operator, empty first")
            << int(Column::Operator) << std::vector<int> { 5, 2, 4, 3, 1 };
        QTest::newRow("number") << int(Column::Number) << std::vector<int> { 1, 2, 3, 4, 5 };
    }
    void sortsByColumn()
    {
        QFETCH(int, column);
        QFETCH(std::vector<int>, ascending);
        ResultListModel model(m_countries);
        model.appendRecords(hotspots());
        QSignalSpy sorted(&model, &ResultListModel::sortChanged);
        model.toggleSort(static_cast<Column>(column));
        QCOMPARE(shownRows(model), ascending);
        QCOMPARE(model.sortOrder(), Qt::AscendingOrder);
        // Again: the other way round; ties keep the directory's order both ways.
        model.toggleSort(static_cast<Column>(column));
        QCOMPARE(model.sortOrder(), Qt::DescendingOrder);
        const std::vector<int> descending = shownRows(model);
        QCOMPARE(descending.size(), ascending.size());
        for (std::size_t i = 0; i < descending.size(); ++i) {
            const int row = descending[i];
            const int position = model.positionOf(row);
            QCOMPARE(model.rowAt(position), row);
            QCOMPARE(model.data(model.index(position - 1, column)).toString(),
                model.caption(row, static_cast<Column>(column)));
        }
        QCOMPARE(sorted.count(), 2);
        // A third click sorts ascending again.
        model.toggleSort(static_cast<Column>(column));
        QCOMPARE(shownRows(model), ascending);
    }

    void filterMatchesAnyTextColumnInAnyCase_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<std::vector<int>>("rows");
        QTest::newRow("empty shows all") << QString() << std::vector<int> { 1, 2, 3, 4, 5 };
        QTest::newRow("spaces show all")
            << QStringLiteral("   ") << std::vector<int> { 1, 2, 3, 4, 5 };
        QTest::newRow("name or type")
            << QStringLiteral("CAFE") << std::vector<int> { 1, 2, 3, 4, 5 };
        QTest::newRow("city, any case") << QStringLiteral("austin") << std::vector<int> { 2, 4 };
        QTest::newRow("country name") << QStringLiteral("germ") << std::vector<int> { 1, 4, 5 };
        QTest::newRow("access") << QStringLiteral("comm") << std::vector<int> { 2 };
        QTest::newRow("trimmed") << QStringLiteral(" zurich ") << std::vector<int> { 3 };
        QTest::newRow("nothing") << QStringLiteral("xyz") << std::vector<int> {};
        QTest::newRow("the country code is not shown")
            << QStringLiteral("DE<") << std::vector<int> {};
    }
    void filterMatchesAnyTextColumnInAnyCase()
    {
        QFETCH(QString, filter);
        QFETCH(std::vector<int>, rows);
        ResultListModel model(m_countries);
        model.appendRecords(hotspots());
        model.setFilterText(filter);
        QCOMPARE(shownRows(model), rows);
        QCOMPARE(model.rowCount(), int(rows.size()));
        QCOMPARE(model.count(), 5); // the loaded rows stay
        for (int row = 1; row <= 5; ++row) {
            const bool shown = std::find(rows.begin(), rows.end(), row) != rows.end();
            QCOMPARE(model.positionOf(row) != 0, shown);
        }
    }

    void filterAndSortTogetherAndAClearLoadResetsBoth()
    {
        ResultListModel model(m_countries);
        model.appendRecords(hotspots());
        model.setFilterText(QStringLiteral("germany"));
        model.toggleSort(Column::City);
        QCOMPARE(shownRows(model), (std::vector<int> { 4, 5, 1 }));
        // Rows arriving later take their place in the order.
        model.appendRecords({ "Aachen Deli<><><><><><><><><>Aachen<>DE" });
        QCOMPARE(shownRows(model), (std::vector<int> { 6, 4, 5, 1 }));
        QSignalSpy sorted(&model, &ResultListModel::sortChanged);
        model.clear();
        QCOMPARE(sorted.count(), 1);
        QVERIFY(!model.sortColumn());
        QVERIFY(model.filterText().isEmpty());
        model.appendRecords(hotspots());
        QCOMPARE(shownRows(model), (std::vector<int> { 1, 2, 3, 4, 5 }));
    }

    void numbersColoursAndFrameFollowTheHotspot()
    {
        ResultListView view(m_countries);
        view.model()->appendRecords(hotspots());
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.SetSel(4);
        QCOMPARE(view.selectionFrame()->geometry(), view.selectionRect(4));

        view.sortByColumn(Column::Name); // 3, 2, 4, 1, 5
        QCOMPARE(view.SelectedRow(), 4);
        QCOMPARE(view.selectionFrame()->geometry(), view.selectionRect(3));
        QVERIFY(view.selectionFrame()->isVisible());

        const QImage shot = view.canvas()->grab().toImage();
        const qreal ratio = shot.devicePixelRatio();
        auto colourAt = [&](int position) {
            const QRect cell = view.cellRect(position, Column::City);
            return QColor(
                shot.pixel(int((cell.right() - 2) * ratio), int((cell.bottom() - 3) * ratio)));
        };
        // Hotspot 3 (odd) now first, hotspot 2 (even) second, hotspot 4 (even) third.
        QCOMPARE(colourAt(1), QColor(224, 224, 224));
        QCOMPARE(colourAt(2), QColor(255, 255, 255));
        QCOMPARE(colourAt(3), QColor(255, 255, 255));
        QCOMPARE(colourAt(4), QColor(224, 224, 224));

        // Keys move through the screen order, not the numbers.
        QSignalSpy opened(&view, &ResultListView::openRow);
        view.setFocus();
        QTest::keyClick(&view, Qt::Key_Down);
        QCOMPARE(view.SelectedRow(), 1);
        QTest::keyClick(&view, Qt::Key_Home);
        QCOMPARE(view.SelectedRow(), 3);
        QTest::keyClick(&view, Qt::Key_Return);
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened.last().at(0).toInt(), 3);

        // A click on the second place opens hotspot 2, the one painted there.
        QTest::mouseClick(
            view.canvas(), Qt::LeftButton, {}, view.cellRect(2, Column::Type).center());
        QCOMPARE(opened.count(), 2);
        QCOMPARE(opened.last().at(0).toInt(), 2);
        QCOMPARE(view.rowAt(view.cellRect(5, Column::Name).center()), 5);
        QCOMPARE(view.positionAt(view.cellRect(5, Column::Name).center()), 5);
        QCOMPARE(view.rowAt(view.cellRect(4, Column::Name).center()), 1);
    }

    void filteringOutTheFramedRowDropsTheFrame()
    {
        ResultListView view(m_countries);
        view.model()->appendRecords(hotspots());
        view.SetSel(3);
        view.setFilterText(QStringLiteral("austin"));
        QCOMPARE(view.SelectedRow(), 0);
        QVERIFY(view.selectionFrame()->isHidden());
        QCOMPARE(view.canvas()->height(), twips(400 + 480 * 2));
        view.SetSel(3); // not shown: nothing to frame
        QCOMPARE(view.SelectedRow(), 0);
        view.SetSel(4);
        QCOMPARE(view.selectionFrame()->geometry(), view.selectionRect(2));
    }

    void frameStaysInSightWhenSortingMovesIt()
    {
        ResultListView view(m_countries);
        std::vector<std::string> many;
        for (int i = 1; i <= 100; ++i)
            many.push_back("Name " + std::to_string(1000 - i));
        view.model()->appendRecords(many);
        view.SetSel(1);
        view.sortByColumn(Column::Name); // hotspot 1 ("Name 999") goes to the end
        QCOMPARE(view.model()->positionOf(1), 100);
        const QRect frame = view.selectionFrame()->geometry().translated(view.canvas()->pos());
        QVERIFY(view.rect().contains(frame));
    }

    void headingsSortAndShowTheirMark()
    {
        ResultListView view(m_countries);
        view.model()->appendRecords(hotspots());
        std::array<ColumnHeading *, 6> headings {};
        QWidget holder;
        for (std::size_t i = 0; i < headings.size(); ++i)
            headings[i] = new ColumnHeading(QStringLiteral("H%1").arg(i), &holder);
        view.attachHeadings(headings);
        holder.show();
        QVERIFY(QTest::qWaitForWindowExposed(&holder));

        QTest::mouseClick(headings[2], Qt::LeftButton); // City
        QCOMPARE(view.model()->sortColumn(), std::optional(Column::City));
        QCOMPARE(headings[2]->sortMark(), std::optional(Qt::AscendingOrder));
        QCOMPARE(headings[2]->text(), QStringLiteral("H2")); // the caption stays as designed
        headings[2]->setFocus();
        QTest::keyClick(headings[2], Qt::Key_Space);
        QCOMPARE(headings[2]->sortMark(), std::optional(Qt::DescendingOrder));
        QCOMPARE(headings[2]->sortDescription(), QStringLiteral("sorted descending"));
        QTest::keyClick(headings[0], Qt::Key_Return);
        QCOMPARE(view.model()->sortColumn(), std::optional(Column::Name));
        QVERIFY(!headings[2]->sortMark());
        view.clearResults();
        QVERIFY(!headings[0]->sortMark());

        // To a screen reader a heading is a column header that can be pressed.
        QAccessibleInterface *heading = QAccessible::queryAccessibleInterface(headings[4]);
        QVERIFY(heading);
        QCOMPARE(heading->role(), QAccessible::ColumnHeader);
        QCOMPARE(heading->text(QAccessible::Name), QStringLiteral("H4"));
        QVERIFY(heading->actionInterface());
        heading->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(view.model()->sortColumn(), std::optional(Column::Access));
        QCOMPARE(heading->text(QAccessible::Description), QStringLiteral("sorted ascending"));
    }

    void filterBoxNarrowsAndANewLoadEmptiesIt()
    {
        ResultListView view(m_countries);
        view.model()->appendRecords(hotspots());
        QLineEdit filter;
        view.attachFilter(&filter);
        QTest::keyClicks(&filter, QStringLiteral("AUS"));
        QCOMPARE(shownRows(*view.model()), (std::vector<int> { 2, 4 }));
        filter.setText(QStringLiteral("  "));
        QCOMPARE(filter.text(), QStringLiteral("  ")); // typing is never undone
        filter.setText(QStringLiteral("bonn"));
        view.clearResults();
        QVERIFY(filter.text().isEmpty());
    }

    void rowsAreATableForAssistiveTechnology()
    {
        ResultListView view(m_countries);
        view.model()->appendRecords(hotspots());
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(&view);
        QVERIFY(list);
        QCOMPARE(list->role(), QAccessible::Table);
        QCOMPARE(list->text(QAccessible::Name), QStringLiteral("Results"));
        QAccessibleTableInterface *table = list->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->rowCount(), 5);
        QCOMPARE(table->columnCount(), 7);
        QCOMPARE(list->childCount(), 35);
        QCOMPARE(table->columnDescription(1), QStringLiteral("Location Name"));
        QCOMPARE(table->columnDescription(6), QStringLiteral("Operator"));

        view.sortByColumn(Column::Name); // 3, 2, 4, 1, 5
        view.setFilterText(QStringLiteral("cafe"));
        QAccessibleInterface *cell = table->cellAt(1, 1);
        QVERIFY(cell);
        QCOMPARE(cell->role(), QAccessible::Cell);
        QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("cafe 2"));
        QCOMPARE(table->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("2"));
        QCOMPARE(table->cellAt(0, 2)->text(QAccessible::Name),
            QStringLiteral("UNITED STATES OF AMERICA"));
        QCOMPARE(table->rowDescription(3), QStringLiteral("1"));
        QAccessibleTableCellInterface *cellInfo = cell->tableCellInterface();
        QVERIFY(cellInfo);
        QCOMPARE(cellInfo->rowIndex(), 1);
        QCOMPARE(cellInfo->columnIndex(), 1);
        QCOMPARE(list->indexOfChild(cell), 1 * 7 + 1);
        QCOMPARE(list->child(1 * 7 + 1), cell);
        QCOMPARE(cell->parent(), list);
        QVERIFY(!cellInfo->isSelected());

        // The frame is the selection; selecting a row frames it.
        QVERIFY(table->selectRow(2));
        QCOMPARE(view.SelectedRow(), 4);
        QCOMPARE(table->selectedRows(), QList<int> { 2 });
        QVERIFY(table->cellAt(2, 3)->state().selected);
        QCOMPARE(table->selectedCellCount(), 7);

        // A cell's place on screen is where its text is painted.
        const QRect painted = view.cellRect(3, Column::City);
        QCOMPARE(table->cellAt(2, 3)->rect(),
            QRect(view.canvas()->mapToGlobal(painted.topLeft()), painted.size()));
        QCOMPARE(list->childAt(view.canvas()->mapToGlobal(painted.center()).x(),
                     view.canvas()->mapToGlobal(painted.center()).y()),
            table->cellAt(2, 3));

        // Rows that the filter hides are gone from the table too.
        view.setFilterText(QStringLiteral("zurich"));
        QCOMPARE(table->rowCount(), 1);
        QVERIFY(!table->cellAt(1, 1));
        QCOMPARE(table->cellAt(0, 1)->text(QAccessible::Name), QStringLiteral("Bakery"));
    }
};

QTEST_MAIN(TestResultSorting)
#include "tst_result_sorting.moc"
