#include "results/hotspot_record.h"

#include <QTest>

using namespace pellomar;

class TestHotspotRecord : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each named field reads its own position of the line.
    void namedFieldsReadTheirPositions()
    {
        std::string line;
        for (int n = 1; n <= HotspotFieldCount + 2; ++n)
            line += (n > 1 ? "<>" : "") + ("f" + std::to_string(n));
        const HotspotRecord r(line);
        const std::string named[] = { r.LocationName(), r.HotspotType(), r.Operator(),
            r.WebsiteURL(), r.PhoneNumber(), r.EmailAddress(), r.LocationType(), r.Address(),
            r.ZIP(), r.City(), r.CountryCode(), r.Latitude(), r.Longitude(), r.TechnologyCode(),
            r.SSidInfo(), r.Description(), r.ImagePath() };
        for (int n = 1; n <= HotspotFieldCount; ++n) {
            QCOMPARE(named[n - 1], "f" + std::to_string(n));
            QCOMPARE(r.field(static_cast<HotspotField>(n)), "f" + std::to_string(n));
        }
    }

    void edgeCases_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("field");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("A<>B<>C: name") << QByteArray("A<>B<>C") << 1 << QByteArray("A");
        QTest::newRow("A<>B<>C: access") << QByteArray("A<>B<>C") << 2 << QByteArray("B");
        QTest::newRow("A<>B<>C: operator") << QByteArray("A<>B<>C") << 3 << QByteArray("C");
        QTest::newRow("A<>B<>C: web site") << QByteArray("A<>B<>C") << 4 << QByteArray();
        QTest::newRow("A<>B<>C: image") << QByteArray("A<>B<>C") << 17 << QByteArray();
        QTest::newRow("no '<': whole line")
            << QByteArray("No hotspots, sorry") << 1 << QByteArray("No hotspots, sorry");
        QTest::newRow("no '<': city") << QByteArray("No hotspots") << 10 << QByteArray();
        QTest::newRow("'>' dropped") << QByteArray("A>B<>C") << 1 << QByteArray("AB");
        QTest::newRow("'<' splits a value") << QByteArray("A<B<>C") << 2 << QByteArray("B");
        QTest::newRow("fields keep inner spaces")
            << QByteArray(" A <> B <> C ") << 2 << QByteArray(" B ");
        QTest::newRow("line trimmed at its ends")
            << QByteArray(" A <> B <> C ") << 3 << QByteArray(" C");
        QTest::newRow("comma is plain text")
            << QByteArray("Cafe, Bar<>x") << 1 << QByteArray("Cafe, Bar");
        QTest::newRow("empty line") << QByteArray() << 1 << QByteArray();
    }
    void edgeCases()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, field);
        QFETCH(QByteArray, expected);
        const HotspotRecord record(line.toStdString());
        QCOMPARE(record.field(static_cast<HotspotField>(field)), expected.toStdString());
    }

    void keepsItsLine()
    {
        const HotspotRecord record(" A<>B ");
        QCOMPARE(record.line(), std::string(" A<>B "));
    }
};

QTEST_APPLESS_MAIN(TestHotspotRecord)
#include "tst_hotspot_record.moc"
