#include "reference/text_encoding.h"
#include "results/export_rules.h"
#include "results/hotspot_record.h"

#include <QList>
#include <QTest>
#include <QXmlStreamReader>

using namespace pellomar;

namespace {

// RFC 4180, strictly: fields separated by commas, records by CR LF, a quoted field may hold
// commas, CR, LF and doubled quotes. Anything else is a failure (nullopt).
std::optional<QList<QStringList>> parseCsv(const std::string &bytes)
{
    const QString text = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    QList<QStringList> records;
    QStringList record;
    QString field;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] == u'"') {
            ++i;
            while (true) {
                if (i >= text.size())
                    return std::nullopt; // unterminated quote
                if (text[i] == u'"') {
                    if (i + 1 < text.size() && text[i + 1] == u'"') {
                        field += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
        } else {
            while (i < text.size() && text[i] != u',' && text[i] != u'\r') {
                if (text[i] == u'"' || text[i] == u'\n')
                    return std::nullopt; // a bare quote or line feed
                field += text[i++];
            }
        }
        if (i < text.size() && text[i] == u',') {
            record << field;
            field.clear();
            ++i;
        } else if (i + 1 < text.size() && text[i] == u'\r' && text[i + 1] == u'\n') {
            record << field;
            field.clear();
            records << record;
            record.clear();
            i += 2;
        } else {
            return std::nullopt;
        }
    }
    if (!field.isEmpty() || !record.isEmpty())
        return std::nullopt; // the last record must end in CR LF
    return records;
}

struct Point {
    QString name;
    QString description;
    double latitude;
    double longitude;
};

// Waypoints of a GPX 1.1 file; fails the test when it is not well-formed.
QList<Point> readGpx(const std::string &bytes, bool &ok)
{
    QXmlStreamReader xml(QByteArray::fromStdString(bytes));
    QList<Point> points;
    ok = false;
    if (!xml.readNextStartElement() || xml.name() != u"gpx"
        || xml.namespaceUri() != u"http://www.topografix.com/GPX/1/1"
        || xml.attributes().value(QStringLiteral("version")) != u"1.1")
        return points;
    while (xml.readNextStartElement()) {
        if (xml.name() != u"wpt")
            return points;
        Point point { {}, {}, xml.attributes().value(QStringLiteral("lat")).toDouble(),
            xml.attributes().value(QStringLiteral("lon")).toDouble() };
        QStringList order;
        while (xml.readNextStartElement()) {
            order << xml.name().toString();
            const QString text = xml.readElementText();
            if (xml.name() == u"name")
                point.name = text;
            else if (xml.name() == u"desc")
                point.description = text;
        }
        // GPX's schema fixes the order of a waypoint's elements.
        if (order
            != QStringList {
                QStringLiteral("name"), QStringLiteral("desc"), QStringLiteral("type") })
            return points;
        points << point;
    }
    ok = !xml.hasError();
    while (!xml.atEnd())
        xml.readNext();
    ok = ok && !xml.hasError();
    return points;
}

QList<Point> readKml(const std::string &bytes, bool &ok)
{
    QXmlStreamReader xml(QByteArray::fromStdString(bytes));
    QList<Point> points;
    ok = false;
    if (!xml.readNextStartElement() || xml.name() != u"kml"
        || xml.namespaceUri() != u"http://www.opengis.net/kml/2.2")
        return points;
    if (!xml.readNextStartElement() || xml.name() != u"Document")
        return points;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"name") {
            xml.skipCurrentElement();
            continue;
        }
        if (xml.name() != u"Placemark")
            return points;
        Point point { {}, {}, 0, 0 };
        while (xml.readNextStartElement()) {
            if (xml.name() == u"name") {
                point.name = xml.readElementText();
            } else if (xml.name() == u"description") {
                point.description = xml.readElementText();
            } else if (xml.name() == u"Point") {
                if (!xml.readNextStartElement() || xml.name() != u"coordinates")
                    return points;
                const QStringList parts = xml.readElementText().split(u',');
                if (parts.size() != 2)
                    return points;
                point.longitude = parts[0].toDouble();
                point.latitude = parts[1].toDouble();
                xml.skipCurrentElement();
            } else {
                return points;
            }
        }
        points << point;
    }
    while (!xml.atEnd())
        xml.readNext();
    ok = !xml.hasError();
    return points;
}

std::string record(const std::string &name, const std::string &latitude,
    const std::string &longitude, const std::string &type = "free",
    const std::string &op = "Boingo", const std::string &address = "1 Road")
{
    return name + "<>" + type + "<>" + op + "<>www.x.example<>555<>a@b.c<>Cafe<>" + address
        + "<>10001<>New York<>US<>" + latitude + "<>" + longitude + "<>2<>ssid<>desc<>img.jpg";
}

} // namespace

class TestExportRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void csvFieldQuoting_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("plain") << QByteArray("Cafe") << QByteArray("Cafe");
        QTest::newRow("empty") << QByteArray("") << QByteArray("");
        QTest::newRow("comma") << QByteArray("a,b") << QByteArray("\"a,b\"");
        QTest::newRow("quote") << QByteArray("say \"hi\"") << QByteArray("\"say \"\"hi\"\"\"");
        QTest::newRow("line feed") << QByteArray("a\nb") << QByteArray("\"a\nb\"");
        QTest::newRow("carriage return") << QByteArray("a\rb") << QByteArray("\"a\rb\"");
        QTest::newRow("spaces stay") << QByteArray(" a ") << QByteArray(" a ");
    }
    void csvFieldQuoting()
    {
        QFETCH(QByteArray, field);
        QFETCH(QByteArray, written);
        QCOMPARE(QByteArray::fromStdString(CsvField(field.toStdString())), written);
    }

    void csvRoundTripKeepsAll17Fields()
    {
        const std::vector<std::string> records {
            "Caf\xC3\xA9, \"Le Coin\"<>free<>Op<>http://x<>555<>e@x<>Cafe<>1 Road\r\nFloor 2<>"
            "10001<>Paris<>FR<>48.85<>2.35<>2<>ss,id<>says \"best\"<>img/a.jpg",
            "M\xFCnchen Hbf<>comm", // Latin-1, and only two fields
            "A<>B<>C<>D<>E<>F<>G<>H<>I<>J<>K<>L<>M<>N<>O<>P<>Q<>R<>S", // past 17
        };
        const ExportedFile file = ExportCsv(records);
        QCOMPARE(file.written, 3);
        QCOMPARE(file.skipped, 0);
        const auto rows = parseCsv(file.bytes);
        QVERIFY2(rows, file.bytes.c_str());
        QCOMPARE(rows->size(), 4);
        QStringList heading;
        for (const std::string &name : ExportFieldNames())
            heading << QString::fromStdString(name);
        QCOMPARE(rows->at(0), heading);
        QCOMPARE(heading.size(), HotspotFieldCount);
        for (std::size_t r = 0; r < records.size(); ++r) {
            const HotspotRecord hotspot(records[r]);
            QStringList expected;
            for (int n = 1; n <= HotspotFieldCount; ++n)
                expected << QString::fromStdString(
                    AsUtf8(hotspot.field(static_cast<HotspotField>(n))));
            QCOMPARE(rows->at(qsizetype(r) + 1), expected);
        }
        QCOMPARE(rows->at(2).at(0), QStringLiteral("M\u00FCnchen Hbf"));
        QCOMPARE(rows->at(1).at(7), QStringLiteral("1 Road\r\nFloor 2"));
    }

    void csvOfNoRecordsIsTheHeading()
    {
        const ExportedFile file = ExportCsv({});
        QCOMPARE(file.written, 0);
        const auto rows = parseCsv(file.bytes);
        QVERIFY(rows);
        QCOMPARE(rows->size(), 1);
    }

    void unknownPositionIsSkipped()
    {
        QVERIFY(!RecordPosition(record("x", "0", "0")));
        QVERIFY(RecordPosition(record("x", "0", "9.5")));
        QVERIFY(!RecordPosition(record("x", "", "9.5")));
    }

    void coordinateTextReadsBack_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("short") << 1.5 << QByteArray("1.5");
        QTest::newRow("many digits") << 40.712776 << QByteArray("40.712776");
        QTest::newRow("negative") << -0.1275 << QByteArray("-0.1275");
        QTest::newRow("whole") << 90.0 << QByteArray("90");
        QTest::newRow("tiny") << 0.00001 << QByteArray("0.00001");
    }
    void coordinateTextReadsBack()
    {
        QFETCH(double, value);
        QFETCH(QByteArray, text);
        QCOMPARE(QByteArray::fromStdString(CoordinateText(value)), text);
    }

    void gpxWaypoints()
    {
        const std::vector<std::string> records {
            record("Caf\xE9 & \"one\"", "48.8566", "2.3522"),
            record("No place", "", ""),
            record("Nowhere", "0", "0"),
            record("Far south", "-33.8688", "151.2093", "comm", "Telstra", ""),
            record("Broken", "95", "10"),
        };
        const ExportedFile file = ExportGpx(records);
        QCOMPARE(file.written, 2);
        QCOMPARE(file.skipped, 3);
        bool ok = false;
        const QList<Point> points = readGpx(file.bytes, ok);
        QVERIFY2(ok, file.bytes.c_str());
        QCOMPARE(points.size(), 2);
        QCOMPARE(points[0].name, QStringLiteral("Caf\u00E9 & \"one\""));
        QCOMPARE(points[0].latitude, 48.8566);
        QCOMPARE(points[0].longitude, 2.3522);
        QCOMPARE(points[0].description,
            QStringLiteral("Type: free\nOperator: Boingo\nAddress: 1 Road, 10001 New York"));
        QCOMPARE(points[1].name, QStringLiteral("Far south"));
        QCOMPARE(points[1].latitude, -33.8688);
        QCOMPARE(points[1].longitude, 151.2093);
        QCOMPARE(points[1].description,
            QStringLiteral("Type: comm\nOperator: Telstra\nAddress: 10001 New York"));
    }

    void kmlPlacemarks()
    {
        const std::vector<std::string> records {
            record("One", "51.5074", "-0.1278"),
            record("Skipped", "abc", "1"),
            record("Two", "-1", "-1", "", "", ""),
        };
        const ExportedFile file = ExportKml(records);
        QCOMPARE(file.written, 2);
        QCOMPARE(file.skipped, 1);
        bool ok = false;
        const QList<Point> points = readKml(file.bytes, ok);
        QVERIFY2(ok, file.bytes.c_str());
        QCOMPARE(points.size(), 2);
        QCOMPARE(points[0].name, QStringLiteral("One"));
        QCOMPARE(points[0].latitude, 51.5074);
        QCOMPARE(points[0].longitude, -0.1278);
        QCOMPARE(points[1].latitude, -1.0);
        QCOMPARE(points[1].description, QStringLiteral("Address: 10001 New York"));
    }

    void xmlStaysWellFormedWhateverTheServerSent()
    {
        // Control characters XML forbids, a Latin-1 byte and markup in every text ("<" and ">"
        // never reach a field: the record format cuts at one and drops the other).
        const std::string nasty = std::string("a\x01\x08\x0B\x0C\x1F", 6) + "]]&amp;\"'\xFF";
        const std::vector<std::string> records { nasty + "<>" + nasty + "<>" + nasty + "<><><><>"
            + nasty + "<>" + nasty + "<><>" + nasty + "<>US<>1<>2" };
        for (const ExportFormat format : { ExportFormat::Gpx, ExportFormat::Kml }) {
            const ExportedFile file = ExportRecords(format, records);
            QCOMPARE(file.written, 1);
            bool ok = false;
            const QList<Point> points
                = format == ExportFormat::Gpx ? readGpx(file.bytes, ok) : readKml(file.bytes, ok);
            QVERIFY2(ok, file.bytes.c_str());
            QCOMPARE(points.size(), 1);
            QCOMPARE(points[0].name, QStringLiteral("a]]&amp;\"'\u00FF"));
        }
    }

    void xmlText_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("escaped");
        QTest::newRow("markup") << QByteArray("<a href=\"x\">&'")
                                << QByteArray("&lt;a href=&quot;x&quot;&gt;&amp;&apos;");
        QTest::newRow("allowed controls") << QByteArray("a\tb\nc") << QByteArray("a\tb\nc");
        QTest::newRow("carriage return kept") << QByteArray("a\rb") << QByteArray("a&#13;b");
        QTest::newRow("forbidden controls dropped") << QByteArray("a\x01"
                                                                  "b\x1F")
                                                    << QByteArray("ab");
        QTest::newRow("latin-1 to UTF-8") << QByteArray("\xE9") << QByteArray("\xC3\xA9");
        QTest::newRow("UTF-8 kept") << QByteArray("\xE2\x82\xAC") << QByteArray("\xE2\x82\xAC");
        QTest::newRow("U+FFFF dropped") << QByteArray("a\xEF\xBF\xBF") << QByteArray("a");
    }
    void xmlText()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, escaped);
        QCOMPARE(QByteArray::fromStdString(XmlText(text.toStdString())), escaped);
    }

    void formatForFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("format"); // -1 for none
        QTest::newRow("csv") << QStringLiteral("/tmp/a.csv") << int(ExportFormat::Csv);
        QTest::newRow("GPX in capitals") << QStringLiteral("/tmp/a.GPX") << int(ExportFormat::Gpx);
        QTest::newRow("kml") << QStringLiteral("trip.kml") << int(ExportFormat::Kml);
        QTest::newRow("no extension") << QStringLiteral("/tmp/trip") << -1;
        QTest::newRow("dot in folder only") << QStringLiteral("/tmp/a.csv/trip") << -1;
        QTest::newRow("other extension") << QStringLiteral("trip.txt") << -1;
        QTest::newRow("csv inside the name") << QStringLiteral("a.csv.bak") << -1;
    }
    void formatForFileName()
    {
        QFETCH(QString, name);
        QFETCH(int, format);
        const auto found = FormatForFileName(name.toStdString());
        QCOMPARE(found ? int(*found) : -1, format);
    }
};

QTEST_GUILESS_MAIN(TestExportRules)
#include "tst_export_rules.moc"
