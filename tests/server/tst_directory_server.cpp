// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/demo_server.h"
#include "reference/reference_table.h"
#include "rules/connection_room.h"
#include "rules/request_log_line.h"
#include "rules/search_keys.h"
#include "rules/search_request.h"

#include <QDeadlineTimer>
#include <QImage>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <set>
#include <sys/resource.h>
#include <unistd.h>

using namespace pellomar::test;
using namespace Qt::Literals::StringLiterals;

namespace {

const QByteArray NoMatch
    = "No hotspots match your search. Try again without the city, ZIP code or location type.";

struct HttpReply {
    QByteArray head; // with the CR LF that ends its last line
    QByteArray body;
    int status = 0;
    bool closedByServer = false; // and not by our time-out
};

// Sends the bytes as they are and reads until the server closes the connection.
HttpReply exchange(quint16 port, const QByteArray &request, int timeoutMs = 10000)
{
    QTcpSocket socket;
    socket.connectToHost(u"127.0.0.1"_s, port);
    socket.write(request);
    QByteArray raw;
    for (const QDeadlineTimer deadline(timeoutMs);
         socket.state() != QAbstractSocket::UnconnectedState && !deadline.hasExpired();) {
        socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        raw += socket.readAll();
    }
    const qsizetype split = raw.indexOf("\r\n\r\n");
    return { raw.left(split < 0 ? split : split + 2), split < 0 ? QByteArray() : raw.mid(split + 4),
        raw.mid(9, 3).toInt(), socket.state() == QAbstractSocket::UnconnectedState };
}

// The request as the client sends it: request line, Host line, empty line.
HttpReply clientGet(quint16 port, const QByteArray &target)
{
    return exchange(port, "GET " + target + " HTTP/1.0\r\nHost: hotspots.pellomar.example\r\n\r\n");
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A hotspot in `city` (a Latin-1 name with spaces around, codes in small letters, a description
// of two lines); `firstValues` ("key=value&...") come first and so count before its own.
QByteArray submission(const QByteArray &city, const QByteArray &firstValues = {})
{
    const QByteArray body = firstValues
        + "name=%20T%E9st%20Caf%E9%20&type=2&operator=Test%20Operator&website=www.test.example&"
          "phone=%2B1%20760%20555%200100&email=info%40test.example&loctype=cafe&address=1%20Desert%"
          "20Road&zipcode=92309&city="
        + city.toPercentEncoding()
        + "&country=us&latitude=35.1430&longitude=-116.1040&technology=2&ssid=SSID%3A%20zzyzx&"
          "description=Added%20by%0D%0Athe%20test.";
    return "POST /submit-hotspot HTTP/1.1\r\nHost: x\r\nContent-Type: "
           "application/x-www-form-urlencoded\r\nContent-Length: "
        + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

QByteArray headerValue(const QByteArray &head, const QByteArray &name)
{
    const qsizetype at = head.indexOf("\r\n" + name + ": ");
    return at < 0 ? QByteArray() : head.mid(at).split('\r').value(1).mid(name.size() + 3);
}

HttpReply conditionalGet(quint16 port, const QByteArray &target, const QByteArray &ifNoneMatch)
{
    return exchange(port,
        "GET " + target + " HTTP/1.1\r\nHost: x\r\nIf-None-Match: " + ifNoneMatch + "\r\n\r\n");
}

qint64 residentKiB(qint64 pid)
{
    const QByteArray status = fileBytes(u"/proc/%1/status"_s.arg(pid));
    return status.mid(status.indexOf("VmRSS:") + 6).trimmed().split(' ').value(0).toLongLong();
}

} // namespace

class TestDirectoryServer : public QObject {
    Q_OBJECT

    DemoServer m_server;
    QTemporaryDir m_dir;
    const QString m_bin = qEnvironmentVariable("PELLOMAR_BIN_DIR");

    quint16 port() const { return m_server.port(); }

private Q_SLOTS:
    void initTestCase()
    {
        // A thousand connections and more: the soft limit on descriptors may be 1,024.
        rlimit files {};
        getrlimit(RLIMIT_NOFILE, &files);
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
        QVERIFY2(m_server.start(), qPrintable(m_server.error()));
    }

    // SIGTERM stops the server cleanly.
    void cleanupTestCase() { QCOMPARE(m_server.stop(), 0); }

    void search_data()
    {
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<int>("records");
        QTest::addColumn<QByteArray>("expected"); // the message, or the start of the records
        const auto row = [](const char *name, const QByteArray &query, int records,
                             const QByteArray &expected) {
            QTest::newRow(name) << query << records << expected;
        };
        row("country, cut at 1,000", "?country=US", 1000, "Anchorage General Hospital<>free (with");
        row("all five", "?country=US&city=New%20York&zipcode=10001&loctype=HOTEL&type=3", 1,
            "Hotel Blue Door<>commercial<>NetSpot<>http://www.hotelbluedoor.example/<><>wifi@"
            "netspot.example<>Hotel<>7 Mill Boulevard<>10001<>New York<>US<>40.681359<>-73.990700"
            "<>2<>Network netspot-6, voucher from the staff<>Coverage in the lobby, the rooms and "
            "the meeting rooms. Best signal near the entrance.<>END");
        row("capitals with umlaut", "?country=DE&city=M%C3%9CNCHEN", 70, "Alte Post Gardens<>");
        row("small letters", "?country=de&city=m%C3%BCnchen", 70, "Alte Post Gardens<>");
        row("without the accent", "?country=DE&city=Munchen", 70, "Alte Post Gardens<>");
        row("percent-encoded Latin-1", "?country=DE&city=M%FCnchen", 70, "Alte Post Gardens<>");
        row("Latin-1 bytes", "?country=de&city=M\xfcnchen", 70, "Alte Post Gardens<>");
        row("letters spelled in ASCII", "?country=PL&city=WROCLAW", 15, "");
        row("ZIP code", "?country=GB&zipcode=sw1a%201aa", 45, "Beacon Campground<>free<>");
        row("location type", "?country=FR&loctype=cafe", 22,
            "Caf\xc3\xa9 C\xc3\xb4te<>commercial<>");
        row("access type", "?country=IT&type=2", 80,
            "Campanile Galleria<>free (with registration)");
        row("empty filters", "?country=NZ&city=&zipcode=&loctype=&type=", 80, "Auckland Airport");
        row("city without a country", "?city=London", 0,
            "Please choose a country: the directory searches one country at a time.");
        row("unknown country", "?country=ZZ", 0,
            "The directory does not know the country you asked for.");
        row("unknown location type", "?country=US&loctype=CASTLE", 0,
            "The directory does not know the location type you asked for.");
        row("unknown access type", "?country=US&type=9", 0,
            "The access type must be 1 (free), 2 (free with registration) or 3 (commercial).");
        row("no match, SQL in the city", "?country=US&city=x%27%20OR%20%271%27%3D%271", 0, NoMatch);
    }

    void search()
    {
        QFETCH(QByteArray, query);
        QFETCH(int, records);
        QFETCH(QByteArray, expected);
        const HttpReply reply = clientGet(port(), "/browse-app.php" + query);
        QVERIFY(reply.status == 200 && reply.closedByServer);
        // Logged with bytes outside printable ASCII as %XX, the body's size and milliseconds.
        const QString logged = QRegularExpression::escape(
            QString::fromLatin1("\nGET /browse-app.php" + QByteArray(query).replace("\xfc", "%FC")
                + " 200 " + QByteArray::number(reply.body.size())));
        QTRY_VERIFY(m_server.output().contains(QRegularExpression(logged + u" \\d+\\.\\dms\n"_s)));
        if (records == 0)
            QCOMPARE(reply.body, expected + "\r\n");
        const QByteArray unbroken = QByteArray(reply.body).replace("\r\n", "");
        QVERIFY2(unbroken.startsWith(expected), unbroken.left(400).constData());
        // Line breaks fall between and inside values, at places that move from record to record,
        // but never inside "<>", "END" or a UTF-8 character.
        QCOMPARE(reply.body.count("END"), records);
        QCOMPARE(reply.body.count("<>"), records * 16);
        QVERIFY(!QString::fromUtf8(reply.body).contains(QChar::ReplacementCharacter));
        std::set<qsizetype> fieldsBroken;
        for (qsizetype at = 0; (at = reply.body.indexOf("\r\n", at + 1)) > 0;) {
            const qsizetype recordEnd = reply.body.lastIndexOf("END", at);
            const QByteArray before = reply.body.left(at).mid(recordEnd < 0 ? 0 : recordEnd + 3);
            if (!before.isEmpty() && !before.endsWith("<>"))
                fieldsBroken.insert(before.count("<>"));
        }
        QVERIFY(int(fieldsBroken.size()) >= std::min(10, records));
        // Some records run on into the next, some leave an empty line behind.
        QVERIFY(records < 5
            || (reply.body.count("END\r\n") < records && reply.body.contains("END\r\n\r\n")));
    }

    void exchanges_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("type");
        const auto get
            = [](const QByteArray &target) { return "GET " + target + " HTTP/1.0\r\n\r\n"; };
        const QByteArray search = "GET /browse-app.php?country=NZ HTTP/1.1\r\nHost: x\r\n";
        const auto row = [](const char *name, const QByteArray &request, int status,
                             const QByteArray &type = "text/plain; charset=utf-8") {
            QTest::newRow(name) << request << status << type;
        };
        row("JPEG", get("/images/3.jpg"), 200, "image/jpeg");
        row("GIF", get("/images/4.gif"), 200, "image/gif");
        row("tile", get("/tiles/10/550/335.png"), 200, "image/png");
        row("tile at the far corner, 2x", get("/tiles/19/524287/524287@2x.png"), 200, "image/png");
        for (const char *target : { "/tiles/20/0/0.png", "/tiles/1/2/0.png", "/tiles/1/0/2.png",
                 "/tiles/01/0/0.png", "/tiles/1/-1/0.png", "/tiles/1/0/0.jpg", "/tiles/1/0.png" })
            row(target, get(target), 404);
        row("home page, HTTP/1.0 keep-alive", "GET / HTTP/1.0\r\nConnection: keep-alive\r\n\r\n",
            200, "text/html; charset=utf-8");
        for (const char *target : { "/images/999999.jpg", "/images/1.png", "/hotspots.txt",
                 "/images/../hotspots.txt", "/images/%2e%2e%2fhotspots.txt", "/browse.php" })
            row(target, get(target), 404);
        row("HTTP/1.1, two requests in a row", search + "\r\n" + search + "\r\n", 200);
        row("100 header lines", search + QByteArray("X: 1\r\n").repeated(99) + "\r\n", 200);
        row("101 header lines", search + QByteArray("X: 1\r\n").repeated(100) + "\r\n", 431);
        const QByteArray kilobyte = "X-Filler: " + QByteArray(1012, 'a') + "\r\n";
        row("head of 63 KB", search + kilobyte.repeated(63) + "\r\n", 200);
        row("head of 65 KB", search + kilobyte.repeated(65) + "\r\n", 431);
        row("32 MB of header lines", search + kilobyte.repeated(32 * 1024), 431, {});
        row("target of 9 KB", get("/?" + QByteArray(9 * 1024, 'a')), 414);
        row("form of 65 KB",
            "POST /submit-hotspot HTTP/1.1\r\nHost: x\r\nContent-Length: 66560\r\n\r\n", 413);
        // Requests a front before the directory may read otherwise.
        row("NUL in the path", get("/images/3.jpg%00.gif"), 400);
        row("NUL in a search value", get("/browse-app.php?country=NZ&city=%00"), 400);
        row("HTTP/1.1 without Host", "GET /browse-app.php?country=NZ HTTP/1.1\r\n\r\n", 400);
        row("two lengths", search + "Content-Length: 0\r\nContent-Length: 5\r\n\r\nabcde", 400);
        row("length and chunks",
            search + "Content-Length: 5\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n", 400);
    }

    void exchanges()
    {
        QFETCH(QByteArray, request);
        QFETCH(int, status);
        QFETCH(QByteArray, type);
        const qint64 before = residentKiB(m_server.processId());
        // Well within the ten seconds a connection may idle: the server closes it itself.
        const HttpReply reply = exchange(port(), request, 5000);
        QCOMPARE(reply.status, status);
        QVERIFY(reply.closedByServer && !reply.body.contains("HTTP/1."));
        QVERIFY(type.isEmpty() || reply.head.contains("\r\nContent-Type: " + type + "\r\n"));
        // A refused head leaves nothing behind.
        QVERIFY(residentKiB(m_server.processId()) < before + 16 * 1024);
        const QByteArray target = request.left(request.indexOf(" HTTP/")).mid(4);
        if (status == 200 && target.startsWith("/images/")) {
            QCOMPARE(reply.body, fileBytes(m_bin + u"/directory"_s + QString::fromLatin1(target)));
            QVERIFY(!QImage::fromData(reply.body).isNull());
        }
        if (status == 200 && target.startsWith("/tiles/")) {
            QVERIFY(reply.head.contains("\r\nCache-Control: public, max-age=86400\r\n"));
            const QImage tile = QImage::fromData(reply.body, "PNG");
            QCOMPARE(tile.size(), target.contains("@2x") ? QSize(512, 512) : QSize(256, 256));
        }
    }

    void validators_data()
    {
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<QByteArray>("ifNoneMatch"); // %s: the tag of the reply before
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("cacheControl");
        const auto row = [](const char *name, const char *target, const char *ifNoneMatch,
                             int status, const char *cacheControl = "public, max-age=60") {
            QTest::newRow(name) << QByteArray(target) << QByteArray(ifNoneMatch) << status
                                << QByteArray(cacheControl);
        };
        row("search, its tag", "/browse-app.php?country=NZ", "%s", 304);
        row("search, its tag weak among others", "/browse-app.php?country=NZ&city=Auckland",
            "\"a\" , W/%s,\"b\"", 304);
        row("search, any tag", "/browse-app.php?country=NZ", "*", 304);
        row("search, another tag", "/browse-app.php?country=NZ", "\"d0\", \"%s\"", 200);
        row("home page, its tag", "/", "%s", 304);
        row("tile, its tag", "/tiles/3/1/2.png", "%s", 304, "public, max-age=86400");
    }

    // A current copy costs a 304 and no body; anything else gets the whole reply again.
    void validators()
    {
        QFETCH(QByteArray, target);
        QFETCH(QByteArray, ifNoneMatch);
        QFETCH(int, status);
        QFETCH(QByteArray, cacheControl);
        const HttpReply first = conditionalGet(port(), target, {});
        const QByteArray tag = headerValue(first.head, "ETag");
        QVERIFY(tag.size() > 2);
        QCOMPARE(headerValue(first.head, "Cache-Control"), cacheControl);
        const HttpReply reply = conditionalGet(port(), target, ifNoneMatch.replace("%s", tag));
        QCOMPARE(reply.status, status);
        QCOMPARE(headerValue(reply.head, "ETag"), tag);
        QCOMPARE(reply.body, status == 304 ? QByteArray() : first.body);
    }

    // The database answers, then no longer holds the data's version.
    void health()
    {
        const QString file = m_dir.filePath(u"health.db"_s);
        DemoServer server;
        QVERIFY(server.start({ u"--database"_s, file }));
        const HttpReply ok = clientGet(server.port(), "/health");
        QCOMPARE(ok.status, 200);
        QCOMPARE("\"d" + ok.body.mid(3).trimmed() + '"',
            headerValue(clientGet(server.port(), "/").head, "ETag"));
        QCOMPARE(QProcess::execute(u"python3"_s,
                     { u"-c"_s,
                         u"import sqlite3, sys; sqlite3.connect(sys.argv[1]).execute('DROP TABLE "
                         "data_version')"_s,
                         file }),
            0);
        QCOMPARE(clientGet(server.port(), "/health").status, 503);
        QCOMPARE(server.stop(), 0);
    }

    void slowClientsWaitInTheListenQueueHoldNoSearchUpAndGoAtTheDeadline()
    {
        // Held still, the server accepts nothing: the system queues the connections up to the
        // server's listen backlog, beyond which they would wait a second or more for a retry.
        const auto pid = pid_t(m_server.processId());
        QCOMPARE(::kill(pid, SIGSTOP), 0);
        QElapsedTimer clock;
        clock.start();
        // As many as one address may hold without the server making room.
        std::vector<QTcpSocket> slow(90);
        for (QTcpSocket &socket : slow)
            socket.connectToHost(u"127.0.0.1"_s, port());
        const auto open = [&slow] {
            return std::ranges::count(
                slow, QAbstractSocket::ConnectedState, &QAbstractSocket::state);
        };
        QTest::qWait(500);
        const long queued = open();
        ::kill(pid, SIGCONT);
        QCOMPARE(queued, 90);
        // A byte every two seconds keeps a connection from idling; each must still go once its
        // request is ten seconds late, and none may hold a search up meanwhile.
        for (QTcpSocket &socket : slow) {
            socket.write("GET /browse-app.php?country=NZ HTTP/1.1\r\nHost: x\r\nX-Slow: ");
            socket.flush();
        }
        QCOMPARE(clientGet(port(), "/browse-app.php?country=NZ").body.count("END"), 80);
        for (qint64 nextByte = 0; open() > 0 && clock.elapsed() < 15000; QTest::qWait(50)) {
            QVERIFY(clock.elapsed() > 10000 || open() == 90);
            for (; clock.elapsed() >= nextByte; nextByte += 2000) {
                for (QTcpSocket &socket : slow)
                    socket.write("a");
            }
        }
        QCOMPARE(open(), 0);
    }

    // More slow connections than the server has slots, all from the one address a search comes
    // from too: the search still gets a slot, and the drops are logged as a count.
    void slowConnectionsFromOneAddressMakeRoomForASearch()
    {
        std::vector<QTcpSocket> slow(1100);
        for (QTcpSocket &socket : slow)
            socket.connectToHost(u"127.0.0.1"_s, port());
        QTRY_VERIFY(std::ranges::none_of(slow, [](const QTcpSocket &socket) {
            return socket.state() == QAbstractSocket::ConnectingState;
        }));
        for (QTcpSocket &socket : slow) {
            if (socket.state() == QAbstractSocket::ConnectedState)
                socket.write("GET /browse-app.php?country=NZ HTTP/1.1\r\nHost: x\r\nX-Slow: ");
        }
        QCOMPARE(exchange(port(), "GET /browse-app.php?country=NZ HTTP/1.0\r\n\r\n", 5000)
                     .body.count("END"),
            80);
        QTRY_VERIFY(m_server.output().contains(QRegularExpression(
            u"\ndropped \\d+ connections still sending their request: [1-9]\\d* to make room"_s)));
    }

    void connectionRoom_data()
    {
        // One letter a connection, in the order they came: its address, in capitals once its
        // request head has arrived. 8 slots, 5 for one address, 2 of each kept free.
        QTest::addColumn<QByteArray>("connections");
        QTest::addColumn<QByteArray>("dropped"); // their places, oldest first
        QTest::newRow("within every share") << QByteArray("abcabc") << QByteArray();
        QTest::newRow("one address past its share") << QByteArray("aaaab") << QByteArray("1");
        QTest::newRow("many addresses take every slot")
            << QByteArray("abcabcab") << QByteArray("12");
        QTest::newRow("whole heads stay, the newer go") << QByteArray("AAAaa") << QByteArray("45");
        QTest::newRow("only whole heads, none dropped") << QByteArray("ABCABCAB") << QByteArray();
    }

    void connectionRoom()
    {
        QFETCH(QByteArray, connections);
        QFETCH(QByteArray, dropped);
        pellomar::directory::ConnectionRoom room({ 8, 5, 2 });
        for (qsizetype i = 0; i < connections.size(); ++i) {
            room.opened(std::uint64_t(i + 1), std::string(1, char(QChar::toLower(connections[i]))));
            if (QChar::isUpper(connections[i]))
                room.headArrived(std::uint64_t(i + 1));
        }
        QByteArray places;
        for (const std::uint64_t serial : room.toDrop())
            places += QByteArray::number(serial);
        QCOMPARE(places, dropped);
        // Those dropped are gone: nothing more to drop until another connection comes.
        QVERIFY(room.toDrop().empty());
    }

    // A place and a query typed differently: their keys agree, whichever side made them.
    void searchKeys_data()
    {
        QTest::addColumn<QByteArrayList>("place"); // country, location type, city, ZIP
        QTest::addColumn<QByteArrayList>("query"); // as a search sends them
        QTest::addColumn<bool>("agree");
        const auto row = [](const char *name, QByteArrayList place, QByteArrayList query,
                             bool agree = true) { QTest::newRow(name) << place << query << agree; };
        row("case and spaces", { "de", " cafe", "München", "80331" },
            { " DE ", "CAFE", "  MÜNCHEN ", "80331" });
        row("letters spelled in ASCII", { "PL", "HOTEL", "Wrocław", "50-001" },
            { "pl", "hotel", "WROCLAW", "50-001" });
        row("postal code spacing", { "GB", "HOTEL", "London", "SW1A 1AA" },
            { "gb", "hotel", "london", "sw1a1aa" });
        row("another city", { "DE", "CAFE", "München", "80331" },
            { "DE", "CAFE", "Munich", "80331" }, false);
        row("another postal code", { "GB", "HOTEL", "London", "SW1A 1AA" },
            { "GB", "HOTEL", "London", "SW1A 1AB" }, false);
    }

    void searchKeys()
    {
        using namespace pellomar::directory;
        QFETCH(QByteArrayList, place);
        QFETCH(QByteArrayList, query);
        QFETCH(bool, agree);
        Hotspot h;
        std::tie(h.countryCode, h.locationTypeCode, h.city, h.zip)
            = std::tuple(place[0].toStdString(), place[1].toStdString(), place[2].toStdString(),
                place[3].toStdString());
        const auto countries = pellomar::parseCountries("DE|Germany\nGB|United Kingdom\nPL|Poland");
        const auto types = pellomar::parseLocationTypes("Café,CAFE\nHotel,HOTEL");
        const FormValues form { { "country", query[0].toStdString() },
            { "loctype", query[1].toStdString() }, { "city", query[2].toStdString() },
            { "zipcode", query[3].toStdString() } };
        const auto asked
            = std::get<SearchQuery>(searchQueryFrom(form, countries.table, types.table));
        const SearchKeys keys { asked.countryCode, asked.locationTypeCode.value_or(""),
            asked.cityKey.value_or(""), asked.zipKey.value_or("") };
        QCOMPARE(keysOf(h) == keys, agree);
    }

    void standardErrorThatTakesNoMore_data()
    {
        QTest::addColumn<int>("readEnd"); // -1: closed; 0: kept, not read; 1: closed at once
        QTest::addColumn<int>("requests");
        QTest::newRow("pipe nobody reads, lines dropped and counted") << 0 << 1200;
        QTest::newRow("pipe whose reader has gone") << 1 << 10;
        QTest::newRow("closed") << -1 << 10;
    }

    // Neither freezes nor ends the server: the log gives way.
    void standardErrorThatTakesNoMore()
    {
        QFETCH(int, readEnd);
        QFETCH(int, requests);
        int pipeEnds[2];
        QCOMPARE(pipe2(pipeEnds, O_CLOEXEC), 0);
        DemoServer server;
        server.setStandardError(readEnd < 0 ? -1 : pipeEnds[1]);
        QVERIFY(server.start());
        close(pipeEnds[1]);
        if (readEnd != 0)
            close(pipeEnds[0]);
        const QByteArray search = "/browse-app.php?country=NZ&x=" + QByteArray(300, 'x');
        for (int i = 0; i < requests; ++i)
            QCOMPARE(
                exchange(server.port(), "GET " + search + " HTTP/1.0\r\n\r\n", 3000).status, 200);
        if (readEnd == 0) {
            QByteArray log;
            fcntl(pipeEnds[0], F_SETFL, O_NONBLOCK);
            pollfd readable { pipeEnds[0], POLLIN, 0 };
            for (const QDeadlineTimer deadline(5000);
                 !log.contains(" request log lines dropped") && !deadline.hasExpired();) {
                poll(&readable, 1, 100);
                char bytes[65536];
                log.append(bytes, qMax<ssize_t>(0, read(pipeEnds[0], bytes, sizeof bytes)));
            }
            close(pipeEnds[0]);
            QVERIFY(log.contains(" request log lines dropped: standard error did not keep up\n"));
        }
        QCOMPARE(server.stop(), 0);
    }

    void requestLogLine_data()
    {
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("bytes outside printable ASCII") << QByteArray(
            "GET") << QByteArray("/a b\xfc\n%") << QByteArray("GET /a%20b%FC%0A% 200 7 1.5ms");
        QTest::newRow("64 KB target, cut")
            << QByteArray("GET") << QByteArray(65536, '\xe9')
            << "GET " + QByteArray("%E9").repeated(100) + "... 200 7 1.5ms";
        QTest::newRow("1 KB method, cut") << QByteArray(1024, 'G') << QByteArray("/")
                                          << QByteArray(16, 'G') + "... / 200 7 1.5ms";
    }

    void requestLogLine()
    {
        QFETCH(QByteArray, method);
        QFETCH(QByteArray, target);
        QFETCH(QByteArray, expected);
        QCOMPARE(QByteArray::fromStdString(pellomar::directory::requestLogLine(
                     method.toStdString(), target.toStdString(), 200, 7, 1.5)),
            expected);
    }

    void refusedForm_data()
    {
        QTest::addColumn<QByteArray>("firstValues");
        QTest::addColumn<int>("reasons");
        QTest::addColumn<QByteArray>("expected"); // pieces of the reply in their order, cut at |
        const auto row = [](const char *name, int reasons, const QByteArray &values,
                             const QByteArray &expected) {
            QTest::newRow(name) << values + '&' << reasons << expected;
        };
        row("every check of a value's meaning, in form order", 11,
            "name=%20%20&operator=Open%01Air&type=4&technology=0&loctype=CASTLE&country=ZZ&"
            "latitude=91&longitude=-181&website=a.example&phone=call%20me&email=info.example",
            "<li>Location name is required.</li><li>Operator must not contain control characters.|"
            "Access must be free|Technology must be 802.11b|Location type is not one|Country is|"
            "Latitude must be a number of degrees between -90 and 90|Longitude must be|"
            "Web site must start|Phone number may|E-mail address must");
        row("lengths and characters, typed text escaped", 8,
            "name=%22%3E%3Cs&address=a%20-%3E%20b&ssid=a%7F&description=WEEKENDS&latitude=1e1&"
            "website=www.a%20b.example&email=info@example&zipcode=12345678901234567",
            "Location name must not contain the characters &lt; and &gt;.|Address must not contain "
            "the char|ZIP code is too long: at most 16 characters.|SSID information must not "
            "contain control|Description must not contain the capital letters END|Latitude must|"
            "Web site must|E-mail address must|value=\"&quot;&gt;&lt;s\"");
        row("marks that turn the text around, a user before the web site's host", 3,
            "name=Caf%E2%80%AEe&ssid=a%E2%81%A6b&website=www.%40127.0.0.1/x",
            "<li>Location name must not contain marks that change the direction|SSID information "
            "must not contain marks|Web site must not hold an @");
        // Near the form's limit, with a value longer than the pieces a form is read in.
        const QByteArray word = QByteArray("\xe8\xaa\x9e").repeated(500);
        row("form of 63 KB", 1,
            "description=" + word.toPercentEncoding() + "&website=a&x=" + QByteArray(59000, 'x'),
            "Web site must start|>" + word + "</textarea>");
    }

    void refusedForm()
    {
        QFETCH(QByteArray, firstValues);
        QFETCH(int, reasons);
        QFETCH(QByteArray, expected);
        const HttpReply reply = exchange(port(), submission("Refusal Flats", firstValues));
        QCOMPARE(reply.status, 400);
        QCOMPARE(reply.body.count("<li>"), reasons);
        qsizetype at = 0;
        for (const QByteArray &piece : expected.split('|'))
            QVERIFY2((at = reply.body.indexOf(piece, at)) >= 0, piece.constData());
        QVERIFY(reply.body.contains("value=\"Refusal Flats\""));
        QCOMPARE(clientGet(port(), "/browse-app.php?country=US&city=Refusal%20Flats").body,
            NoMatch + "\r\n");
    }

    // Taken by one directory, found by the next search there and at a read-only replica of the
    // same file, which refuses the form itself.
    void submissionIsStoredAndFoundByTheNextSearch()
    {
        const QStringList database { u"--database"_s, m_dir.filePath(u"directory.db"_s) };
        const QByteArray search = "/browse-app.php?country=us&city=zzyzx%20springs";
        DemoServer server;
        DemoServer replica;
        QVERIFY(server.start(database));
        QVERIFY(replica.start(database + QStringList { u"--read-only"_s }));
        // Kept as the reply to this search, which the submission must make stale.
        QCOMPARE(clientGet(replica.port(), search).body, NoMatch + "\r\n");
        QCOMPARE(clientGet(server.port(), search).body, NoMatch + "\r\n");
        const HttpReply refused = exchange(replica.port(), submission("Zzyzx Springs"));
        QCOMPARE(refused.status, 403);
        QVERIFY(refused.body.contains("submissions are closed here")
            && !refused.body.contains("<form"));
        QVERIFY(clientGet(replica.port(), "/").body.contains("<p class=\"errors\" id=\"closed\">"));
        const HttpReply reply = exchange(server.port(),
            submission("Zzyzx Springs", "operator=" + QByteArray("%C3%A9").repeated(80) + '&'));
        QCOMPARE(reply.status, 200);
        QVERIFY(reply.body.contains("is now in the directory as hotspot 8161."));
        const QByteArray expected = "T\xc3\xa9st Caf\xc3\xa9<>free (with registration)<>"
            + QByteArray("\xc3\xa9").repeated(80)
            + "<>www.test.example<>+1 760 555 0100<>info@test.example<>Caf\xc3\xa9<>1 Desert Road<>"
              "92309<>Zzyzx Springs<>US<>35.1430<>-116.1040<>2<>SSID: zzyzx<>Added by the "
              "test.<>END";
        QCOMPARE(clientGet(server.port(), search).body.replace("\r\n", ""), expected);
        const HttpReply after = clientGet(replica.port(), search);
        QCOMPARE(QByteArray(after.body).replace("\r\n", ""), expected);
        QCOMPARE(headerValue(after.head, "ETag"),
            headerValue(clientGet(server.port(), search).head, "ETag"));
        QCOMPARE(replica.stop(), 0);
        QCOMPARE(server.stop(), 0);
        // The file keeps it; the dataset fills a new file once, not again on every start.
        QVERIFY(server.start(database));
        QCOMPARE(clientGet(server.port(), search).body.replace("\r\n", ""), expected);
        QVERIFY(clientGet(server.port(), "/").body.contains("lists <b>8161</b> hotspots"));
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        const auto row = [](const char *name, const QString &arguments, int exitCode,
                             const char *output) {
            QTest::newRow(name) << arguments.split(u' ') << exitCode << QString::fromUtf8(output);
        };
        row("help", u"--help"_s, 0, "--listen ADDR:PORT  where to listen");
        row("unknown option", u"--verbose"_s, 2, "unknown option --verbose");
        row("port 70000", u"--listen 127.0.0.1:70000"_s, 2, "--listen needs ADDR:PORT");
        row("no data", u"--dataset "_s + m_dir.filePath(u"none"_s), 1, "cannot read the dataset");
        row("database that cannot be opened", u"--database "_s + m_dir.filePath(u"none/x.db"_s), 1,
            "cannot open the database");
        row("port in use", u"--listen 127.0.0.1:%1"_s.arg(port()), 1, "cannot listen on");
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        DemoServer server;
        QVERIFY(!server.start(arguments));
        QCOMPARE(server.stop(), exitCode);
        QVERIFY2(server.output().contains(output), qPrintable(server.output()));
    }

    // The same bytes on every run: the client's screenshots and end-to-end tests rely on them.
    void generatorWritesTheSameBytesAgain()
    {
        const QTemporaryDir out;
        const QString source = qEnvironmentVariable("PELLOMAR_SOURCE_DIR");
        const QString arguments
            = u"--world %1/server/dataset/world.txt --words "
              "%1/server/dataset/words.txt --countries %1/data/countries.txt "
              "--locations %1/data/locations.txt --out %2"_s.arg(source, out.path());
        QCOMPARE(
            QProcess::execute(m_bin + u"/pellomar-directory-dataset"_s, arguments.split(u' ')), 0);
        QCOMPARE(
            QProcess::execute(u"diff"_s, { u"-rq"_s, m_bin + u"/directory"_s, out.path() }), 0);
    }
};

QTEST_MAIN(TestDirectoryServer)
#include "tst_directory_server.moc"
