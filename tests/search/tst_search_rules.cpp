// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reference/reference_table.h"
#include "search/search_reply.h"
#include "search/search_request.h"

#include <QTest>

using namespace pellomar;

Q_DECLARE_METATYPE(pellomar::SearchStop)

// The search form's fields to the request path, and the directory's reply to the result file's
// text: the rules, bytes in and bytes out.
class TestSearchRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void requestPath_data()
    {
        QTest::addColumn<QByteArrayList>("fields"); // country, city, ZIP, location type, access
        QTest::addColumn<SearchStop>("stop");
        QTest::addColumn<QByteArray>("path");
        const auto row = [](const char *name, QByteArrayList fields, const char *path,
                             SearchStop stop = SearchStop::None) {
            QTest::newRow(name) << fields << stop << QByteArray(path);
        };
        const QByteArray all = "All";
        row("case and spaces, 'all' in any case left out",
            { "  united states of america ", " aLL ", "  ", "all", "ALL" },
            "/browse-app.php?country=US");
        row("all five in the fixed order",
            { "Germany", "Berlin", " 80331 ", "Airport", "commercial" },
            "/browse-app.php?country=DE&city=Berlin&zipcode=80331&loctype=AIR&type=3");
        row("inner spaces and case kept", { "Germany", "  New  York ", "", all, "free" },
            "/browse-app.php?country=DE&city=New%20%20York&type=1");
        row("typed parameters stay values", { "Germany", "a&b=c", "1#2?3", all, " Free " },
            "/browse-app.php?country=DE&city=a%26b%3Dc&zipcode=1%232%3F3&type=1");
        row("reserved and control bytes, unreserved kept",
            { "Germany", "100%+x\t-._~!*'()/:;@,[]$\x7f", "", all, "xREGISy" },
            "/browse-app.php?country=DE&city=100%25%2Bx%09-._~%21%2A%27%28%29%2F%3A%3B%40%2C%5B%5D%"
            "24%7F"
            "&type=2");
        row("UTF-8 byte by byte, code trimmed and upper-cased",
            { "c\xc3\xb4te d'ivoire", "K\xc3\xb6ln", "", " Hotel", "free wifi" },
            "/browse-app.php?country=CI&city=K%C3%B6ln&loctype=HOT&type=3");
        row("no country", { "   ", "Berlin", "", "Airport", all }, "/browse-app.php",
            SearchStop::NoCountry);
        row("'All' is no country", { " ALL ", "", "", all, all }, "/browse-app.php",
            SearchStop::NoCountry);
        row("unknown country", { "Atlantis", "", "", "Nowhere", all }, "/browse-app.php",
            SearchStop::UnknownCountry);
        row("unknown location type", { "Germany", "", "", "Nowhere", all },
            "/browse-app.php?country=DE", SearchStop::UnknownLocationType);
    }
    void requestPath()
    {
        QFETCH(QByteArrayList, fields);
        const ReferenceTable countries = parseCountries(
            "US|United States of America\r\nDE|Germany\r\nCI|C\xc3\xb4te d'Ivoire\r\n")
                                             .table;
        const ReferenceTable types = parseLocationTypes("Airport,air\r\nHotel, hot \r\n").table;
        int lookups = 0;
        const auto lookup = [&lookups](const ReferenceTable &table) {
            return [&lookups, &table](std::string_view name) {
                ++lookups;
                return table.codeForName(name).value_or(std::string());
            };
        };
        const SearchRequest request = buildRequestPath(
            { fields[0].toStdString(), fields[1].toStdString(), fields[2].toStdString(),
                fields[3].toStdString(), fields[4].toStdString() },
            lookup(countries), lookup(types));
        QTEST(request.stop, "stop");
        QTEST(QByteArray::fromStdString(request.path), "path");
        // A missing country is told once: the location type is not looked up after it.
        QVERIFY(request.stop != SearchStop::UnknownCountry || lookups == 1);
    }

    void reply_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QByteArray>("body"); // the result file's text, before its last CR LF
        QTest::addColumn<QString>("error");
        const QByteArray ok = "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n";
        const auto body = [](const char *name, const QByteArray &reply, const QByteArray &body) {
            QTest::newRow(name) << reply << body << QString();
        };
        const auto refused = [](const char *name, const QByteArray &reply, const char *error) {
            QTest::newRow(name) << reply << QByteArray() << QString::fromLatin1(error);
        };
        body("records broken anywhere",
            ok + "Cafe<>Berlin<\r\n>DE\r\nEND\r\nAir\r\nport<>MuEN\r\nD",
            "Cafe<>Berlin<>DE\r\n-\r\nAirport<>Mu\r\n-\r\n");
        body("END inside a field cuts it, lower case does not", ok + "LEGEND<>legend<>xEND",
            "LEG\r\n-\r\n<>legend<>x\r\n-\r\n");
        body("lone CR and LF stay, CR CR LF LF keeps one pair", ok + "a\rb<>\nc\r\r\n\nd",
            "a\rb<>\nc\r\nd");
        body("spaces trimmed, line breaks at the ends stay", ok + "  \nx<>  END   ",
            "\nx<>  \r\n-\r\n");
        body("only the first separator ends the headers", ok + "a<>\r\n\r\nb", "a<>b");
        body("status without a reason, every byte value",
            QByteArray("HTTP/1.1 204\r\n\r\n\x00\xff\x80<>", 21), QByteArray("\x00\xff\x80<>", 5));
        body("more than announced is kept", "HTTP/1.0 200 OK\r\ncontent-length:2\r\n\r\nabcd",
            "abcd");
        body(
            "unreadable length ignored", "HTTP/1.0 200 OK\r\nContent-Length: lots\r\n\r\nab", "ab");
        const QByteArray plain = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n";
        body("a one-line message", plain + "  No hotspots match.\r\n", "No hotspots match.");
        // A captive portal's answer: never stored in place of the results.
        const char *portal = "not a hotspot directory's: the network may need a sign-in";
        refused("empty body", ok, portal);
        refused("one character", plain + "x\r\n", portal);
        refused("line ends only", plain + "\r\r", portal);
        refused("a page, by its type", ok + "Please sign in", portal);
        refused("a page, by its markup", plain + "<html><b>Sign in</b>", portal);
        refused("several lines without a record", plain + "Welcome!\r\nPlease sign in\r\n", portal);
        refused("text cut by a record end", plain + "Happy WEEKEND", portal);
        refused("nothing at all", "", "closed the connection without a reply");
        refused("LF line ends", "HTTP/1.0 200 OK\n\nbody", "headers never end");
        refused("not found", "HTTP/1.0 404 Not Found\r\n\r\nmissing", "answered \"404 Not Found\"");
        refused("redirect", "HTTP/1.0 301 Moved\r\n\r\n", "answered \"301 Moved\"");
        refused(
            "status text shown safely", "HTTP/1.0 500 a\x01\xffz\r\n\r\n", "answered \"500 a??z\"");
        refused("not HTTP", "hello\r\n\r\nworld", "not an HTTP reply");
        refused("status of four digits", "HTTP/1.0 2000 OK\r\n\r\n", "not an HTTP reply");
        refused("cut after the headers", "HTTP/1.0 200 OK\r\nCONTENT-LENGTH : 4 \r\n\r\nabc",
            "broke after 3 of 4 bytes");
        refused("chunked", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4\r\nabcd\r\n0",
            "transfer coding");
    }
    void reply()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, error);
        const SearchReply result = processReply(reply.toStdString());
        QCOMPARE(QString::fromStdString(result.error).contains(error), true);
        QCOMPARE(result.ok(), error.isEmpty());
        QTEST(QByteArray::fromStdString(result.body), "body");
        QVERIFY(result.error.size() < 200);
    }

    void message_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("isMessage");
        QTest::newRow("a line of text") << QByteArray("No hotspots found.") << true;
        QTest::newRow("two characters across a line break") << QByteArray("a\r\nb") << true;
        QTest::newRow("a lone LF counts") << QByteArray("a\n") << true;
        QTest::newRow("a separator split by a line break") << QByteArray("a<\r\n>b") << true;
        QTest::newRow("one character among spaces and breaks")
            << QByteArray(" \r\n x \r\n") << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("records") << QByteArray("a<>b<>c\r\n-\r\n") << false;
    }
    void message()
    {
        QFETCH(QByteArray, body);
        QTEST(IsMessageReply(body.toStdString()), "isMessage");
    }
};

QTEST_APPLESS_MAIN(TestSearchRules)
#include "tst_search_rules.moc"
