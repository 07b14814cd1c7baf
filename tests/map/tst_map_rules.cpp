// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/marker_clusters.h"
#include "map/mercator.h"
#include "map/tile_source.h"

#include <QTest>

using namespace pellomar;
using namespace Qt::Literals::StringLiterals;
using Places = QList<QPointF>; // latitude, longitude

namespace {
bool near(LatLon place, QPointF expected)
{
    return qAbs(place.latitude - expected.x()) < 1e-9
        && qAbs(place.longitude - expected.y()) < 1e-9;
}
} // namespace

class TestMapRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tiles_data()
    {
        QTest::addColumn<QPointF>("place");
        QTest::addColumn<QList<int>>("tile"); // zoom, x, y
        QTest::addColumn<QPointF>("corner"); // the tile's north-west corner
        const auto row = [](const char *name, QPointF place, QList<int> tile, QPointF corner) {
            QTest::newRow(name) << place << tile << corner;
        };
        row("Berlin", { 52.52, 13.405 }, { 10, 550, 335 }, { 52.69636107827448, 13.359375 });
        row("Sydney", { -33.8688, 151.2093 }, { 12, 3768, 2457 },
            { -33.797408767572485, 151.171875 });
        row("north of the edge", { 86, 0 }, { 3, 4, 0 }, { 85.0511287798066, 0 });
        row("south pole", { -90, 0 }, { 3, 4, 7 }, { -79.17133464081945, 0 });
        row("180 E", { 0, 180 }, { 3, 7, 4 }, { 0, 135 });
        row("180 W", { 0, -180 }, { 3, 0, 4 }, { 0, -180 });
    }

    void tiles()
    {
        QFETCH(QPointF, place);
        QFETCH(QList<int>, tile);
        QFETCH(QPointF, corner);
        const TileIndex index = tileAt(toWorld({ place.x(), place.y() }), tile[0]);
        QCOMPARE((QList<int> { index.zoom, index.x, index.y }), tile);
        QVERIFY(near(fromWorld(tileCorner(index)), corner));
    }

    void fit_data()
    {
        QTest::addColumn<Places>("places");
        QTest::addColumn<QSize>("view");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QPointF>("centre");
        const Places berlinPotsdam { { 52.52, 13.405 }, { 52.39, 13.065 } };
        const QPointF between(52.45504797201676, 13.235);
        QTest::newRow("one: street level")
            << Places { { 48.8566, 2.3522 } } << QSize(800, 600) << 17 << QPointF(48.8566, 2.3522);
        QTest::newRow("two cities") << berlinPotsdam << QSize(800, 600) << 11 << between;
        QTest::newRow("half the view") << berlinPotsdam << QSize(400, 300) << 10 << between;
        QTest::newRow("two continents")
            << Places { { 40.7128, -74.006 }, { 35.6762, 139.6503 } } << QSize(800, 600) << 2
            << QPointF(38.238090131184656, 32.82215);
        QTest::newRow("none") << Places {} << QSize(800, 600) << 0 << QPointF(0, 0);
    }

    void fit()
    {
        QFETCH(Places, places);
        QFETCH(QSize, view);
        QFETCH(int, zoom);
        QFETCH(QPointF, centre);
        std::vector<WorldPoint> points;
        for (const QPointF &place : places)
            points.push_back(toWorld({ place.x(), place.y() }));
        const FitView fit = fitPoints(points, view.width(), view.height(), 24);
        QCOMPARE(fit.zoom, zoom);
        QVERIFY(near(fromWorld(fit.centre), centre));
    }

    // Six markers placed in pixels at zoom 12, in Manhattan; the box is 32 x 22 pixels.
    void clusters_data()
    {
        QTest::addColumn<QList<QPointF>>("pixels");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QList<QList<int>>>("clusters");
        QTest::addColumn<int>("firstSplitsAt");
        const QList<QPointF> six { { 0, 0 }, { 20, 5 }, { 40, 0 }, { 100, 100 }, { 100, 121 },
            { 300, 0 } };
        // 40 pixels from the first, but 20 from the second: it starts a cluster of its own.
        QTest::newRow("zoom 12") << six << 12
                                 << QList<QList<int>> { { 0, 1 }, { 2 }, { 3, 4 }, { 5 } } << 13;
        QTest::newRow("zoom 11") << six << 11 << QList<QList<int>> { { 0, 1, 2 }, { 3, 4 }, { 5 } }
                                 << 12;
        QTest::newRow("one place, deepest zoom") << QList<QPointF> { { 7, 7 }, { 7, 7 } } << MaxZoom
                                                 << QList<QList<int>> { { 0, 1 } } << MaxZoom + 1;
    }

    void clusters()
    {
        QFETCH(QList<QPointF>, pixels);
        QFETCH(int, zoom);
        QFETCH(QList<QList<int>>, clusters);
        QFETCH(int, firstSplitsAt);
        const WorldPoint manhattan = toWorld({ 40.758, -73.9855 });
        std::vector<WorldPoint> points;
        for (const QPointF &at : pixels)
            points.push_back({ manhattan.x + at.x() / (TileSize << 12),
                manhattan.y + at.y() / (TileSize << 12) });
        QList<QList<int>> made;
        std::vector<WorldPoint> first;
        for (const MarkerCluster &cluster : clusterMarkers(points, zoom))
            made.append(QList<int>(cluster.members.begin(), cluster.members.end()));
        QCOMPARE(made, clusters);
        for (const int member : clusters.first())
            first.push_back(points[std::size_t(member)]);
        QCOMPARE(splittingZoom(first, zoom), firstSplitsAt);
    }

    void tileTemplate_data()
    {
        QTest::addColumn<QString>("urlTemplate");
        QTest::addColumn<QString>("problem");
        const auto row
            = [](const char *name, const QString &urlTemplate, const QString &problem) {
                  QTest::newRow(name)
                      << urlTemplate
                      << (problem.isEmpty()
                                 ? problem
                                 : u"the tile server address %1 %2"_s.arg(
                                     urlTemplate.isEmpty() ? u"(empty)"_s : urlTemplate, problem));
              };
        row("OpenStreetMap", u"https://tile.openstreetmap.org/{z}/{x}/{y}.png"_s, {});
        row("with {r}", u"http://127.0.0.1:8080/tiles/{z}/{x}/{y}{r}.png"_s, {});
        row("ftp", u"ftp://tiles.example/{z}/{x}/{y}.png"_s,
            u"must begin with http:// or https://"_s);
        row("no scheme", u"tiles.example/{z}/{x}/{y}.png"_s,
            u"must begin with http:// or https://"_s);
        row("no {y}", u"https://tiles.example/{z}/{x}.png"_s,
            u"lacks {y}: it must hold {z}, {x} and {y}"_s);
        row("empty", {}, u"lacks {z}, {x}, {y}: it must hold {z}, {x} and {y}"_s);
        row("no host", u"https:///{z}/{x}/{y}.png"_s, u"is not a valid web address"_s);
        // The map's place must not choose where its tiles come from.
        const QString beforePath = u"may hold {z}, {x}, {y} and {r} only after its host"_s;
        row("placeholder as the port", u"http://127.0.0.1:{z}/{x}/{y}.png"_s, beforePath);
        row("placeholders in the host", u"http://{z}.{x}.{y}.127/t.png"_s, beforePath);
        row("{r} making a user name", u"http://a{r}.example/{z}/{x}/{y}.png"_s, beforePath);
    }

    void tileTemplate()
    {
        QFETCH(QString, urlTemplate);
        QFETCH(QString, problem);
        QCOMPARE(tileTemplateProblem(urlTemplate), problem);
    }

    void tileSource_data()
    {
        QTest::addColumn<QString>("urlTemplate");
        QTest::addColumn<QStringList>("expected"); // credit, its address, tile 3/4/5 at 2x
        QTest::newRow("OpenStreetMap") << u"https://tile.openstreetmap.org/{z}/{x}/{y}.png"_s
                                       << QStringList { u"© OpenStreetMap contributors"_s,
                                              u"https://www.openstreetmap.org/copyright"_s,
                                              u"https://tile.openstreetmap.org/3/4/5.png"_s };
        QTest::newRow("demo directory")
            << u"http://127.0.0.1:8080/tiles/{z}/{x}/{y}{r}.png"_s
            << QStringList { u"Demo tiles drawn by pellomar-directory"_s,
                   u"http://127.0.0.1:8080/"_s, u"http://127.0.0.1:8080/tiles/3/4/5@2x.png"_s };
        QTest::newRow("another server")
            << u"https://maps.example:8443/{z}/{y}/{x}.png?key=1"_s
            << QStringList { u"Map tiles: maps.example"_s, u"https://maps.example:8443/"_s,
                   u"https://maps.example:8443/3/5/4.png?key=1"_s };
    }

    void tileSource()
    {
        QFETCH(QString, urlTemplate);
        QFETCH(QStringList, expected);
        const TileSource source = TileSource::forTemplate(urlTemplate);
        QCOMPARE((QStringList { source.attribution, source.attributionUrl,
                     source.tileUrl(3, 4, 5, true).toString() }),
            expected);
    }
};

QTEST_GUILESS_MAIN(TestMapRules)
#include "tst_map_rules.moc"
