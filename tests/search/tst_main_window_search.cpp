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

    const std::string m_previous = "Old Cafe<>US<>Springfield\r\n-\r\nOld Library<>US\r\n-\r\n\r\n";
    const QDateTime m_previousTime { QDate(2001, 2, 3), QTime(4, 5) };
    std::unique_ptr<ScriptedServer> m_server;
    std::unique_ptr<MainWindowHarness> m;
    KeptFiles m_kept;

private Q_SLOTS:
    void init()
    {
        m_server = std::make_unique<ScriptedServer>();
        QVERIFY(m_server->listen());
        m = std::make_unique<MainWindowHarness>(m_server->address(), &m_previous, m_previousTime);
        m->window().searchExchange().connection().setIdleTimeout(400);
        const QString saved = m->dataDir() + QStringLiteral("/saved.txt");
        QVERIFY(putFile(saved, "Hotspot Name: Old Cafe\r\n"));
        m_kept = {};
        m_kept.keep(m->context().resultFilePath());
        m_kept.keep(saved);
        QCOMPARE(m->list()->rowCount(), 2);
    }
    void cleanup()
    {
        m.reset();
        m_server.reset();
    }

    void sendsTheForm_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QByteArray>("path");
        QTest::newRow("designed start values")
            << QStringList { QStringLiteral("United States of America"), {}, {},
                   QStringLiteral("All"), QStringLiteral("All") }
            << QByteArray("/browse-app.php?country=US");
        QTest::newRow("every field")
            << QStringList { QStringLiteral(" germany "), QStringLiteral("Orl\u00e9ans"),
                   QStringLiteral("10115"), QStringLiteral("Hotel"),
                   QStringLiteral("free (with registration)") }
            << QByteArray("/browse-app.php?country=DE&city=Orl%C3%A9ans&zipcode=10115"
                          "&loctype=HOTEL&type=2");
    }
    void sendsTheForm()
    {
        QFETCH(QStringList, fields);
        QFETCH(QByteArray, path);
        m_server->setDefaultScript(Script::reply(Script::httpReply("a<>bEND")));
        m->fill(fields[0], fields[1], fields[2], fields[3], fields[4]);
        const QString clickedAt = downloadedCaption(QDateTime::currentDateTime());
        QVERIFY(m->search());
        QCOMPARE(m_server->request(0),
            "GET " + path + " HTTP/1.0\r\nHost: " + m->context().server.hostHeader().toLatin1()
                + "\r\n\r\n");
        QCOMPARE(m->resultText(), QByteArray("a<>b\r\n-\r\n\r\n"));
        QCOMPARE(m->status(), QStringLiteral("Results Loaded!"));
        QCOMPARE(m->list()->rowCount(), 1);
        // The time of the rows on screen, not of the file they replaced.
        const QString caption = m->window().downloadedCaption();
        QVERIFY2(caption == clickedAt || caption == downloadedCaption(QDateTime::currentDateTime()),
            qPrintable(caption));
        QVERIFY(m->boxes().boxes.isEmpty());
    }

    void formStops_data()
    {
        QTest::addColumn<QString>("country");
        QTest::addColumn<QString>("locationType");
        QTest::addColumn<QString>("box");
        QTest::newRow("no country")
            << QStringLiteral("  ") << QStringLiteral("All")
            << QStringLiteral("You have not selected a valid country!\r\n\r\n"
                              "Please make a select from the country list.");
        QTest::newRow("'All' is no country")
            << QStringLiteral(" ALL ") << QStringLiteral("All")
            << QStringLiteral("You have not selected a valid country!");
        QTest::newRow("unknown country")
            << QStringLiteral("Atlantis") << QStringLiteral("Nowhere")
            << QStringLiteral("Invalid Country. Please reselect from the list options.");
        QTest::newRow("unknown location type")
            << QStringLiteral("Germany") << QStringLiteral("Nowhere")
            << QStringLiteral("Invalid Location Type. Please reselect from the list options.");
    }
    void formStops()
    {
        QFETCH(QString, country);
        QFETCH(QString, locationType);
        QFETCH(QString, box);
        const QString before = m->status();
        m->fill(country, QStringLiteral("Berlin"), {}, locationType);
        QTest::mouseClick(m->searchButton(), Qt::LeftButton);
        const QList<MessageBox::Request> &boxes = m->boxes().boxes;
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes[0].text.startsWith(box), qPrintable(boxes[0].text));
        QCOMPARE(boxes[0].icon, QMessageBox::Critical);
        QCOMPARE(boxes[0].title, QStringLiteral("Error"));
        QTest::qWait(100);
        QCOMPARE(m_server->connectionCount(), 0);
        QCOMPARE(m->status(), before);
        QCOMPARE(m_kept.changed(), QString());
    }

    // A reply that is a message shows on the panel over the list, as plain text and byte for
    // byte (Latin-1 when it is no UTF-8); the next search hides the panel at once.
    void messageShowsOnThePanel()
    {
        const QByteArray message("<b>No</b> \xC3\x28 hotspots\0 here", 27);
        m_server->setDefaultScript(Script::reply(Script::httpReply(message)));
        m->fill(QStringLiteral("Germany"));
        QVERIFY(m->search());
        auto *panel = m->control<QFrame>(QStringLiteral("Picture3"));
        auto *text = m->control<QLabel>(QStringLiteral("lblMsg"));
        QVERIFY(panel->isVisible());
        QCOMPARE(text->text(), QString::fromLatin1(message));
        QCOMPARE(text->textFormat(), Qt::PlainText);
        // Clear of the search form, so a new search stays possible.
        const QRect panelPlace(panel->mapTo(&m->window(), QPoint()), panel->size());
        for (const char *name :
            { "Command1", "tCountry", "tCity", "tZip", "tLocation", "tHotspot" }) {
            auto *field = m->control<QWidget>(QString::fromLatin1(name));
            QVERIFY(
                !QRect(field->mapTo(&m->window(), QPoint()), field->size()).intersects(panelPlace));
        }
        Script records = Script::reply(Script::httpReply("Caf\xe9<>x<>\xff\xfe" "END"));
        records.pieces.first().delayMs = 200;
        m_server->setDefaultScript(records);
        QTest::mouseClick(m->searchButton(), Qt::LeftButton);
        QVERIFY(!panel->isVisible());
        // A server on this machine accepts at once: the request is out before the click returns.
        QCOMPARE(m->status(), QStringLiteral("Requesting Data..."));
        QTRY_COMPARE(m->status(), QStringLiteral("Results Loaded!"));
        QVERIFY(!panel->isVisible());
        QCOMPARE(m->list()->record(1), std::string("Caf\xe9<>x<>\xff\xfe"));
    }

    // Whatever went wrong (every way is in the exchange's own table), the status line says it
    // as plain text, and the list, its caption, the result file and a saved file stay as they
    // were; the next search works.
    void failureKeepsEverything()
    {
        const QString reason = QStringLiteral("\"404 <b>Not</b> Found\"");
        m_server->setDefaultScript(Script::reply(Script::httpReply("x", "404 <b>Not</b> Found")));
        m->fill(QStringLiteral("Germany"));
        QVERIFY(!m->search());
        QVERIFY2(m->status().contains(reason), qPrintable(m->status()));
        auto *line = m->control<QLabel>(QStringLiteral("lblStatus"));
        QCOMPARE(line->textFormat(), Qt::PlainText);
        QVERIFY(line->sizeHint().width() >= line->fontMetrics().horizontalAdvance(reason));
        QVERIFY(m->searchButton()->isEnabled());
        QVERIFY(!m->control<QFrame>(QStringLiteral("Picture3"))->isVisible());
        QCOMPARE(m->list()->rowCount(), 2);
        QCOMPARE(m->window().downloadedCaption(), downloadedCaption(m_previousTime));
        QCOMPARE(m_kept.changed(), QString());
        QVERIFY(m->boxes().boxes.isEmpty());

        m_server->setDefaultScript(Script::reply(Script::httpReply("New<>USEND")));
        QVERIFY(m->search());
        QCOMPARE(m->list()->rowCount(), 1);
    }
};

QTEST_MAIN(TestMainWindowSearch)
#include "tst_main_window_search.moc"
