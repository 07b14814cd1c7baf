#include "reference/reference_table.h"

#include <QTest>

using namespace pellomar;

namespace {

std::string_view view(const QByteArray &bytes)
{
    return std::string_view(bytes.constData(), std::size_t(bytes.size()));
}

QByteArray bytes(std::string_view text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}

// The table's rows written as "name=code", one list entry per row.
QByteArrayList rowsOf(const ReferenceTable &table)
{
    QByteArrayList list;
    for (const ReferenceRow &row : table.rows())
        list << bytes(row.name) + '=' + bytes(row.code);
    return list;
}

QByteArray numberedLines(const char *pattern, int count, const char *lineEnd)
{
    QByteArray text;
    for (int i = 1; i <= count; ++i)
        text += QByteArray(pattern).replace("#", QByteArray::number(i)) + lineEnd;
    return text;
}

ReferenceTable sampleCountries()
{
    return ParseCountries("us|United States of America\r\n"
                          "CA | Canada\r\n"
                          "AX|\xC3\x85land Islands\r\n"
                          "ZZ\r\n"
                          "GB|United Kingdom\r\n"
                          "UK|United Kingdom\r\n"
                          "|Nowhere\r\n")
        .table;
}

} // namespace

class TestReferenceTable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void splitLines_data();
    void splitLines();
    void parseCountries_data();
    void parseCountries();
    void parseLocationTypes_data();
    void parseLocationTypes();
    void capacity_data();
    void capacity();
    void codeForName_data();
    void codeForName();
    void nameForCode_data();
    void nameForCode();
    void appendStopsAtCapacity();
    void lookupsFollowAppends();
};

void TestReferenceTable::splitLines_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArrayList>("lines");

    QTest::newRow("empty") << QByteArray() << QByteArrayList {};
    QTest::newRow("no line end") << QByteArray("a") << QByteArrayList { "a" };
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QByteArrayList { "a", "b" };
    QTest::newRow("last line without end") << QByteArray("a\r\nb") << QByteArrayList { "a", "b" };
    QTest::newRow("lone CR") << QByteArray("a\rb\r") << QByteArrayList { "a", "b" };
    QTest::newRow("lone LF") << QByteArray("a\nb\n") << QByteArrayList { "a", "b" };
    QTest::newRow("mixed") << QByteArray("a\rb\nc\r\n\r\nd")
                           << QByteArrayList { "a", "b", "c", "", "d" };
    QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QByteArrayList { "a", "", "b" };
    QTest::newRow("CR CR LF") << QByteArray("\r\r\n") << QByteArrayList { "", "" };
    QTest::newRow("empty lines only") << QByteArray("\n\n") << QByteArrayList { "", "" };
    QTest::newRow("NUL inside") << QByteArray("a\0b\n", 4)
                                << QByteArrayList { QByteArray("a\0b", 3) };
}

void TestReferenceTable::splitLines()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArrayList, lines);
    QByteArrayList got;
    for (std::string_view line : SplitLines(view(text)))
        got << bytes(line);
    QCOMPARE(got, lines);
}

void TestReferenceTable::parseCountries_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArrayList>("rows");

    QTest::newRow("code then name") << QByteArray("AF|Afghanistan\r\nAL|Albania\r\n")
                                    << QByteArrayList { "Afghanistan=AF", "Albania=AL" };
    QTest::newRow("spaces around the bar") << QByteArray("  US  |  United States of America  \r\n")
                                           << QByteArrayList { "United States of America=US" };
    QTest::newRow("code kept as written")
        << QByteArray("us|United States\r\n") << QByteArrayList { "United States=us" };
    QTest::newRow("empty lines anywhere")
        << QByteArray("\r\n\r\nAF|Afghanistan\r\n   \r\n\r\nAL|Albania\r\n\r\n\r\n")
        << QByteArrayList { "Afghanistan=AF", "Albania=AL" };
    QTest::newRow("CR-only line ends") << QByteArray("AF|Afghanistan\rAL|Albania\r")
                                       << QByteArrayList { "Afghanistan=AF", "Albania=AL" };
    QTest::newRow("LF-only line ends") << QByteArray("AF|Afghanistan\nAL|Albania")
                                       << QByteArrayList { "Afghanistan=AF", "Albania=AL" };
    QTest::newRow("missing separator") << QByteArray("ZZ Nowhere\r\nAL|Albania\r\n")
                                       << QByteArrayList { "=ZZ Nowhere", "Albania=AL" };
    QTest::newRow("> dropped") << QByteArray("U>S|Uni>ted >States>\r\n")
                               << QByteArrayList { "United States=US" };
    QTest::newRow("third field ignored")
        << QByteArray("AF|Afghanistan|extra\r\n") << QByteArrayList { "Afghanistan=AF" };
    QTest::newRow("tab is no space")
        << QByteArray("AF|\tAfghanistan\r\n") << QByteArrayList { "\tAfghanistan=AF" };
    QTest::newRow("duplicates kept in order")
        << QByteArray("GB|United Kingdom\r\nUK|United Kingdom\r\n")
        << QByteArrayList { "United Kingdom=GB", "United Kingdom=UK" };
    QTest::newRow("UTF-8 kept") << QByteArray("AX|\xC3\x85land Islands\r\n")
                                << QByteArrayList { "\xC3\x85land Islands=AX" };
    QTest::newRow("Latin-1 read as Latin-1")
        << QByteArray("AX|\xC5land Islands\r\n") << QByteArrayList { "\xC3\x85land Islands=AX" };
    QTest::newRow("empty file") << QByteArray() << QByteArrayList {};
}

void TestReferenceTable::parseCountries()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArrayList, rows);
    const ReferenceFile parsed = ParseCountries(view(file));
    QCOMPARE(rowsOf(parsed.table), rows);
    QCOMPARE(parsed.linesIgnored, std::size_t(0));
    QCOMPARE(parsed.table.capacity(), ReferenceTable::CountryCapacity);
}

void TestReferenceTable::parseLocationTypes_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArrayList>("rows");

    QTest::newRow("name then code") << QByteArray("Airport,AIR\r\nHotel,HOTEL\r\n")
                                    << QByteArrayList { "Airport=AIR", "Hotel=HOTEL" };
    QTest::newRow("spaces around the comma")
        << QByteArray("  Train station ,  TRAIN  \r\n") << QByteArrayList { "Train station=TRAIN" };
    QTest::newRow("> kept") << QByteArray("Caf>e,C>AFE\r\n") << QByteArrayList { "Caf>e=C>AFE" };
    QTest::newRow("< is ordinary")
        << QByteArray("Bed<Breakfast,BB\r\n") << QByteArrayList { "Bed<Breakfast=BB" };
    QTest::newRow("missing separator") << QByteArray("Park\r\n") << QByteArrayList { "Park=" };
    QTest::newRow("bar is ordinary") << QByteArray("A|B,C\r\n") << QByteArrayList { "A|B=C" };
    QTest::newRow("empty lines anywhere")
        << QByteArray("\r\nAirport,AIR\r\n\r\n \r\nHotel,HOTEL\r\n\r\n")
        << QByteArrayList { "Airport=AIR", "Hotel=HOTEL" };
    QTest::newRow("CR-only line ends") << QByteArray("Airport,AIR\rHotel,HOTEL\r")
                                       << QByteArrayList { "Airport=AIR", "Hotel=HOTEL" };
    QTest::newRow("Latin-1 read as Latin-1")
        << QByteArray("Caf\xE9,CAFE\r\n") << QByteArrayList { "Caf\xC3\xA9=CAFE" };
}

void TestReferenceTable::parseLocationTypes()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArrayList, rows);
    const ReferenceFile parsed = ParseLocationTypes(view(file));
    QCOMPARE(rowsOf(parsed.table), rows);
    QCOMPARE(parsed.linesIgnored, std::size_t(0));
    QCOMPARE(parsed.table.capacity(), ReferenceTable::LocationTypeCapacity);
}

void TestReferenceTable::capacity_data()
{
    QTest::addColumn<bool>("countries");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("ignored");
    QTest::addColumn<QByteArray>("lastName");

    QTest::newRow("500 countries fit") << true << numberedLines("C#|Country #", 500, "\r\n") << 500
                                       << 0 << QByteArray("Country 500");
    QTest::newRow("505 countries") << true << numberedLines("C#|Country #", 505, "\r\n") << 500 << 5
                                   << QByteArray("Country 500");
    QTest::newRow("empty lines use no row")
        << true << numberedLines("C#|Country #", 500, "\r\n\r\n   \r\n") << 500 << 0
        << QByteArray("Country 500");
    QTest::newRow("100 location types fit")
        << false << numberedLines("Type #,T#", 100, "\n") << 100 << 0 << QByteArray("Type 100");
    QTest::newRow("101 location types")
        << false << numberedLines("Type #,T#", 101, "\r") << 100 << 1 << QByteArray("Type 100");
}

void TestReferenceTable::capacity()
{
    QFETCH(bool, countries);
    QFETCH(QByteArray, file);
    QFETCH(int, rows);
    QFETCH(int, ignored);
    QFETCH(QByteArray, lastName);
    const ReferenceFile parsed
        = countries ? ParseCountries(view(file)) : ParseLocationTypes(view(file));
    QCOMPARE(int(parsed.table.rows().size()), rows);
    QCOMPARE(int(parsed.linesIgnored), ignored);
    QCOMPARE(bytes(parsed.table.rows().back().name), lastName);
}

void TestReferenceTable::codeForName_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QByteArray>("code");

    QTest::newRow("as listed, code upper-cased")
        << QByteArray("United States of America") << true << QByteArray("US");
    QTest::newRow("other case") << QByteArray("CANADA") << true << QByteArray("CA");
    QTest::newRow("surrounding spaces") << QByteArray("   canada  ") << true << QByteArray("CA");
    QTest::newRow("UTF-8 name, other case")
        << QByteArray("\xC3\xA5LAND ISLANDS") << true << QByteArray("AX");
    QTest::newRow("Latin-1 name") << QByteArray("\xC5land Islands") << true << QByteArray("AX");
    QTest::newRow("first of duplicates")
        << QByteArray("united kingdom") << true << QByteArray("GB");
    QTest::newRow("not listed") << QByteArray("Atlantis") << false << QByteArray();
    QTest::newRow("inner spaces matter") << QByteArray("United  Kingdom") << false << QByteArray();
    QTest::newRow("a code is no name") << QByteArray("CA") << false << QByteArray();
    // Listed without a code: nothing could be searched, so it is not in the list.
    QTest::newRow("name without a code") << QByteArray("Nowhere") << false << QByteArray();
    // The "ZZ" line has no name; a blank field must not find it.
    QTest::newRow("empty") << QByteArray() << false << QByteArray();
    QTest::newRow("spaces only") << QByteArray("   ") << false << QByteArray();
}

void TestReferenceTable::codeForName()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, found);
    QFETCH(QByteArray, code);
    const auto result = sampleCountries().codeForName(view(name));
    QCOMPARE(result.has_value(), found);
    if (found)
        QCOMPARE(bytes(*result), code);
}

void TestReferenceTable::nameForCode_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QByteArray>("name");

    QTest::newRow("name upper-cased") << QByteArray("CA") << true << QByteArray("CANADA");
    QTest::newRow("code in the file lower-case")
        << QByteArray("US") << true << QByteArray("UNITED STATES OF AMERICA");
    QTest::newRow("code in other case, spaces")
        << QByteArray(" ax ") << true << QByteArray("\xC3\x85LAND ISLANDS");
    QTest::newRow("line without a name") << QByteArray("zz") << true << QByteArray();
    QTest::newRow("not listed") << QByteArray("XX") << false << QByteArray();
    QTest::newRow("a name is no code") << QByteArray("Canada") << false << QByteArray();
    // The "|Nowhere" line has no code; a record without a country must not find it.
    QTest::newRow("empty") << QByteArray() << false << QByteArray();
}

void TestReferenceTable::nameForCode()
{
    QFETCH(QByteArray, code);
    QFETCH(bool, found);
    QFETCH(QByteArray, name);
    const auto result = sampleCountries().nameForCode(view(code));
    QCOMPARE(result.has_value(), found);
    if (found)
        QCOMPARE(bytes(*result), name);
}

void TestReferenceTable::appendStopsAtCapacity()
{
    ReferenceTable table(2);
    QVERIFY(table.append({ "a", "1" }));
    QVERIFY(table.append({ "b", "2" }));
    QVERIFY(!table.append({ "c", "3" }));
    QCOMPARE(rowsOf(table), (QByteArrayList { "a=1", "b=2" }));
}

// The lookups answer from keys kept as rows are appended: a later row must be found, must not
// take a key from an earlier row, and a row refused at capacity must leave no key behind.
void TestReferenceTable::lookupsFollowAppends()
{
    ReferenceTable table(3);
    QVERIFY(table.append({ " Canada ", "ca" }));
    QCOMPARE(table.nameForCode("CA").value_or("?"), std::string("CANADA"));
    QVERIFY(!table.nameForCode("de").has_value());

    QVERIFY(table.append({ "Kanada", " CA " }));
    QVERIFY(table.append({ "germany", "de" }));
    QVERIFY(!table.append({ "Atlantis", "xx" }));

    QCOMPARE(table.nameForCode("ca").value_or("?"), std::string("CANADA"));
    QCOMPARE(table.nameForCode("De").value_or("?"), std::string("GERMANY"));
    QCOMPARE(table.codeForName("kanada").value_or("?"), std::string("CA"));
    QVERIFY(!table.nameForCode("xx").has_value());
    QVERIFY(!table.codeForName("Atlantis").has_value());

    // A copy answers on its own, as the detail windows' copies do.
    const ReferenceTable copy = table;
    QCOMPARE(copy.codeForName("GERMANY").value_or("?"), std::string("DE"));
}

QTEST_APPLESS_MAIN(TestReferenceTable)
#include "tst_reference_table.moc"
