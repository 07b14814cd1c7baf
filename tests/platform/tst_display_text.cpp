#include "platform/display_text.h"

#include <QTest>

using namespace pellomar;

class TestDisplayText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void decode_data();
    void decode();
    void typedTextIsUtf8_data();
    void typedTextIsUtf8();
};

void TestDisplayText::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("ASCII") << QByteArray("Airport") << QStringLiteral("Airport");
    QTest::newRow("UTF-8") << QByteArray("Caf\xC3\xA9") << QStringLiteral("Caf\u00E9");
    QTest::newRow("UTF-8 beyond Latin-1")
        << QByteArray("\xE2\x82\xAC 5") << QStringLiteral("\u20AC 5");
    QTest::newRow("Latin-1") << QByteArray("Caf\xE9") << QStringLiteral("Caf\u00E9");
    // One bad byte makes the whole text Latin-1: every byte stays one character.
    QTest::newRow("mixed falls back whole")
        << QByteArray("\xC3\xA9\xE9") << QStringLiteral("\u00C3\u00A9\u00E9");
    QTest::newRow("overlong form is Latin-1")
        << QByteArray("\xC0\xAF") << QStringLiteral("\u00C0\u00AF");
    QTest::newRow("NUL kept") << QByteArray("a\0b", 3)
                              << QString(QStringLiteral("a") + QChar(0) + u'b');
}

void TestDisplayText::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(displayText(bytes), text);
    QCOMPARE(displayText(asView(bytes)), text);
}

void TestDisplayText::typedTextIsUtf8_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("ASCII") << QStringLiteral("Paris") << QByteArray("Paris");
    QTest::newRow("accents") << QStringLiteral("Z\u00FCrich") << QByteArray("Z\xC3\xBCrich");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestDisplayText::typedTextIsUtf8()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const std::string converted = toBytes(text);
    QCOMPARE(QByteArray(converted.data(), qsizetype(converted.size())), bytes);
    QCOMPARE(displayText(converted), text);
}

QTEST_APPLESS_MAIN(TestDisplayText)
#include "tst_display_text.moc"
