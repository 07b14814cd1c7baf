#include "details/map_link.h"

#include <QTest>

using namespace pellomar;

// The map address of a hotspot's position, and the positions that get none.
class tst_MapLink : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void validPosition_data();
    void validPosition();
    void noPosition_data();
    void noPosition();
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
    row("whole degrees", "10", "20", "10&mlon=20#map=17/10/20");
    row("poles and date line", "90", "-180", "90&mlon=-180#map=17/90/-180");
    row("south pole", "-90.0", "180.000", "-90.0&mlon=180.000#map=17/-90.0/180.000");
    row("point first", ".5", "-.25", ".5&mlon=-.25#map=17/.5/-.25");
    row("point last", "5.", "6.", "5.&mlon=6.#map=17/5./6.");
    row("equator", "0", "32.5", "0&mlon=32.5#map=17/0/32.5");
    row("prime meridian", "51.48", "0.0", "51.48&mlon=0.0#map=17/51.48/0.0");
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

void tst_MapLink::noPosition_data()
{
    QTest::addColumn<QByteArray>("latitude");
    QTest::addColumn<QByteArray>("longitude");
    const auto row = [](const char *name, const char *lat, const char *lon) {
        QTest::newRow(name) << QByteArray(lat) << QByteArray(lon);
    };
    // What a detail window shows for an empty coordinate.
    row("both dashes", "-", "-");
    row("latitude dash", "-", "13.4");
    row("longitude dash", "52.5", "-");
    row("empty", "", "");
    row("spaces only", "  ", "13.4");
    row("latitude beyond the pole", "90.0001", "0.5");
    row("latitude below the pole", "-91", "0.5");
    row("longitude beyond", "10", "180.5");
    row("longitude below", "10", "-181");
    row("null island", "0", "0");
    row("null island with decimals", "0.000", "-0.0");
    row("decimal comma", "52,52", "13,40");
    row("exponent", "5e1", "13");
    row("infinity", "inf", "13");
    row("not a number", "nan", "nan");
    row("hexadecimal", "0x10", "13");
    row("two points", "52.5.1", "13");
    row("two signs", "--52", "13");
    row("sign alone", "+", "13");
    row("point alone", ".", "13");
    row("inner space", "52 .5", "13");
    row("words", "north", "east");
    row("degree sign", "52.5\xb0", "13.4");
    row("markup", "52<b>", "13");
    row("query in the value", "52&zoom=1", "13");
    row("absurdly long", "52.0000000000000000000000000001", "13");
}

void tst_MapLink::noPosition()
{
    QFETCH(QByteArray, latitude);
    QFETCH(QByteArray, longitude);
    const auto got = MapAddress(latitude.toStdString(), longitude.toStdString());
    QVERIFY2(!got, got ? got->c_str() : "");
}

QTEST_APPLESS_MAIN(tst_MapLink)
#include "tst_map_link.moc"
