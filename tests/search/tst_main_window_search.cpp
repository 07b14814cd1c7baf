#include "common/harness.h"
#include "common/scripted_server.h"
#include "results/result_list_view.h"
#include "search/search_exchange.h"
#include "shell/download_caption.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace pellomar;
using namespace pellomar::test;

// The search as the user drives it from the main window against a scripted server: the form,
// the message boxes, the status line, the message panel, and the files a failure must keep.
class TestMainWindowSearch : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void search_data()
    {
        QTest::addColumn<QStringList>("fields"); // country, city, ZIP, location type, access
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QByteArray>("request"); // the path asked for; empty: no request
        QTest::addColumn<QString>("outcome"); // the status line, or the message box's text
        QTest::addColumn<QByteArray>("message"); // on the panel; empty: the panel is hidden
        const QString all = QStringLiteral("All");
        const auto row
            = [](const char *name, QStringList fields, const QByteArray &reply,
                  const QByteArray &request, const char *outcome, const QByteArray &message = {}) {
                  QTest::newRow(name)
                      << fields << reply << request << QString::fromLatin1(outcome) << message;
              };
        row("designed start values",
            { QStringLiteral("United States of America"), {}, {}, all, all },
            Script::httpReply("a<>bEND"), "/browse-app.php?country=US", "Results Loaded!");
        row("every field",
            { QStringLiteral(" germany "), QStringLiteral("Orl\u00e9ans"), QStringLiteral("10115"),
                QStringLiteral("Hotel"), QStringLiteral("free (with registration)") },
            Script::httpReply("a<>bEND"),
            "/browse-app.php?country=DE&city=Orl%C3%A9ans&zipcode=10115&loctype=HOTEL&type=2",
            "Results Loaded!");
        row("no country", { QStringLiteral(" ALL "), {}, {}, all, all }, {}, {},
            "You have not selected a valid country!\r\n\r\nPlease make a select from the country "
            "list.");
        row("unknown country",
            { QStringLiteral("Atlantis"), {}, {}, QStringLiteral("Nowhere"), all }, {}, {},
            "Invalid Country. Please reselect from the list options.");
        row("unknown location type",
            { QStringLiteral("Germany"), {}, {}, QStringLiteral("Nowhere"), all }, {}, {},
            "Invalid Location Type. Please reselect from the list options.");
        // A message shows as it stands: plain text, byte for byte (Latin-1 when it is no UTF-8).
        const QByteArray message("<b>No</b> \xC3\x28 hotspots\0 here", 27);
        row("a message", { QStringLiteral("Germany"), {}, {}, all, all },
            Script::httpReply(message), "/browse-app.php?country=DE", "Results Loaded!", message);
        // Every way a search fails is in the exchange's own table; here, that nothing is lost.
        row("a failure", { QStringLiteral("Germany"), {}, {}, all, all },
            Script::httpReply("x", "404 <b>Not</b> Found"), "/browse-app.php?country=DE",
            "The directory server answered \"404 <b>Not</b> Found\"");
    }
    void search()
    {
        QFETCH(QStringList, fields);
        QFETCH(QByteArray, reply);
        QFETCH(QByteArray, request);
        QFETCH(QString, outcome);
        QFETCH(QByteArray, message);
        ScriptedServer server;
        QVERIFY(server.listen());
        server.setDefaultScript(Script::reply(reply));
        const std::string previous
            = "Old Cafe<>US<>Springfield\r\n-\r\nOld Library<>US\r\n-\r\n\r\n";
        const QDateTime stored(QDate(2001, 2, 3), QTime(4, 5));
        MainWindowHarness m(server.address(), &previous, stored);
        m.window().searchExchange().connection().setIdleTimeout(400);
        const QString saved = m.dataDir() + QStringLiteral("/saved.txt");
        QVERIFY(putFile(saved, "Hotspot Name: Old Cafe\r\n"));
        KeptFiles kept;
        kept.keep(m.context().resultFilePath());
        kept.keep(saved);

        m.fill(fields[0], fields[1], fields[2], fields[3], fields[4]);
        const QString clickedAt = downloadedCaption(QDateTime::currentDateTime());
        const bool searched = !request.isEmpty();
        if (searched) {
            m.search();
        } else {
            QTest::mouseClick(m.searchButton(), Qt::LeftButton);
            QTest::qWait(100);
        }
        QCOMPARE(server.connectionCount(), searched ? 1 : 0);
        if (searched) {
            QCOMPARE(server.request(0),
                "GET " + request + " HTTP/1.0\r\nHost: "
                    + m.context().server.hostHeader().toLatin1() + "\r\n\r\n");
        }
        const QList<MessageBox::Request> &boxes = m.boxes().boxes;
        QCOMPARE(boxes.size(), searched ? 0 : 1);
        if (!searched) {
            QCOMPARE(boxes[0].text, outcome);
            QCOMPARE(boxes[0].icon, QMessageBox::Critical);
            QCOMPARE(boxes[0].title, QStringLiteral("Error"));
        }
        auto *line = m.control<QLabel>(QStringLiteral("lblStatus"));
        QCOMPARE(line->text(), searched ? outcome : QStringLiteral("Results Loaded!"));
        QCOMPARE(line->textFormat(), Qt::PlainText);
        auto *panel = m.control<QFrame>(QStringLiteral("Picture3"));
        auto *text = m.control<QLabel>(QStringLiteral("lblMsg"));
        QCOMPARE(panel->isVisible(), !message.isEmpty());
        QCOMPARE(text->text(), message.isEmpty() ? QString() : QString::fromLatin1(message));
        QCOMPARE(text->textFormat(), Qt::PlainText);
        // Over the list, clear of the search form, so a new search stays possible.
        const auto place
            = [](const QWidget *w) { return QRect(w->mapToGlobal(QPoint()), w->size()); };
        QVERIFY(!place(panel).intersects(place(m.searchButton())));
        // The rows on screen, with their time; the previous files stay unless a reply replaced
        // the result file.
        const bool replaced = outcome == QStringLiteral("Results Loaded!");
        QCOMPARE(m.list()->rowCount(), replaced ? 1 : 2);
        const QString caption = m.window().downloadedCaption();
        QVERIFY2(replaced
                ? caption == clickedAt || caption == downloadedCaption(QDateTime::currentDateTime())
                : caption == downloadedCaption(stored),
            qPrintable(caption));
        QCOMPARE(kept.changed(), replaced ? m.context().resultFilePath() : QString());

        // The next search hides the panel at once; a server on this machine accepts at once,
        // so the request is out before the click returns.
        Script later = Script::reply(Script::httpReply("New<>USEND"));
        later.pieces.first().delayMs = 200;
        server.setDefaultScript(later);
        m.fill(QStringLiteral("Germany"));
        QTest::mouseClick(m.searchButton(), Qt::LeftButton);
        QVERIFY(!panel->isVisible());
        QCOMPARE(line->text(), QStringLiteral("Requesting Data..."));
        QTRY_COMPARE(line->text(), QStringLiteral("Results Loaded!"));
        QCOMPARE(m.list()->record(1), std::string("New<>US"));
    }
};

QTEST_MAIN(TestMainWindowSearch)
#include "tst_main_window_search.moc"
