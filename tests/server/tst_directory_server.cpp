#include "common/demo_server.h"
#include "dataset/dataset_generator.h"
#include "dataset/location_picture.h"
#include "reference/reference_table.h"
#include "reference/text_fields.h"

#include <QDeadlineTimer>
#include <QImage>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>
#include <set>

using namespace pellomar::directory;
using namespace pellomar::test;
using namespace Qt::Literals::StringLiterals;
using Records = std::vector<std::vector<std::string>>;

namespace {

const QByteArray NoCountry
    = "Please choose a country: the directory searches one country at a time.";
const QByteArray NoMatch
    = "No hotspots match your search. Try again without the city, ZIP code or location type.";
const QByteArray UnknownCountry = "The directory does not know the country you asked for.";
const QByteArray UnknownType = "The directory does not know the location type you asked for.";

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

// The records of a reply body as the client reads them: CR LF pairs dropped, a record ended by
// every "END", records empty or "-" skipped, the 17 fields cut with the client's own rule.
Records clientRecords(const QByteArray &body)
{
    const std::string text = QByteArray(body).replace("\r\n", "").toStdString();
    Records records;
    for (std::size_t start = 0, end; start < text.size(); start = end + 3) {
        end = std::min(text.find("END", start), text.size());
        const std::string line(pellomar::Trim(std::string_view(text).substr(start, end - start)));
        for (int n = 1; n <= 17 && !line.empty() && line != "-"; ++n)
            (n == 1 ? records.emplace_back() : records.back())
                .push_back(pellomar::GetField(line, n, ","));
    }
    return records;
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

qint64 residentKiB(qint64 pid)
{
    static const QRegularExpression line(u"VmRSS:\\s*(\\d+)"_s);
    return line.match(QString::fromLatin1(fileBytes(u"/proc/%1/status"_s.arg(pid))))
        .captured(1)
        .toLongLong();
}

using Sockets = std::vector<std::unique_ptr<QTcpSocket>>;

Sockets connectMany(quint16 port, int count)
{
    Sockets sockets;
    while (int(sockets.size()) < count) {
        sockets.push_back(std::make_unique<QTcpSocket>());
        sockets.back()->connectToHost(u"127.0.0.1"_s, port);
    }
    return sockets;
}

long connectedCount(const Sockets &sockets)
{
    return std::count_if(sockets.begin(), sockets.end(),
        [](const auto &socket) { return socket->state() == QAbstractSocket::ConnectedState; });
}

} // namespace

class TestDirectoryServer : public QObject {
    Q_OBJECT

    DemoServer m_server;
    QTemporaryDir m_dir;

    quint16 port() const { return m_server.port(); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(m_server.start(), qPrintable(m_server.error()));
        QVERIFY(m_dir.isValid());
    }

    // SIGTERM stops the server cleanly.
    void cleanupTestCase() { QCOMPARE(m_server.stop(), 0); }

    void search_data()
    {
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<int>("records");
        QTest::addColumn<QByteArray>("expected"); // the message, or the first record's start
        const auto row = [](const char *name, const QByteArray &query, int records,
                             const QByteArray &expected) {
            QTest::newRow(name) << query << records << expected;
        };
        row("country, cut at 1,000", "?country=US", 1000, "Anchorage General Hospital|free (with");
        row("all five", "?country=US&city=New%20York&zipcode=10001&loctype=HOTEL&type=3", 1,
            "Hotel Blue Door|commercial|NetSpot|http://www.hotelbluedoor.example/||wifi@netspot."
            "example|Hotel|7 Mill Boulevard|10001|New York|US|40.681359|-73.990700|2|Network "
            "netspot-6, voucher from the staff|Coverage in the lobby, the rooms and the meeting "
            "rooms. Best signal near the entrance.||");
        row("a city over the client's 300", "?country=US&city=New%20York", 460, "");
        row("city in small letters", "?country=GB&city=london", 380, "");
        row("capitals with umlaut", "?country=DE&city=M%C3%9CNCHEN", 70, "Alte Post Gardens|");
        row("small letters", "?country=de&city=m%C3%BCnchen", 70, "Alte Post Gardens|");
        row("without the accent", "?country=DE&city=Munchen", 70, "Alte Post Gardens|");
        row("percent-encoded Latin-1", "?country=DE&city=M%FCnchen", 70, "Alte Post Gardens|");
        row("Latin-1 bytes", "?country=de&city=M\xfcnchen", 70, "Alte Post Gardens|");
        row("dotted capital I", "?country=TR&city=istanbul", 70, "Bistro Deniz|");
        row("letters spelled in ASCII", "?country=PL&city=WROCLAW", 15, "");
        row("Romanian", "?country=RO&city=bucuresti", 30, "");
        row("Vietnamese", "?country=VN&city=Ha%20Noi", 25, "");
        row("ZIP code", "?country=GB&zipcode=sw1a%201aa", 45, "Beacon Campground|free|");
        row("location type", "?country=FR&loctype=cafe", 22, "Caf\xc3\xa9 C\xc3\xb4te|commercial|");
        row("access type", "?country=IT&type=2", 80,
            "Campanile Galleria|free (with registration)|");
        row("empty filters", "?country=NZ&city=&zipcode=&loctype=&type=", 80, "Auckland Airport");
        row("no query", "", -1, NoCountry);
        row("city without a country", "?city=London", -1, NoCountry);
        row("unknown country", "?country=ZZ", -1, UnknownCountry);
        row("unknown location type", "?country=US&loctype=CASTLE", -1, UnknownType);
        row("unknown access type", "?country=US&type=9", -1,
            "The access type must be 1 (free), 2 (free with registration) or 3 (commercial).");
        row("no match", "?country=US&city=Atlantis", -1, NoMatch);
        row("country without hotspots", "?country=AQ", -1, NoMatch);
        row("SQL in the city", "?country=US&city=x%27%20OR%20%271%27%3D%271", -1, NoMatch);
        row("SQL in the country", "?country=US%27--", -1, UnknownCountry);
        row("SQL in the location type", "?country=US&loctype=CAFE%27--", -1, UnknownType);
    }

    void search()
    {
        QFETCH(QByteArray, query);
        QFETCH(int, records);
        QFETCH(QByteArray, expected);
        const HttpReply reply = clientGet(port(), "/browse-app.php" + query);
        QCOMPARE(reply.status, 200);
        QVERIFY(reply.closedByServer);
        // Logged with bytes outside printable ASCII as %XX, the body's size and milliseconds.
        const QRegularExpression logged(u"^GET /browse-app\\.php%1 200 %2 \\d+\\.\\dms$"_s.arg(
                                            QRegularExpression::escape(QString::fromLatin1(
                                                QByteArray(query).replace("\xfc", "%FC"))),
                                            QString::number(reply.body.size())),
            QRegularExpression::MultilineOption);
        QTRY_VERIFY2(logged.match(m_server.output()).hasMatch(), qPrintable(m_server.output()));
        if (records < 0) {
            QCOMPARE(reply.body, expected + "\r\n");
            return;
        }
        const auto found = clientRecords(reply.body);
        QCOMPARE(int(found.size()), records);
        QByteArray first;
        for (const auto &field : found[0])
            first += QByteArray::fromStdString(field) + '|';
        QVERIFY2(first.startsWith(expected), first.constData());
        // Line breaks fall between and inside values, at places that move from record to record,
        // but never inside "<>", "END" or a UTF-8 character.
        QCOMPARE(reply.body.count("END"), records);
        QCOMPARE(reply.body.count("<>"), records * 16);
        std::set<qsizetype> fieldsBroken;
        for (qsizetype at = reply.body.indexOf("\r\n"); at >= 0;
             at = reply.body.indexOf("\r\n", at + 2)) {
            QVERIFY(at + 2 == reply.body.size() || (reply.body[at + 2] & 0xC0) != 0x80);
            const qsizetype recordEnd = reply.body.lastIndexOf("END", at);
            const QByteArray before = reply.body.left(at).mid(recordEnd < 0 ? 0 : recordEnd + 3);
            if (!before.isEmpty() && !before.endsWith("<>"))
                fieldsBroken.insert(before.count("<>"));
        }
        QVERIFY(fieldsBroken.size() >= std::min<std::size_t>(10, found.size()));
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
        for (const char *target :
            { "/images/999999.jpg", "/images/1.png", "/images/", "/hotspots.txt",
                "/directory/hotspots.txt", "/images/../hotspots.txt", "/images/../images/3.jpg",
                "/images/%2e%2e%2fhotspots.txt", "/countries.txt", "/browse.php?country=US" })
            row(target, get(target), 404);
        row("HTTP/1.1, two requests in a row", search + "\r\n" + search + "\r\n", 200);
        row("100 header lines", search + QByteArray("X: 1\r\n").repeated(99) + "\r\n", 200);
        row("101 header lines", search + QByteArray("X: 1\r\n").repeated(100) + "\r\n", 431);
        const QByteArray kilobyte = "X-Filler: " + QByteArray(1012, 'a') + "\r\n";
        row("head of 63 KB", search + kilobyte.repeated(63) + "\r\n", 200);
        row("head of 65 KB", search + kilobyte.repeated(65) + "\r\n", 431);
        row("32 MB of header lines", search + kilobyte.repeated(32 * 1024), 431, {});
        row("target of 9 KB", get("/?" + QByteArray(9 * 1024, 'a')), 414);
        row("form of 65 KB", "POST /submit-hotspot HTTP/1.1\r\nContent-Length: 66560\r\n\r\n", 413);
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
            QCOMPARE(reply.body,
                fileBytes(qEnvironmentVariable("PELLOMAR_BIN_DIR") + u"/directory"_s
                    + QString::fromLatin1(target)));
            QVERIFY(!QImage::fromData(reply.body).isNull());
        }
        if (status == 200 && target.startsWith("/tiles/")) {
            QVERIFY(reply.head.contains("\r\nCache-Control: max-age=86400\r\n"));
            const QImage tile = QImage::fromData(reply.body, "PNG");
            QCOMPARE(tile.size(), target.contains("@2x") ? QSize(512, 512) : QSize(256, 256));
        }
        if (target == "/") {
            QVERIFY(reply.body.contains("<option value=\"US\">United States of America</option>"));
            QVERIFY(reply.body.contains("<option value=\"NETCAFE\">Internet Caf\xc3\xa9</option>"));
            QVERIFY(reply.body.contains("lists <b>8160</b> hotspots"));
        }
    }

    void slowClientsHoldNoSearchUpAndAreDroppedAtTheDeadline()
    {
        // A byte every two seconds keeps a connection from idling; each must still go once its
        // request is ten seconds late, and none may hold a search up meanwhile.
        QElapsedTimer clock;
        clock.start();
        const auto slow = connectMany(port(), 200);
        for (const auto &socket : slow) {
            QVERIFY(socket->waitForConnected(5000));
            socket->write("GET /browse-app.php?country=NZ HTTP/1.1\r\nHost: x\r\nX-Slow: ");
            socket->flush();
        }
        QCOMPARE(exchange(port(), "GET / HTTP/1.0\r\n\r\n", 5000).status, 200);
        qint64 firstDrop = -1;
        for (qint64 nextByte = 0; clock.elapsed() < 15000; QTest::qWait(50)) {
            const long open = connectedCount(slow);
            if (firstDrop < 0 && open < 200)
                firstDrop = clock.elapsed();
            for (; open > 0 && clock.elapsed() >= nextByte; nextByte += 2000) {
                for (const auto &socket : slow)
                    socket->write("a");
            }
            if (open == 0)
                break;
        }
        QCOMPARE(connectedCount(slow), 0);
        QVERIFY2(firstDrop > 9000, qPrintable(QString::number(firstDrop)));
    }

    void fiftyClientsAtOnceWaitInTheListenQueue()
    {
        // Held still, the server accepts nothing: the system queues the connections up to the
        // server's listen backlog, beyond which they would wait a second or more for a retry.
        const auto pid = pid_t(m_server.processId());
        QCOMPARE(::kill(pid, SIGSTOP), 0);
        const auto clients = connectMany(port(), 50);
        QTest::qWait(500);
        const long queued = connectedCount(clients);
        ::kill(pid, SIGCONT);
        QCOMPARE(queued, 50);
        for (const auto &client : clients) {
            client->write("GET /browse-app.php?country=NZ HTTP/1.0\r\n\r\n");
            QTRY_COMPARE_WITH_TIMEOUT(client->state(), QAbstractSocket::UnconnectedState, 5000);
            QVERIFY(client->readAll().startsWith("HTTP/1.1 200 OK"));
        }
    }

    void refusedForm_data()
    {
        QTest::addColumn<QByteArray>("firstValues");
        QTest::addColumn<QByteArray>("message");
        const auto row = [](const char *name, const QByteArray &values, const QByteArray &message) {
            QTest::newRow(name) << values + '&' << message;
        };
        row("name of spaces", "name=%20%20", "Location name is required.");
        row("name too long", "name=" + QByteArray(81, 'a'), "Location name is too long: at most");
        row("angle brackets", "name=%3Cb%3E", "Location name must not contain the characters &lt;");
        row("typed text escaped", "name=%22%3E%3Cs", "value=\"&quot;&gt;&lt;s\"");
        row("greater-than", "description=a%20-%3E%20b", "Description must not contain the char");
        row("LEGEND", "name=LEGEND", "Location name must not contain the capital letters END");
        row("WEEKEND", "description=WEEKENDS", "Description must not contain the capital letters");
        row("control character", "operator=Open%01Air", "Operator must not contain control char");
        row("delete", "ssid=a%7F", "SSID information must not contain control characters.");
        row("access type 4", "type=4", "Access must be free, free with registration or commer");
        row("unknown location type", "loctype=CASTLE", "Location type is not one of the directory");
        row("unknown country", "country=ZZ",
            "Country is not one of the directory&#39;s countries.");
        row("technology 0", "technology=0", "Technology must be 802.11b, 802.11b/g or 802.11g.");
        row("latitude 91", "latitude=91", "Latitude must be a number of degrees between -90 and");
        row("latitude with exponent", "latitude=1e1", "Latitude must be a number of degrees");
        row("longitude -181", "longitude=-181", "Longitude must be a number of degrees between");
        row("web site without scheme", "website=a.example", "Web site must start with www., http:");
        row("web site with a space", "website=www.a%20b.example", "Web site must start with www.");
        row("phone with letters", "phone=call%20me", "Phone number may hold only digits, spaces");
        row("e-mail without at", "email=info.example", "E-mail address must look like name@exam");
        row("e-mail without domain dot", "email=info@example", "E-mail address must look like");
        row("two in form order", "name=&email=a", "Location name is required.</li><li>E-mail");
        // Over the 8 KB an HTTP library once held forms to, values longer than the pieces a form
        // is read in, within the form's own limit.
        const QByteArray word = QByteArray("\xe8\xaa\x9e").repeated(500);
        row("form over 8 KB",
            "description=" + word.toPercentEncoding()
                + "&operator=" + word.left(240).toPercentEncoding() + "&address="
                + word.left(360).toPercentEncoding() + "&ssid=" + word.left(300).toPercentEncoding()
                + "&website=" + word.left(360).toPercentEncoding(),
            word + "</textarea>");
    }

    void refusedForm()
    {
        QFETCH(QByteArray, firstValues);
        QFETCH(QByteArray, message);
        const HttpReply reply = exchange(port(), submission("Refusal Flats", firstValues));
        QCOMPARE(reply.status, 400);
        QVERIFY2(reply.body.contains(message), reply.body.constData());
        QCOMPARE(reply.body.count("<li>"), 1 + message.count("<li>"));
        QVERIFY(reply.body.contains("value=\"Refusal Flats\""));
        QCOMPARE(clientGet(port(), "/browse-app.php?country=US&city=Refusal%20Flats").body,
            NoMatch + "\r\n");
    }

    void submissionIsStoredAndFoundByTheNextSearch()
    {
        const QStringList database { u"--database"_s, m_dir.filePath(u"directory.db"_s) };
        const QByteArray search = "/browse-app.php?country=us&city=zzyzx%20springs";
        DemoServer server;
        QVERIFY(server.start(database));
        // Kept as the reply to this search, which the submission must make stale.
        QCOMPARE(clientGet(server.port(), search).body, NoMatch + "\r\n");
        const HttpReply reply = exchange(server.port(),
            submission("Zzyzx Springs", "operator=" + QByteArray("%C3%A9").repeated(80) + '&'));
        QCOMPARE(reply.status, 200);
        QVERIFY(reply.body.contains("is now in the directory as hotspot 8161."));
        const Records expected = { { "T\xc3\xa9st Caf\xc3\xa9", "free (with registration)",
            QByteArray("\xc3\xa9").repeated(80).toStdString(), "www.test.example",
            "+1 760 555 0100", "info@test.example", "Caf\xc3\xa9", "1 Desert Road", "92309",
            "Zzyzx Springs", "US", "35.1430", "-116.1040", "2", "SSID: zzyzx", "Added by the test.",
            "" } };
        QCOMPARE(clientRecords(clientGet(server.port(), search).body), expected);
        QCOMPARE(server.stop(), 0);
        // The file keeps it; the dataset fills a new file once, not again on every start.
        QVERIFY(server.start(database));
        QCOMPARE(clientRecords(clientGet(server.port(), search).body), expected);
        QVERIFY(clientGet(server.port(), "/").body.contains("lists <b>8161</b> hotspots"));
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        QFile broken(m_dir.filePath(u"hotspots.txt"_s));
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("id\n1\tnot a hotspot\n") > 0);
        const auto row = [](const char *name, const QString &arguments, int exitCode,
                             const char *output) {
            QTest::newRow(name) << arguments.split(u' ') << exitCode << QString::fromUtf8(output);
        };
        row("help", u"--help"_s, 0, "--listen ADDR:PORT  where to listen");
        row("unknown option", u"--verbose"_s, 2, "unknown option --verbose");
        row("listen without a port", u"--listen 127.0.0.1"_s, 2, "--listen needs ADDR:PORT");
        row("port 70000", u"--listen 127.0.0.1:70000"_s, 2, "--listen needs ADDR:PORT");
        row("option without its value", u"--database"_s, 2, "--database needs a value");
        row("no dataset", u"--dataset "_s + m_dir.filePath(u"none"_s), 1,
            "cannot read the dataset");
        row("broken dataset", u"--dataset "_s + m_dir.path(), 1, "txt: line 2 is not a hotspot");
        row("database that cannot be opened", u"--database "_s + m_dir.filePath(u"none/x.db"_s), 1,
            "cannot open the database");
        row("port in use", u"--listen 127.0.0.1:%1"_s.arg(port()), 1,
            "cannot listen on 127.0.0.1:");
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

    void generator_data()
    {
        QTest::addColumn<QByteArray>("world");
        QTest::addColumn<QByteArray>("words");
        QTest::addColumn<QByteArray>("error");
        QTest::newRow("the same bytes again") << QByteArray() << QByteArray() << QByteArray();
        QTest::newRow("latitude not a number")
            << QByteArray("@US|1|en\nUS|New York|north|-74|10001|5\n") << QByteArray()
            << QByteArray("world.txt: line 2: latitude and longitude must be degrees");
        QTest::newRow("a value the client cannot read")
            << QByteArray("@US|1|en\nUS|WEEKEND|40|-74|10001|1\n") << QByteArray()
            << QByteArray("hotspot 1 field 10: WEEKEND");
        QTest::newRow("a list before any section")
            << QByteArray() << QByteArray("streets|Main\n")
            << QByteArray("words.txt: line 1: a list needs a section");
    }

    void generator()
    {
        QFETCH(QByteArray, world);
        QFETCH(QByteArray, words);
        QFETCH(QByteArray, error);
        const QTemporaryDir out;
        const QString source = qEnvironmentVariable("PELLOMAR_SOURCE_DIR"),
                      bin = qEnvironmentVariable("PELLOMAR_BIN_DIR");
        const auto input = [&](const QByteArray &text, const QString &name) {
            QFile file(out.filePath(name));
            const bool own = !text.isEmpty() && file.open(QIODevice::WriteOnly)
                && file.write(text) == text.size();
            return own ? file.fileName() : source + u"/server/dataset/"_s + name;
        };
        QProcess generator;
        generator.start(bin + u"/pellomar-directory-dataset"_s,
            u"--world %1 --words %2 --countries %3/data/countries.txt --locations "
            "%3/data/locations.txt --out %4"_s
                .arg(input(world, u"world.txt"_s), input(words, u"words.txt"_s), source,
                    out.filePath(u"data"_s))
                .split(u' '));
        QVERIFY(generator.waitForFinished(120000));
        QCOMPARE(generator.exitCode(), error.isEmpty() ? 0 : 1);
        QVERIFY(generator.readAllStandardError().contains(error));
        QCOMPARE(QFile::exists(out.filePath(u"data/hotspots.txt"_s)), error.isEmpty());
        // The same bytes on every run: the client's screenshots and end-to-end tests rely on them.
        if (error.isEmpty())
            QCOMPARE(QProcess::execute(u"diff"_s,
                         { u"-r"_s, u"-q"_s, bin + u"/directory"_s, out.filePath(u"data"_s) }),
                0);
    }

    // giflib writes the painted palette picture pixel for pixel.
    void gifPicturesHoldWhatWasPainted()
    {
        const QString source = qEnvironmentVariable("PELLOMAR_SOURCE_DIR") + u'/';
        const auto text = [&](const char *path) {
            return fileBytes(source + QString::fromLatin1(path)).toStdString();
        };
        std::string why;
        const auto dataset
            = generateDataset(*parseWorldTable(text("server/dataset/world.txt"), why),
                *parseWordLists(text("server/dataset/words.txt"), why),
                pellomar::ParseCountries(text("data/countries.txt")).table,
                pellomar::ParseLocationTypes(text("data/locations.txt")).table);
        int gifs = 0;
        for (const auto &order : dataset.pictures) {
            if (order.format != PictureFormat::Gif || ++gifs > 50)
                continue;
            const QImage gif(qEnvironmentVariable("PELLOMAR_BIN_DIR") + u"/directory/"_s
                + QString::fromStdString(order.path));
            const IndexedPicture painted
                = paintLocationPicture(order.width, order.height, order.seed);
            QCOMPARE(gif.size(), QSize(painted.width, painted.height));
            for (int i = 0; i < painted.width * painted.height; ++i) {
                const auto [r, g, b] = painted.at(i % painted.width, i / painted.width);
                if (gif.pixel(i % painted.width, i / painted.width) != qRgb(r, g, b))
                    QFAIL(qPrintable(QString::fromStdString(order.path)));
            }
        }
        QVERIFY(gifs > 50);
    }
};

QTEST_MAIN(TestDirectoryServer)
#include "tst_directory_server.moc"
