#include "common/demo_server.h"
#include "platform/display_text.h"
#include "platform/file_io.h"
#include "platform/message_box.h"
#include "resultfile/result_format.h"
#include "results/result_list_view.h"
#include "search/search_exchange.h"
#include "search/search_reply.h"
#include "shell/frm_main.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace pellomar;
using namespace pellomar::test;

// The whole job against the demo directory server: a search from the form fills the list,
// the result file rests scrambled, and the next start shows the same rows again.
class TestE2eSearch : public QObject {
    Q_OBJECT

private:
    DemoServer m_server;
    QTemporaryDir m_dir;
    QList<MessageBox::Request> m_boxes;

    std::unique_ptr<frmMain> openWindow()
    {
        AppContext context;
        context.server = m_server.address();
        context.dataDir = m_dir.path();
        context.referenceDir = qEnvironmentVariable("PELLOMAR_BIN_DIR");
        auto table = [&](const char *file) {
            return readWholeFile(context.referenceDir + u'/' + QString::fromLatin1(file)).data;
        };
        auto window = std::make_unique<frmMain>(context,
            ParseCountries(asView(table("countries.txt"))).table,
            ParseLocationTypes(asView(table("locations.txt"))).table);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("main window not exposed");
        return window;
    }

    // Searches from the form as a user would and waits for the reply to be loaded.
    bool search(frmMain &window, const QString &country, const QString &city = {})
    {
        window.findChild<QComboBox *>(QStringLiteral("tCountry"))->setCurrentText(country);
        window.findChild<QLineEdit *>(QStringLiteral("tCity"))->setText(city);
        QSignalSpy stored(&window.searchExchange(), &SearchExchange::stored);
        QSignalSpy failed(&window.searchExchange(), &SearchExchange::failed);
        QTest::mouseClick(
            window.findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
        if (!QTest::qWaitFor([&] { return stored.count() + failed.count() > 0; }, 15000))
            return false;
        if (!failed.isEmpty())
            qWarning("search failed: %s", qPrintable(failed.at(0).at(0).toString()));
        return failed.isEmpty();
    }

    // The record lines the server holds for `path`, fetched without the program.
    QList<QByteArray> serverRecords(const QByteArray &path)
    {
        QTcpSocket socket;
        socket.connectToHost(QStringLiteral("127.0.0.1"), m_server.port());
        if (!socket.waitForConnected(5000))
            return {};
        socket.write("GET " + path + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
        QByteArray reply;
        while (socket.waitForReadyRead(5000))
            reply += socket.readAll();
        const SearchReply processed = ProcessReply(asView(reply));
        QList<QByteArray> records;
        for (const QByteArray &line : QByteArray::fromStdString(processed.body).split('\n')) {
            const QByteArray record = line.endsWith('\r') ? line.chopped(1) : line;
            if (!record.isEmpty() && record != "-")
                records << record;
        }
        return records;
    }

    static QList<QByteArray> rows(frmMain &window)
    {
        auto *list = window.findChild<ResultListView *>();
        QList<QByteArray> lines;
        for (int row = 1; list && row <= list->rowCount(); ++row)
            lines << QByteArray::fromStdString(list->record(row));
        return lines;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (!DemoServer::programExists())
            QSKIP("the demo directory server is not built (pellomar-directory)");
        QVERIFY2(m_server.start(), qPrintable(m_server.error()));
        QVERIFY(m_dir.isValid());
        MessageBox::setResponder([this](const MessageBox::Request &box) {
            m_boxes.append(box);
            return QMessageBox::Ok;
        });
    }

    void cleanupTestCase() { MessageBox::setResponder({}); }

    void init() { m_boxes.clear(); }

    void searchFillsTheListAndSurvivesARestart()
    {
        const QList<QByteArray> expected = serverRecords("/browse-app.php?country=JP");
        QVERIFY(expected.size() > 10);
        QVERIFY(expected.size() <= 300);
        {
            auto window = openWindow();
            QVERIFY(search(*window, QStringLiteral("Japan")));
            QCOMPARE(rows(*window), expected);
            QCOMPARE(window->findChild<QLabel *>(QStringLiteral("lblResults"))->text(),
                QStringLiteral("%1 Results").arg(expected.size()));
            QVERIFY(m_boxes.isEmpty());
        }

        // On disk the file is never plain text.
        const QByteArray onDisk = readWholeFile(m_dir.filePath(QStringLiteral("tmp.txt"))).data;
        QVERIFY(!onDisk.contains("<>"));
        QVERIFY(!onDisk.contains("\r\n"));
        QByteArray plain = QByteArray::fromStdString(Scrambled(asView(onDisk)));
        QCOMPARE(plain, expected.join("\r\n-\r\n") + "\r\n-\r\n\r\n");

        // The next start loads the previous search again, once the window is up.
        auto restarted = openWindow();
        QTRY_COMPARE_WITH_TIMEOUT(rows(*restarted), expected, 5000);
        QCOMPARE(readWholeFile(m_dir.filePath(QStringLiteral("tmp.txt"))).data, onDisk);
    }

    void encodedCityReachesTheServer_data()
    {
        QTest::addColumn<QString>("country");
        QTest::addColumn<QString>("city");
        QTest::addColumn<QByteArray>("path");
        QTest::newRow("non-ASCII") << QStringLiteral("Germany") << QStringLiteral("M\u00fcnchen")
                                   << QByteArray("/browse-app.php?country=DE&city=M%C3%BCnchen");
        QTest::newRow("space and non-ASCII")
            << QStringLiteral("Brazil") << QStringLiteral(" S\u00e3o Paulo ")
            << QByteArray("/browse-app.php?country=BR&city=S%C3%A3o%20Paulo");
    }

    void encodedCityReachesTheServer()
    {
        QFETCH(QString, country);
        QFETCH(QString, city);
        QFETCH(QByteArray, path);
        const QList<QByteArray> expected = serverRecords(path);
        QVERIFY2(!expected.isEmpty(), path.constData());
        auto window = openWindow();
        QVERIFY(search(*window, country, city));
        const QList<QByteArray> loaded = rows(*window);
        QCOMPARE(loaded, expected);
        for (const QByteArray &record : loaded)
            QVERIFY2(record.contains(toBytes(city.trimmed()).c_str()), record.constData());
    }

    void messageReplyShowsOnThePanel()
    {
        auto window = openWindow();
        QVERIFY(search(*window, QStringLiteral("Japan"), QStringLiteral("Nowhere at all")));
        auto *panel = window->findChild<QFrame *>(QStringLiteral("Picture3"));
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->pos(), QPoint(16, 184));
        const QString message = window->findChild<QLabel *>(QStringLiteral("lblMsg"))->text();
        QVERIFY2(message.contains(QStringLiteral("No hotspots")), qPrintable(message));
    }

    void largeReplyStopsAtTheLimit()
    {
        QVERIFY(serverRecords("/browse-app.php?country=US").size() > 300);
        auto window = openWindow();
        QVERIFY(search(*window, QStringLiteral("United States of America")));
        QCOMPARE(rows(*window).size(), 300);
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(m_boxes.at(0).title, QStringLiteral("Max Results"));
    }
};

QTEST_MAIN(TestE2eSearch)
#include "tst_e2e_search.moc"
