#include "shell/command_line.h"

#include <QDir>
#include <QTest>

using namespace pellomar;

namespace {

const ServerAddress DefaultServer { QStringLiteral("hotspots.example"), 80 };

CommandLine parse(QStringList arguments)
{
    arguments.prepend(QStringLiteral("pellomar"));
    return parseCommandLine(arguments, DefaultServer);
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startsWith_data();
    void startsWith();
    void refused_data();
    void refused();
    void help();
    void version();
};

void TestCommandLine::startsWith_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("dataDir");
    QTest::addColumn<QString>("referenceDir");
    QTest::addColumn<bool>("noDialogs");

    const QString here = QDir::currentPath();
    QTest::newRow("nothing") << QStringList {} << QStringLiteral("hotspots.example") << 80
                             << QString() << QString() << false;
    QTest::newRow("server with port")
        << QStringList { QStringLiteral("--server"), QStringLiteral("127.0.0.1:8080") }
        << QStringLiteral("127.0.0.1") << 8080 << QString() << QString() << false;
    QTest::newRow("server with =")
        << QStringList { QStringLiteral("--server=localhost") } << QStringLiteral("localhost") << 80
        << QString() << QString() << false;
    QTest::newRow("absolute data folder")
        << QStringList { QStringLiteral("--data-dir"), QStringLiteral("/var/tmp/p/") }
        << QStringLiteral("hotspots.example") << 80 << QStringLiteral("/var/tmp/p") << QString()
        << false;
    QTest::newRow("relative data folder")
        << QStringList { QStringLiteral("--data-dir"), QStringLiteral("results/../data") }
        << QStringLiteral("hotspots.example") << 80 << here + QStringLiteral("/data") << QString()
        << false;
    QTest::newRow("test options") << QStringList { QStringLiteral("--reference-dir"),
        QStringLiteral("/r"), QStringLiteral("--no-dialogs") }
                                  << QStringLiteral("hotspots.example") << 80 << QString()
                                  << QStringLiteral("/r") << true;
    QTest::newRow("Qt's own options pass")
        << QStringList { QStringLiteral("-platform"), QStringLiteral("offscreen"),
               QStringLiteral("-style"), QStringLiteral("fusion"), QStringLiteral("-reverse") }
        << QStringLiteral("hotspots.example") << 80 << QString() << QString() << false;
}

void TestCommandLine::startsWith()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, host);
    QFETCH(int, port);
    QFETCH(QString, dataDir);
    QFETCH(QString, referenceDir);
    QFETCH(bool, noDialogs);

    const CommandLine result = parse(arguments);
    QVERIFY2(result.start, qPrintable(result.standardError));
    QCOMPARE(result.standardOutput, QString());
    QCOMPARE(result.standardError, QString());
    QCOMPARE(result.start->server.host, host);
    QCOMPARE(int(result.start->server.port), port);
    QCOMPARE(result.start->dataDir, dataDir);
    QCOMPARE(result.start->referenceDir, referenceDir);
    QCOMPARE(result.start->noDialogs, noDialogs);
}

void TestCommandLine::refused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("reason");

    QTest::newRow("unknown option")
        << QStringList { QStringLiteral("--bogus") } << QStringLiteral("bogus");
    QTest::newRow("server without value")
        << QStringList { QStringLiteral("--server") } << QStringLiteral("--server");
    QTest::newRow("server not an address")
        << QStringList { QStringLiteral("--server"), QStringLiteral("not a host") }
        << QStringLiteral("'not a host' is not a HOST or HOST:PORT address");
    QTest::newRow("server port 0")
        << QStringList { QStringLiteral("--server=h:0") } << QStringLiteral("'h:0'");
    QTest::newRow("server port too large")
        << QStringList { QStringLiteral("--server=h:70000") } << QStringLiteral("'h:70000'");
    QTest::newRow("server with path")
        << QStringList { QStringLiteral("--server=h/x") } << QStringLiteral("'h/x'");
    QTest::newRow("server twice") << QStringList { QStringLiteral("--server=a"),
        QStringLiteral("--server=b") }
                                  << QStringLiteral("--server given more than once");
    QTest::newRow("empty data folder") << QStringList { QStringLiteral("--data-dir=") }
                                       << QStringLiteral("--data-dir needs a folder");
    QTest::newRow("data folder without value")
        << QStringList { QStringLiteral("--data-dir") } << QStringLiteral("--data-dir");
    QTest::newRow("stray argument") << QStringList { QStringLiteral("United States") }
                                    << QStringLiteral("unexpected argument 'United States'");
}

void TestCommandLine::refused()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, reason);
    const CommandLine result = parse(arguments);
    QVERIFY(!result.start);
    QCOMPARE(result.exitStatus, 2);
    QCOMPARE(result.standardOutput, QString());
    QVERIFY2(result.standardError.startsWith(QStringLiteral("pellomar: ")),
        qPrintable(result.standardError));
    QVERIFY2(result.standardError.contains(reason), qPrintable(result.standardError));
    QVERIFY(result.standardError.contains(QStringLiteral("pellomar --help")));
}

void TestCommandLine::help()
{
    for (const QString &option : { QStringLiteral("--help"), QStringLiteral("-h") }) {
        const CommandLine result = parse({ option });
        QVERIFY(!result.start);
        QCOMPARE(result.exitStatus, 0);
        QCOMPARE(result.standardError, QString());
        const QString &text = result.standardOutput;
        QVERIFY2(text.startsWith(QStringLiteral("Usage: pellomar [options]")), qPrintable(text));
        for (const char *shown :
            { "--server <HOST[:PORT]>", "--data-dir <DIR>", "--version", "hotspots.example" })
            QVERIFY2(text.contains(QLatin1String(shown)), shown);
        // Test-only and Qt options stay out of the help.
        for (const char *hidden : { "reference-dir", "no-dialogs", "platform" })
            QVERIFY2(!text.contains(QLatin1String(hidden)), hidden);
    }
}

void TestCommandLine::version()
{
    for (const QString &option : { QStringLiteral("--version"), QStringLiteral("-v") }) {
        const CommandLine result = parse({ option, QStringLiteral("--server=ignored") });
        QVERIFY(!result.start);
        QCOMPARE(result.exitStatus, 0);
        QCOMPARE(result.standardOutput, QStringLiteral("pellomar " PELLOMAR_VERSION "\n"));
    }
}

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
