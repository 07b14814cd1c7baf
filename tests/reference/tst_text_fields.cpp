#include "reference/text_fields.h"

#include <QTest>

using namespace pellomar;

namespace {

std::string_view view(const QByteArray &bytes)
{
    return std::string_view(bytes.constData(), std::size_t(bytes.size()));
}

QByteArray bytes(const std::string &text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}

// "x<" repeated: `count` fields of one "x" each, the last one closed by nothing.
QByteArray manyFields(int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += i == 0 ? "x" : "<x";
    return text;
}

} // namespace

class TestTextFields : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void getField_data();
    void getField();
    void getCommaField_data();
    void getCommaField();
    void lowerTrim_data();
    void lowerTrim();
    void upperTrim_data();
    void upperTrim();
    void trim_data();
    void trim();
};

void TestTextFields::getField_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("delimiter");
    QTest::addColumn<QByteArray>("expected");

    // The record separator "<", asked for as ",".
    QTest::newRow("record field 2")
        << QByteArray("A<B<C") << 2 << QByteArray(",") << QByteArray("B");
    QTest::newRow("record field 3")
        << QByteArray("A<B<C") << 3 << QByteArray(",") << QByteArray("C");
    QTest::newRow("record past the end")
        << QByteArray("A<B<C") << 4 << QByteArray(",") << QByteArray();
    QTest::newRow("record index 0") << QByteArray("A<B<C") << 0 << QByteArray(",") << QByteArray();
    QTest::newRow("record negative index")
        << QByteArray("A<B<C") << -1 << QByteArray(",") << QByteArray();
    QTest::newRow("closed fields 1")
        << QByteArray("A><B><C>") << 1 << QByteArray(",") << QByteArray("A");
    QTest::newRow("closed fields 3")
        << QByteArray("A><B><C>") << 3 << QByteArray(",") << QByteArray("C");
    QTest::newRow("no delimiter 1") << QByteArray("A") << 1 << QByteArray(",") << QByteArray("A");
    QTest::newRow("no delimiter 2") << QByteArray("A") << 2 << QByteArray(",") << QByteArray();
    QTest::newRow("comma is no separator 1")
        << QByteArray("A,B") << 1 << QByteArray(",") << QByteArray("A,B");
    QTest::newRow("comma is no separator 2")
        << QByteArray("A,B") << 2 << QByteArray(",") << QByteArray();
    QTest::newRow("two delimiters in a row 2")
        << QByteArray("A<<B") << 2 << QByteArray(",") << QByteArray();
    QTest::newRow("two delimiters in a row 3")
        << QByteArray("A<<B") << 3 << QByteArray(",") << QByteArray("B");
    QTest::newRow("delimiter at the end")
        << QByteArray("A<B<") << 3 << QByteArray(",") << QByteArray();
    QTest::newRow("delimiter at the start")
        << QByteArray("<A") << 1 << QByteArray(",") << QByteArray();
    QTest::newRow("explicit < delimiter")
        << QByteArray("A<B") << 2 << QByteArray("<") << QByteArray("B");
    QTest::newRow("> inside a field")
        << QByteArray("a>b<c") << 1 << QByteArray(",") << QByteArray("ab");

    // Trimming: the whole text, never the fields.
    QTest::newRow("padded field 2")
        << QByteArray("  US | Canada  ") << 2 << QByteArray("|") << QByteArray(" Canada");
    QTest::newRow("padded field 1")
        << QByteArray("  US | Canada  ") << 1 << QByteArray("|") << QByteArray("US ");
    QTest::newRow("tabs are not trimmed")
        << QByteArray("\tA|B\t") << 2 << QByteArray("|") << QByteArray("B\t");
    QTest::newRow("empty text") << QByteArray() << 1 << QByteArray("|") << QByteArray();
    QTest::newRow("only spaces") << QByteArray("    ") << 1 << QByteArray("|") << QByteArray();
    QTest::newRow("> removed with bar")
        << QByteArray("x>y|z") << 1 << QByteArray("|") << QByteArray("xy");
    QTest::newRow("> removed, no delimiter")
        << QByteArray(">A>") << 1 << QByteArray("|") << QByteArray("A");
    QTest::newRow("> as delimiter") << QByteArray("a>b") << 2 << QByteArray(">") << QByteArray("b");

    // The delimiter is normalised: trimmed and lower-cased.
    QTest::newRow("space delimiter 1")
        << QByteArray(" a b ") << 1 << QByteArray(" ") << QByteArray("a b");
    QTest::newRow("space delimiter 2")
        << QByteArray(" a b ") << 2 << QByteArray(" ") << QByteArray();
    QTest::newRow("empty delimiter 1")
        << QByteArray("a|b") << 1 << QByteArray() << QByteArray("a|b");
    QTest::newRow("empty delimiter 2") << QByteArray("a|b") << 2 << QByteArray() << QByteArray();
    QTest::newRow("padded delimiter")
        << QByteArray("a|b") << 2 << QByteArray("  |  ") << QByteArray("b");
    QTest::newRow("long delimiter present 1")
        << QByteArray("a||b") << 1 << QByteArray("||") << QByteArray("a||b");
    QTest::newRow("long delimiter present 2")
        << QByteArray("a||b") << 2 << QByteArray("||") << QByteArray();
    QTest::newRow("upper delimiter lowered, no match")
        << QByteArray("aXb") << 2 << QByteArray("X") << QByteArray();
    QTest::newRow("upper delimiter lowered, match")
        << QByteArray("axb") << 2 << QByteArray("X") << QByteArray("b");
    QTest::newRow("case-sensitive scan")
        << QByteArray("aXb") << 1 << QByteArray("x") << QByteArray("aXb");

    // Bytes, not characters: NUL and high bytes are ordinary.
    QTest::newRow("NUL inside a field")
        << QByteArray("a\0b<c", 5) << 1 << QByteArray(",") << QByteArray("a\0b", 3);
    QTest::newRow("NUL as delimiter")
        << QByteArray("a\0b", 3) << 2 << QByteArray("\0", 1) << QByteArray("b");
    QTest::newRow("high bytes") << QByteArray("\xC3\xA9<\xFF") << 2 << QByteArray(",")
                                << QByteArray("\xFF");

    // No 32,767-character limit.
    const QByteArray longField(40000, 'a');
    QTest::newRow("field after 40000 characters")
        << longField + "<tail" << 2 << QByteArray(",") << QByteArray("tail");
    QTest::newRow("40000-character field")
        << "x<" + longField + "<y" << 2 << QByteArray(",") << longField;
    QTest::newRow("field 40000") << manyFields(40000) << 40000 << QByteArray(",")
                                 << QByteArray("x");
    QTest::newRow("field 40001 of 40000")
        << manyFields(40000) << 40001 << QByteArray(",") << QByteArray();
}

void TestTextFields::getField()
{
    QFETCH(QByteArray, text);
    QFETCH(int, index);
    QFETCH(QByteArray, delimiter);
    QFETCH(QByteArray, expected);
    QCOMPARE(bytes(GetField(view(text), index, view(delimiter))), expected);
}

void TestTextFields::getCommaField_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("field 2") << QByteArray("Hotel,H") << 2 << QByteArray("H");
    QTest::newRow("field 1") << QByteArray("Hotel,H") << 1 << QByteArray("Hotel");
    QTest::newRow("past the end") << QByteArray("Hotel,H") << 3 << QByteArray();
    QTest::newRow("index 0") << QByteArray("Hotel,H") << 0 << QByteArray();
    QTest::newRow("> kept") << QByteArray("a>b,c") << 1 << QByteArray("a>b");
    QTest::newRow("no comma 1") << QByteArray("  Park  ") << 1 << QByteArray("Park");
    QTest::newRow("no comma 2") << QByteArray("  Park  ") << 2 << QByteArray();
    QTest::newRow("fields not trimmed 1")
        << QByteArray("  Hotel , H  ") << 1 << QByteArray("Hotel ");
    QTest::newRow("fields not trimmed 2") << QByteArray("  Hotel , H  ") << 2 << QByteArray(" H");
    QTest::newRow("< is ordinary") << QByteArray("a<b,c") << 1 << QByteArray("a<b");
    QTest::newRow("trailing comma") << QByteArray("Hotel,") << 2 << QByteArray();
    QTest::newRow("empty middle field") << QByteArray("a,,c") << 3 << QByteArray("c");
    QTest::newRow("NUL kept") << QByteArray("a\0,b", 4) << 1 << QByteArray("a\0", 2);
    const QByteArray longField(40000, 'b');
    QTest::newRow("field after 40000 characters") << longField + ",end" << 2 << QByteArray("end");
}

void TestTextFields::getCommaField()
{
    QFETCH(QByteArray, text);
    QFETCH(int, index);
    QFETCH(QByteArray, expected);
    QCOMPARE(bytes(GetCommaField(view(text), index)), expected);
}

void TestTextFields::lowerTrim_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("name") << QByteArray(" UNITED States ") << QByteArray("united states");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("only spaces") << QByteArray("   ") << QByteArray();
    QTest::newRow("tabs stay") << QByteArray("\tAB\t") << QByteArray("\tab\t");
    QTest::newRow("digits and signs") << QByteArray("A-1 (B)") << QByteArray("a-1 (b)");
    QTest::newRow("UTF-8 letters")
        << QByteArray("\xC3\x85LAND \xC3\x89") << QByteArray("\xC3\xA5land \xC3\xA9");
    QTest::newRow("UTF-8 multiplication sign") << QByteArray("\xC3\x97") << QByteArray("\xC3\x97");
    QTest::newRow("UTF-8 sharp s") << QByteArray("\xC3\x9F") << QByteArray("\xC3\x9F");
    QTest::newRow("UTF-8 other scripts") << QByteArray("\xD0\x90") << QByteArray("\xD0\x90");
    QTest::newRow("Latin-1 letters") << QByteArray("\xC5LAND") << QByteArray("\xE5land");
    // Not UTF-8 as a whole, so C3 is the Latin-1 letter A-tilde and the next byte a sign.
    QTest::newRow("Latin-1 lookalike") << QByteArray("\xC3\x89\xFF") << QByteArray("\xE3\x89\xFF");
    QTest::newRow("NUL kept") << QByteArray(" A\0B ", 5) << QByteArray("a\0b", 3);
}

void TestTextFields::lowerTrim()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expected);
    QCOMPARE(bytes(LowerTrim(view(text))), expected);
}

void TestTextFields::upperTrim_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("code") << QByteArray(" us ") << QByteArray("US");
    QTest::newRow("UTF-8 letters") << QByteArray("\xC3\xA5land") << QByteArray("\xC3\x85LAND");
    QTest::newRow("UTF-8 division sign") << QByteArray("\xC3\xB7") << QByteArray("\xC3\xB7");
    QTest::newRow("UTF-8 y diaeresis") << QByteArray("\xC3\xBF") << QByteArray("\xC3\xBF");
    QTest::newRow("Latin-1 letters") << QByteArray("\xE5land") << QByteArray("\xC5LAND");
    QTest::newRow("Latin-1 division sign") << QByteArray("\xF7\xFF") << QByteArray("\xF7\xFF");
}

void TestTextFields::upperTrim()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expected);
    QCOMPARE(bytes(UpperTrim(view(text))), expected);
}

void TestTextFields::trim_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("both ends") << QByteArray("  a b  ") << QByteArray("a b");
    QTest::newRow("nothing to trim") << QByteArray("ab") << QByteArray("ab");
    QTest::newRow("tab and line ends stay") << QByteArray(" \ta\r\n ") << QByteArray("\ta\r\n");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("spaces only") << QByteArray("  ") << QByteArray();
    QTest::newRow("NUL is no space") << QByteArray("\0 a", 3) << QByteArray("\0 a", 3);
}

void TestTextFields::trim()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expected);
    const std::string_view trimmed = Trim(view(text));
    QCOMPARE(QByteArray(trimmed.data(), qsizetype(trimmed.size())), expected);
}

QTEST_APPLESS_MAIN(TestTextFields)
#include "tst_text_fields.moc"
