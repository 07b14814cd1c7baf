#include "common/demo_server.h"
#include "common/harness.h"
#include "details/frm_info.h"
#include "platform/display_text.h"
#include "resultfile/result_format.h"
#include "results/result_layout.h"
#include "results/result_list_view.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

using namespace pellomar;
using namespace pellomar::test;

// The whole job against the demo directory: a search from the form fills the list with what
// the server holds, the result file rests scrambled, and the next start shows the same rows.
class TestE2eSearch : public QObject {
    Q_OBJECT

    DemoServer m_server;

    // The record lines the server sends for `path`, fetched without the program's window.
    QList<QByteArray> serverRecords(const QByteArray &path)
    {
        QTcpSocket socket;
        socket.connectToHost(QStringLiteral("127.0.0.1"), m_server.port());
        if (!socket.waitForConnected(5000))
            return {};
        socket.write("GET " + path + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
        QByteArray reply;
        while (socket.waitForReadyRead(5000))
            reply += socket.readAll();
        // As the directory sends them: line breaks mean nothing, "END" ends each record.
        QByteArray body = reply.mid(reply.indexOf("\r\n\r\n") + 4).replace("\r\n", "");
        QList<QByteArray> records;
        for (qsizetype end = body.indexOf("END"); end >= 0; end = body.indexOf("END")) {
            records << body.left(end).trimmed();
            body.remove(0, end + 3);
        }
        if (!body.trimmed().isEmpty()) // a message
            records << body.trimmed();
        return records;
    }

    static QList<QByteArray> rows(const MainWindowHarness &m)
    {
        QList<QByteArray> lines;
        for (int row = 1; row <= m.list()->rowCount(); ++row)
            lines << QByteArray::fromStdString(m.list()->record(row));
        return lines;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (!DemoServer::programExists())
            QSKIP("the demo directory server is not built (pellomar-directory)");
        QVERIFY2(m_server.start(), qPrintable(m_server.error()));
    }

    void search_data()
    {
        QTest::addColumn<QString>("country");
        QTest::addColumn<QString>("city");
        QTest::addColumn<QByteArray>("path");
        QTest::newRow("a country")
            << QStringLiteral("Japan") << QString() << QByteArray("/browse-app.php?country=JP");
        QTest::newRow("non-ASCII city")
            << QStringLiteral("Germany") << QStringLiteral("M\u00fcnchen")
            << QByteArray("/browse-app.php?country=DE&city=M%C3%BCnchen");
        QTest::newRow("spaces around a city")
            << QStringLiteral("Brazil") << QStringLiteral(" S\u00e3o Paulo ")
            << QByteArray("/browse-app.php?country=BR&city=S%C3%A3o%20Paulo");
        QTest::newRow("more than the list holds")
            << QStringLiteral("United States of America") << QString()
            << QByteArray("/browse-app.php?country=US");
        QTest::newRow("a message")
            << QStringLiteral("Japan") << QStringLiteral("Nowhere at all")
            << QByteArray("/browse-app.php?country=JP&city=Nowhere%20at%20all");
    }
    void search()
    {
        QFETCH(QString, country);
        QFETCH(QString, city);
        QFETCH(QByteArray, path);
        const QList<QByteArray> expected = serverRecords(path);
        QVERIFY2(!expected.isEmpty(), path.constData());
        MainWindowHarness m(m_server.address());
        m.fill(country, city);
        QVERIFY(m.search(15000));
        const bool message = !expected.first().contains("<>");
        QCOMPARE(m.control<QFrame>(QStringLiteral("Picture3"))->isVisible(), message);
        if (message) {
            QCOMPARE(
                m.control<QLabel>(QStringLiteral("lblMsg"))->text().toUtf8(), expected.first());
            return;
        }
        QCOMPARE(rows(m), expected.mid(0, 300));
        QCOMPARE(m.control<QLabel>(QStringLiteral("lblResults"))->text(),
            QStringLiteral("%1 Results").arg(qMin(expected.size(), 300)));
        QCOMPARE(m.boxes().titles(),
            expected.size() > 300 ? QStringList { QStringLiteral("Max Results") } : QStringList());
        for (const QByteArray &record : rows(m))
            QVERIFY2(record.contains(toBytes(city.trimmed()).c_str()), record.constData());

        // Never plain text on disk; the next start shows the same rows from it.
        const QByteArray onDisk = fileBytes(m.context().resultFilePath());
        QVERIFY(!onDisk.contains("<>") && !onDisk.contains("\r\n"));
        QCOMPARE(m.resultText(), expected.join("\r\n-\r\n") + "\r\n-\r\n\r\n");
        m.reopen();
        QCOMPARE(rows(m), expected.mid(0, 300));
        QCOMPARE(fileBytes(m.context().resultFilePath()), onDisk);
    }

    // Real places imported from OpenStreetMap: a search lists them, and the detail window
    // shows one whose fee and radio the data do not say, in words.
    void importedPlaces()
    {
        QTemporaryDir dir;
        const QString database = dir.filePath(QStringLiteral("li.db"));
        QProcess importer;
        importer.start(DemoServer::programPath(),
            { QStringLiteral("--database"), database, QStringLiteral("--import-osm"),
                qEnvironmentVariable("PELLOMAR_SOURCE_DIR")
                    + QStringLiteral("/tests/data/osm/liechtenstein-2013-08-03.osm.pbf") });
        QVERIFY(importer.waitForFinished(60000) && importer.exitCode() == 0);
        DemoServer server;
        QVERIFY2(
            server.start({ QStringLiteral("--database"), database }), qPrintable(server.error()));
        MainWindowHarness m(server.address());
        m.fill(QStringLiteral("Liechtenstein"));
        QVERIFY(m.search(15000));
        QCOMPARE(m.list()->rowCount(), 2);
        QTest::mouseClick(m.list()->canvas(), Qt::LeftButton, {},
            m.list()->cellRect(2, ResultLayout::Column::Name).center());
        QPointer<frmInfo> info;
        QTRY_VERIFY((info = qobject_cast<frmInfo *>(QApplication::activeWindow())));
        QCOMPARE(info->windowTitle(), QStringLiteral("Pizzeria Amici"));
        const auto text = [&info](const char *name) {
            return info->findChild<QLabel *>(QString::fromLatin1(name))->text();
        };
        QCOMPARE(text("lblType"), QStringLiteral("Unknown"));
        QCOMPARE(text("lblTechnology"), QStringLiteral("Unknown"));
        QCOMPARE(text("lblAddress"), QStringLiteral("Im Bretscha 34"));
        info->close();
    }
};

QTEST_MAIN(TestE2eSearch)
#include "tst_e2e_search.moc"
