#include "platform/app_context.h"

#include <QTest>

using namespace pellomar;

class TestAppContext : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parse_data();
    void parse();
    void refused_data();
    void refused();
    void filesLiveInTheDataFolder();
};

void TestAppContext::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("hostHeader");
    QTest::addColumn<QString>("siteUrl");

    QTest::newRow("host only") << QStringLiteral("hotspots.example")
                               << QStringLiteral("hotspots.example") << 80
                               << QStringLiteral("hotspots.example")
                               << QStringLiteral("http://hotspots.example");
    QTest::newRow("host and port")
        << QStringLiteral("127.0.0.1:8080") << QStringLiteral("127.0.0.1") << 8080
        << QStringLiteral("127.0.0.1:8080") << QStringLiteral("http://127.0.0.1:8080");
    QTest::newRow("port 80 written out")
        << QStringLiteral("localhost:80") << QStringLiteral("localhost") << 80
        << QStringLiteral("localhost") << QStringLiteral("http://localhost");
    QTest::newRow("highest port") << QStringLiteral("h:65535") << QStringLiteral("h") << 65535
                                  << QStringLiteral("h:65535") << QStringLiteral("http://h:65535");
    QTest::newRow("IPv6 with port")
        << QStringLiteral("[::1]:8080") << QStringLiteral("::1") << 8080
        << QStringLiteral("[::1]:8080") << QStringLiteral("http://[::1]:8080");
    QTest::newRow("IPv6 without port") << QStringLiteral("[::1]") << QStringLiteral("::1") << 80
                                       << QStringLiteral("[::1]") << QStringLiteral("http://[::1]");
    QTest::newRow("surrounding spaces")
        << QStringLiteral("  h.example:81 ") << QStringLiteral("h.example") << 81
        << QStringLiteral("h.example:81") << QStringLiteral("http://h.example:81");
}

void TestAppContext::parse()
{
    QFETCH(QString, text);
    QFETCH(QString, host);
    QFETCH(int, port);
    QFETCH(QString, hostHeader);
    QFETCH(QString, siteUrl);
    const auto address = ServerAddress::parse(text);
    QVERIFY(address);
    QCOMPARE(address->host, host);
    QCOMPARE(int(address->port), port);
    QCOMPARE(address->hostHeader(), hostHeader);
    QCOMPARE(address->siteUrl(), siteUrl);
}

void TestAppContext::refused_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QString();
    QTest::newRow("spaces") << QStringLiteral("   ");
    QTest::newRow("port 0") << QStringLiteral("h:0");
    QTest::newRow("port too large") << QStringLiteral("h:65536");
    QTest::newRow("port not a number") << QStringLiteral("h:http");
    QTest::newRow("negative port") << QStringLiteral("h:-1");
    QTest::newRow("space in host") << QStringLiteral("a b");
    QTest::newRow("path") << QStringLiteral("h/browse-app.php");
    QTest::newRow("query") << QStringLiteral("h?country=US");
    QTest::newRow("fragment") << QStringLiteral("h#top");
    QTest::newRow("user") << QStringLiteral("me@h");
    QTest::newRow("scheme written out") << QStringLiteral("http://h");
    QTest::newRow("port only") << QStringLiteral(":8080");
    QTest::newRow("unclosed IPv6") << QStringLiteral("[::1");
}

void TestAppContext::refused()
{
    QFETCH(QString, text);
    QVERIFY(!ServerAddress::parse(text));
}

void TestAppContext::filesLiveInTheDataFolder()
{
    AppContext context;
    context.dataDir = QStringLiteral("/home/u/.local/share/pellomar");
    QCOMPARE(context.resultFilePath(), QStringLiteral("/home/u/.local/share/pellomar/tmp.txt"));
    QCOMPARE(context.imageFilePath(), QStringLiteral("/home/u/.local/share/pellomar/img.dat"));
}

QTEST_APPLESS_MAIN(TestAppContext)
#include "tst_app_context.moc"
