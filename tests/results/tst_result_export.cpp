#include "common/harness.h"
#include "platform/save_dialog.h"
#include "results/result_export.h"

#include <QDir>
#include <QTest>

using namespace pellomar;
using namespace pellomar::test;
using namespace Qt::StringLiterals;

namespace {

// UTF-8, markup, quotes, a control character XML cannot hold, a comma, a CR LF and a '+'
// sign; then Latin-1 and no position.
const std::vector<std::string> Records {
    "Caf\xC3\xA9 & \"one\"\x01 'x'<>free<>Boingo<>http://x<>555<>a@b<>Cafe<>1 Road\r\nFloor 2"
    "<>10001<>New York<>US<>+40.7<>-74<>2<>ss,id<>says \"best\"<>img/a.jpg",
    "M\xFCnchen Hbf<>comm",
};

} // namespace

// "Export results…": the file's bytes in each format, and what the user is told.
class TestResultExport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writes_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray csv = "LocationName,HotspotType,Operator,WebsiteURL,PhoneNumber,"
                               "EmailAddress,LocationType,Address,ZIP,City,CountryCode,Latitude,"
                               "Longitude,TechnologyCode,SSidInfo,Description,ImagePath\r\n"
                               "\"Caf\xC3\xA9 & \"\"one\"\"\x01 'x'\",free,Boingo,http://x,555,a@b,"
                               "Cafe,\"1 Road\r\nFloor 2\",10001,New York,US,+40.7,-74,2,"
                               "\"ss,id\",\"says \"\"best\"\"\",img/a.jpg\r\n"
                               "M\xC3\xBCnchen Hbf,comm,,,,,,,,,,,,,,,\r\n";
        const QByteArray start = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
        const QByteArray place = "<name>Caf\xC3\xA9 &amp; &quot;one&quot; 'x'</name>";
        const QByteArray about = "Type: free\nOperator: Boingo\nAddress: 1 Road&#13;\nFloor 2, "
                                 "10001 New York";
        QTest::newRow("CSV") << u"out.csv"_s << u"out.csv"_s << csv;
        QTest::newRow("GPX, in capitals") << u"out.GPX"_s << u"out.GPX"_s
                                          << start
                + "<gpx version=\"1.1\" creator=\"Pellomar\" "
                  "xmlns=\"http://www.topografix.com/GPX/1/1\">\n  <wpt lat=\"40.7\" lon=\"-74\">"
                + place + "<desc>" + about + "</desc><type>Cafe</type></wpt>\n</gpx>\n";
        QTest::newRow("KML") << u"out.kml"_s << u"out.kml"_s
                             << start
                + "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n"
                  "<name>Pellomar hotspots</name>\n  <Placemark>"
                + place + "<description>" + about
                + "</description><Point><coordinates>-74,40.7</coordinates></Point>"
                  "</Placemark>\n</Document>\n</kml>\n";
        QTest::newRow("no extension: the chosen filter's") << u"out"_s << u"out.csv"_s << csv;
    }
    void writes()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        RecordedBoxes boxes;
        SaveDialog::setResponder([&](const SaveDialog::Request &) { return dir.filePath(chosen); });
        exportResults(nullptr, Records);
        SaveDialog::setResponder({});
        QCOMPARE(fileBytes(dir.filePath(written)), bytes);
        QCOMPARE(boxes.titles(), QStringList { u"Exported"_s });
        const QString to = QDir::toNativeSeparators(dir.filePath(written));
        QCOMPARE(boxes.boxes.first().text,
            written.endsWith(u".csv"_s) ? u"2 hotspots exported to\r\n\r\n"_s + to
                                        : u"1 hotspot exported to\r\n\r\n"_s + to
                    + u"\r\n\r\n1 hotspot without valid coordinates left out."_s);
    }
};

QTEST_MAIN(TestResultExport)
#include "tst_result_export.moc"
