// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/helpers.h"
#include "common/scripted_server.h"
#include "platform/display_text.h"
#include "resultfile/result_format.h"
#include "search/search_exchange.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace pellomar;
using namespace pellomar::test;

namespace {

const QByteArray Path = "/browse-app.php?country=DE&city=a%26b%3Dc&zipcode=1&loctype=AIR&type=2";

} // namespace

// One search against a scripted server on loopback: every way a reply can arrive, break or fail,
// and what ends up in the result file. A failure leaves the previous file byte for byte.
class TestSearchExchange : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_file;
    const std::string m_previous = "Old<>Record\r\n-\r\n\r\n";

private Q_SLOTS:
    void init()
    {
        m_file = m_dir.filePath(QStringLiteral("tmp.txt"));
        QVERIFY(putScrambled(m_file, m_previous));
    }

    void exchange_data()
    {
        QTest::addColumn<QString>("host"); // the scripted server's address when empty
        QTest::addColumn<Script>("script");
        QTest::addColumn<QByteArray>("stored"); // the result file's text when the search works
        QTest::addColumn<QString>("failure"); // else part of the reason
        // Bytes that are no text go through as they are.
        const QByteArray records("Caf\xe9\0<>Berlin<>DE\r\nEND\r\nAir\r\nport<>\xffMunichEND", 45);
        const QByteArray two("Caf\xe9\0<>Berlin<>DE\r\n-\r\nAirport<>\xffMunich\r\n-\r\n\r\n", 45);
        const auto stores = [](const char *name, Script script, const QByteArray &text,
                                const QString &host = {}) {
            QTest::newRow(name) << host << script << text << QString();
        };
        const auto fails = [](const char *name, Script script, const char *reason,
                               const QString &host = {}) {
            QTest::newRow(name) << host << script << QByteArray() << QString::fromLatin1(reason);
        };
        stores("whole, by host name", Script::reply(Script::httpReply(records)), two,
            QStringLiteral("localhost"));
        stores("a byte at a time", Script::inPieces(Script::httpReply(records), 1), two);
        {
            Script torn; // the header separator torn apart: CR LF | CR | LF body
            torn.pieces
                = { { "HTTP/1.0 200 OK\r\nX: y\r\n", 0 }, { "\r", 10 }, { "\n" + records, 10 } };
            stores("separator torn apart", torn, two);
        }
        stores("message", Script::reply(Script::httpReply("No hotspots found.")),
            "No hotspots found.\r\n");
        fails("refused", {}, "refused the connection", QStringLiteral("refused"));
        // The reserved top-level domain: the resolver answers at once that it does not exist.
        fails("name not found", {}, "was not found", QStringLiteral("nowhere.invalid"));
        fails("not found", Script::reply(Script::httpReply("gone", "404 Not Found")),
            "answered \"404 Not Found\"");
        fails("a sign-in page", Script::reply(Script::httpReply("<html>Sign in</html>")),
            "may need a sign-in in the browser");
        fails("closed without a byte", Script::reply(""), "without a reply");
        fails("reset", Script { { { "HTTP/1.0 200 OK\r\n", 0 } }, Ending::Reset, 50 },
            "broke after 17 bytes");
        fails("cut inside an announced body",
            Script::reply("HTTP/1.0 200 OK\r\nContent-Length: 500\r\n\r\n" + records),
            qPrintable(QStringLiteral("broke after %1 of 500 bytes").arg(records.size())));
        fails("silent", Script::reply({}, Ending::StayOpen), "No answer from");
        fails("never closes", Script::reply(Script::httpReply(records), Ending::StayOpen),
            "No answer from");
        fails("trickle", Script::inPieces(Script::httpReply(records), 1, 100),
            "did not finish its answer within 3 seconds");
        fails("past 64 MiB", Script::reply(Script::httpReply(QByteArray(64 << 20, 'x'))),
            "larger than 64 MiB");
        fails("a line of 2 MiB",
            Script::reply(Script::httpReply("a<>" + QByteArray(2 << 20, 'x') + "END")),
            "holds a line of more than 1024 KiB");
    }
    void exchange()
    {
        QFETCH(QString, host);
        QFETCH(Script, script);
        QFETCH(QByteArray, stored);
        QFETCH(QString, failure);
        ScriptedServer server;
        QVERIFY(server.listen());
        server.setDefaultScript(script);
        ServerAddress address = server.address();
        if (host == QStringLiteral("refused"))
            address.port = ScriptedServer::unusedPort();
        else if (!host.isEmpty())
            address.host = host;

        SearchExchange exchange;
        exchange.connection().setIdleTimeout(400);
        exchange.connection().setOverallTimeout(3000);
        QSignalSpy status(&exchange, &SearchExchange::statusChanged);
        QSignalSpy storedSpy(&exchange, &SearchExchange::stored);
        QSignalSpy failed(&exchange, &SearchExchange::failed);
        exchange.start(address, m_file, Path.toStdString());
        QVERIFY(QTest::qWaitFor([&] { return storedSpy.count() + failed.count() > 0; }, 10000));
        QVERIFY(!exchange.isRunning());
        const QByteArray onDisk = fileBytes(m_file);
        if (!failure.isEmpty()) {
            QCOMPARE(storedSpy.count(), 0);
            QVERIFY2(failed.at(0).at(0).toString().contains(failure),
                qPrintable(failed.at(0).at(0).toString()));
            QCOMPARE(onDisk, QByteArray::fromStdString(scrambled(m_previous)));
            QVERIFY(exchange.replyText().empty());
            return;
        }
        QVERIFY2(
            failed.isEmpty(), failed.isEmpty() ? "" : qPrintable(failed.at(0).at(0).toString()));
        QCOMPARE(server.request(0),
            "GET " + Path + " HTTP/1.0\r\nHost: " + address.hostHeader().toLatin1() + "\r\n\r\n");
        // Scrambled on disk; the list is filled from the same text without reading it back.
        QCOMPARE(QByteArray::fromStdString(scrambled(asView(onDisk))), stored);
        QCOMPARE(QByteArray(exchange.replyText().data(), qsizetype(exchange.replyText().size())),
            stored);
        QCOMPARE(storedSpy.at(0).at(0).toBool(), stored == "No hotspots found.\r\n");
        QStringList texts;
        for (const QList<QVariant> &signal : status)
            texts << signal.at(0).toString();
        QCOMPARE(texts,
            QStringList({ QStringLiteral("Connecting..."), QStringLiteral("Requesting Data..."),
                QStringLiteral("Data Downloaded - Loading Results...") }));
    }

    void secondSearchDropsFirst()
    {
        ScriptedServer server;
        QVERIFY(server.listen());
        Script slow = Script::reply(Script::httpReply("FirstEND"));
        slow.pieces.first().delayMs = 300;
        server.enqueue(slow);
        server.enqueue(Script::reply(Script::httpReply("Second<>xEND")));
        SearchExchange exchange;
        QSignalSpy stored(&exchange, &SearchExchange::stored);
        exchange.start(server.address(), m_file, "/browse-app.php?country=AA");
        QVERIFY(server.waitForConnections(1));
        exchange.start(server.address(), m_file, "/browse-app.php?country=BB");
        QTRY_COMPARE(stored.count(), 1);
        QTest::qWait(500); // time for the first reply, had it not been dropped
        QCOMPARE(stored.count(), 1);
        QCOMPARE(scrambled(asView(fileBytes(m_file))), std::string("Second<>x\r\n-\r\n\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestSearchExchange)
#include "tst_search_exchange.moc"
