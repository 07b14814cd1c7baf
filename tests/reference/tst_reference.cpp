// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reference/coordinates.h"
#include "reference/reference_table.h"
#include "reference/text_encoding.h"
#include "reference/text_fields.h"

#include <QTest>
#include <cmath>

using namespace pellomar;

namespace {

std::string_view view(const QByteArray &bytes)
{
    return { bytes.constData(), std::size_t(bytes.size()) };
}

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

// The rules every parser goes through, bytes in and bytes out: the field helpers, text from
// outside, the reference files and their lookups, and the one coordinate parser.
class TestReference : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void getField_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("delimiter");
        QTest::addColumn<QByteArray>("field");
        const auto row = [](const char *name, const QByteArray &text, int index,
                             const QByteArray &delimiter, const QByteArray &field) {
            QTest::newRow(name) << text << index << delimiter << field;
        };
        // "," asks for the record separator "<"; every ">" is removed from the field.
        row("record field 3", "A><B><C>", 3, ",", "C");
        row("past the end", "A<B", 3, ",", "");
        row("no separator: all of it as field 1", "A,B", 1, ",", "A,B");
        row("two in a row", "A<<B", 3, ",", "B");
        row("> inside a field", "a>b<c", 1, ",", "ab");
        // The whole text is trimmed, never the fields; tabs are no spaces.
        row("padded text", "  US | Canada\t ", 2, "|", " Canada\t");
        row("delimiter trimmed and lower-cased", "axb", 2, "  X ", "b");
        row("a longer delimiter never splits", "a||b", 1, "||", "a||b");
        row("no delimiter never splits", "a|b", 2, "", "");
        row("NUL and high bytes are bytes", QByteArray("a\0b<\xff", 5), 1, ",",
            QByteArray("a\0b", 3));
        // GetCommaField: "," itself, fields untrimmed, ">" and "<" kept.
        row("comma field", "  a>b<c , H  ", 1, "GetCommaField", "a>b<c ");
        row("empty comma field", "a,,c", 2, "GetCommaField", "");
    }
    void getField()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, index);
        QFETCH(QByteArray, delimiter);
        QTEST(QByteArray::fromStdString(delimiter == "GetCommaField"
                      ? GetCommaField(view(text), index)
                      : GetField(view(text), index, view(delimiter))),
            "field");
    }

    // Case is changed in UTF-8 text as UTF-8, in other text as Latin-1; trimming takes spaces.
    void caseAndTrim_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("lower");
        QTest::addColumn<QByteArray>("upper");
        const auto row
            = [](const char *name, const QByteArray &text, const QByteArray &lower,
                  const QByteArray &upper) { QTest::newRow(name) << text << lower << upper; };
        row("ASCII, spaces, tabs stay", " \tUnited-1 (B)\r\n ", "\tunited-1 (b)\r\n",
            "\tUNITED-1 (B)\r\n");
        row("UTF-8 letters", "\xC3\x85land \xC3\xA9", "\xC3\xA5land \xC3\xA9",
            "\xC3\x85LAND \xC3\x89");
        const QByteArray signs = "\xC3\x97\xC3\xB7\xC3\xBF\xD0\x90";
        row("UTF-8 signs and other scripts stay", signs, signs, signs);
        // Not UTF-8 as a whole, so C3 is the Latin-1 letter A-tilde.
        row("Latin-1", "\xC3\x89\xC5l\xF7\xFF", "\xE3\x89\xE5l\xF7\xFF", "\xC3\x89\xC5L\xF7\xFF");
        row("spaces only", "   ", "", "");
        row("NUL is no space", QByteArray(" \0 A ", 5), QByteArray("\0 a", 3),
            QByteArray("\0 A", 3));
    }
    void caseAndTrim()
    {
        QFETCH(QByteArray, text);
        QTEST(QByteArray::fromStdString(LowerTrim(view(text))), "lower");
        QTEST(QByteArray::fromStdString(upperTrim(view(text))), "upper");
    }

    void utf8_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QByteArray>("utf8Bytes");
        const auto valid = [](const char *name, const QByteArray &text) {
            QTest::newRow(name) << text << true << text;
        };
        valid("ASCII with NUL", QByteArray("a\0b", 3));
        valid("two, three and four bytes, the highest", "caf\xC3\xA9\xE2\x82\xAC\xF4\x8F\xBF\xBF");
        for (const char *invalid : { "\xF4\x90\x80\x80", "\xC0\x80", "\xE0\x80\xAF", "\xED\xA0\x80",
                 "\x80", "a\xE2\x82", "\xC3 ", "\xF8\x88\x80\x80\x80" })
            QTest::newRow(QByteArray(invalid).toHex().constData())
                << QByteArray(invalid) << false << QByteArray();
        QTest::newRow("Latin-1 read as Latin-1")
            << QByteArray("\xC5l\x80\xFF") << false << QByteArray("\xC3\x85l\xC2\x80\xC3\xBF");
    }
    void utf8()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QFETCH(QByteArray, utf8Bytes);
        QCOMPARE(isValidUtf8(view(text)), valid);
        if (!utf8Bytes.isEmpty())
            QCOMPARE(QByteArray::fromStdString(asUtf8(view(text))), utf8Bytes);
    }

    void parse_data()
    {
        QTest::addColumn<bool>("countries"); // else location types
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArrayList>("rows");
        QTest::addColumn<int>("ignored");
        const auto row = [](const char *name, bool countries, const QByteArray &file,
                             const QByteArrayList &rows, int ignored = 0) {
            QTest::newRow(name) << countries << file << rows << ignored;
        };
        row("countries: code|name, spaces, > dropped, third field ignored", true,
            "  US  |  United >States  \r\nAF|Afghanistan|x",
            { "United States=US", "Afghanistan=AF" });
        row("line ends CR LF, lone CR, lone LF, empty lines", true,
            "A|a\r\n\r\nB|b\rC|c\n\n  \nD|d", { "a=A", "b=B", "c=C", "d=D" });
        row("missing separator, tab kept, NUL inside", true,
            QByteArray("ZZ Nowhere\r\n\tT|Tab\r\nD\0E|Ger\0many", 32),
            { "=ZZ Nowhere", "Tab=\tT", QByteArray("Ger\0many=D\0E", 12) });
        row("UTF-8 kept, Latin-1 read as Latin-1", true, "AX|\xC3\x85land\r\nAY|\xC5land",
            { "\xC3\x85land=AX", "\xC3\x85land=AY" });
        row("505 countries: 500 rows", true, numberedLines("C#|Country #", 505), {}, 5);
        row("location types: name,code, > kept, | and < ordinary", false,
            "Caf>e , C>AFE\r\nA|B<C,D\r\nPark", { "Caf>e=C>AFE", "A|B<C=D", "Park=" });
        row("101 location types: 100 rows", false, numberedLines("Type #,T#", 101), {}, 1);
    }
    void parse()
    {
        QFETCH(bool, countries);
        QFETCH(QByteArray, file);
        QFETCH(QByteArrayList, rows);
        QFETCH(int, ignored);
        const ReferenceFile parsed
            = countries ? parseCountries(view(file)) : parseLocationTypes(view(file));
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
        const auto row = [](const char *name, const char *text, const char *code = "",
                             const char *nameForCode = "") {
            QTest::newRow(name) << QByteArray(text) << QByteArray(code) << QByteArray(nameForCode);
        };
        row("code upper-cased, name in capitals", "United States of America", "US",
            "UNITED STATES OF AMERICA");
        row("UTF-8 and Latin-1 names find one row", "\xC5LAND ISLANDS", "AX",
            "\xC3\x85LAND ISLANDS");
        row("first of two rows, other case, spaces around", "  united kingdom ", "GB",
            "UNITED KINGDOM");
        row("inner spaces matter", "United  Kingdom");
        row("a code is no name", "CA");
        // Listed without a code: nothing could be searched, so it is not in the list.
        row("name without a code", "Nowhere");
        row("empty name never matches the line without one", "  ");
    }
    void lookups()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, code);
        const ReferenceTable table = parseCountries(
            "us|United States of America\r\nCA | Canada\r\nAX|\xC3\x85land Islands\r\n"
            "ZZ\r\nGB|United Kingdom\r\nUK|United Kingdom\r\n|Nowhere\r\n")
                                         .table;
        // A miss is no answer at all, never an empty code.
        const auto found = table.codeForName(view(name));
        QCOMPARE(found.has_value(), !code.isEmpty());
        QCOMPARE(QByteArray::fromStdString(found.value_or("-")),
            code.isEmpty() ? QByteArray("-") : code);
        if (!code.isEmpty())
            QTEST(QByteArray::fromStdString(*table.nameForCode(view(" " + code.toLower()))),
                "nameForCode");
        QVERIFY(!table.nameForCode(""));
        QCOMPARE(
            table.nameForCode("zz"), std::optional<std::string>("")); // the line without a name
    }

    void position_data()
    {
        QTest::addColumn<QByteArray>("latitude");
        QTest::addColumn<QByteArray>("longitude");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lon");
        const auto valid
            = [](const char *name, const char *lat, const char *lon, double a, double b) {
                  QTest::newRow(name) << QByteArray(lat) << QByteArray(lon) << true << a << b;
              };
        const auto none = [](const char *name, const char *lat, const char *lon) {
            QTest::newRow(name) << QByteArray(lat) << QByteArray(lon) << false << 0.0 << 0.0;
        };
        valid("decimals, signs", "-33.8688", "+151.2093", -33.8688, 151.2093);
        valid("spaces around, whole degrees, point last", "  40 ", " -74.  ", 40, -74);
        valid("poles and date line", "90", "-180.000", 90, -180);
        valid("equator, no -0", "-0.0", "32.5", 0, 32.5);
        valid("24 characters, point first", "52.000000000000000000001", ".5", 52, 0.5);
        none("dashes, as a detail window shows an empty value", "-", "-");
        none("latitude beyond the pole", "90.0001", "0.5");
        none("longitude beyond the date line", "10", "-181");
        none("0/0 is unknown", "0.000", "-0");
        none("decimal comma, two points", "52,52", "52.5.1");
        none("exponent, sign alone", "5e1", "+");
        none("25 characters", "52.0000000000000000000001", "13");
    }
    void position()
    {
        QFETCH(QByteArray, latitude);
        QFETCH(QByteArray, longitude);
        QFETCH(bool, valid);
        const auto position = parsePosition(latitude.toStdString(), longitude.toStdString());
        QCOMPARE(position.has_value(), valid);
        if (!valid)
            return;
        QTEST(position->latitude.value, "lat");
        QTEST(position->longitude.value, "lon");
        QVERIFY(!std::signbit(position->latitude.value) || position->latitude.value != 0);
    }
};

QTEST_APPLESS_MAIN(TestReference)
#include "tst_reference.moc"
