#include "reference/coordinates.h"

#include <QTest>
#include <cmath>

using namespace pellomar;

// Where a hotspot is, as the map link, the export and the map read it: one parser, one answer.
class TestCoordinates : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void position_data()
    {
        QTest::addColumn<QByteArray>("latitude");
        QTest::addColumn<QByteArray>("longitude");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lon");
        const auto valid
            = [](const char *name, const char *lat, const char *lon, double a, double b) {
                  QTest::newRow(name) << QByteArray(lat) << QByteArray(lon) << true << a << b;
              };
        const auto none = [](const char *name, const char *lat, const char *lon) {
            QTest::newRow(name) << QByteArray(lat) << QByteArray(lon) << false << 0.0 << 0.0;
        };
        valid("decimals, signs", "-33.8688", "+151.2093", -33.8688, 151.2093);
        valid("spaces around, whole degrees", "  40 ", " -74  ", 40, -74);
        valid("poles and date line", "90", "-180.000", 90, -180);
        valid("point first or last", ".5", "6.", 0.5, 6);
        valid("equator, no -0", "-0.0", "32.5", 0, 32.5);
        valid("24 characters", "52.000000000000000000001", "13", 52, 13);
        none("dashes, as a detail window shows an empty value", "-", "-");
        none("empty", "", "13");
        none("latitude beyond the pole", "90.0001", "0.5");
        none("longitude beyond the date line", "10", "-181");
        none("0/0 is unknown", "0.000", "-0");
        none("decimal comma", "52,52", "13");
        none("exponent", "5e1", "13");
        none("infinity", "inf", "13");
        none("not a number", "nan", "nan");
        none("hexadecimal", "0x10", "13");
        none("two points", "52.5.1", "13");
        none("two signs", "--52", "13");
        none("sign alone", "+", "13");
        none("point alone", ".", "13");
        none("inner space", "52 .5", "13");
        none("tab", "\t52", "13");
        none("degree sign", "52.5\xb0", "13.4");
        none("query in the value", "52&zoom=1", "13");
        none("25 characters", "52.0000000000000000000001", "13");
    }
    void position()
    {
        QFETCH(QByteArray, latitude);
        QFETCH(QByteArray, longitude);
        QFETCH(bool, valid);
        const auto position = ParsePosition(latitude.toStdString(), longitude.toStdString());
        QCOMPARE(position.has_value(), valid);
        if (!valid)
            return;
        QTEST(position->latitude.value, "lat");
        QTEST(position->longitude.value, "lon");
        QVERIFY(!std::signbit(position->latitude.value) || position->latitude.value != 0);
    }
};

QTEST_APPLESS_MAIN(TestCoordinates)
#include "tst_coordinates.moc"
