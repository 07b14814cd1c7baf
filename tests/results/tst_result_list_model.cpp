#include "reference/reference_table.h"
#include "results/result_list_model.h"
#include "results/result_test_files.h"

#include <QColor>
#include <QFont>
#include <QSignalSpy>
#include <QTest>

using namespace pellomar;
using Column = ResultListModel::Column;

namespace {

ReferenceTable countries()
{
    return ParseCountries("US|United States of America\nDE|Germany\nAX|\xC3\x85land Islands\n")
        .table;
}

} // namespace

class TestResultListModel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void captions_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QStringList>("cells"); // name, country, city, type, access, operator
        QTest::newRow("full record")
            << QByteArray("Cafe Nero<>Free<>Boingo<>http://x<>555<>a@b<>Cafe<>1 Rd<>10001"
                          "<>New York<>US<>1<>2<>1<>ssid<>desc<>img.jpg")
            << QStringList { QStringLiteral("Cafe Nero"),
                   QStringLiteral("UNITED STATES OF AMERICA"), QStringLiteral("New York"),
                   QStringLiteral("Cafe"), QStringLiteral("Free"), QStringLiteral("Boingo") };
        QTest::newRow("A<>B<>C") << QByteArray("A<>B<>C")
                                 << QStringList { QStringLiteral("A"), QString(), QString(),
                                        QString(), QStringLiteral("B"), QStringLiteral("C") };
        QTest::newRow("plain message fills only the name")
            << QByteArray("No hotspots match, try again")
            << QStringList { QStringLiteral("No hotspots match, try again"), QString(), QString(),
                   QString(), QString(), QString() };
        QTest::newRow("access in the case it was sent")
            << QByteArray("x<>free<>o<><><><>t<><><>c<>de")
            << QStringList { QStringLiteral("x"), QStringLiteral("GERMANY"), QStringLiteral("c"),
                   QStringLiteral("t"), QStringLiteral("free"), QStringLiteral("o") };
        QTest::newRow("unknown country is empty")
            << QByteArray("x<><><><><><><><><><>ZZ")
            << QStringList { QStringLiteral("x"), QString(), QString(), QString(), QString(),
                   QString() };
        QTest::newRow("country name in capitals beyond ASCII")
            << QByteArray("x<><><><><><><><><><>ax")
            << QStringList { QStringLiteral("x"), QStringLiteral("\u00C5LAND ISLANDS"), QString(),
                   QString(), QString(), QString() };
        QTest::newRow("spaces inside fields stay")
            << QByteArray("  A  <> B ")
            << QStringList { QStringLiteral("A  "), QString(), QString(), QString(),
                   QStringLiteral(" B"), QString() };
        QTest::newRow("UTF-8 text") << QByteArray("Caf\xC3\xA9 M\xC3\xBCller")
                                    << QStringList { QStringLiteral("Caf\u00E9 M\u00FCller"),
                                           QString(), QString(), QString(), QString(), QString() };
        QTest::newRow("Latin-1 text") << QByteArray("Caf\xE9")
                                      << QStringList { QStringLiteral("Caf\u00E9"), QString(),
                                             QString(), QString(), QString(), QString() };
    }
    void captions()
    {
        QFETCH(QByteArray, line);
        QFETCH(QStringList, cells);
        const ReferenceTable table = countries();
        ResultListModel model(table);
        model.appendRecords({ "first", line.toStdString() });
        QCOMPARE(model.rowCount(), 2);
        QStringList shown;
        for (int c = 1; c < model.columnCount(); ++c) {
            shown << model.caption(2, static_cast<Column>(c));
            QCOMPARE(model.index(1, c).data().toString(), shown.last());
        }
        QCOMPARE(shown, cells);
        QCOMPARE(model.caption(2, Column::Number), QStringLiteral("2"));
        QCOMPARE(model.index(1, 0).data(ResultListModel::RecordRole).toByteArray(), line);
    }

    void rowsAlternateGreyAndWhite()
    {
        const ReferenceTable table = countries();
        ResultListModel model(table);
        model.appendRecords({ "a", "b", "c", "d" });
        for (int r = 0; r < 4; ++r) {
            const QColor expected = r % 2 == 0 ? QColor(224, 224, 224) : QColor(Qt::white);
            for (int c = 1; c < model.columnCount(); ++c)
                QCOMPARE(model.index(r, c).data(Qt::BackgroundRole).value<QColor>(), expected);
            QVERIFY(!model.index(r, 0).data(Qt::BackgroundRole).isValid());
        }
        const QFont text = model.index(0, 1).data(Qt::FontRole).value<QFont>();
        const QFont number = model.index(0, 0).data(Qt::FontRole).value<QFont>();
        QCOMPARE(text.family(), QStringLiteral("Verdana"));
        QCOMPARE(text.pointSizeF(), 8.25);
        QVERIFY(!text.bold());
        QCOMPARE(number.pointSizeF(), 9.75);
        QVERIFY(number.bold());
        QCOMPARE(model.index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>()
                & Qt::AlignHorizontal_Mask,
            Qt::AlignRight);
        QCOMPARE(model.index(0, 3).data(Qt::TextAlignmentRole).value<Qt::Alignment>()
                & Qt::AlignHorizontal_Mask,
            Qt::AlignLeft);
    }

    void appendingContinuesTheNumbering()
    {
        const ReferenceTable table = countries();
        ResultListModel model(table);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        model.appendRecords({ "a", "b" });
        model.appendRecords({});
        model.appendRecords({ "c" });
        QCOMPARE(inserted.count(), 2);
        QCOMPARE(inserted.at(1).at(1).toInt(), 2);
        QCOMPARE(model.count(), 3);
        QCOMPARE(model.record(3), std::string("c"));
        QCOMPARE(model.caption(3, Column::Name), QStringLiteral("c"));
        QCOMPARE(model.caption(3, Column::Number), QStringLiteral("3"));
        QVERIFY(model.record(4).empty());
        QVERIFY(model.caption(4, Column::Name).isEmpty());
    }

    void clearEmptiesListAndTable()
    {
        const ReferenceTable table = countries();
        ResultListModel model(table);
        model.appendRecords({ test::recordLine(1), test::recordLine(2) });
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        model.clear();
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(model.record(1).empty());
        model.appendRecords({ "new" });
        QCOMPARE(model.record(1), std::string("new"));
        QVERIFY(model.record(2).empty());
    }

    void stopsAtTheTableCapacity()
    {
        const ReferenceTable table = countries();
        ResultListModel model(table);
        model.appendRecords(std::vector<std::string>(ResultTable::Capacity - 1, "x"));
        model.appendRecords({ "last", "dropped" });
        QCOMPARE(model.rowCount(), ResultTable::Capacity);
        QCOMPARE(model.record(ResultTable::Capacity), std::string("last"));
    }

    void headings()
    {
        const ReferenceTable table = countries();
        ResultListModel model(table);
        QStringList headings;
        for (int c = 0; c < model.columnCount(); ++c)
            headings << model.headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headings,
            (QStringList { QString(), QStringLiteral("Location Name"), QStringLiteral("Country"),
                QStringLiteral("City"), QStringLiteral("Type"), QStringLiteral("Access"),
                QStringLiteral("Operator") }));
    }
};

QTEST_MAIN(TestResultListModel)
#include "tst_result_list_model.moc"
