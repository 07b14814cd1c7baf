#include "reference/text_encoding.h"

#include <QTest>

using namespace pellomar;

namespace {

std::string_view view(const QByteArray &bytes)
{
    return std::string_view(bytes.constData(), std::size_t(bytes.size()));
}

} // namespace

class TestTextEncoding : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void isValidUtf8_data();
    void isValidUtf8();
    void asUtf8_data();
    void asUtf8();
};

void TestTextEncoding::isValidUtf8_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("valid");

    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("ASCII with NUL") << QByteArray("a\0b", 3) << true;
    QTest::newRow("two bytes") << QByteArray("caf\xC3\xA9") << true;
    QTest::newRow("three bytes") << QByteArray("\xE2\x82\xAC") << true;
    QTest::newRow("four bytes, highest") << QByteArray("\xF4\x8F\xBF\xBF") << true;
    QTest::newRow("above U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << false;
    QTest::newRow("overlong NUL") << QByteArray("\xC0\x80") << false;
    QTest::newRow("overlong three bytes") << QByteArray("\xE0\x80\xAF") << false;
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << false;
    QTest::newRow("lone continuation") << QByteArray("\x80") << false;
    QTest::newRow("cut short at the end") << QByteArray("a\xE2\x82") << false;
    QTest::newRow("lead byte then ASCII") << QByteArray("\xC3 ") << false;
    QTest::newRow("Latin-1 word") << QByteArray("caf\xE9") << false;
    QTest::newRow("five-byte lead") << QByteArray("\xF8\x88\x80\x80\x80") << false;
}

void TestTextEncoding::isValidUtf8()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, valid);
    QCOMPARE(IsValidUtf8(view(text)), valid);
}

void TestTextEncoding::asUtf8_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("ASCII unchanged") << QByteArray("Hotel") << QByteArray("Hotel");
    QTest::newRow("UTF-8 unchanged") << QByteArray("\xC3\x85land") << QByteArray("\xC3\x85land");
    QTest::newRow("Latin-1 letter") << QByteArray("\xC5land") << QByteArray("\xC3\x85land");
    QTest::newRow("Latin-1 top and bottom")
        << QByteArray("\x80\xFF") << QByteArray("\xC2\x80\xC3\xBF");
}

void TestTextEncoding::asUtf8()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expected);
    const std::string converted = AsUtf8(view(text));
    QCOMPARE(QByteArray(converted.data(), qsizetype(converted.size())), expected);
    QVERIFY(IsValidUtf8(converted));
}

QTEST_APPLESS_MAIN(TestTextEncoding)
#include "tst_text_encoding.moc"
