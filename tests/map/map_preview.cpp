// Shows the map window over the demo directory's tiles with the hotspots of one city of its
// dataset, and writes the window's picture to a PNG file: the screenshots of the map until the
// main window opens it.
//
//   map_preview TILE_ORIGIN DATASET CITY OUT.png      (e.g. http://127.0.0.1:8080)

#include "map/map_window.h"
#include "map/tile_loader.h"
#include "rules/hotspot.h"

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

using namespace pellomar;

int main(int argc, char *argv[])
{
    if (argc != 5) {
        std::fputs("usage: map_preview TILE_ORIGIN DATASET CITY OUT.png\n", stderr);
        return 2;
    }
    // Nothing of the user's: neither the remembered window nor the tile cache.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());

    QFile dataset(QString::fromLocal8Bit(argv[2]));
    if (!dataset.open(QIODevice::ReadOnly)) {
        std::fputs("map_preview: cannot read the dataset\n", stderr);
        return 1;
    }
    QList<MapHotspot> hotspots;
    while (!dataset.atEnd()) {
        const QByteArray line = dataset.readLine().chopped(1);
        const auto hotspot
            = directory::parseDatasetLine(std::string_view(line.data(), line.size()));
        if (!hotspot || hotspot->city != argv[3])
            continue;
        const int row = int(hotspots.size()) + 1;
        hotspots.append({ row, QString::fromStdString(hotspot->locationName), hotspot->latitude,
            hotspot->longitude, row % 2 == 1 ? QColor(224, 224, 224) : QColor(Qt::white) });
    }
    // Two of the directory's "unknown" positions, for the line that counts them.
    for (int i = 0; i < 2; ++i)
        hotspots.append(
            { int(hotspots.size()) + 1, QStringLiteral("Unknown"), "0", "0", Qt::white });

    MapWindow window(TileSource::demoDirectory(QString::fromLocal8Bit(argv[1])));
    window.setHotspots(hotspots);
    window.resize(900, 600);
    window.show();
    window.setCurrentRow(3);
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    // Until every tile in view is shown, or the line tells why not.
    QTest::qWait(2000);
    if (!window.grab().save(QString::fromLocal8Bit(argv[4]), "PNG"))
        return 1;
    return 0;
}
