// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/harness.h"
#include "common/scripted_server.h"
#include "details/frm_info.h"
#include "details/test_pictures.h"
#include "map/map_canvas.h"
#include "map/map_window.h"
#include "map/tile_loader.h"
#include "platform/app_context.h"
#include "platform/browser.h"
#include "platform/display_text.h"

#include <QAction>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QNetworkDiskCache>
#include <QNetworkReply>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <algorithm>
#include <memory>
#include <sys/stat.h>

using namespace pellomar;
using namespace pellomar::test;
using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray tile()
{
    return imageBytes(256, 256, "PNG");
}

QByteArray tileReply(const QByteArray &body, const QByteArray &caching = "max-age=86400")
{
    return "HTTP/1.0 200 OK\r\nContent-Type: image/png\r\nCache-Control: " + caching
        + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

QString tileCacheFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + u"/tiles"_s;
}

QString settingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + u"/%1/%1.conf"_s.arg(QCoreApplication::applicationName());
}

const QList<MapHotspot> Hotspots { { 3, u"<b>Café</b> Lumen"_s, "52.52", "13.405", Qt::white },
    { 5, u"Nowhere"_s, "0", "0", Qt::gray }, { 7, u"Potsdam"_s, " 52.39", "+13.065", Qt::gray } };

// The request line's target of every request the server got.
QStringList targets(const ScriptedServer &server)
{
    QStringList list;
    for (int i = 0; i < server.connectionCount(); ++i)
        list << QString::fromLatin1(server.request(i).split(' ').value(1));
    return list;
}

} // namespace

class TestMapWindow : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    ScriptedServer m_server;
    QStringList m_opened;

    // The map over the scripted server's tiles (or `port`'s), its view 512 x 384 pixels.
    std::unique_ptr<MapWindow> open(
        const QList<MapHotspot> &hotspots, quint16 port = 0, int timeoutMs = 500)
    {
        const QString origin = u"http://127.0.0.1:%1"_s.arg(port ? port : m_server.port());
        auto window = std::make_unique<MapWindow>(TileSource::demoDirectory(origin));
        window->findChild<TileLoader *>()->setTransferTimeout(timeoutMs);
        window->findChild<MapCanvas *>()->setFixedSize(512, 384);
        window->setHotspots(hotspots);
        window->show();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(window.get())); }();
        return window;
    }

private Q_SLOTS:
    // A click on a marker or a row opens a detail window of its own, owned by no one.
    void cleanup()
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (qobject_cast<frmInfo *>(window))
                delete window;
        }
    }

    void initTestCase()
    {
        QVERIFY(m_home.isValid() && m_server.listen());
        qputenv("HOME", m_home.path().toLocal8Bit());
        QStandardPaths::setTestModeEnabled(true);
        setBrowserOpener([this](const QString &url) { m_opened << url; });
    }

    void visibleTilesOnlyFourAtOnceThenFromTheDiskCache()
    {
        Script slow = Script::reply(tileReply(tile()));
        slow.pieces.first().delayMs = 300;
        m_server.setDefaultScript(slow);
        auto window = open({ Hotspots.first() });
        QVERIFY(m_server.waitForConnections(4));
        QTest::qWait(150);
        QCOMPARE(m_server.connectionCount(), 4);
        QVERIFY(m_server.waitForConnections(9));
        QTest::qWait(400);
        QStringList paths = targets(m_server);
        paths.sort();
        QStringList expected;
        for (int y = 42984; y <= 42986; ++y)
            for (int x = 70415; x <= 70417; ++x)
                expected << u"/tiles/17/%1/%2.png"_s.arg(x).arg(y);
        expected.sort();
        QCOMPARE(paths, expected);
        const QRegularExpression agent(u"\r\nUser-Agent: Pellomar/\\d+\\.\\d+\\.\\d+\r\n"_s);
        QVERIFY(agent.match(QString::fromLatin1(m_server.request(8))).hasMatch());

        window = open({ Hotspots.first() });
        QTRY_COMPARE(window->findChild<TileLoader *>()->heldBytes(), 9 * 256 * 1024);
        QCOMPARE(m_server.connectionCount(), 9);
    }

    // However large the view, the decoded tiles stay within their bound: only the tiles that
    // fit in it are asked for.
    void decodedTilesStayWithinTheirBound()
    {
        TileLoader loader(TileSource::demoDirectory(u"http://127.0.0.1:%1"_s.arg(m_server.port())));
        m_server.setDefaultScript(Script::reply(tileReply(tile(), "no-store")));
        const int before = m_server.connectionCount();
        QList<TileIndex> view;
        for (int i = 0; i < 300; ++i)
            view.append({ 17, 1000 + i % 20, 2000 + i / 20 });
        loader.setWanted(view);
        QTRY_COMPARE_WITH_TIMEOUT(loader.heldBytes(), TileLoader::MaxTileBytes, 20'000);
        QTest::qWait(300);
        QCOMPARE(m_server.connectionCount() - before, 256);
    }

    void tilesScrolledAwayAreCancelled()
    {
        ScriptedServer silent;
        QVERIFY(silent.listen());
        silent.setDefaultScript(Script::reply({}, Ending::StayOpen));
        auto window = open({ Hotspots.first() }, silent.port(), 60'000);
        QVERIFY(silent.waitForConnections(4));
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(window->findChild<MapCanvas *>(), Qt::Key_Minus);
        // Only once the first four are cancelled can the centre of the new view be asked for.
        QTRY_VERIFY(targets(silent).contains(u"/tiles/12/2200/1343.png"_s));
    }

    void failures_data()
    {
        QTest::addColumn<Script>("script"); // none: the connection is refused
        QTest::addColumn<QString>("reason");
        const auto row = [](const char *name, const QByteArray &reply, const QString &reason,
                             Ending ending = Ending::Close) {
            QTest::newRow(name) << (reply.isNull() ? Script() : Script::reply(reply, ending))
                                << reason;
        };
        const QString notATile = u"a tile was not a PNG picture of 256 or 512 pixels"_s;
        const QString tooLarge = u"a tile was larger than 4 MB"_s;
        const auto mono = [](int n) { return imageBytes(n, n, "PNG", QImage::Format_Mono); };
        row("refused", {}, u"the tile server refused the connection"_s);
        row("404", Script::httpReply("Not found", "404 Not Found"),
            u"the tile server answered 404 Not Found"_s);
        row("reason of 6,000 characters", Script::httpReply("x", "500 " + QByteArray(6000, 'x')),
            u"the tile server answered 500 "_s + QString(99, u'x') + u'…');
        row("not a picture", tileReply("<html>tile</html>"), notATile);
        // Too large for the decoded-tile bound, from the server and from the disk cache.
        row("4,200 pixels, not to be kept", tileReply(mono(4200), "no-store"), notATile);
        row("2,048 pixels", tileReply(mono(2048)), notATile);
        row("an icon holding a tile", tileReply(icoHolding(tile(), 0)), notATile);
        row("silence", "", u"the tile server did not answer in time"_s, Ending::StayOpen);
        row("5 MB, no length", "HTTP/1.0 200 OK\r\n\r\n" + QByteArray(5 << 20, 'x'), tooLarge);
        row("5 GB announced", "HTTP/1.0 200 OK\r\nContent-Length: 5000000000\r\n\r\n", tooLarge,
            Ending::StayOpen);
    }

    // Whatever the tiles do, each is asked for once, nothing of them is kept, the window keeps
    // its size, and the markers are there and answer.
    void failures()
    {
        QFETCH(Script, script);
        QFETCH(QString, reason);
        ScriptedServer server;
        QVERIFY(server.listen());
        server.setDefaultScript(script);
        const quint16 port = script.pieces.isEmpty() ? ScriptedServer::unusedPort() : server.port();
        auto window = open(Hotspots, port);
        const int width = window->width();
        auto *loader = window->findChild<TileLoader *>();
        QSignalSpy failed(loader, &TileLoader::tileFailed);
        QSignalSpy arrived(loader, &TileLoader::tileArrived);
        auto *problem = window->findChild<QLabel *>(u"lblTileProblem"_s);
        QTRY_COMPARE(problem->text(), u"The map tiles are unavailable: %1."_s.arg(reason));
        QVERIFY(problem->isVisible());
        QCOMPARE(window->width(), width);
        // A failed tile waits before it is asked for again: the view's 9 tiles at most, and
        // nothing of them stays in the disk cache.
        QTest::qWait(1000);
        QVERIFY(server.connectionCount() <= 9 && failed.size() + arrived.size() <= 9);
        auto *cache = loader->findChild<QNetworkDiskCache *>();
        for (const QString &target : targets(server))
            QVERIFY(!cache->metaData(QUrl(u"http://127.0.0.1:%1"_s.arg(port) + target)).isValid());

        auto *canvas = window->findChild<MapCanvas *>();
        QVERIFY(!canvas->markerPosition(5));
        const auto at = canvas->markerPosition(7);
        QVERIFY(at);
        QSignalSpy activated(window.get(), &MapWindow::hotspotActivated);
        QSignalSpy picked(window.get(), &MapWindow::currentRowChanged);
        // Through the window, as a user's click comes.
        QTest::mouseClick(
            window->windowHandle(), Qt::LeftButton, {}, canvas->mapTo(window.get(), *at));
        QCOMPARE(activated, QList<QVariantList> { { 7 } });
        QCOMPARE(picked, QList<QVariantList> { { 7 } });
        QHelpEvent help(QEvent::ToolTip, *canvas->markerPosition(3), canvas->mapToGlobal(*at));
        QApplication::sendEvent(canvas, &help);
        // The name as it stands, its markup escaped: never a bold "Café".
        QVERIFY2(QToolTip::text().contains(u"&lt;b&gt;Café&lt;/b&gt; Lumen"_s)
                && !QToolTip::text().contains(u"<b>"_s),
            qPrintable(QToolTip::text()));
    }

    void keyboardMouseAndTheListFollowEachOther()
    {
        m_server.setDefaultScript(Script::reply(tileReply(tile())));
        auto window = open(Hotspots);
        auto *canvas = window->findChild<MapCanvas *>();
        QSignalSpy picked(window.get(), &MapWindow::currentRowChanged);
        QSignalSpy activated(window.get(), &MapWindow::hotspotActivated);
        window->setCurrentRow(7);
        QCOMPARE(canvas->currentRow(), 7);
        canvas->setFocus(Qt::TabFocusReason);
        QTest::keyClick(canvas, Qt::Key_Backtab);
        QTest::keyClick(canvas, Qt::Key_Return);
        QCOMPARE(picked, QList<QVariantList> { { 3 } });
        QCOMPARE(activated, QList<QVariantList> { { 3 } });

        // The wheel zooms about the pointer: the marker under it stays there.
        const int zoom = canvas->zoom();
        QPoint potsdam = *canvas->markerPosition(7);
        QWheelEvent wheel(potsdam, canvas->mapToGlobal(potsdam), {}, { 0, 120 }, Qt::NoButton, {},
            Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas, &wheel);
        QCOMPARE(canvas->zoom(), zoom + 1);
        QVERIFY((*canvas->markerPosition(7) - potsdam).manhattanLength() <= 1);
        potsdam = *canvas->markerPosition(7);
        // Dragging from a marker pans the map and opens nothing.
        QTest::mousePress(canvas, Qt::LeftButton, {}, potsdam);
        QTest::mouseMove(canvas, potsdam + QPoint(30, 20));
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, potsdam + QPoint(30, 20));
        QCOMPARE(*canvas->markerPosition(7), potsdam + QPoint(30, 20));
        QTest::keyClick(canvas, Qt::Key_Right);
        QCOMPARE(*canvas->markerPosition(7), potsdam + QPoint(30 - 128, 20));
        window->findChild<QPushButton *>(u"cmdFit"_s)->click();
        QCOMPARE(canvas->zoom(), zoom);
        QCOMPARE(activated.size(), 1);

        // A new list with no position at all: the window says so instead of showing a map, and
        // asks for no tile.
        window->setHotspots({ Hotspots[1], { 9, u"Far north"_s, "90.5", "1", Qt::white } });
        QCOMPARE(window->findChild<QLabel *>(u"lblNoPosition"_s)->text(),
            u"2 hotspots have no position"_s);
        QVERIFY(!canvas->markerPosition(3) && !canvas->markerPosition(9));
        QTest::qWait(200);
        const int requests = m_server.connectionCount();
        QTest::keyClick(canvas, Qt::Key_Plus);
        QTest::qWait(200);
        QCOMPARE(m_server.connectionCount(), requests);
    }

    // Berlin's two cafés 11 m apart make one cluster until a click zooms in far enough; two
    // hotspots at one place stay one until the deepest zoom, and are then picked from a list.
    void clusters()
    {
        m_server.setDefaultScript(Script::reply(tileReply(tile())));
        QList<MapHotspot> hotspots = Hotspots;
        hotspots[1] = { 4, u"Next door"_s, "52.5201", "13.4051", Qt::gray };
        auto window = open(hotspots);
        auto *canvas = window->findChild<MapCanvas *>();
        QSignalSpy activated(window.get(), &MapWindow::hotspotActivated);
        const int zoom = canvas->zoom();
        QCOMPARE(canvas->clusterOf(4), (QList<int> { 3, 4 }));
        QCOMPARE(canvas->clusterOf(7), QList<int> { 7 });
        // The framed marker is drawn apart, on top: a click on it opens it alone.
        window->frameRow(4);
        QCOMPARE(canvas->clusterOf(3), QList<int> { 3 });
        QTest::mouseClick(canvas, Qt::LeftButton, {}, *canvas->markerPosition(4));
        QCOMPARE(activated, QList<QVariantList> { { 4 } });
        QCOMPARE(canvas->zoom(), zoom);

        window->frameRow(7);
        QTest::mouseClick(canvas, Qt::LeftButton, {}, *canvas->markerPosition(3));
        QVERIFY(canvas->zoom() > zoom + 5);
        QCOMPARE(canvas->clusterOf(3), QList<int> { 3 });
        QVERIFY(canvas->markerPosition(3) && canvas->markerPosition(4));
        QCOMPARE(activated.size(), 1);

        hotspots[1].latitude = "52.52";
        hotspots[1].longitude = "13.405";
        window->setHotspots(hotspots);
        QTest::mouseClick(canvas, Qt::LeftButton, {}, *canvas->markerPosition(3));
        QCOMPARE(canvas->zoom(), MaxZoom);
        auto *list = canvas->findChild<QMenu *>(u"mnuCluster"_s);
        QVERIFY(list && list->isVisible());
        QCOMPARE(list->actions().size(), 2);
        list->actions().at(1)->trigger();
        QCOMPARE(activated.last(), QVariantList { 4 });
        QCOMPARE(canvas->currentRow(), 4);
    }

    // The main window's list and its map: the rows as the list shows them after a sort and a
    // filter, a marker's click opening that hotspot, the framed row and the highlighted marker
    // following each other, and a new load redrawing the map.
    void theMapOfTheList()
    {
        m_server.setDefaultScript(Script::reply(tileReply(tile())));
        openSettings()->setValue(u"map/tileServer"_s,
            u"http://127.0.0.1:%1/tiles/{z}/{x}/{y}.png"_s.arg(m_server.port()));
        const auto stored = [](std::initializer_list<std::pair<int, std::string>> fields) {
            return recordOf(fields) + "\r\n-\r\n";
        };
        const std::string first = stored({ { 1, "Delta Cafe" }, { 12, "52.5" }, { 13, "13.4" } });
        const std::string listed = first + stored({ { 1, "Alpha Cafe" } })
            + stored({ { 1, "Charlie Bar" }, { 12, "52.4" }, { 13, "13.0" } })
            + stored({ { 1, "Bravo Cafe" }, { 12, "52.45" }, { 13, "13.2" } });
        MainWindowHarness main(
            ServerAddress { u"127.0.0.1"_s, ScriptedServer::unusedPort() }, &listed);
        ResultListView *list = main.list();
        list->sortByColumn(ResultLayout::Column::Name);
        QTest::keyClicks(main.control<QLineEdit>(u"txtFilter"_s), u"cafe"_s);

        main.control<QAction>(u"mnumap"_s)->trigger();
        MapWindow *map = main.window().mapWindow();
        QVERIFY(map && QTest::qWaitForWindowExposed(map));
        auto *canvas = map->findChild<MapCanvas *>();
        QVERIFY(
            canvas->markerPosition(4) && canvas->markerPosition(1) && !canvas->markerPosition(3));
        QCOMPARE(
            map->findChild<QLabel *>(u"lblNoPosition"_s)->text(), u"1 hotspot has no position"_s);

        QTest::mouseClick(map->windowHandle(), Qt::LeftButton, {},
            canvas->mapTo(map, *canvas->markerPosition(4)));
        QCOMPARE(list->SelectedRow(), 4);
        const auto details = QApplication::topLevelWidgets();
        const auto info = std::find_if(details.begin(), details.end(),
            [](QWidget *window) { return qobject_cast<frmInfo *>(window) && window->isVisible(); });
        QVERIFY(info != details.end());
        QCOMPARE((*info)->findChild<QLabel *>(u"lblName"_s)->text(), u"Bravo Cafe"_s);
        delete *info;
        // The pointer passing over the list frames the marker but leaves the map where it is;
        // a click on the row brings the marker into view.
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(canvas, Qt::Key_Plus);
        QVERIFY(!canvas->markerPosition(1));
        auto *rows = list->findChild<QWidget *>(u"Picture2"_s);
        const QPoint delta = list->cellRect(3, ResultLayout::Column::Name).center();
        QMouseEvent hover(QEvent::MouseMove, delta, rows->mapToGlobal(delta), Qt::NoButton, {}, {});
        QApplication::sendEvent(rows, &hover);
        QCOMPARE(canvas->currentRow(), 1);
        QVERIFY(!canvas->markerPosition(1));
        QTest::mousePress(rows, Qt::LeftButton, {}, delta);
        QVERIFY(canvas->markerPosition(1) && !canvas->markerPosition(4));
        QTest::mouseRelease(rows, Qt::LeftButton, {}, delta);
        QTest::keyClick(list, Qt::Key_Up);
        QVERIFY(canvas->markerPosition(4));

        // A second use brings the same window back; a load puts its rows on it.
        map->close();
        main.control<QAction>(u"mnumap"_s)->trigger();
        QCOMPARE(main.window().mapWindow(), map);
        QVERIFY(map->isVisible() && canvas->markerPosition(4));
        QVERIFY(putScrambled(main.context().resultFilePath(), first));
        main.window().LoadResults();
        QVERIFY(canvas->markerPosition(1) && !canvas->markerPosition(4));
        QCOMPARE(map->findChild<QLabel *>(u"lblNoPosition"_s)->text(), QString());
    }

    void creditAndPlaceAreKept()
    {
        auto window = std::make_unique<MapWindow>(TileSource::openStreetMap());
        window->setGeometry(70, 80, 640, 360);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto *credit = window->findChild<QLabel *>(u"lblAttribution"_s);
        QCOMPARE(credit->text(),
            u"<a href=\"https://www.openstreetmap.org/copyright\">© OpenStreetMap contributors</a>"_s);
        QTest::mouseClick(credit, Qt::LeftButton, {}, credit->rect().center());
        QCOMPARE(m_opened, QStringList { u"https://www.openstreetmap.org/copyright"_s });
        window->close();
        // The tile source and its credit follow the settings.
        openSettings()->setValue(
            u"map/tileServer"_s, u"http://127.0.0.1:8080/tiles/{z}/{x}/{y}{r}.png"_s);
        window = std::make_unique<MapWindow>();
        QCOMPARE(window->geometry(), QRect(70, 80, 640, 360));
        QCOMPARE(window->findChild<QLabel *>(u"lblAttribution"_s)->text(),
            u"<a href=\"http://127.0.0.1:8080/\">Demo tiles drawn by pellomar-directory</a>"_s);
    }

    void badSettings_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("problem");
        const QString path = QDir::toNativeSeparators(settingsPath());
        const QString setting = u"the setting map/tileServer in %1 cannot be used: the tile server "
                                "address "_s.arg(path);
        QTest::newRow("placeholder as the port")
            << QByteArray("[map]\ntileServer=http://127.0.0.1:{z}/{x}/{y}.png")
            << setting
                + u"http://127.0.0.1:{z}/{x}/{y}.png may hold {z}, {x}, {y} and {r} only "
                  "after its host; mend it to see tiles"_s;
        QTest::newRow("over 1 MB")
            << ";" + QByteArray(1 << 20, 'x')
            << u"the settings file %1 is larger than 1 MB; it was not read"_s.arg(path);
    }

    // A tile server the settings name but the map cannot use is never replaced by another: the
    // window says why it shows no tiles, and asks for none.
    void badSettings()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, problem);
        QVERIFY(QDir().mkpath(QFileInfo(settingsPath()).path()) && putFile(settingsPath(), file));
        auto window = std::make_unique<MapWindow>();
        window->show();
        auto *label = window->findChild<QLabel *>(u"lblTileProblem"_s);
        QCOMPARE(label->isVisible() ? label->text() : QString(),
            u"The map shows no tiles: %1."_s.arg(problem));
        window->setHotspots(Hotspots);
        QTest::qWait(200);
        QVERIFY(window->findChildren<QNetworkReply *>().isEmpty());
        window->hide();
        // A file that was not read is not written either; once mended, the map shows tiles.
        QVERIFY(file.size() < MaxSettingsBytes || fileBytes(settingsPath()) == file);
        QVERIFY(putFile(settingsPath(),
            u"[map]\ntileServer=http://127.0.0.1:%1/{z}/{x}/{y}.png"_s.arg(m_server.port())
                .toUtf8()));
        window->show();
        QTRY_VERIFY(!window->findChildren<QNetworkReply *>().isEmpty() && label->isHidden());
        window.reset();
        QVERIFY(QFile::remove(settingsPath()));
    }

    void damagedDiskCache_data()
    {
        QTest::addColumn<int>("resize"); // bytes added to each entry; 0: one becomes a FIFO
        QTest::addColumn<int>("fetchedAgain");
        QTest::addColumn<QString>("notice"); // what the map says then
        const QString in
            = u" in the tile cache %1 "_s.arg(QDir::toNativeSeparators(tileCacheFolder()));
        QTest::newRow("cut short") << -100 << 9 << QString();
        QTest::newRow("grown past 4 MB")
            << (5 << 20) << 9 << u"9 files"_s + in + u"were not tiles; they were removed."_s;
        // Opening it stopped the program for good.
        QTest::newRow("a FIFO") << 0 << 1
                                << u"A file"_s + in + u"was not a tile; it was removed."_s;
    }

    // A damaged entry of the disk cache is neither shown, nor read whole, nor waited on: the
    // tile comes from the server again.
    void damagedDiskCache()
    {
        QFETCH(int, resize);
        QFETCH(int, fetchedAgain);
        QFETCH(QString, notice);
        QVERIFY(QDir(tileCacheFolder()).removeRecursively());
        ScriptedServer server;
        QVERIFY(server.listen());
        server.setDefaultScript(Script::reply(tileReply(tile())));
        auto window = open({ Hotspots.first() }, server.port());
        QTRY_COMPARE(window->findChild<TileLoader *>()->heldBytes(), 9 * 256 * 1024);
        window.reset();
        QDirIterator it(tileCacheFolder(), { u"*.d"_s }, QDir::Files, QDirIterator::Subdirectories);
        for (int n = 0; it.hasNext(); ++n) {
            QFile file(it.next());
            QVERIFY(resize ? file.resize(file.size() + resize)
                           : n > 0
                        || (file.remove()
                            && ::mkfifo(QFile::encodeName(file.fileName()), 0600) == 0));
        }
        window = open({ Hotspots.first() }, server.port());
        QTRY_COMPARE(window->findChild<TileLoader *>()->heldBytes(), 9 * 256 * 1024);
        QCOMPARE(server.connectionCount(), 9 + fetchedAgain);
        auto *label = window->findChild<QLabel *>(u"lblTileProblem"_s);
        QCOMPARE(label->isVisible() ? label->text() : QString(), notice);
    }
};

QTEST_MAIN(TestMapWindow)
#include "tst_map_window.moc"
