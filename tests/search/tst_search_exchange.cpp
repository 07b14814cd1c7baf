#include "common/scripted_server.h"
#include "platform/display_text.h"
#include "platform/file_io.h"
#include "resultfile/result_format.h"
#include "search/search_exchange.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace pellomar;
using namespace pellomar::test;

namespace {

const QByteArray Path = "/browse-app.php?country=DE&city=Berlin";
const QByteArray Record1 = "Cafe Blau<>Hauptstr. 1<>Berlin<>DE<>10115";
const QByteArray Record2 = "Airport Lounge<>Flughafen<>Munich<>DE<>80331";

QByteArray plain(const QByteArray &scrambled)
{
    return QByteArray::fromStdString(Scrambled(asView(scrambled)));
}

} // namespace

// The search exchange against a scripted server on loopback: every way a reply can arrive,
// break or fail, and what ends up in the result file.
class TestSearchExchange : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_file;
    QByteArray m_previous;

    // Runs one search to its end; false when it neither stored nor failed in time.
    bool run(SearchExchange &exchange, ScriptedServer &server, QSignalSpy &stored,
        QSignalSpy &failed, int timeoutMs = 5000)
    {
        exchange.start(server.address(), m_file, Path.toStdString());
        return QTest::qWaitFor([&] { return stored.count() + failed.count() > 0; }, timeoutMs);
    }

    QByteArray storedFile() const
    {
        QFile file(m_file);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void init()
    {
        m_file = m_dir.filePath(QStringLiteral("tmp.txt"));
        // A previous search's results, which no failure may touch.
        m_previous = QByteArray::fromStdString(Scrambled("Old<>Record<>x\r\n-\r\n\r\n"));
        QCOMPARE(writeFileAtomically(m_file, m_previous), QString());
    }

    void storesReply_data()
    {
        QTest::addColumn<Script>("script");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("isMessage");
        QTest::addColumn<QString>("message");

        const QByteArray records
            = Record1 + "\r\nEND\r\n" + Record2.left(10) + "\r\n" + Record2.mid(10) + "END\r\n";
        const QByteArray expected = Record1 + "\r\n-\r\n" + Record2 + "\r\n-\r\n\r\n";
        QTest::newRow("whole") << Script::reply(Script::httpReply(records)) << expected << false
                               << QString();
        QTest::newRow("one byte at a time")
            << Script::inPieces(Script::httpReply(records), 1) << expected << false << QString();
        QTest::newRow("headers split across pieces, with pauses")
            << Script::inPieces(Script::httpReply(records), 7, 3) << expected << false << QString();
        {
            // The separator itself torn apart: CR LF | CR | LF body.
            Script script;
            script.pieces
                = { { "HTTP/1.0 200 OK\r\nX: y\r\n", 0 }, { "\r", 10 }, { "\n" + records, 10 } };
            QTest::newRow("separator torn apart") << script << expected << false << QString();
        }
        QTest::newRow("stray lone CR and LF stay in the record")
            << Script::reply(Script::httpReply("a\rb<>c\nd<>eEND"))
            << QByteArray("a\rb<>c\nd<>e\r\n-\r\n\r\n") << false << QString();
        QTest::newRow("END inside a field ends the record there")
            << Script::reply(Script::httpReply("THE LEGEND<>Rome<>ITEND"))
            << QByteArray("THE LEG\r\n-\r\n<>Rome<>IT\r\n-\r\n\r\n") << false << QString();
        QTest::newRow("message") << Script::reply(Script::httpReply("No hotspots found."))
                                 << QByteArray("No hotspots found.\r\n") << true
                                 << QStringLiteral("No hotspots found.");
        QTest::newRow("message in UTF-8")
            << Script::reply(Script::httpReply("Keine Treffer in K\xc3\xb6ln"))
            << QByteArray("Keine Treffer in K\xc3\xb6ln\r\n") << true
            << QStringLiteral("Keine Treffer in K\u00f6ln");
        QTest::newRow("one character")
            << Script::reply(Script::httpReply("x")) << QByteArray("x\r\n") << false << QString();
        QTest::newRow("empty body")
            << Script::reply(Script::httpReply("")) << QByteArray("\r\n") << false << QString();
        QTest::newRow("complete body with its length")
            << Script::reply("HTTP/1.0 200 OK\r\nContent-Length: 7\r\n\r\na<>cEND")
            << QByteArray("a<>c\r\n-\r\n\r\n") << false << QString();
    }

    void storesReply()
    {
        QFETCH(Script, script);
        QFETCH(QByteArray, content);
        QFETCH(bool, isMessage);
        QFETCH(QString, message);

        ScriptedServer server;
        QVERIFY(server.listen());
        server.setDefaultScript(script);
        SearchExchange exchange;
        QSignalSpy ready(&exchange, &SearchExchange::replyReady);
        QSignalSpy stored(&exchange, &SearchExchange::stored);
        QSignalSpy failed(&exchange, &SearchExchange::failed);
        QSignalSpy status(&exchange, &SearchExchange::statusChanged);
        QVERIFY(run(exchange, server, stored, failed));
        QVERIFY2(
            failed.isEmpty(), failed.isEmpty() ? "" : qPrintable(failed.at(0).at(0).toString()));
        QCOMPARE(stored.count(), 1);
        QCOMPARE(ready.count(), 1);
        QCOMPARE(ready.at(0), stored.at(0));
        QCOMPARE(stored.at(0).at(0).toBool(), isMessage);
        QCOMPARE(stored.at(0).at(1).toString(), message);

        const QByteArray onDisk = storedFile();
        QCOMPARE(plain(onDisk), content);
        QVERIFY(onDisk != content || content.isEmpty());
        // The list is filled from this text instead of the file: it must be the file's text.
        const std::string_view text = exchange.storedText();
        QCOMPARE(QByteArray(text.data(), qsizetype(text.size())), content);

        QStringList texts;
        for (const QList<QVariant> &signal : status)
            texts << signal.at(0).toString();
        QCOMPARE(texts,
            QStringList({ QStringLiteral("Connecting..."), QStringLiteral("Requesting Data..."),
                QStringLiteral("Data Downloaded - Loading Results...") }));
        QVERIFY(!exchange.isRunning());
    }

    void sendsExactRequest_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::newRow("country") << QByteArray("/browse-app.php?country=US");
        QTest::newRow("every key")
            << QByteArray("/browse-app.php?country=DE&city=a%26b%3Dc&zipcode=1&loctype=AIR&type=2");
    }

    void sendsExactRequest()
    {
        QFETCH(QByteArray, path);
        ScriptedServer server;
        QVERIFY(server.listen());
        server.setDefaultScript(Script::reply(Script::httpReply("ok")));
        SearchExchange exchange;
        QSignalSpy stored(&exchange, &SearchExchange::stored);
        exchange.start(server.address(), m_file, path.toStdString());
        QTRY_COMPARE(stored.count(), 1);
        QCOMPARE(server.request(0),
            "GET " + path + " HTTP/1.0\r\nHost: 127.0.0.1:" + QByteArray::number(server.port())
                + "\r\n\r\n");
    }

    // An address is connected to at once, a host name through the name lookup: both carry the
    // same request and reply.
    void reachesServerByAddressOrName_data()
    {
        QTest::addColumn<QString>("host");
        QTest::newRow("address") << QStringLiteral("127.0.0.1");
        QTest::newRow("host name") << QStringLiteral("localhost");
    }

    void reachesServerByAddressOrName()
    {
        QFETCH(QString, host);
        ScriptedServer server;
        QVERIFY(server.listen());
        server.setDefaultScript(Script::reply(Script::httpReply(Record1 + "END")));
        SearchExchange exchange;
        QSignalSpy stored(&exchange, &SearchExchange::stored);
        QSignalSpy failed(&exchange, &SearchExchange::failed);
        exchange.start(ServerAddress { host, server.port() }, m_file, Path.toStdString());
        QVERIFY(QTest::qWaitFor([&] { return stored.count() + failed.count() > 0; }, 5000));
        QVERIFY2(
            failed.isEmpty(), failed.isEmpty() ? "" : qPrintable(failed.at(0).at(0).toString()));
        QCOMPARE(server.request(0),
            "GET " + Path + " HTTP/1.0\r\nHost: " + host.toLatin1() + ':'
                + QByteArray::number(server.port()) + "\r\n\r\n");
        QCOMPARE(plain(storedFile()), Record1 + "\r\n-\r\n\r\n");
    }

    void failsAndKeepsPreviousFile_data()
    {
        QTest::addColumn<Script>("script");
        QTest::addColumn<QString>("reason");

        QTest::newRow("not found")
            << Script::reply(Script::httpReply("<html>gone</html>", "404 Not Found"))
            << QStringLiteral("answered \"404 Not Found\"");
        QTest::newRow("server error") << Script::reply("HTTP/1.1 500 Internal Server Error\r\n\r\n")
                                      << QStringLiteral("answered \"500 Internal Server Error\"");
        QTest::newRow("no separator") << Script::reply("HTTP/1.0 200 OK\nX: y\n\nrecordsEND")
                                      << QStringLiteral("headers never end");
        QTest::newRow("closed without a byte")
            << Script::reply("") << QStringLiteral("without a reply");
        {
            Script script = Script::reply(
                "HTTP/1.0 200 OK\r\nContent-Length: 500\r\n\r\n" + Record1, Ending::Reset);
            script.endDelayMs = 50;
            QTest::newRow("reset half-way") << script << QStringLiteral("broke after");
        }
        {
            Script script = Script::reply("HTTP/1.0 200 OK\r\n", Ending::Reset);
            script.endDelayMs = 50;
            QTest::newRow("reset in the headers")
                << script << QStringLiteral("broke after 17 bytes");
        }
    }

    void failsAndKeepsPreviousFile()
    {
        QFETCH(Script, script);
        QFETCH(QString, reason);

        ScriptedServer server;
        QVERIFY(server.listen());
        server.setDefaultScript(script);
        SearchExchange exchange;
        QSignalSpy stored(&exchange, &SearchExchange::stored);
        QSignalSpy failed(&exchange, &SearchExchange::failed);
        QVERIFY(run(exchange, server, stored, failed));
        QCOMPARE(stored.count(), 0);
        QCOMPARE(failed.count(), 1);
        const QString text = failed.at(0).at(0).toString();
        QVERIFY2(text.contains(reason), qPrintable(text));
        QCOMPARE(storedFile(), m_previous);
        QVERIFY(exchange.storedText().empty());
    }

    void refusedConnection()
    {
        SearchExchange exchange;
        QSignalSpy stored(&exchange, &SearchExchange::stored);
        QSignalSpy failed(&exchange, &SearchExchange::failed);
        const ServerAddress nowhere { QStringLiteral("127.0.0.1"), ScriptedServer::unusedPort() };
        exchange.start(nowhere, m_file, Path.toStdString());
        QTRY_COMPARE(failed.count(), 1);
        QVERIFY2(failed.at(0).at(0).toString().contains(QStringLiteral("refused")),
            qPrintable(failed.at(0).at(0).toString()));
        QCOMPARE(stored.count(), 0);
        QCOMPARE(storedFile(), m_previous);
    }

    void serverThatNeverCloses()
    {
        ScriptedServer server;
        QVERIFY(server.listen());
        server.setDefaultScript(Script::reply(Script::httpReply("dataEND"), Ending::StayOpen));
        SearchExchange exchange;
        exchange.connection().setIdleTimeout(300);
        QSignalSpy stored(&exchange, &SearchExchange::stored);
        QSignalSpy failed(&exchange, &SearchExchange::failed);
        QVERIFY(run(exchange, server, stored, failed));
        QCOMPARE(stored.count(), 0);
        QVERIFY2(failed.at(0).at(0).toString().contains(QStringLiteral("No answer")),
            qPrintable(failed.at(0).at(0).toString()));
        QCOMPARE(storedFile(), m_previous);
        QVERIFY(!exchange.isRunning());
    }

    void oversizeReply()
    {
        ScriptedServer server;
        QVERIFY(server.listen());
        server.setDefaultScript(Script::inPieces(
            Script::httpReply(QByteArray(64 * 1024, 'x') + "END"), 4096, 1, Ending::StayOpen));
        SearchExchange exchange;
        exchange.connection().setMaxReplyBytes(16 * 1024);
        QSignalSpy stored(&exchange, &SearchExchange::stored);
        QSignalSpy failed(&exchange, &SearchExchange::failed);
        QVERIFY(run(exchange, server, stored, failed));
        QCOMPARE(stored.count(), 0);
        QVERIFY2(failed.at(0).at(0).toString().contains(QStringLiteral("larger than")),
            qPrintable(failed.at(0).at(0).toString()));
        QCOMPARE(storedFile(), m_previous);
    }

    void resultFileCannotBeWritten()
    {
        // A folder where the result file should be: no rename can replace it.
        const QString blocked = m_dir.filePath(QStringLiteral("blocked"));
        QVERIFY(QDir().mkpath(blocked + QStringLiteral("/tmp.txt/inside")));
        m_file = blocked + QStringLiteral("/tmp.txt");

        ScriptedServer server;
        QVERIFY(server.listen());
        server.setDefaultScript(Script::reply(Script::httpReply(Record1 + "END")));
        SearchExchange exchange;
        QSignalSpy ready(&exchange, &SearchExchange::replyReady);
        QSignalSpy notStored(&exchange, &SearchExchange::notStored);
        QSignalSpy stored(&exchange, &SearchExchange::stored);
        QSignalSpy failed(&exchange, &SearchExchange::failed);
        QVERIFY(run(exchange, server, stored, failed));
        // The rows were offered while the file was written, and withdrawn when it failed.
        QCOMPARE(ready.count(), 1);
        QCOMPARE(notStored.count(), 1);
        QCOMPARE(notStored.at(0), failed.at(0));
        QVERIFY(exchange.storedText().empty());
        QCOMPARE(stored.count(), 0);
        QVERIFY2(failed.at(0).at(0).toString().startsWith(
                     QStringLiteral("The search results could not be stored")),
            qPrintable(failed.at(0).at(0).toString()));
        QVERIFY(QFileInfo(m_file).isDir());
        QVERIFY(QFileInfo::exists(m_file + QStringLiteral("/inside")));
        // No half-made file is left beside it.
        QCOMPARE(QDir(blocked).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void secondSearchDropsFirst()
    {
        ScriptedServer server;
        QVERIFY(server.listen());
        // The first reply would come late; the second at once.
        Script slow = Script::reply(Script::httpReply("FirstEND"));
        slow.pieces.first().delayMs = 300;
        server.enqueue(slow);
        server.enqueue(Script::reply(Script::httpReply("Second<>xEND")));
        SearchExchange exchange;
        QSignalSpy stored(&exchange, &SearchExchange::stored);
        QSignalSpy failed(&exchange, &SearchExchange::failed);
        exchange.start(server.address(), m_file, "/browse-app.php?country=AA");
        QVERIFY(server.waitForConnections(1));
        exchange.start(server.address(), m_file, "/browse-app.php?country=BB");
        QTRY_COMPARE(stored.count(), 1);
        // Give the first reply time to arrive, had it not been dropped.
        QTest::qWait(500);
        QCOMPARE(stored.count(), 1);
        QCOMPARE(failed.count(), 0);
        QCOMPARE(plain(storedFile()), QByteArray("Second<>x\r\n-\r\n\r\n"));
        QCOMPARE(server.connectionCount(), 2);
        QVERIFY(server.request(1).contains("country=BB"));
    }
};

QTEST_GUILESS_MAIN(TestSearchExchange)
#include "tst_search_exchange.moc"
