#include "reference/reference_table.h"
#include "rules/submission.h"
#include "server/client_reading.h"
#include "server/directory_process.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <csignal>
#include <memory>
#include <set>

using namespace pellomar::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// Columns of the dataset table, as the build writes it.
enum Column {
    Id = 0,
    Name = 1,
    Access = 2,
    LocationType = 7,
    Zip = 9,
    City = 10,
    Country = 11,
    Latitude = 12,
    Image = 17,
};

struct Filter {
    QString country;
    QString city;
    QString zip;
    QString locationType;
    QString access;
};

QString fieldText(const std::string &field)
{
    return QString::fromStdString(field);
}

QString withoutSpaces(QString text)
{
    return text.remove(u' ');
}

QByteArray formBody(const QList<std::pair<QByteArray, QByteArray>> &values)
{
    QByteArray body;
    for (const auto &[key, value] : values) {
        if (!body.isEmpty())
            body += '&';
        body += key + '=' + value.toPercentEncoding();
    }
    return body;
}

QByteArray postRequest(const QByteArray &body)
{
    return "POST /submit-hotspot HTTP/1.1\r\nHost: 127.0.0.1\r\n"
           "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: "
        + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

QList<std::pair<QByteArray, QByteArray>> submission(const QByteArray &city)
{
    return {
        { "name", "T\xc3\xa9st Caf\xc3\xa9 \xc3\x9cnique" },
        { "type", "2" },
        { "operator", "Test Operator" },
        { "website", "www.test.example" },
        { "phone", "+1 760 555 0100" },
        { "email", "info@test.example" },
        { "loctype", "CAFE" },
        { "address", "1 Desert Road" },
        { "zipcode", "92309" },
        { "city", city },
        { "country", "US" },
        { "latitude", "35.1430" },
        { "longitude", "-116.1040" },
        { "technology", "2" },
        { "ssid", "SSID: zzyzx-guest" },
        { "description", "Hotspot added by the test." },
    };
}

int hotspotFigure(const QByteArray &homePage)
{
    static const QRegularExpression figure(u"lists <b>(\\d+)</b> hotspots"_s);
    return figure.match(QString::fromUtf8(homePage)).captured(1).toInt();
}

qint64 residentKb(qint64 pid)
{
    QFile status(u"/proc/%1/status"_s.arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

std::vector<std::unique_ptr<QTcpSocket>> connectMany(quint16 port, int count)
{
    std::vector<std::unique_ptr<QTcpSocket>> sockets(count);
    for (auto &socket : sockets) {
        socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(u"127.0.0.1"_s, port);
    }
    return sockets;
}

long connectedCount(const std::vector<std::unique_ptr<QTcpSocket>> &sockets)
{
    return std::count_if(sockets.begin(), sockets.end(),
        [](const auto &socket) { return socket->state() == QAbstractSocket::ConnectedState; });
}

} // namespace

class TestDirectoryServer : public QObject {
    Q_OBJECT

    DirectoryProcess m_server;
    QList<QList<QByteArray>> m_rows;
    std::map<QString, QString> m_typeNames;

    quint16 port() const { return m_server.port(); }

    // Records of a search reply, read as the client reads them.
    std::vector<std::vector<std::string>> search(const QByteArray &query)
    {
        const HttpReply reply = clientGet(port(), "/browse-app.php?" + query);
        std::vector<std::vector<std::string>> records;
        if (!reply.body.contains("<>"))
            return records; // a message
        for (const auto &line : clientRecordLines(reply.body.toStdString()))
            records.push_back(clientFields(line));
        return records;
    }

    std::vector<QList<QByteArray>> expected(const Filter &f) const
    {
        std::vector<QList<QByteArray>> rows;
        for (const auto &row : m_rows) {
            const bool match = QString::fromUtf8(row[Country]) == f.country
                && (f.city.isEmpty()
                    || QString::fromUtf8(row[City]).compare(f.city, Qt::CaseInsensitive) == 0)
                && (f.zip.isEmpty()
                    || withoutSpaces(QString::fromUtf8(row[Zip]))
                            .compare(withoutSpaces(f.zip), Qt::CaseInsensitive)
                        == 0)
                && (f.locationType.isEmpty()
                    || QString::fromUtf8(row[LocationType]) == f.locationType)
                && (f.access.isEmpty() || QString::fromUtf8(row[Access]) == f.access);
            if (match)
                rows.push_back(row);
        }
        return rows;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QFile table(qEnvironmentVariable("PELLOMAR_BIN_DIR") + u"/directory/hotspots.txt"_s);
        QVERIFY(table.open(QIODevice::ReadOnly));
        table.readLine();
        while (!table.atEnd()) {
            const QByteArray line = table.readLine().chopped(1);
            m_rows.append(line.split('\t'));
            QCOMPARE(m_rows.last().size(), 18);
        }
        QFile locations(qEnvironmentVariable("PELLOMAR_SOURCE_DIR") + u"/data/locations.txt"_s);
        QVERIFY(locations.open(QIODevice::ReadOnly));
        const auto types = pellomar::ParseLocationTypes(locations.readAll().toStdString());
        for (const auto &row : types.table.rows())
            m_typeNames[QString::fromStdString(row.code)] = QString::fromStdString(row.name);
        QVERIFY2(m_server.start(), m_server.log().constData());
    }

    void cleanupTestCase() { QCOMPARE(m_server.stop(), 0); }

    void filters_data()
    {
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<QString>("country");
        QTest::addColumn<QString>("city");
        QTest::addColumn<QString>("zip");
        QTest::addColumn<QString>("locationType");
        QTest::addColumn<QString>("access");
        QTest::newRow("country") << QByteArray("country=DE") << u"DE"_s << QString() << QString()
                                 << QString() << QString();
        QTest::newRow("city") << QByteArray("country=GB&city=london") << u"GB"_s << u"London"_s
                              << QString() << QString() << QString();
        QTest::newRow("zip code") << QByteArray("country=US&zipcode=10036") << u"US"_s << QString()
                                  << u"10036"_s << QString() << QString();
        QTest::newRow("location type") << QByteArray("country=FR&loctype=cafe") << u"FR"_s
                                       << QString() << QString() << u"CAFE"_s << QString();
        QTest::newRow("access type") << QByteArray("country=IT&type=2") << u"IT"_s << QString()
                                     << QString() << QString() << u"2"_s;
        QTest::newRow("city and access type")
            << QByteArray("country=US&city=New%20York&type=3") << u"US"_s << u"New York"_s
            << QString() << QString() << u"3"_s;
        QTest::newRow("city, zip code with a space, access type")
            << QByteArray("country=GB&city=London&zipcode=WC2N%205DU&type=1") << u"GB"_s
            << u"London"_s << u"WC2N 5DU"_s << QString() << u"1"_s;
        QTest::newRow("all five") << QByteArray(
            "country=US&city=New%20York&zipcode=10001&loctype=HOTEL&type=3")
                                  << u"US"_s << u"New York"_s << u"10001"_s << u"HOTEL"_s << u"3"_s;
        QTest::newRow("accented city")
            << QByteArray("country=DE&city=K%C3%B6ln&loctype=PARK") << u"DE"_s << u"Köln"_s
            << QString() << u"PARK"_s << QString();
    }

    void filters()
    {
        QFETCH(QByteArray, query);
        QFETCH(QString, country);
        QFETCH(QString, city);
        QFETCH(QString, zip);
        QFETCH(QString, locationType);
        QFETCH(QString, access);
        const auto wanted = expected({ country, city, zip, locationType, access });
        QVERIFY2(!wanted.empty(), "the dataset should hold hotspots for every row of this table");
        const auto records = search(query);
        QCOMPARE(records.size(), std::min<std::size_t>(wanted.size(), 1000));

        const QStringList accessTexts
            = { u"free"_s, u"free (with registration)"_s, u"commercial"_s };
        std::set<QString> found;
        for (const auto &fields : records) {
            QCOMPARE(fields.size(), 17u);
            QCOMPARE(fieldText(fields[10]), country);
            if (!city.isEmpty())
                QCOMPARE(fieldText(fields[9]).toLower(), city.toLower());
            if (!zip.isEmpty())
                QCOMPARE(withoutSpaces(fieldText(fields[8])), withoutSpaces(zip));
            if (!locationType.isEmpty())
                QCOMPARE(fieldText(fields[6]), m_typeNames[locationType]);
            if (!access.isEmpty())
                QCOMPARE(fieldText(fields[1]), accessTexts[access.toInt() - 1]);
            QVERIFY(accessTexts.contains(fieldText(fields[1])));
            found.insert(fieldText(fields[0]) + u'|' + fieldText(fields[11]));
        }
        std::set<QString> wantedKeys;
        for (const auto &row : wanted)
            wantedKeys.insert(
                QString::fromUtf8(row[Name]) + u'|' + QString::fromUtf8(row[Latitude]));
        QCOMPARE(found, wantedKeys);
    }

    void equivalentQueriesGetTheSameReply_data()
    {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("second");
        QTest::newRow("country case")
            << QByteArray("country=us&type=1") << QByteArray("country=US&type=1");
        QTest::newRow("city case")
            << QByteArray("country=GB&city=LONDON") << QByteArray("country=GB&city=London");
        QTest::newRow("spaces around the city") << QByteArray("country=US&city=%20New%20York%20")
                                                << QByteArray("country=US&city=New%20York");
        QTest::newRow("location type case")
            << QByteArray("country=ES&loctype=hotel") << QByteArray("country=ES&loctype=HOTEL");
        QTest::newRow("zip code case") << QByteArray("country=GB&zipcode=sw1a%201aa")
                                       << QByteArray("country=GB&zipcode=SW1A%201AA");
        QTest::newRow("percent-encoded UTF-8") << QByteArray("country=DE&city=M%C3%BCnchen")
                                               << QByteArray("country=DE&city=M\xc3\xbcnchen");
        QTest::newRow("percent-encoded Latin-1") << QByteArray("country=DE&city=M%FCnchen")
                                                 << QByteArray("country=DE&city=M\xc3\xbcnchen");
        QTest::newRow("raw Latin-1") << QByteArray("country=DE&city=M\xfcnchen")
                                     << QByteArray("country=DE&city=M\xc3\xbcnchen");
        QTest::newRow("capitals with umlaut") << QByteArray("country=DE&city=M%C3%9CNCHEN")
                                              << QByteArray("country=DE&city=M\xc3\xbcnchen");
        QTest::newRow("without the accent") << QByteArray("country=DE&city=Munchen")
                                            << QByteArray("country=DE&city=M\xc3\xbcnchen");
        QTest::newRow("dotted capital I") << QByteArray("country=TR&city=istanbul")
                                          << QByteArray("country=TR&city=%C4%B0stanbul");
        QTest::newRow("empty filters")
            << QByteArray("country=NZ&city=&zipcode=&loctype=&type=") << QByteArray("country=NZ");
    }

    void equivalentQueriesGetTheSameReply()
    {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, second);
        const HttpReply a = clientGet(port(), "/browse-app.php?" + first);
        const HttpReply b = clientGet(port(), "/browse-app.php?" + second);
        QCOMPARE(a.status, 200);
        QVERIFY(a.body.contains("<>"));
        QCOMPARE(a.body, b.body);
    }

    void repliesCarryAtMostAThousandRecords()
    {
        QVERIFY(expected({ u"US"_s, {}, {}, {}, {} }).size() > 1000);
        QCOMPARE(search("country=US").size(), 1000u);
        // Under the limit the whole city comes, more than the client's 300.
        const auto newYork = expected({ u"US"_s, u"New York"_s, {}, {}, {} }).size();
        QVERIFY(newYork > 300);
        QCOMPARE(search("country=US&city=New%20York").size(), newYork);
    }

    void messageReplies_data()
    {
        QTest::addColumn<QByteArray>("target");
        QTest::newRow("no query") << QByteArray("/browse-app.php");
        QTest::newRow("empty country") << QByteArray("/browse-app.php?country=");
        QTest::newRow("city without a country") << QByteArray("/browse-app.php?city=London");
        QTest::newRow("unknown country") << QByteArray("/browse-app.php?country=ZZ");
        QTest::newRow("unknown location type")
            << QByteArray("/browse-app.php?country=US&loctype=CASTLE");
        QTest::newRow("unknown access type") << QByteArray("/browse-app.php?country=US&type=9");
        QTest::newRow("no match") << QByteArray("/browse-app.php?country=US&city=Atlantis");
        QTest::newRow("country without hotspots") << QByteArray("/browse-app.php?country=AQ");
    }

    void messageReplies()
    {
        QFETCH(QByteArray, target);
        const HttpReply reply = clientGet(port(), target);
        QCOMPARE(reply.status, 200);
        QVERIFY(reply.closedByServer);
        const QByteArray text = reply.body.trimmed();
        QVERIFY(text.size() >= 2);
        QVERIFY(!text.contains('\n') && !text.contains('\r'));
        QVERIFY(!reply.body.contains("<>"));
        QVERIFY(!reply.body.contains("END"));
        QVERIFY(clientRecordLines(reply.body.toStdString()).size() == 1);
    }

    void messagesNameTheirCause()
    {
        std::set<QByteArray> texts;
        for (const char *query : { "", "?country=ZZ", "?country=US&loctype=CASTLE",
                 "?country=US&type=9", "?country=US&city=Atlantis" })
            texts.insert(clientGet(port(), QByteArray("/browse-app.php") + query).body);
        QCOMPARE(texts.size(), 5u);
    }

    void pictures_data()
    {
        QTest::addColumn<QByteArray>("extension");
        QTest::addColumn<QByteArray>("contentType");
        QTest::newRow("JPEG") << QByteArray(".jpg") << QByteArray("image/jpeg");
        QTest::newRow("GIF") << QByteArray(".gif") << QByteArray("image/gif");
    }

    void pictures()
    {
        QFETCH(QByteArray, extension);
        QFETCH(QByteArray, contentType);
        QByteArray path;
        for (const auto &row : m_rows) {
            if (row[Image].endsWith(extension)) {
                path = row[Image];
                break;
            }
        }
        QVERIFY(!path.isEmpty());

        QFile file(
            qEnvironmentVariable("PELLOMAR_BIN_DIR") + u"/directory/"_s + QString::fromUtf8(path));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const HttpReply reply = clientGet(port(), "/" + path);
        QCOMPARE(reply.status, 200);
        QVERIFY(reply.closedByServer);
        QVERIFY(reply.head.contains("Content-Type: " + contentType));
        QCOMPARE(reply.body, file.readAll());
        QVERIFY(!QImage::fromData(reply.body).isNull());
    }

    void imagePathsInRepliesCanBeFetched()
    {
        int fetched = 0;
        for (const auto &fields : search("country=GB&city=London")) {
            const std::string &path = fields[16];
            if (path.empty())
                continue;
            QVERIFY(path.size() > 5);
            const HttpReply reply
                = clientGet(port(), QByteArray("/") + QByteArray::fromStdString(path));
            QCOMPARE(reply.status, 200);
            QVERIFY(!QImage::fromData(reply.body).isNull());
            if (++fetched == 5)
                break;
        }
        QCOMPARE(fetched, 5);
    }

    void notFound_data()
    {
        QTest::addColumn<QByteArray>("target");
        QTest::newRow("picture that does not exist") << QByteArray("/images/999999.jpg");
        QTest::newRow("picture of another format") << QByteArray("/images/1.png");
        QTest::newRow("picture folder") << QByteArray("/images/");
        QTest::newRow("dataset table") << QByteArray("/hotspots.txt");
        QTest::newRow("dataset folder") << QByteArray("/directory/hotspots.txt");
        QTest::newRow("climbing out of the picture folder")
            << QByteArray("/images/../hotspots.txt");
        QTest::newRow("encoded climb") << QByteArray("/images/%2e%2e%2fhotspots.txt");
        QTest::newRow("another script") << QByteArray("/browse.php?country=US");
        QTest::newRow("reference file") << QByteArray("/countries.txt");
    }

    void notFound()
    {
        QFETCH(QByteArray, target);
        const HttpReply reply = clientGet(port(), target);
        QCOMPARE(reply.status, 404);
        QVERIFY(reply.closedByServer);
        QVERIFY(!reply.body.contains("<>"));
    }

    void connectionClosedAfterEachReply_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::newRow("the client's HTTP/1.0 request") << QByteArray(
            "GET /browse-app.php?country=NZ HTTP/1.0\r\nHost: hotspots.pellomar.example\r\n\r\n");
        QTest::newRow("HTTP/1.0 without headers")
            << QByteArray("GET /browse-app.php?country=NZ HTTP/1.0\r\n\r\n");
        QTest::newRow("HTTP/1.0 asking to keep alive") << QByteArray(
            "GET /browse-app.php?country=NZ HTTP/1.0\r\nConnection: keep-alive\r\n\r\n");
        QTest::newRow("HTTP/1.1") << QByteArray(
            "GET /browse-app.php?country=NZ HTTP/1.1\r\nHost: x\r\n\r\n");
        QTest::newRow("HTTP/1.1, two requests in a row")
            << QByteArray("GET /browse-app.php?country=NZ HTTP/1.1\r\nHost: x\r\n\r\n"
                          "GET /browse-app.php?country=AU HTTP/1.1\r\nHost: x\r\n\r\n");
        QTest::newRow("picture over HTTP/1.0")
            << QByteArray("GET /images/999999.gif HTTP/1.0\r\n\r\n");
        QTest::newRow("home page over HTTP/1.1") << QByteArray("GET / HTTP/1.1\r\nHost: x\r\n\r\n");
    }

    void connectionClosedAfterEachReply()
    {
        QFETCH(QByteArray, request);
        // Well under the five seconds a keep-alive connection would idle before it is closed.
        const HttpReply reply = exchange(port(), request, 3000);
        QVERIFY2(
            reply.closedByServer, "the client takes the closed connection as the end of the reply");
        QVERIFY(reply.status == 200 || reply.status == 404);
        QCOMPARE(reply.raw.count("HTTP/1."), 1);
        QVERIFY(reply.head.contains("Connection: close"));
    }

    void homePage()
    {
        const HttpReply reply = clientGet(port(), "/");
        QCOMPARE(reply.status, 200);
        QVERIFY(reply.head.contains("Content-Type: text/html; charset=utf-8"));
        const QString html = QString::fromUtf8(reply.body);
        QVERIFY(html.contains(u"<form method=\"post\" action=\"/submit-hotspot\""_s));
        for (const auto &[code, name] : m_typeNames)
            QVERIFY(html.contains(
                u"<option value=\"%1\">%2</option>"_s.arg(code, name.toHtmlEscaped())));
        QVERIFY(html.contains(u"<option value=\"US\">United States of America</option>"_s));
        QVERIFY(hotspotFigure(reply.body) >= m_rows.size());
    }

    void submissionIsFoundBySearch()
    {
        const int before = hotspotFigure(clientGet(port(), "/").body);
        // A reply kept from before the submission must not be given after it.
        QVERIFY(search("country=us&city=zzyzx%20springs").empty());
        const HttpReply reply
            = exchange(port(), postRequest(formBody(submission("Zzyzx Springs"))));
        QCOMPARE(reply.status, 200);
        QVERIFY(reply.closedByServer);
        QVERIFY(reply.body.contains("is now in the directory"));
        QCOMPARE(hotspotFigure(clientGet(port(), "/").body), before + 1);

        const auto records = search("country=us&city=zzyzx%20springs");
        QCOMPARE(records.size(), 1u);
        const std::vector<std::string> expectedFields = {
            "T\xc3\xa9st Caf\xc3\xa9 \xc3\x9cnique",
            "free (with registration)",
            "Test Operator",
            "www.test.example",
            "+1 760 555 0100",
            "info@test.example",
            "Caf\xc3\xa9",
            "1 Desert Road",
            "92309",
            "Zzyzx Springs",
            "US",
            "35.1430",
            "-116.1040",
            "2",
            "SSID: zzyzx-guest",
            "Hotspot added by the test.",
            "",
        };
        QCOMPARE(records.front(), expectedFields);
        QCOMPARE(
            search("country=US&city=Zzyzx%20Springs&loctype=CAFE&type=2&zipcode=92309").size(), 1u);
    }

    void refusedSubmission_data()
    {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("angle brackets")
            << QByteArray("name") << QByteArray("<b>Bar</b>")
            << u"Location name must not contain the characters &lt; and &gt;."_s;
        QTest::newRow("LEGEND") << QByteArray("name") << QByteArray("LEGEND Caf\xc3\xa9")
                                << u"Location name must not contain the capital letters END"_s;
        QTest::newRow("WEEKEND in the description")
            << QByteArray("description") << QByteArray("WEEKEND only")
            << u"Description must not contain the capital letters END"_s;
        QTest::newRow("city missing")
            << QByteArray("city") << QByteArray("") << u"City is required."_s;
        QTest::newRow("unknown country")
            << QByteArray("country") << QByteArray("ZZ")
            << u"Country is not one of the directory&#39;s countries."_s;
    }

    void refusedSubmission()
    {
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, value);
        QFETCH(QString, message);
        const int before = hotspotFigure(clientGet(port(), "/").body);
        auto form = submission("Refusal Flats");
        for (auto &[formKey, formValue] : form) {
            if (formKey == key)
                formValue = value;
        }
        const HttpReply reply = exchange(port(), postRequest(formBody(form)));
        QCOMPARE(reply.status, 400);
        const QString html = QString::fromUtf8(reply.body);
        QVERIFY2(html.contains(message), qPrintable(html));
        // What was typed comes back in the form.
        QVERIFY(html.contains(u"value=\"%1\""_s.arg(QString::fromUtf8(value).toHtmlEscaped()))
            || key == "description" || key == "country");
        QVERIFY(html.contains(u"value=\"1 Desert Road\""_s));
        QCOMPARE(hotspotFigure(reply.body), before);
        QVERIFY(search("country=US&city=Refusal%20Flats").empty());
    }

    void oversizedFormIsRefused()
    {
        auto form = submission("Oversize City");
        form.append({ "padding", QByteArray(100 * 1024, 'x') });
        const HttpReply reply = exchange(port(), postRequest(formBody(form)));
        QCOMPARE(reply.status, 413);
        QVERIFY(search("country=US&city=Oversize%20City").empty());
    }

    void formOverEightKilobytesComesBackWithItsMessages()
    {
        // Every field at its longest in a script of three bytes a letter: over the 8 KB an HTTP
        // library once held forms to, within the form's own limit.
        QList<std::pair<QByteArray, QByteArray>> form;
        for (const auto &field : pellomar::directory::submissionFields())
            form.append({ QByteArray(field.key.data(), qsizetype(field.key.size())),
                field.maxLength > 2
                    ? QByteArray("\xe8\xaa\x9e").repeated(qsizetype(field.maxLength))
                    : QByteArray("1") });
        const QByteArray body = formBody(form);
        QVERIFY(body.size() > 8 * 1024);
        const HttpReply reply = exchange(port(), postRequest(body));
        QCOMPARE(reply.status, 400);
        const QString html = QString::fromUtf8(reply.body);
        QVERIFY(html.contains(u"Web site must start with"_s));
        QVERIFY(html.contains(u"value=\"%1\""_s.arg(QString(80, QChar(0x8a9e)))));
    }

    void requestHeadLimits_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("status");
        const QByteArray kilobyte = "X-Filler: " + QByteArray(1012, 'a') + "\r\n";
        QTest::newRow("100 header lines") << QByteArray("X-Filler: 1\r\n") << 100 << 200;
        QTest::newRow("101 header lines") << QByteArray("X-Filler: 1\r\n") << 101 << 431;
        QTest::newRow("head of 63 KB") << kilobyte << 63 << 200;
        QTest::newRow("head of 65 KB") << kilobyte << 65 << 431;
        QTest::newRow("32 MB of header lines") << kilobyte << 32 * 1024 << 431;
    }

    void requestHeadLimits()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, lines);
        QFETCH(int, status);
        const qint64 before = residentKb(m_server.processId());
        QVERIFY(before > 0);
        const HttpReply reply = exchange(
            port(), "GET /browse-app.php?country=NZ HTTP/1.0\r\n" + line.repeated(lines) + "\r\n");
        QCOMPARE(reply.status, status);
        // A refused head leaves nothing behind.
        QVERIFY(residentKb(m_server.processId()) < before + 16 * 1024);
    }

    void slowClientsHoldNoSearchUpAndAreDroppedAtTheDeadline()
    {
        // 200 clients that send their request head a byte every two seconds never go idle for
        // long; each must be dropped once its head is ten seconds late, and none may keep a
        // search from being answered meanwhile.
        QElapsedTimer clock;
        clock.start();
        const auto slow = connectMany(port(), 200);
        for (const auto &socket : slow) {
            QVERIFY(socket->waitForConnected(5000));
            socket->write("GET /browse-app.php?country=NZ HTTP/1.1\r\nHost: x\r\nX-Slow: ");
            socket->flush();
        }
        QCOMPARE(clientGet(port(), "/browse-app.php?country=NZ", 5000).status, 200);
        qint64 firstDrop = -1;
        for (qint64 nextByte = 0; connectedCount(slow) > 0 && clock.elapsed() < 15000;) {
            if (clock.elapsed() >= nextByte) {
                for (const auto &socket : slow)
                    socket->write("a");
                nextByte += 2000;
            }
            QTest::qWait(50);
            if (firstDrop < 0 && connectedCount(slow) < 200)
                firstDrop = clock.elapsed();
        }
        QCOMPARE(connectedCount(slow), 0);
        QVERIFY2(firstDrop > 9000, qPrintable(QString::number(firstDrop)));
    }

    void fiftyClientsAtOnceWaitInTheListenQueue()
    {
        // Held still, the server accepts nothing: the system queues the connections, up to the
        // server's listen backlog, and the rest wait for a retry a second or more later.
        const auto pid = pid_t(m_server.processId());
        QCOMPARE(::kill(pid, SIGSTOP), 0);
        const auto clients = connectMany(port(), 50);
        QTest::qWait(500);
        const long queued = connectedCount(clients);
        ::kill(pid, SIGCONT);
        QCOMPARE(queued, 50);
        for (const auto &client : clients)
            client->write("GET /browse-app.php?country=NZ HTTP/1.0\r\n\r\n");
        for (const auto &client : clients) {
            QTRY_COMPARE_WITH_TIMEOUT(client->state(), QAbstractSocket::UnconnectedState, 5000);
            QVERIFY(client->readAll().startsWith("HTTP/1.1 200 OK"));
        }
    }

    void requestsAreLogged()
    {
        const HttpReply reply = clientGet(port(), "/browse-app.php?country=NZ&city=Queenstown");
        const HttpReply latin1 = clientGet(port(), "/browse-app.php?country=DE&city=K\xf6ln");
        QCOMPARE(reply.status, 200);
        const QRegularExpression line(
            u"^GET /browse-app\\.php\\?country=NZ&city=Queenstown 200 %1 \\d+\\.\\dms$"_s.arg(
                reply.body.size()),
            QRegularExpression::MultilineOption);
        const QRegularExpression escaped(
            u"^GET /browse-app\\.php\\?country=DE&city=K%F6ln 200 %1 "_s.arg(latin1.body.size()),
            QRegularExpression::MultilineOption);
        QTRY_VERIFY(line.match(QString::fromLatin1(m_server.log())).hasMatch());
        QTRY_VERIFY(escaped.match(QString::fromLatin1(m_server.log())).hasMatch());
    }

    void databaseFileKeepsSubmissions()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString database = dir.filePath(u"directory.db"_s);
        {
            DirectoryProcess first;
            QVERIFY(first.start({ u"--database"_s, database }));
            const HttpReply reply
                = exchange(first.port(), postRequest(formBody(submission("Persistence Falls"))));
            QCOMPARE(reply.status, 200);
            QCOMPARE(first.stop(), 0);
        }
        QVERIFY(QFile::exists(database));
        DirectoryProcess second;
        QVERIFY(second.start({ u"--database"_s, database }));
        const HttpReply found
            = clientGet(second.port(), "/browse-app.php?country=US&city=Persistence%20Falls");
        QCOMPARE(clientRecordLines(found.body.toStdString()).size(), 1u);
        // The dataset is loaded into a new file once, not again on every start.
        QCOMPARE(hotspotFigure(clientGet(second.port(), "/").body), m_rows.size() + 1);
        QCOMPARE(second.stop(), 0);
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        QTest::newRow("help") << QStringList { u"--help"_s } << 0 << u"--listen ADDR:PORT"_s;
        QTest::newRow("unknown option")
            << QStringList { u"--verbose"_s } << 2 << u"unknown option --verbose"_s;
        QTest::newRow("listen without a port")
            << QStringList { u"--listen"_s, u"127.0.0.1"_s } << 2 << u"--listen needs ADDR:PORT"_s;
        QTest::newRow("listen on port 70000") << QStringList { u"--listen"_s, u"127.0.0.1:70000"_s }
                                              << 2 << u"--listen needs ADDR:PORT"_s;
        QTest::newRow("option without its value")
            << QStringList { u"--database"_s } << 2 << u"needs a value"_s;
        QTest::newRow("dataset folder without a table") << QStringList { u"--listen"_s,
            u"127.0.0.1:0"_s, u"--dataset"_s, u"/nonexistent-pellomar"_s }
                                                        << 1 << u"cannot read the dataset"_s;
        QTest::newRow("database that cannot be opened") << QStringList { u"--listen"_s,
            u"127.0.0.1:0"_s, u"--database"_s, u"/nonexistent-pellomar/x.db"_s }
                                                        << 1 << u"cannot open the database"_s;
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QProcess process;
        process.start(DirectoryProcess::programPath(), arguments);
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), exitCode);
        const QString text
            = QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
        QVERIFY2(text.contains(output), qPrintable(text));
    }

    void portInUse()
    {
        QTcpServer taken;
        QVERIFY(taken.listen(QHostAddress::LocalHost));
        QProcess process;
        process.start(DirectoryProcess::programPath(),
            { u"--listen"_s, u"127.0.0.1:%1"_s.arg(taken.serverPort()) });
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 1);
        QVERIFY(process.readAllStandardError().contains("cannot listen on 127.0.0.1:"));
    }
};

QTEST_MAIN(TestDirectoryServer)
#include "tst_directory_server.moc"
