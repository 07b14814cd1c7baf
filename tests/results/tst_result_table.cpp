#include "results/result_table.h"

#include <QTest>

using namespace pellomar;

class TestResultTable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void entriesPastTheCountAreEmpty_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("0") << 0 << QByteArray();
        QTest::newRow("-1") << -1 << QByteArray();
        QTest::newRow("1") << 1 << QByteArray("first");
        QTest::newRow("3") << 3 << QByteArray("third");
        QTest::newRow("4, past the count") << 4 << QByteArray();
        QTest::newRow("2000, never filled") << 2000 << QByteArray();
        QTest::newRow("2001") << 2001 << QByteArray();
    }
    void entriesPastTheCountAreEmpty()
    {
        QFETCH(int, index);
        QFETCH(QByteArray, expected);
        ResultTable table;
        QVERIFY(table.append("first"));
        QVERIFY(table.append("second"));
        QVERIFY(table.append("third"));
        QCOMPARE(table.count(), 3);
        QCOMPARE(table.entry(index), expected.toStdString());
    }

    void clearEmptiesEveryEntry()
    {
        ResultTable table;
        for (int i = 1; i <= 5; ++i)
            QVERIFY(table.append("r" + std::to_string(i)));
        table.clear();
        QCOMPARE(table.count(), 0);
        for (int i = 1; i <= ResultTable::Capacity; ++i)
            QVERIFY(table.entry(i).empty());
        // Numbering starts again at 1.
        QVERIFY(table.append("again"));
        QCOMPARE(table.entry(1), std::string("again"));
        QVERIFY(table.entry(2).empty());
    }

    void refusesPastTheCapacity()
    {
        ResultTable table;
        for (int i = 1; i <= ResultTable::Capacity; ++i)
            QVERIFY(table.append(std::to_string(i)));
        QVERIFY(!table.append("one more"));
        QCOMPARE(table.count(), ResultTable::Capacity);
        QCOMPARE(table.entry(ResultTable::Capacity), std::to_string(ResultTable::Capacity));
    }
};

QTEST_APPLESS_MAIN(TestResultTable)
#include "tst_result_table.moc"
