#include "reference/text_encoding.h"
#include "reference/text_fields.h"

#include <QTest>

using namespace pellomar;

// The field helpers every parser goes through, and how bytes from outside become text:
// bytes in, bytes out.
class TestTextFields : public QObject {
    Q_OBJECT

    static std::string_view view(const QByteArray &bytes)
    {
        return { bytes.constData(), std::size_t(bytes.size()) };
    }

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
        row("index 0", "A<B", 0, ",", "");
        row("no separator: all of it as field 1", "A,B", 1, ",", "A,B");
        row("no separator: nothing as field 2", "A,B", 2, ",", "");
        row("two in a row", "A<<B", 3, ",", "B");
        row("> inside a field", "a>b<c", 1, ",", "ab");
        // The whole text is trimmed, never the fields; tabs are no spaces.
        row("padded text", "  US | Canada\t ", 2, "|", " Canada\t");
        row("delimiter trimmed and lower-cased", "axb", 2, "  X ", "b");
        row("delimiter matched by case", "aXb", 1, "x", "aXb");
        row("a longer delimiter never splits", "a||b", 1, "||", "a||b");
        row("no delimiter never splits", "a|b", 2, "", "");
        row("NUL and high bytes are bytes", QByteArray("a\0b<\xff", 5), 1, ",",
            QByteArray("a\0b", 3));
        row("field after 40,000 characters", QByteArray(40000, 'a') + "<tail", 2, ",", "tail");
    }
    void getField()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, index);
        QFETCH(QByteArray, delimiter);
        QTEST(QByteArray::fromStdString(GetField(view(text), index, view(delimiter))), "field");
    }

    void getCommaField_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("field");
        QTest::newRow("> and < kept, fields untrimmed")
            << QByteArray("  a>b<c , H  ") << 1 << QByteArray("a>b<c ");
        QTest::newRow("field 2") << QByteArray("Hotel, H") << 2 << QByteArray(" H");
        QTest::newRow("no comma") << QByteArray("Park") << 2 << QByteArray();
        QTest::newRow("empty middle field") << QByteArray("a,,c") << 3 << QByteArray("c");
    }
    void getCommaField()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, index);
        QTEST(QByteArray::fromStdString(GetCommaField(view(text), index)), "field");
    }

    // Case is changed in UTF-8 text as UTF-8, in other text as Latin-1; trimming takes spaces.
    void caseAndTrim_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("lower");
        QTest::addColumn<QByteArray>("upper");
        QTest::newRow("ASCII, spaces, tabs stay")
            << QByteArray(" \tUnited-1 (B)\r\n ") << QByteArray("\tunited-1 (b)\r\n")
            << QByteArray("\tUNITED-1 (B)\r\n");
        QTest::newRow("UTF-8 letters")
            << QByteArray("\xC3\x85land \xC3\xA9") << QByteArray("\xC3\xA5land \xC3\xA9")
            << QByteArray("\xC3\x85LAND \xC3\x89");
        QTest::newRow("UTF-8 signs and other scripts stay")
            << QByteArray("\xC3\x97\xC3\xB7\xC3\xBF\xD0\x90")
            << QByteArray("\xC3\x97\xC3\xB7\xC3\xBF\xD0\x90")
            << QByteArray("\xC3\x97\xC3\xB7\xC3\xBF\xD0\x90");
        // Not UTF-8 as a whole, so C3 is the Latin-1 letter A-tilde.
        QTest::newRow("Latin-1") << QByteArray("\xC3\x89\xC5l\xF7\xFF")
                                 << QByteArray("\xE3\x89\xE5l\xF7\xFF")
                                 << QByteArray("\xC3\x89\xC5L\xF7\xFF");
        QTest::newRow("spaces only") << QByteArray("   ") << QByteArray() << QByteArray();
        QTest::newRow("NUL is no space")
            << QByteArray(" \0 A ", 5) << QByteArray("\0 a", 3) << QByteArray("\0 A", 3);
    }
    void caseAndTrim()
    {
        QFETCH(QByteArray, text);
        QTEST(QByteArray::fromStdString(LowerTrim(view(text))), "lower");
        QTEST(QByteArray::fromStdString(UpperTrim(view(text))), "upper");
    }

    void utf8_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QByteArray>("asUtf8");
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
        QFETCH(QByteArray, asUtf8);
        QCOMPARE(IsValidUtf8(view(text)), valid);
        if (!asUtf8.isEmpty())
            QCOMPARE(QByteArray::fromStdString(AsUtf8(view(text))), asUtf8);
    }
};

QTEST_APPLESS_MAIN(TestTextFields)
#include "tst_text_fields.moc"
