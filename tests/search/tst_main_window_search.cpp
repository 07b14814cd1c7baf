// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/harness.h"
#include "common/scripted_server.h"
#include "results/result_list_view.h"
#include "search/search_exchange.h"
#include "shell/download_caption.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSemaphore>
#include <QTest>

using namespace pellomar;
using namespace pellomar::test;
using namespace Qt::StringLiterals;

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
        const auto row
            = [](const char *name, const QString &fields, const QByteArray &reply,
                  const QByteArray &request, const char *outcome, const QByteArray &message = {}) {
                  QTest::newRow(name) << fields.split(u'|') << reply << request
                                      << QString::fromLatin1(outcome) << message;
              };
        row("every field", u" germany |Orl\u00e9ans|10115|Hotel|free (with registration)"_s,
            Script::httpReply("a<>bEND"),
            "/browse-app.php?country=DE&city=Orl%C3%A9ans&zipcode=10115&loctype=HOTEL&type=2",
            "Results Loaded!");
        row("no country", u" ALL |||All|All"_s, {}, {},
            "You have not selected a valid country!\r\n\r\nPlease make a select from the country "
            "list.");
        row("unknown country", u"Atlantis|||Nowhere|All"_s, {}, {},
            "Invalid Country. Please reselect from the list options.");
        row("unknown location type", u"Germany|||Nowhere|All"_s, {}, {},
            "Invalid Location Type. Please reselect from the list options.");
        // A message shows as it stands: plain text, byte for byte (Latin-1 when it is no UTF-8).
        const QByteArray message("&lt;b&gt;No&lt;/b&gt; \xC3\x28 hotspots\0 here", 39);
        row("a message", u"Germany|||All|All"_s, Script::httpReply(message),
            "/browse-app.php?country=DE", "Results Loaded!", message);
        // Every way a search fails is in the exchange's own table; here, that nothing is lost.
        row("a failure", u"Germany|||All|All"_s, Script::httpReply("x", "404 <b>Not</b> Found"),
            "/browse-app.php?country=DE", "The directory server answered \"404 <b>Not</b> Found\"");
        row("a captive portal's page", u"Germany|||All|All"_s,
            Script::httpReply("<html><body>Sign in</body></html>"), "/browse-app.php?country=DE",
            "The reply was not a hotspot directory's: the network may need a sign-in in the "
            "browser first");
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
        const QString saved = m.dataDir() + u"/saved.txt"_s;
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
        // The request's bytes are the exchange's own test; here, the path the form asks for.
        QCOMPARE(server.request(0).split(' ').value(1), request);
        QStringList boxes; // title, icon, text
        for (const MessageBox::Request &box : m.boxes().boxes)
            boxes << box.title + u'|' + QString::number(box.icon) + u'|' + box.text;
        QCOMPARE(boxes, searched ? QStringList() : QStringList { u"Error|3|"_s + outcome });
        auto *line = m.control<QLabel>(u"lblStatus"_s);
        QCOMPARE(line->text(), searched ? outcome : u"Results Loaded!"_s);
        QCOMPARE(line->textFormat(), Qt::PlainText);
        auto *panel = m.control<QFrame>(u"Picture3"_s);
        auto *text = m.control<QLabel>(u"lblMsg"_s);
        QCOMPARE(panel->isVisible(), !message.isEmpty());
        QCOMPARE(text->text(), message.isEmpty() ? QString() : QString::fromLatin1(message));
        QCOMPARE(text->textFormat(), Qt::PlainText);
        // The rows on screen, with their time; the previous files stay unless a reply replaced
        // the result file.
        const bool replaced = outcome == u"Results Loaded!"_s;
        QCOMPARE(m.list()->rowCount(), replaced ? 1 : 2);
        const QString caption = m.window().downloadedCaption();
        QVERIFY2(replaced
                ? caption == clickedAt || caption == downloadedCaption(QDateTime::currentDateTime())
                : caption == downloadedCaption(stored),
            qPrintable(caption));
        QCOMPARE(kept.changed(), replaced ? m.context().resultFilePath() : QString());

        // The next search hides the panel at once; a server on this machine accepts at once,
        // so the request is out before the click returns. Its rows show before the result file
        // is written (the writer is held here), with the time they arrived.
        Script later = Script::reply(Script::httpReply("New<>USEND"));
        later.pieces.first().delayMs = 200;
        server.setDefaultScript(later);
        m.fill(u"Germany"_s);
        QSemaphore writing;
        m.window().searchExchange().writer().start([&writing] { writing.acquire(); });
        QTest::mouseClick(m.searchButton(), Qt::LeftButton);
        QVERIFY(!panel->isVisible());
        QCOMPARE(line->text(), u"Requesting Data..."_s);
        const QString askedAt = downloadedCaption(QDateTime::currentDateTime());
        const bool shown = QTest::qWaitFor([&m] { return m.list()->record(1) == "New<>US"; }, 5000);
        const QString shownAt = m.window().downloadedCaption();
        writing.release();
        QVERIFY(shown);
        QVERIFY2(shownAt == askedAt || shownAt == downloadedCaption(QDateTime::currentDateTime()),
            qPrintable(shownAt));
        QTRY_COMPARE(line->text(), u"Results Loaded!"_s);
    }
};

QTEST_MAIN(TestMainWindowSearch)
#include "tst_main_window_search.moc"
