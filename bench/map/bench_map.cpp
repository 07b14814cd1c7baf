// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints the map window's performance figures on this machine:
//  1. the window opened and first painted with 300 markers, its tiles in the disk cache;
//  2. the same window until every tile in view is shown from the disk cache;
//  3. one frame of panning with 300 markers over a screen of tiles;
//  4. the clustering of 300 markers, made again at each zoom the window shows;
//  5. the decoded tiles the window holds, however long one pans (their bound), beside the
//     growth of the whole process.

#include "common/bench_figures.h"
#include "common/scripted_server.h"
#include "map/map_canvas.h"
#include "map/map_window.h"
#include "map/marker_clusters.h"
#include "map/tile_loader.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QPainter>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <string>

using namespace pellomar;
using namespace pellomar::bench;
using namespace pellomar::test;

namespace {

// A tile of the demo directory's kind: land, a grid, a line of text.
QByteArray tilePng()
{
    QImage image(256, 256, QImage::Format_RGB32);
    image.fill(QColor(236, 238, 226));
    QPainter painter(&image);
    painter.setPen(QColor(218, 222, 204));
    for (int at = 0; at < 256; at += 32) {
        painter.drawLine(at, 0, at, 255);
        painter.drawLine(0, at, 255, at);
    }
    painter.drawText(10, 20, QStringLiteral("17/70416/42985"));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// 300 hotspots scattered over a city, as a full result list.
QList<MapHotspot> cityHotspots()
{
    QRandomGenerator random(7);
    QList<MapHotspot> hotspots;
    for (int row = 1; row <= 300; ++row) {
        const double latitude = 52.50 + random.bounded(0.04);
        const double longitude = 13.37 + random.bounded(0.07);
        hotspots.append({ row, QStringLiteral("Hotspot %1").arg(row),
            QByteArray::number(latitude, 'f', 5).toStdString(),
            QByteArray::number(longitude, 'f', 5).toStdString(),
            row % 2 ? QColor(224, 224, 224) : QColor(Qt::white) });
    }
    return hotspots;
}

struct Open {
    std::unique_ptr<MapWindow> window;
    MapCanvas *canvas = nullptr;
    TileLoader *tiles = nullptr;
    int paints = 0;
};

class PaintCounter : public QObject {
public:
    explicit PaintCounter(int *count)
        : m_count(count)
    {
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++*m_count;
        return false;
    }

private:
    int *m_count;
};

} // namespace

int main(int argc, char *argv[])
{
    // The window's settings and tile cache in a folder of the benchmark's own.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);

    ScriptedServer server;
    if (!server.listen())
        return 2;
    const QByteArray png = tilePng();
    server.setDefaultScript(Script::reply(
        "HTTP/1.0 200 OK\r\nContent-Type: image/png\r\nCache-Control: max-age=86400\r\n"
        "Content-Length: "
        + QByteArray::number(png.size()) + "\r\n\r\n" + png));
    const TileSource source
        = TileSource::demoDirectory(QStringLiteral("http://127.0.0.1:%1").arg(server.port()));
    const QList<MapHotspot> hotspots = cityHotspots();
    const QSize size(1024, 768);
    // Every tile of the fitted 1024 x 768 view: 5 x 4 of them.
    constexpr qint64 ViewBytes = 5 * 4 * 256 * 256 * 4;

    int paints = 0;
    PaintCounter counter(&paints);
    const auto open = [&] {
        auto window = std::make_unique<MapWindow>(source);
        window->findChild<MapCanvas *>()->installEventFilter(&counter);
        window->findChild<MapCanvas *>()->setFixedSize(size);
        window->setHotspots(hotspots);
        window->show();
        QCoreApplication::processEvents();
        return window;
    };
    const auto allTilesShown = [](MapWindow *window, int timeoutMs) {
        QElapsedTimer clock;
        clock.start();
        auto *tiles = window->findChild<TileLoader *>();
        while (tiles->heldBytes() < ViewBytes && clock.elapsed() < timeoutMs)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        return tiles->heldBytes() >= ViewBytes;
    };

    // The first opening fills the disk cache.
    if (!allTilesShown(open().get(), 5000)) {
        std::printf("the tiles did not arrive\n");
        return 1;
    }
    const int downloads = server.connectionCount();
    {
        Samples opened;
        Samples filled;
        for (int i = 0; i < 20; ++i) {
            paints = 0;
            QElapsedTimer clock;
            clock.start();
            auto window = open();
            opened.add(double(clock.nsecsElapsed()) / 1e6);
            if (paints == 0 || !allTilesShown(window.get(), 5000)) {
                std::printf("the window was not painted, or its tiles not shown\n");
                return 1;
            }
            filled.add(double(clock.nsecsElapsed()) / 1e6);
        }
        if (server.connectionCount() != downloads) {
            std::printf("a reopened window downloaded tiles again\n");
            return 1;
        }
        report({ QStringLiteral("mapopen"),
                   QStringLiteral("map window opened and painted, 300 markers (1024x768)"),
                   QStringLiteral("ms"), QStringLiteral("<30"), {} },
            opened);
        report({ QStringLiteral("mapfilled"),
                   QStringLiteral("map window until its 20 tiles are shown from the disk cache"),
                   QStringLiteral("ms"), {}, QStringLiteral("mapopen") },
            filled);
    }

    auto window = open();
    auto *canvas = window->findChild<MapCanvas *>();
    auto *tiles = window->findChild<TileLoader *>();
    allTilesShown(window.get(), 5000);
    {
        // Back and forth over the tiles in view: each frame a move of the mouse and its paint.
        const QPoint middle(size.width() / 2, size.height() / 2);
        QTest::mousePress(canvas, Qt::LeftButton, {}, middle);
        int step = 0;
        const Samples frames = timeMs(200, [&] {
            const int offset = (step++ % 40 < 20 ? step % 20 : 20 - step % 20) * 5;
            QTest::mouseMove(canvas, middle + QPoint(offset, offset / 2));
            canvas->repaint();
        });
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, middle);
        report({ QStringLiteral("mappan"),
                   QStringLiteral("one frame of panning, 300 markers over 20 tiles"),
                   QStringLiteral("ms"), QStringLiteral("<8"), {} },
            frames);
    }
    {
        // Every zoom from the city's fit to street level, as the wheel goes through them.
        std::vector<WorldPoint> points;
        for (const MapHotspot &hotspot : hotspots)
            points.push_back(
                toWorld({ std::stod(hotspot.latitude), std::stod(hotspot.longitude) }));
        std::size_t made = 0;
        int step = 0;
        const Samples clustering
            = timeMs(500, [&] { made += clusterMarkers(points, 11 + step++ % 7).size(); });
        std::printf("%zu clusters made\n", made);
        report({ QStringLiteral("mapclusters"),
                   QStringLiteral("clustering 300 markers for a frame at a new zoom"),
                   QStringLiteral("ms"), QStringLiteral("<2"), {} },
            clustering);
    }
    {
        // A long pan eastwards at street level, every tile fetched and decoded on the way.
        int arrived = 0;
        QObject::connect(tiles, &TileLoader::tileArrived, tiles, [&arrived] { ++arrived; });
        const qint64 residentBefore = residentBytes();
        qint64 held = 0;
        for (int i = 0; i < 200; ++i) {
            QTest::keyClick(canvas, Qt::Key_Right);
            QTest::qWait(20);
            held = qMax(held, tiles->heldBytes());
        }
        std::printf("%d tiles decoded while panning\n", arrived);
        if (arrived * 256 * 1024 <= 2 * TileLoader::MaxTileBytes) {
            std::printf("too few tiles to fill the bound twice over\n");
            return 1;
        }
        report({ QStringLiteral("maptiles"),
                   QStringLiteral("decoded tiles held after panning past %1 tiles").arg(arrived),
                   QStringLiteral("MiB"), QStringLiteral("<64.01"), {} },
            double(held) / MiB);
        // The process's growth over the same pan, for comparison: the allocator keeps memory
        // that the tiles gave back, and the disk cache's writes pass through it.
        report({ QStringLiteral("mapresident"),
                   QStringLiteral("resident memory grown over the same pan"), QStringLiteral("MiB"),
                   {}, QStringLiteral("maptiles") },
            double(residentBytes() - residentBefore) / MiB);
    }
    return 0;
}
