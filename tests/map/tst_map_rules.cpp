#include "map/mercator.h"
#include "map/tile_source.h"

#include <QTest>

using namespace pellomar;
using namespace Qt::Literals::StringLiterals;
using Places = QList<QPointF>; // latitude, longitude

class TestMapRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tiles_data()
    {
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<QPointF>("corner"); // of that tile
        QTest::newRow("Berlin") << 52.52 << 13.405 << 10 << 550 << 335
                                << QPointF(52.69636107827448, 13.359375);
        QTest::newRow("Sydney") << -33.8688 << 151.2093 << 12 << 3768 << 2457
                                << QPointF(-33.797408767572485, 151.171875);
        QTest::newRow("north of the edge")
            << 86.0 << 0.0 << 3 << 4 << 0 << QPointF(85.0511287798066, 0);
        QTest::newRow("south pole")
            << -90.0 << 0.0 << 3 << 4 << 7 << QPointF(-79.17133464081945, 0);
        QTest::newRow("180 E") << 0.0 << 180.0 << 3 << 7 << 4 << QPointF(0, 135);
        QTest::newRow("180 W") << 0.0 << -180.0 << 3 << 0 << 4 << QPointF(0, -180);
    }

    void tiles()
    {
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QFETCH(int, zoom);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(QPointF, corner);
        const TileIndex tile = TileAt(ToWorld({ latitude, longitude }), zoom);
        QCOMPARE(tile, (TileIndex { zoom, x, y }));
        const LatLon back = FromWorld(TileCorner(tile));
        QVERIFY(
            qAbs(back.latitude - corner.x()) < 1e-9 && qAbs(back.longitude - corner.y()) < 1e-9);
    }

    void fit_data()
    {
        QTest::addColumn<Places>("places");
        QTest::addColumn<QSize>("view");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QPointF>("centre");
        const Places berlinPotsdam { { 52.52, 13.405 }, { 52.39, 13.065 } };
        QTest::newRow("one marker: street level")
            << Places { { 48.8566, 2.3522 } } << QSize(800, 600) << 17 << QPointF(48.8566, 2.3522);
        QTest::newRow("two cities")
            << berlinPotsdam << QSize(800, 600) << 11 << QPointF(52.45504797201676, 13.235);
        QTest::newRow("two cities, half the view")
            << berlinPotsdam << QSize(400, 300) << 10 << QPointF(52.45504797201676, 13.235);
        QTest::newRow("New York and Tokyo")
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
            points.push_back(ToWorld({ place.x(), place.y() }));
        const FitView fit = FitPoints(points, view.width(), view.height(), 24);
        QCOMPARE(fit.zoom, zoom);
        const LatLon middle = FromWorld(fit.centre);
        QVERIFY(qAbs(middle.latitude - centre.x()) < 1e-9
            && qAbs(middle.longitude - centre.y()) < 1e-9);
    }

    void tileTemplate_data()
    {
        QTest::addColumn<QString>("urlTemplate");
        QTest::addColumn<QString>("problem");
        QTest::newRow("OpenStreetMap")
            << u"https://tile.openstreetmap.org/{z}/{x}/{y}.png"_s << QString();
        QTest::newRow("with {r}") << u"http://127.0.0.1:8080/tiles/{z}/{x}/{y}{r}.png"_s
                                  << QString();
        QTest::newRow("ftp") << u"ftp://tiles.example/{z}/{x}/{y}.png"_s
                             << u"the tile server address ftp://tiles.example/{z}/{x}/{y}.png must "
                                "begin with http:// or https://"_s;
        QTest::newRow("no scheme") << u"tiles.example/{z}/{x}/{y}.png"_s
                                   << u"the tile server address tiles.example/{z}/{x}/{y}.png must "
                                      "begin with http:// or https://"_s;
        QTest::newRow("no {y}")
            << u"https://tiles.example/{z}/{x}.png"_s
            << u"the tile server address https://tiles.example/{z}/{x}.png lacks "
               "{y}: it must hold {z}, {x} and {y}"_s;
        QTest::newRow("empty") << QString()
                               << u"the tile server address (empty) lacks {z}, {x}, {y}: it must "
                                  "hold {z}, {x} and {y}"_s;
        QTest::newRow("no host") << u"https:///{z}/{x}/{y}.png"_s
                                 << u"the tile server address https:///{z}/{x}/{y}.png is not a "
                                    "valid web address"_s;
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
