#include "common/scripted_server.h"
#include "platform/display_text.h"
#include "platform/file_io.h"
#include "platform/look.h"
#include "platform/message_box.h"
#include "resultfile/result_format.h"
#include "search/search_exchange.h"
#include "shell/download_caption.h"
#include "shell/frm_main.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace pellomar;
using namespace pellomar::test;

// The search as the user drives it from the main window: the form, the boxes, the status
// line and the message panel, against a scripted server on loopback.
class TestMainWindowSearch : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QList<MessageBox::Request> m_boxes;
    std::unique_ptr<ScriptedServer> m_server;
    std::unique_ptr<frmMain> m_window;
    QByteArray m_previous;

    template<typename T> T *control(const char *name)
    {
        T *found = m_window->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qWarning("no control %s", name);
        return found;
    }

    void fill(const QString &country, const QString &city = {}, const QString &zip = {},
        const QString &location = QStringLiteral("All"),
        const QString &access = QStringLiteral("All"))
    {
        control<QComboBox>("tCountry")->setCurrentText(country);
        control<QLineEdit>("tCity")->setText(city);
        control<QLineEdit>("tZip")->setText(zip);
        control<QComboBox>("tLocation")->setCurrentText(location);
        control<QComboBox>("tHotspot")->setCurrentText(access);
    }

    void click() { QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton); }

    QString status() { return control<QLabel>("lblStatus")->text(); }

    QByteArray resultFile() const
    {
        return readWholeFile(m_window->context().resultFilePath()).data;
    }

    static ReferenceTable table(const char *file, bool countries)
    {
        const FileRead read = readWholeFile(
            qEnvironmentVariable("PELLOMAR_BIN_DIR") + u'/' + QString::fromLatin1(file));
        return countries ? ParseCountries(asView(read.data)).table
                         : ParseLocationTypes(asView(read.data)).table;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        MessageBox::setResponder([this](const MessageBox::Request &box) {
            m_boxes.append(box);
            return QMessageBox::Ok;
        });
    }

    void cleanupTestCase() { MessageBox::setResponder({}); }

    void init()
    {
        m_boxes.clear();
        m_server = std::make_unique<ScriptedServer>();
        QVERIFY(m_server->listen());
        AppContext context;
        context.server = m_server->address();
        context.dataDir = m_dir.path();
        context.referenceDir = qEnvironmentVariable("PELLOMAR_BIN_DIR");
        m_previous = QByteArray::fromStdString(Scrambled("Old<>Record\r\n-\r\n\r\n"));
        QCOMPARE(writeFileAtomically(context.resultFilePath(), m_previous), QString());
        QFile previous(context.resultFilePath());
        QVERIFY(previous.open(QIODevice::ReadWrite)
            && previous.setFileTime(
                QDateTime(QDate(2001, 2, 3), QTime(4, 5)), QFileDevice::FileModificationTime));
        m_window = std::make_unique<frmMain>(
            context, table("countries.txt", true), table("locations.txt", false));
        m_window->searchExchange().connection().setIdleTimeout(400);
        m_window->searchExchange().connection().setOverallTimeout(1500);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        m_server.reset();
    }

    void sendsTheForm_data()
    {
        QTest::addColumn<QString>("country");
        QTest::addColumn<QString>("city");
        QTest::addColumn<QString>("zip");
        QTest::addColumn<QString>("location");
        QTest::addColumn<QString>("access");
        QTest::addColumn<QByteArray>("path");

        QTest::newRow("designed start values")
            << QStringLiteral("United States of America") << QString() << QString()
            << QStringLiteral("All") << QStringLiteral("All")
            << QByteArray("/browse-app.php?country=US");
        QTest::newRow("every field")
            << QStringLiteral(" germany ") << QStringLiteral(" a&b=c ") << QStringLiteral("10115")
            << QStringLiteral("Hotel") << QStringLiteral("free (with registration)")
            << QByteArray("/browse-app.php?country=DE&city=a%26b%3Dc"
                          "&zipcode=10115&loctype=HOTEL&type=2");
        QTest::newRow("non-ASCII city")
            << QStringLiteral("France") << QStringLiteral("Orl\u00e9ans") << QString()
            << QStringLiteral("All") << QStringLiteral("free")
            << QByteArray("/browse-app.php?country=FR&city=Orl%C3%A9ans"
                          "&type=1");
    }

    void sendsTheForm()
    {
        QFETCH(QString, country);
        QFETCH(QString, city);
        QFETCH(QString, zip);
        QFETCH(QString, location);
        QFETCH(QString, access);
        QFETCH(QByteArray, path);
        m_server->setDefaultScript(Script::reply(Script::httpReply("a<>bEND")));
        QSignalSpy stored(&m_window->searchExchange(), &SearchExchange::stored);
        fill(country, city, zip, location, access);
        const QString clickedAt = downloadedCaption(QDateTime::currentDateTime());
        click();
        QTRY_COMPARE(stored.count(), 1);
        // The time of the rows on screen, not of the file they replaced.
        QVERIFY2(m_window->downloadedCaption() == clickedAt
                || m_window->downloadedCaption() == downloadedCaption(QDateTime::currentDateTime()),
            qPrintable(m_window->downloadedCaption()));
        QCOMPARE(m_server->request(0),
            "GET " + path + " HTTP/1.0\r\nHost: "
                + toBytes(m_server->address().hostHeader()).c_str() + "\r\n\r\n");
        QVERIFY(m_boxes.isEmpty());
        QCOMPARE(Scrambled(asView(resultFile())), std::string("a<>b\r\n-\r\n\r\n"));
    }

    void noCountry_data()
    {
        QTest::addColumn<QString>("country");
        QTest::newRow("empty") << QString();
        QTest::newRow("spaces") << QStringLiteral("   ");
        QTest::newRow("All") << QStringLiteral("All");
        QTest::newRow("ALL with spaces") << QStringLiteral(" ALL ");
    }

    void noCountry()
    {
        QFETCH(QString, country);
        const QString before = status();
        fill(country, QStringLiteral("Berlin"));
        click();
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(m_boxes.at(0).icon, QMessageBox::Critical);
        QCOMPARE(m_boxes.at(0).title, QStringLiteral("Error"));
        QCOMPARE(m_boxes.at(0).text,
            QStringLiteral("You have not selected a valid country!\r\n\r\n"
                           "Please make a select from the country list."));
        QCOMPARE(m_boxes.at(0).buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QTest::qWait(100);
        QCOMPARE(m_server->connectionCount(), 0);
        QCOMPARE(status(), before);
    }

    void unknownNamesCancelTheSearch_data()
    {
        QTest::addColumn<QString>("country");
        QTest::addColumn<QString>("location");
        QTest::addColumn<QString>("box");
        QTest::newRow("country") << QStringLiteral("Atlantis") << QStringLiteral("Nowhere")
                                 << QStringLiteral("Invalid Country");
        QTest::newRow("location type") << QStringLiteral("Germany") << QStringLiteral("Nowhere")
                                       << QStringLiteral("Invalid Location Type");
    }

    void unknownNamesCancelTheSearch()
    {
        QFETCH(QString, country);
        QFETCH(QString, location);
        QFETCH(QString, box);
        fill(country, QString(), QString(), location);
        click();
        QCOMPARE(m_boxes.size(), 1);
        QVERIFY2(m_boxes.at(0).text.startsWith(box), qPrintable(m_boxes.at(0).text));
        QTest::qWait(100);
        QCOMPARE(m_server->connectionCount(), 0);
        QCOMPARE(resultFile(), m_previous);
    }

    void messageReplyShowsPanel()
    {
        m_server->setDefaultScript(
            Script::reply(Script::httpReply("  No hotspots match your search.  ")));
        auto *panel = control<QFrame>("Picture3");
        fill(QStringLiteral("Germany"), QStringLiteral("Nowhere"));
        click();
        QTRY_VERIFY(panel->isVisible());
        QCOMPARE(panel->pos(), QPoint(16, 184));
        QCOMPARE(panel->pos(), QPoint(twips(240), twips(2760)));
        QCOMPARE(
            control<QLabel>("lblMsg")->text(), QStringLiteral("No hotspots match your search."));
        // The search form stays reachable with the mouse.
        auto *button = control<QPushButton>("Command1");
        const QRect buttonPlace(button->mapTo(m_window.get(), QPoint()), button->size());
        const QRect panelPlace(panel->mapTo(m_window.get(), QPoint()), panel->size());
        QVERIFY(!buttonPlace.intersects(panelPlace));
        for (const char *name : { "tCountry", "tCity", "tZip", "tLocation", "tHotspot" }) {
            auto *field = control<QWidget>(name);
            QVERIFY(!QRect(field->mapTo(m_window.get(), QPoint()), field->size())
                         .intersects(panelPlace));
        }
        QCOMPARE(button->isEnabled(), true);

        // The next search hides the panel at once, and a list of records keeps it hidden.
        Script records = Script::reply(Script::httpReply("a<>b<>cEND"));
        records.pieces.first().delayMs = 200;
        m_server->setDefaultScript(records);
        QSignalSpy stored(&m_window->searchExchange(), &SearchExchange::stored);
        click();
        QVERIFY(!panel->isVisible());
        // A server on this machine accepts at once: the request is out before the click returns.
        QCOMPARE(status(), QStringLiteral("Requesting Data..."));
        QTRY_COMPARE(stored.count(), 1);
        QVERIFY(!panel->isVisible());
    }

    void messageTextIsPlain()
    {
        m_server->setDefaultScript(Script::reply(Script::httpReply("<b>bold</b> & more")));
        fill(QStringLiteral("Germany"));
        click();
        auto *label = control<QLabel>("lblMsg");
        QTRY_VERIFY(control<QFrame>("Picture3")->isVisible());
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->text(), QStringLiteral("<b>bold</b> & more"));
    }

    void failuresKeepEverything_data()
    {
        QTest::addColumn<Script>("script");
        QTest::addColumn<QString>("reason");
        QTest::newRow("not found") << Script::reply(Script::httpReply("x", "404 Not Found"))
                                   << QStringLiteral("404 Not Found");
        QTest::newRow("never closes") << Script::reply(Script::httpReply("aEND"), Ending::StayOpen)
                                      << QStringLiteral("No answer");
        QTest::newRow("no separator") << Script::reply("garbage") << QStringLiteral("never end");
        // Never silent for long, never done: only the limit on the whole exchange ends it.
        QTest::newRow("trickle") << Script::inPieces(Script::httpReply(QByteArray(40, 'x')), 1, 150)
                                 << QStringLiteral("did not finish its answer within 1.5 seconds");
        QTest::newRow("chunked") << Script::reply("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked"
                                                  "\r\n\r\nc\r\nChunk OneEND\r\n0\r\n\r\n")
                                 << QStringLiteral("transfer coding");
        // Server text is shown as it stands, never as markup.
        QTest::newRow("markup") << Script::reply(Script::httpReply("x", "404 <b>Not</b> Found"))
                                << QStringLiteral("\"404 <b>Not</b> Found\"");
    }

    void failuresKeepEverything()
    {
        QFETCH(Script, script);
        QFETCH(QString, reason);
        m_server->setDefaultScript(script);
        fill(QStringLiteral("Germany"));
        click();
        QCOMPARE(status(), QStringLiteral("Requesting Data..."));
        QTRY_VERIFY2(status().contains(reason), qPrintable(status()));
        auto *line = control<QLabel>("lblStatus");
        QCOMPARE(line->textFormat(), Qt::PlainText);
        QVERIFY(line->sizeHint().width() >= line->fontMetrics().horizontalAdvance(reason));
        QVERIFY(control<QPushButton>("Command1")->isEnabled());
        QVERIFY(!control<QFrame>("Picture3")->isVisible());
        QCOMPARE(resultFile(), m_previous);
    }

    void refusedConnection()
    {
        const quint16 closed = ScriptedServer::unusedPort();
        AppContext context = m_window->context();
        context.server.port = closed;
        frmMain window(context, table("countries.txt", true), table("locations.txt", false));
        auto *country = window.findChild<QComboBox *>(QStringLiteral("tCountry"));
        country->setCurrentText(QStringLiteral("Germany"));
        window.Command1_Click();
        auto *line = window.findChild<QLabel *>(QStringLiteral("lblStatus"));
        QTRY_VERIFY2(line->text().contains(QStringLiteral("refused")), qPrintable(line->text()));
        QCOMPARE(resultFile(), m_previous);
    }

    void twoQuickSearches()
    {
        Script slow = Script::reply(Script::httpReply("First<>1END"));
        slow.pieces.first().delayMs = 300;
        m_server->enqueue(slow);
        m_server->enqueue(Script::reply(Script::httpReply("Second<>2END")));
        fill(QStringLiteral("Germany"), QStringLiteral("One"));
        click();
        QVERIFY(m_server->waitForConnections(1));
        QSignalSpy stored(&m_window->searchExchange(), &SearchExchange::stored);
        fill(QStringLiteral("Germany"), QStringLiteral("Two"));
        click();
        QTRY_COMPARE(stored.count(), 1);
        QTest::qWait(500);
        QCOMPARE(stored.count(), 1);
        QCOMPARE(Scrambled(asView(resultFile())), std::string("Second<>2\r\n-\r\n\r\n"));
        QVERIFY(m_server->request(1).contains("city=Two"));
    }
};

QTEST_MAIN(TestMainWindowSearch)
#include "tst_main_window_search.moc"
