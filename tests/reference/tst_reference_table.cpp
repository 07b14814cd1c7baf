#include "reference/reference_table.h"

#include <QTest>

using namespace pellomar;

namespace {

std::string_view view(const QByteArray &bytes)
{
    return { bytes.constData(), std::size_t(bytes.size()) };
}

// The table's rows as "name=code".
QByteArrayList rowsOf(const ReferenceTable &table)
{
    QByteArrayList list;
    for (const ReferenceRow &row : table.rows())
        list << QByteArray::fromStdString(row.name) + '=' + QByteArray::fromStdString(row.code);
    return list;
}

QByteArray numberedLines(const char *pattern, int count)
{
    QByteArray text;
    for (int i = 1; i <= count; ++i)
        text += QByteArray(pattern).replace("#", QByteArray::number(i)) + "\r\n";
    return text;
}

} // namespace

// The country and location type files: their lines, their rows, and the lookups the search
// and the result list make in them.
class TestReferenceTable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<bool>("countries"); // else location types
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArrayList>("rows");
        QTest::addColumn<int>("ignored");
        QTest::newRow("countries: code|name, spaces, > dropped, third field ignored")
            << true << QByteArray("  US  |  United >States  \r\nAF|Afghanistan|x")
            << QByteArrayList { "United States=US", "Afghanistan=AF" } << 0;
        QTest::newRow("line ends CR LF, lone CR, lone LF, empty lines")
            << true << QByteArray("A|a\r\n\r\nB|b\rC|c\n\n  \nD|d")
            << QByteArrayList { "a=A", "b=B", "c=C", "d=D" } << 0;
        QTest::newRow("missing separator, tab kept, NUL inside")
            << true << QByteArray("ZZ Nowhere\r\n\tT|Tab\r\nD\0E|Ger\0many", 32)
            << QByteArrayList { "=ZZ Nowhere", "Tab=\tT", QByteArray("Ger\0many=D\0E", 12) } << 0;
        QTest::newRow("UTF-8 kept, Latin-1 read as Latin-1")
            << true << QByteArray("AX|\xC3\x85land\r\nAY|\xC5land")
            << QByteArrayList { "\xC3\x85land=AX", "\xC3\x85land=AY" } << 0;
        QTest::newRow("505 countries: 500 rows")
            << true << numberedLines("C#|Country #", 505) << QByteArrayList() << 5;
        QTest::newRow("location types: name,code, > kept, | and < ordinary")
            << false << QByteArray("Caf>e , C>AFE\r\nA|B<C,D\r\nPark")
            << QByteArrayList { "Caf>e=C>AFE", "A|B<C=D", "Park=" } << 0;
        QTest::newRow("101 location types: 100 rows")
            << false << numberedLines("Type #,T#", 101) << QByteArrayList() << 1;
    }
    void parse()
    {
        QFETCH(bool, countries);
        QFETCH(QByteArray, file);
        QFETCH(QByteArrayList, rows);
        QFETCH(int, ignored);
        const ReferenceFile parsed
            = countries ? ParseCountries(view(file)) : ParseLocationTypes(view(file));
        QCOMPARE(int(parsed.linesIgnored), ignored);
        if (ignored == 0) {
            QCOMPARE(rowsOf(parsed.table), rows);
            return;
        }
        // Full: the rows in file order up to the capacity, and the lookups only over those.
        QCOMPARE(parsed.table.rows().size(), parsed.table.capacity());
        const QByteArray last = QByteArray::number(qsizetype(parsed.table.capacity()));
        QCOMPARE(rowsOf(parsed.table).last(),
            countries ? "Country " + last + "=C" + last : "Type " + last + "=T" + last);
        QVERIFY(!parsed.table.codeForName(countries ? "Country 501" : "Type 101"));
    }

    void lookups_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("code"); // "" for a miss
        QTest::addColumn<QByteArray>("nameForCode");
        QTest::newRow("code upper-cased, name in capitals")
            << QByteArray("United States of America") << QByteArray("US")
            << QByteArray("UNITED STATES OF AMERICA");
        QTest::newRow("other case, spaces around")
            << QByteArray("   canada  ") << QByteArray("CA") << QByteArray("CANADA");
        QTest::newRow("UTF-8 and Latin-1 names find one row") << QByteArray(
            "\xC5LAND ISLANDS") << QByteArray("AX") << QByteArray("\xC3\x85LAND ISLANDS");
        QTest::newRow("first of two rows")
            << QByteArray("united kingdom") << QByteArray("GB") << QByteArray("UNITED KINGDOM");
        QTest::newRow("inner spaces matter")
            << QByteArray("United  Kingdom") << QByteArray() << QByteArray();
        QTest::newRow("a code is no name") << QByteArray("CA") << QByteArray() << QByteArray();
        // Listed without a code: nothing could be searched, so it is not in the list.
        QTest::newRow("name without a code")
            << QByteArray("Nowhere") << QByteArray() << QByteArray();
        QTest::newRow("empty name never matches the line without one")
            << QByteArray("  ") << QByteArray() << QByteArray();
    }
    void lookups()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, code);
        const ReferenceTable table = ParseCountries(
            "us|United States of America\r\nCA | Canada\r\nAX|\xC3\x85land Islands\r\n"
            "ZZ\r\nGB|United Kingdom\r\nUK|United Kingdom\r\n|Nowhere\r\n")
                                         .table;
        QCOMPARE(QByteArray::fromStdString(table.codeForName(view(name)).value_or("")), code);
        if (!code.isEmpty())
            QTEST(QByteArray::fromStdString(*table.nameForCode(view(" " + code.toLower()))),
                "nameForCode");
        QVERIFY(!table.nameForCode(""));
        QCOMPARE(table.nameForCode("zz").value_or("?"), std::string()); // the line without a name
    }
};

QTEST_APPLESS_MAIN(TestReferenceTable)
#include "tst_reference_table.moc"
