#include "common/scripted_server.h"

#include <QDeadlineTimer>
#include <QTcpSocket>
#include <QTest>

using namespace pellomar::test;

// The scripted server is what every network fault test stands on: check that it really sends
// the pieces in order, records the request, and ends the connection the way it was told.
class TestScriptedServer : public QObject {
    Q_OBJECT

private:
    struct Outcome {
        QByteArray received;
        QAbstractSocket::SocketError error = QAbstractSocket::UnknownSocketError;
        bool closed = false;
    };

    static Outcome exchange(ScriptedServer &server, const QByteArray &request, int waitMs)
    {
        Outcome outcome;
        QTcpSocket client;
        QObject::connect(&client, &QTcpSocket::readyRead, &client,
            [&] { outcome.received += client.readAll(); });
        QObject::connect(&client, &QTcpSocket::errorOccurred, &client,
            [&](QAbstractSocket::SocketError error) { outcome.error = error; });
        QObject::connect(&client, &QTcpSocket::disconnected, &client, [&] {
            outcome.received += client.readAll();
            outcome.closed = true;
        });
        client.connectToHost(QStringLiteral("127.0.0.1"), server.port());
        if (!client.waitForConnected(5000))
            return outcome;
        client.write(request);
        QDeadlineTimer deadline(waitMs);
        while (!outcome.closed && !deadline.hasExpired())
            QTest::qWait(5);
        // Destroying the socket below would report a close of our own.
        client.disconnect();
        return outcome;
    }

private Q_SLOTS:
    void playsPiecesAndRecordsTheRequest()
    {
        ScriptedServer server;
        QVERIFY(server.listen());
        server.setDefaultScript(Script::inPieces("abcdefg", 2, 5));
        const Outcome outcome = exchange(server, "GET / HTTP/1.0\r\n\r\n", 5000);
        QVERIFY(outcome.closed);
        QCOMPARE(outcome.received, QByteArray("abcdefg"));
        QCOMPARE(server.connectionCount(), 1);
        QCOMPARE(server.request(0), QByteArray("GET / HTTP/1.0\r\n\r\n"));
        QCOMPARE(server.finishedCount(), 1);
    }

    void waitsForTheEmptyLineOfTheRequest()
    {
        ScriptedServer server;
        QVERIFY(server.listen());
        server.setDefaultScript(Script::reply("reply"));
        QTcpSocket client;
        QByteArray received;
        connect(&client, &QTcpSocket::readyRead, this, [&] { received += client.readAll(); });
        client.connectToHost(QStringLiteral("127.0.0.1"), server.port());
        QTRY_COMPARE(client.state(), QAbstractSocket::ConnectedState);
        client.write("GET / HTTP/1.0\r\n");
        QTest::qWait(200);
        QVERIFY(received.isEmpty());
        client.write("\r\n");
        QTRY_COMPARE(received, QByteArray("reply"));
    }

    void queuedScriptsGoToConnectionsInOrder()
    {
        ScriptedServer server;
        QVERIFY(server.listen());
        server.enqueue(Script::reply("first"));
        server.setDefaultScript(Script::reply("later"));
        QCOMPARE(exchange(server, "\r\n\r\n", 5000).received, QByteArray("first"));
        QCOMPARE(exchange(server, "\r\n\r\n", 5000).received, QByteArray("later"));
        QCOMPARE(exchange(server, "\r\n\r\n", 5000).received, QByteArray("later"));
    }

    void resetBreaksTheConnection()
    {
        ScriptedServer server;
        QVERIFY(server.listen());
        Script script = Script::reply("partial", Ending::Reset);
        script.endDelayMs = 50;
        server.setDefaultScript(script);
        const Outcome outcome = exchange(server, "\r\n\r\n", 5000);
        QVERIFY(outcome.closed);
        // On a socket the reset looks like the peer closing; the data before it arrives.
        QCOMPARE(outcome.error, QAbstractSocket::RemoteHostClosedError);
        QCOMPARE(outcome.received, QByteArray("partial"));
    }

    void stayOpenNeverCloses()
    {
        ScriptedServer server;
        QVERIFY(server.listen());
        server.setDefaultScript(Script::reply("hello", Ending::StayOpen));
        const Outcome outcome = exchange(server, "\r\n\r\n", 500);
        QCOMPARE(outcome.received, QByteArray("hello"));
        QVERIFY(!outcome.closed);
        QCOMPARE(server.finishedCount(), 1);
    }

    void unusedPortRefuses()
    {
        const quint16 port = ScriptedServer::unusedPort();
        QVERIFY(port != 0);
        QTcpSocket client;
        client.connectToHost(QStringLiteral("127.0.0.1"), port);
        QVERIFY(!client.waitForConnected(5000));
        QCOMPARE(client.error(), QAbstractSocket::ConnectionRefusedError);
    }
};

QTEST_GUILESS_MAIN(TestScriptedServer)
#include "tst_scripted_server.moc"
