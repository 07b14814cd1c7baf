#include "platform/browser.h"

#include <QTest>

using namespace pellomar;

class TestBrowser : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void opens_data();
    void opens();
    void refuses_data();
    void refuses();

private:
    QStringList m_opened;
};

void TestBrowser::init()
{
    m_opened.clear();
    setBrowserOpener([this](const QString &address) { m_opened << address; });
}

void TestBrowser::cleanup()
{
    setBrowserOpener(nullptr);
}

void TestBrowser::opens_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("handed");

    QTest::newRow("site") << QStringLiteral("http://hotspots.example")
                          << QStringLiteral("http://hotspots.example");
    QTest::newRow("https with path and query")
        << QStringLiteral("https://h.example/a?b=1") << QStringLiteral("https://h.example/a?b=1");
    QTest::newRow("port") << QStringLiteral("http://127.0.0.1:8080")
                          << QStringLiteral("http://127.0.0.1:8080");
    QTest::newRow("scheme in capitals")
        << QStringLiteral("HTTP://h.example/") << QStringLiteral("http://h.example/");
    QTest::newRow("surrounding spaces")
        << QStringLiteral("  http://h.example/  ") << QStringLiteral("http://h.example/");
}

void TestBrowser::opens()
{
    QFETCH(QString, address);
    QFETCH(QString, handed);
    QVERIFY(OpenInBrowser(address));
    QCOMPARE(m_opened, QStringList { handed });
}

void TestBrowser::refuses_data()
{
    QTest::addColumn<QString>("address");

    QTest::newRow("empty") << QString();
    QTest::newRow("file") << QStringLiteral("file:///etc/passwd");
    QTest::newRow("javascript") << QStringLiteral("javascript:alert(1)");
    QTest::newRow("ftp") << QStringLiteral("ftp://h.example/");
    QTest::newRow("mail") << QStringLiteral("mailto:a@h.example");
    QTest::newRow("no scheme") << QStringLiteral("www.h.example");
    QTest::newRow("no host") << QStringLiteral("http://");
    QTest::newRow("relative path") << QStringLiteral("/etc/passwd");
    QTest::newRow("quote and command") << QStringLiteral("http://h.example\" & calc");
    QTest::newRow("spaces in host") << QStringLiteral("http://a b.example/");
}

void TestBrowser::refuses()
{
    QFETCH(QString, address);
    QVERIFY(!OpenInBrowser(address));
    QVERIFY(m_opened.isEmpty());
}

QTEST_GUILESS_MAIN(TestBrowser)
#include "tst_browser.moc"
