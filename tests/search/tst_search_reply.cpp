#include "search/search_reply.h"

#include <QTest>

using namespace pellomar;

namespace {

QByteArray bytes(const std::string &s)
{
    return QByteArray::fromStdString(s);
}

const QByteArray Ok = "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n";

} // namespace

class TestSearchReply : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void body_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QByteArray>("body");

        QTest::newRow("two records broken at arbitrary places")
            << Ok + "Cafe<>Berlin<\r\n>DE\r\nEND\r\nAir\r\nport<>Mu\r\nnich<>DEEND"
            << QByteArray("Cafe<>Berlin<>DE\r\n-\r\nAirport<>Munich<>DE\r\n-\r\n");
        QTest::newRow("END inside a field cuts it; lower case does not")
            << Ok + "LEGEND<>legend<>xEND" << QByteArray("LEG\r\n-\r\n<>legend<>x\r\n-\r\n");
        QTest::newRow("a marker broken by a line break still counts")
            << Ok + "aEN\r\nDb" << QByteArray("a\r\n-\r\nb");
        QTest::newRow("ENDEND gives two record ends")
            << Ok + "ENDEND" << QByteArray("\r\n-\r\n\r\n-\r\n");
        QTest::newRow("lone CR and LF stay") << Ok + "a\rb\nc\n\rd" << QByteArray("a\rb\nc\n\rd");
        QTest::newRow("CR CR LF LF keeps one pair") << Ok + "a\r\r\n\nb" << QByteArray("a\r\nb");
        QTest::newRow("spaces trimmed, CR and LF at the ends stay")
            << Ok + "  \nx  END   " << QByteArray("\nx  \r\n-\r\n");
        QTest::newRow("spaces only") << Ok + "     " << QByteArray();
        QTest::newRow("empty body") << Ok << QByteArray();
        QTest::newRow("one character") << Ok + "x" << QByteArray("x");
        QTest::newRow("only the first separator ends the headers")
            << Ok + "a\r\n\r\nb" << QByteArray("ab");
        QTest::newRow("status without a reason")
            << QByteArray("HTTP/1.1 204\r\n\r\nq") << QByteArray("q");
        QTest::newRow("no headers besides the status line")
            << QByteArray("HTTP/1.0 200 OK\r\n\r\nz") << QByteArray("z");
        QTest::newRow("length announced and complete")
            << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\nabcd") << QByteArray("abcd");
        QTest::newRow("more than announced is kept")
            << QByteArray("HTTP/1.0 200 OK\r\ncontent-length:2\r\n\r\nabcd") << QByteArray("abcd");
        QTest::newRow("unreadable length is ignored")
            << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: lots\r\n\r\nab") << QByteArray("ab");
        QTest::newRow("bytes of every value pass")
            << Ok + QByteArray("\x00\xff\x80<>", 5) << QByteArray("\x00\xff\x80<>", 5);
    }

    void body()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QByteArray, body);
        const SearchReply result = ProcessReply(reply.toStdString());
        QVERIFY2(result.ok(), result.error.c_str());
        QCOMPARE(bytes(result.body), body);
    }

    void refused_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("error");

        QTest::newRow("nothing at all")
            << QByteArray() << QStringLiteral("closed the connection without a reply");
        QTest::newRow("no separator")
            << QByteArray("HTTP/1.0 200 OK\r\nX: y\r\nbody") << QStringLiteral("headers never end");
        QTest::newRow("bare LF line ends")
            << QByteArray("HTTP/1.0 200 OK\n\nbody") << QStringLiteral("headers never end");
        QTest::newRow("not found") << QByteArray("HTTP/1.0 404 Not Found\r\n\r\nmissing")
                                   << QStringLiteral("answered \"404 Not Found\"");
        QTest::newRow("server error") << QByteArray("HTTP/1.1 500 Oops\r\nA: b\r\n\r\n")
                                      << QStringLiteral("answered \"500 Oops\"");
        QTest::newRow("redirect") << QByteArray("HTTP/1.0 301 Moved\r\n\r\n")
                                  << QStringLiteral("answered \"301 Moved\"");
        QTest::newRow("1xx") << QByteArray("HTTP/1.0 199 Early\r\n\r\n")
                             << QStringLiteral("answered \"199 Early\"");
        QTest::newRow("garbage") << QByteArray("hello\r\n\r\nworld")
                                 << QStringLiteral("not an HTTP reply");
        QTest::newRow("status not three digits")
            << QByteArray("HTTP/1.0 2000 OK\r\n\r\n") << QStringLiteral("not an HTTP reply");
        QTest::newRow("status letters")
            << QByteArray("HTTP/1.0 2x0 OK\r\n\r\n") << QStringLiteral("not an HTTP reply");
        QTest::newRow("cut short after the headers")
            << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nabc")
            << QStringLiteral("broke after 3 of 10 bytes");
        QTest::newRow("cut right after the headers")
            << QByteArray("HTTP/1.0 200 OK\r\nCONTENT-LENGTH : 5 \r\n\r\n")
            << QStringLiteral("broke after 0 of 5 bytes");
    }

    void refused()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, error);
        const SearchReply result = ProcessReply(reply.toStdString());
        QVERIFY(!result.ok());
        QVERIFY2(QString::fromStdString(result.error).contains(error), result.error.c_str());
        QVERIFY(result.body.empty());
    }

    void statusCode()
    {
        QCOMPARE(ProcessReply("HTTP/1.0 203 Partial\r\n\r\n").status, 203);
        QCOMPARE(ProcessReply("HTTP/1.0 404 No\r\n\r\n").status, 404);
    }

    void statusTextShownSafely()
    {
        const SearchReply result = ProcessReply(
            std::string("HTTP/1.0 500 a\x01\xffz") + std::string(200, 'x') + "\r\n\r\n");
        QVERIFY(!result.ok());
        QVERIFY(result.error.find("a??z") != std::string::npos);
        QVERIFY(result.error.size() < 150);
    }

    void message_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("isMessage");
        QTest::newRow("a line of text") << QByteArray("No hotspots found.") << true;
        QTest::newRow("two characters") << QByteArray("ok") << true;
        QTest::newRow("one character") << QByteArray("x") << false;
        QTest::newRow("one character among spaces and line breaks")
            << QByteArray(" \r\n x \r\n") << false;
        QTest::newRow("spaces only") << QByteArray("     ") << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("records") << QByteArray("a<>b<>c\r\n-\r\n") << false;
        QTest::newRow("separator split by a line break is no separator")
            << QByteArray("a<\r\n>b") << true;
        QTest::newRow("two characters across a line break") << QByteArray("a\r\nb") << true;
        QTest::newRow("lone LF counts as a character") << QByteArray("a\n") << true;
        QTest::newRow("inner spaces count") << QByteArray("  a b ") << true;
    }

    void message()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, isMessage);
        QCOMPARE(IsMessageReply(body.toStdString()), isMessage);
    }

    // The reduction is one pass: a reply of many records costs in proportion to its size.
    void largeReplyKeepsEveryRecord()
    {
        const std::string record = std::string(300, 'x') + "<>" + std::string(30, 'y') + "END\r\n";
        std::string reply(Ok.constData(), std::size_t(Ok.size()));
        for (int i = 0; i < 60000; ++i)
            reply += record;
        const SearchReply result = ProcessReply(reply);
        QVERIFY(result.ok());
        QCOMPARE(result.body.size(), std::size_t(60000) * (300 + 2 + 30 + 5));
        QVERIFY(result.body.ends_with("y\r\n-\r\n"));
    }
};

QTEST_APPLESS_MAIN(TestSearchReply)
#include "tst_search_reply.moc"
