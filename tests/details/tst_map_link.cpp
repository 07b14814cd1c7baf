#include "details/map_link.h"

#include <QTest>

using namespace pellomar;

// The map address of a hotspot's position, its coordinates as written.
class tst_MapLink : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void validPosition_data();
    void validPosition();
};

void tst_MapLink::validPosition_data()
{
    QTest::addColumn<QByteArray>("latitude");
    QTest::addColumn<QByteArray>("longitude");
    QTest::addColumn<QByteArray>("address");
    const auto row = [](const char *name, const char *lat, const char *lon, const char *at) {
        QTest::newRow(name) << QByteArray(lat) << QByteArray(lon)
                            << (QByteArray("https://www.openstreetmap.org/?mlat=") + at);
    };
    row("Berlin", "52.52", "13.405", "52.52&mlon=13.405#map=17/52.52/13.405");
    row("south west", "-33.8688", "-151.2093", "-33.8688&mlon=-151.2093#map=17/-33.8688/-151.2093");
    row("plus sign dropped", "+48.85", "+2.35", "48.85&mlon=2.35#map=17/48.85/2.35");
    row("spaces around", "  40.7 ", " -74.0  ", "40.7&mlon=-74.0#map=17/40.7/-74.0");
    row("point last", "5.", "6.", "5.&mlon=6.#map=17/5./6.");
}

void tst_MapLink::validPosition()
{
    QFETCH(QByteArray, latitude);
    QFETCH(QByteArray, longitude);
    QFETCH(QByteArray, address);
    const auto got = MapAddress(latitude.toStdString(), longitude.toStdString());
    QVERIFY(got.has_value());
    QCOMPARE(QByteArray::fromStdString(*got), address);
}

QTEST_APPLESS_MAIN(tst_MapLink)
#include "tst_map_link.moc"
