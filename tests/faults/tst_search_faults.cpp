#include "common/scripted_server.h"
#include "faults/fault_support.h"
#include "platform/message_box.h"
#include "results/result_list_model.h"
#include "results/result_list_view.h"
#include "search/search_exchange.h"
#include "search/search_reply.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>

using namespace pellomar;
using namespace pellomar::test;

namespace {

// Streams an HTTP reply of `total` random bytes to every client, a little at a time and only
// as fast as the client takes it, so the test itself never holds the garbage.
class GarbageServer : public QObject {
public:
    static constexpr qint64 Chunk = 256 * 1024;

    explicit GarbageServer(qint64 total)
        : m_total(total)
    {
        m_chunk.resize(Chunk);
        QRandomGenerator generator(7);
        generator.fillRange(reinterpret_cast<quint32 *>(m_chunk.data()), Chunk / 4);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n");
                connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] { feed(socket); });
                connect(socket, &QTcpSocket::errorOccurred, this, [this] { m_broken = true; });
                feed(socket);
            }
        });
    }

    bool listen() { return m_server.listen(QHostAddress::LocalHost, 0); }
    ServerAddress address() const
    {
        return ServerAddress { QStringLiteral("127.0.0.1"), m_server.serverPort() };
    }
    qint64 sent() const { return m_sent; }
    // The client broke the connection before the whole garbage was sent.
    bool broken() const { return m_broken; }

private:
    void feed(QTcpSocket *socket)
    {
        while (m_sent < m_total && socket->bytesToWrite() < 2 * Chunk
            && socket->state() == QAbstractSocket::ConnectedState) {
            const qint64 size = qMin(Chunk, m_total - m_sent);
            socket->write(m_chunk.constData(), size);
            m_sent += size;
        }
        if (m_sent >= m_total && socket->bytesToWrite() == 0)
            socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QByteArray m_chunk;
    qint64 m_total;
    qint64 m_sent = 0;
    bool m_broken = false;
};

} // namespace

// The search from the main window against servers that misbehave: whatever the server does,
// the window keeps working, says what happened on the status line, and the previous result
// file and the user's saved hotspot stay byte for byte as they were.
class TestSearchFaults : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QList<MessageBox::Request> m_boxes;
    std::unique_ptr<ScriptedServer> m_server;
    std::unique_ptr<frmMain> m_window;
    KeptFiles m_kept;

    QString status() const
    {
        return m_window->findChild<QLabel *>(QStringLiteral("lblStatus"))->text();
    }
    QPushButton *searchButton() const
    {
        return m_window->findChild<QPushButton *>(QStringLiteral("Command1"));
    }
    ResultListView *list() const { return m_window->findChild<ResultListView *>(); }

    // Opens the main window on `server` and waits for the start-up reload of the previous
    // result file.
    void openWindow(const ServerAddress &server)
    {
        AppContext context;
        context.server = server;
        context.dataDir = m_dir->path();
        context.referenceDir = qEnvironmentVariable("PELLOMAR_BIN_DIR");
        QVERIFY(
            m_kept.write(context.resultFilePath(), m_dir->filePath(QStringLiteral("saved.txt"))));
        m_window = openMainWindow(context);
        QTRY_COMPARE(status(), QStringLiteral("Results Loaded!"));
        QCOMPARE(list()->rowCount(), 2);
    }

    // Presses "Search hotspots!" and waits for the search to end; true when it stored a reply.
    bool search(int timeoutMs = 15000)
    {
        QSignalSpy stored(&m_window->searchExchange(), &SearchExchange::stored);
        QSignalSpy failed(&m_window->searchExchange(), &SearchExchange::failed);
        QTest::mouseClick(searchButton(), Qt::LeftButton);
        if (!QTest::qWaitFor([&] { return stored.count() + failed.count() > 0; }, timeoutMs))
            qWarning("the search did not end within %d ms", timeoutMs);
        return !stored.isEmpty();
    }

    // After a failed search: the window is usable, the list shows the previous rows, and the
    // files are as they were.
    void checkNothingLost()
    {
        QVERIFY(m_window->isVisible());
        QVERIFY(searchButton()->isEnabled());
        QCOMPARE(list()->rowCount(), 2);
        QCOMPARE(
            list()->record(1), std::string("Old Cafe<>US<>Springfield<>Cafe<>free<>Old Operator"));
        QVERIFY2(m_kept.changed().isEmpty(), qPrintable(m_kept.changed()));
        QVERIFY(m_boxes.isEmpty());
    }

private Q_SLOTS:
    void initTestCase()
    {
        MessageBox::setResponder([this](const MessageBox::Request &box) {
            m_boxes.append(box);
            return QMessageBox::Ok;
        });
    }
    void cleanupTestCase() { MessageBox::setResponder({}); }

    void init()
    {
        m_boxes.clear();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_server = std::make_unique<ScriptedServer>();
        QVERIFY(m_server->listen());
    }

    void cleanup()
    {
        m_window.reset();
        m_server.reset();
        m_dir.reset();
    }

    void failedSearchKeepsEverything_data()
    {
        QTest::addColumn<QString>("host"); // "" for the scripted server
        QTest::addColumn<Script>("script");
        QTest::addColumn<int>("idleTimeoutMs");
        QTest::addColumn<QString>("expected");

        const QByteArray headers = "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n";
        QTest::newRow("refused") << QStringLiteral("refused") << Script() << 5000
                                 << QStringLiteral("refused the connection");
        // The reserved top-level domain: the resolver answers at once that it does not exist.
        QTest::newRow("name not found") << QStringLiteral("nowhere.invalid") << Script() << 5000
                                        << QStringLiteral("was not found");
        Script reset = Script::reply(headers, Ending::Reset);
        reset.endDelayMs = 50;
        QTest::newRow("reset after the headers")
            << QString() << reset << 5000 << QStringLiteral("broke after 44 bytes");
        Script resetWithLength = Script::reply(
            "HTTP/1.0 200 OK\r\nContent-Length: 400\r\n\r\nNew Cafe<>US<>Boston", Ending::Reset);
        resetWithLength.endDelayMs = 50;
        QTest::newRow("reset inside an announced body")
            << QString() << resetWithLength << 5000 << QStringLiteral("broke after 60 bytes");
        QTest::newRow("never closes")
            << QString() << Script::reply(headers + "New Cafe<>US<>BostonEND", Ending::StayOpen)
            << 500 << QStringLiteral("No answer from the directory server");
        QTest::newRow("a line of 2 MiB")
            << QString() << Script::reply(headers + QByteArray(2 << 20, 'x') + "END") << 5000
            << QStringLiteral("holds a line of more than 1024 KiB");
        QTest::newRow("silent server") << QString() << Script::reply({}, Ending::StayOpen) << 500
                                       << QStringLiteral("No answer from the directory server");
        QTest::newRow("closes without a reply")
            << QString() << Script::reply({}) << 5000
            << QStringLiteral("closed the connection without a reply");
    }

    void failedSearchKeepsEverything()
    {
        QFETCH(QString, host);
        QFETCH(Script, script);
        QFETCH(int, idleTimeoutMs);
        QFETCH(QString, expected);

        ServerAddress server = m_server->address();
        if (host == QStringLiteral("refused"))
            server.port = ScriptedServer::unusedPort();
        else if (!host.isEmpty())
            server = ServerAddress { host, 80 };
        m_server->setDefaultScript(script);
        openWindow(server);
        m_window->searchExchange().connection().setIdleTimeout(idleTimeoutMs);

        QVERIFY(!search());
        QVERIFY2(status().contains(expected), qPrintable(status()));
        checkNothingLost();

        // The next search from the same window works as if nothing had happened.
        if (host.isEmpty()) {
            m_server->setDefaultScript(Script::reply(Script::httpReply("New Cafe<>US<>BostonEND")));
            QVERIFY(search());
            QCOMPARE(status(), QStringLiteral("Results Loaded!"));
            QCOMPARE(list()->rowCount(), 1);
            QVERIFY(m_kept.savedFileUnchanged());
        }
    }

    // 100 MB of random bytes: the 64 MiB limit ends the search long before the end, and the
    // test never holds more than a piece of the garbage.
    void garbageStopsAtTheLimit()
    {
        GarbageServer garbage(qint64(100) * 1000 * 1000);
        QVERIFY(garbage.listen());
        openWindow(garbage.address());
        QVERIFY(!search(60000));
        QVERIFY2(status().contains(QStringLiteral("larger than 64 MiB")), qPrintable(status()));
        QVERIFY2(garbage.sent() < qint64(100) * 1000 * 1000, QByteArray::number(garbage.sent()));
        checkNothingLost();
    }

    // One byte every 50 ms is slow but progress: the search completes.
    void tricklingReplyCompletes()
    {
        const QByteArray reply = "HTTP/1.0 200 OK\r\n\r\nNew Cafe<>US<>Boston<>Cafe<>freeEND";
        QVERIFY(reply.size() <= 60);
        m_server->setDefaultScript(Script::inPieces(reply, 1, 50));
        openWindow(m_server->address());
        m_window->searchExchange().connection().setIdleTimeout(1000);
        QVERIFY(search(20000));
        QCOMPARE(status(), QStringLiteral("Results Loaded!"));
        QCOMPARE(list()->rowCount(), 1);
        QCOMPARE(list()->record(1), std::string("New Cafe<>US<>Boston<>Cafe<>free"));
        QVERIFY(m_kept.savedFileUnchanged());
    }

    // Bytes that are not text are kept as they came and shown as Latin-1, NULs included.
    void binaryReplyIsStoredAndShown_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("isMessage");
        // The whole literal, NULs included.
        const auto bytes
            = [](const auto &literal) { return QByteArray(literal, sizeof literal - 1); };
        QTest::newRow("records") << bytes("Caf\xE9\0Bar<>US<>\xFF\xFE\x80<>\0\0END") << false;
        QTest::newRow("message") << bytes("No \xC3\x28 hotspots\0 here") << true;
        QTest::newRow("cut UTF-8 sequence") << QByteArray("Stra\xC3<>DE<>BerlinEND") << false;
    }

    void binaryReplyIsStoredAndShown()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, isMessage);
        m_server->setDefaultScript(Script::reply(Script::httpReply(body)));
        openWindow(m_server->address());
        QVERIFY(search());
        QCOMPARE(status(), QStringLiteral("Results Loaded!"));

        const std::string reduced = NormalisedBody(asView(body));
        const QByteArray onDisk = readWholeFile(m_window->context().resultFilePath()).data;
        QCOMPARE(Scrambled(asView(onDisk)), reduced + "\r\n");
        const std::string firstRecord = reduced.substr(0, reduced.find("\r\n"));
        QCOMPARE(list()->rowCount(), 1);
        QCOMPARE(list()->record(1), firstRecord);
        const QString name = list()->model()->caption(1, ResultLayout::Column::Name);
        QVERIFY2(name.startsWith(QString::fromLatin1(firstRecord.substr(0, 4))), qPrintable(name));

        auto *panel = m_window->findChild<QFrame *>(QStringLiteral("Picture3"));
        QCOMPARE(panel->isVisible(), isMessage);
        if (isMessage) {
            QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("lblMsg"))->text(),
                QString::fromLatin1(reduced));
        }
        // The list paints the odd characters without trouble.
        QVERIFY(!list()->grab().isNull());
        QVERIFY(m_kept.savedFileUnchanged());
        QVERIFY(m_boxes.isEmpty());
    }
};

QTEST_MAIN(TestSearchFaults)
#include "tst_search_faults.moc"
