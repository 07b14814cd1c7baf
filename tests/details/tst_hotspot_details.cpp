#include "details/hotspot_details.h"
#include "details/image_request.h"
#include "details/saved_hotspot.h"
#include "reference/reference_table.h"

#include <QTest>
#include <string>
#include <vector>

using namespace pellomar;

namespace {

// A record line in the directory's form: fields separated by "<>".
std::string recordOf(const std::vector<std::string> &fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += "<>";
        line += fields[i];
    }
    return line;
}

// A record with field `index` set to `value` and all others empty.
std::string recordWith(int index, const std::string &value)
{
    std::vector<std::string> fields(17);
    fields[std::size_t(index - 1)] = value;
    return recordOf(fields);
}

ReferenceTable countries()
{
    ReferenceTable table(ReferenceTable::CountryCapacity);
    table.append({ "United States of America", "US" });
    table.append({ "Germany", "DE" });
    table.append({ "Åland Islands", "AX" });
    return table;
}

CountryNameLookup lookupIn(const ReferenceTable &table)
{
    return [&table](std::string_view code) { return table.nameForCode(code).value_or(""); };
}

QByteArray bytes(const std::string &s)
{
    return QByteArray::fromStdString(s);
}

// Picture bytes with a NUL and bytes above 127 in them.
const QByteArray Binary("GIF89a\x00\x01\xFF\r\n", 11);

const std::string FullRecord = recordOf({ "  Cafe Lumen ", "free", "Lumen Networks",
    "www.lumen.example", "0", "info@lumen.example", "Cafe", "12 Main Street", "0", "Springfield",
    " us ", "", "-89.5", "2", "LumenFree", "-", "images/lumen,1.jpg" });

} // namespace

class tst_HotspotDetails : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tidying_data();
    void tidying();
    void tidyingIsCaseSensitiveAndExact_data();
    void tidyingIsCaseSensitiveAndExact();
    void fullRecord();
    void emptyRecord();
    void repeatedReadsGiveTheSameValues();
    void country_data();
    void country();
    void imagePath_data();
    void imagePath();
    void imageRequest_data();
    void imageRequest();
    void imageReplyBody_data();
    void imageReplyBody();
    void savedTextByteForByte();
    void savedTextOfEmptyRecord();
    void savedTextKeepsBytesAsReceived();
};

// Each row: the record field, its raw text, the label it shows in and the expected text.
void tst_HotspotDetails::tidying_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<QByteArray>("shown");

    QTest::newRow("latitude empty") << 12 << QByteArray() << QByteArray("-");
    QTest::newRow("latitude spaces") << 12 << QByteArray("   ") << QByteArray("-");
    QTest::newRow("latitude 0 stays") << 12 << QByteArray("0") << QByteArray("0");
    QTest::newRow("latitude value trimmed") << 12 << QByteArray(" 51.5 ") << QByteArray("51.5");
    QTest::newRow("longitude empty") << 13 << QByteArray() << QByteArray("-");
    QTest::newRow("longitude 0 stays") << 13 << QByteArray("0") << QByteArray("0");

    QTest::newRow("type free") << 2 << QByteArray("free") << QByteArray("Free");
    QTest::newRow("type comm") << 2 << QByteArray("comm") << QByteArray("Comm");
    QTest::newRow("type reg") << 2 << QByteArray("reg") << QByteArray("Reg");
    QTest::newRow("type inside a word")
        << 2 << QByteArray("registered") << QByteArray("Registered");
    QTest::newRow("type every occurrence")
        << 2 << QByteArray("free free-reg commcomm") << QByteArray("Free Free-Reg CommComm");
    QTest::newRow("type all three run together")
        << 2 << QByteArray("regfreecomm") << QByteArray("RegFreeComm");
    QTest::newRow("type trimmed first") << 2 << QByteArray("  free ") << QByteArray("Free");

    QTest::newRow("technology 1") << 14 << QByteArray("1") << QByteArray("802.11B");
    QTest::newRow("technology 2") << 14 << QByteArray("2") << QByteArray("802.11B/G");
    QTest::newRow("technology 3") << 14 << QByteArray("3") << QByteArray("802.11G");
    QTest::newRow("technology 2 with spaces") << 14 << QByteArray(" 2 ") << QByteArray("802.11B/G");
    QTest::newRow("technology 4 unchanged") << 14 << QByteArray("4") << QByteArray("4");
    QTest::newRow("technology 0 unchanged") << 14 << QByteArray("0") << QByteArray("0");
    QTest::newRow("technology empty unchanged") << 14 << QByteArray() << QByteArray();
    QTest::newRow("technology 02 unchanged") << 14 << QByteArray("02") << QByteArray("02");
    QTest::newRow("technology 12 unchanged") << 14 << QByteArray("12") << QByteArray("12");

    QTest::newRow("zip 0") << 9 << QByteArray("0") << QByteArray("-");
    QTest::newRow("zip empty") << 9 << QByteArray() << QByteArray("-");
    QTest::newRow("zip 0 with spaces") << 9 << QByteArray(" 0  ") << QByteArray("-");
    QTest::newRow("zip 00 unchanged") << 9 << QByteArray("00") << QByteArray("00");
    QTest::newRow("zip value") << 9 << QByteArray("10115") << QByteArray("10115");
    QTest::newRow("phone 0") << 5 << QByteArray("0") << QByteArray("-");
    QTest::newRow("phone empty") << 5 << QByteArray() << QByteArray("-");
    QTest::newRow("phone 00 unchanged") << 5 << QByteArray("00") << QByteArray("00");

    QTest::newRow("url www.") << 4 << QByteArray("www.x.example")
                              << QByteArray("http://www.x.example");
    QTest::newRow("url www. after spaces")
        << 4 << QByteArray("  www.x.example") << QByteArray("http://www.x.example");
    QTest::newRow("url only www.") << 4 << QByteArray("www.") << QByteArray("http://www.");
    QTest::newRow("url http:// unchanged")
        << 4 << QByteArray("http://www.x.example") << QByteArray("http://www.x.example");
    QTest::newRow("url capitals unchanged")
        << 4 << QByteArray("WWW.X.EXAMPLE") << QByteArray("WWW.X.EXAMPLE");
    QTest::newRow("url www without dot unchanged")
        << 4 << QByteArray("wwwx.example") << QByteArray("wwwx.example");
    QTest::newRow("url other unchanged") << 4 << QByteArray("x.example") << QByteArray("x.example");

    QTest::newRow("description -") << 16 << QByteArray("-") << QByteArray();
    QTest::newRow("description 0") << 16 << QByteArray("0") << QByteArray();
    QTest::newRow("description 0 with spaces") << 16 << QByteArray(" 0 ") << QByteArray();
    QTest::newRow("description --") << 16 << QByteArray("--") << QByteArray("--");
    QTest::newRow("description 00") << 16 << QByteArray("00") << QByteArray("00");
    QTest::newRow("description text") << 16 << QByteArray("Open 9-5") << QByteArray("Open 9-5");

    QTest::newRow("name trimmed") << 1 << QByteArray("  Cafe  ") << QByteArray("Cafe");
    QTest::newRow("name with > dropped") << 1 << QByteArray("A>B") << QByteArray("AB");
    QTest::newRow("operator 0 unchanged") << 3 << QByteArray("0") << QByteArray("0");
    QTest::newRow("email empty stays empty") << 6 << QByteArray() << QByteArray();
    QTest::newRow("city free not capitalised")
        << 10 << QByteArray("freeport") << QByteArray("freeport");
}

void tst_HotspotDetails::tidying()
{
    QFETCH(int, field);
    QFETCH(QByteArray, raw);
    QFETCH(QByteArray, shown);

    const HotspotDetails d = ReadHotspotDetails(recordWith(field, raw.toStdString()), {});
    const std::string *value = nullptr;
    switch (field) {
    case 1:
        value = &d.lblName;
        break;
    case 2:
        value = &d.lblType;
        break;
    case 3:
        value = &d.lblOperator;
        break;
    case 4:
        value = &d.lblURL;
        break;
    case 5:
        value = &d.lblPhone;
        break;
    case 6:
        value = &d.lblEmail;
        break;
    case 9:
        value = &d.lblZIP;
        break;
    case 10:
        value = &d.lblCity;
        break;
    case 12:
        value = &d.lblLatitude;
        break;
    case 13:
        value = &d.lblLongitude;
        break;
    case 14:
        value = &d.lblTechnology;
        break;
    case 16:
        value = &d.lblInfo;
        break;
    default:
        QFAIL("no label for this field in the table");
    }
    QCOMPARE(bytes(*value), shown);
}

// The tidying functions on their own: exact, case-sensitive comparisons only.
void tst_HotspotDetails::tidyingIsCaseSensitiveAndExact_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("shown");
    QTest::newRow("Free stays") << QByteArray("Free") << QByteArray("Free");
    QTest::newRow("FREE stays") << QByteArray("FREE") << QByteArray("FREE");
    QTest::newRow("fREE stays") << QByteArray("fREE") << QByteArray("fREE");
    QTest::newRow("Comm stays") << QByteArray("Commercial") << QByteArray("Commercial");
    QTest::newRow("commercial") << QByteArray("commercial") << QByteArray("Commercial");
    QTest::newRow("REG stays") << QByteArray("REG") << QByteArray("REG");
    QTest::newRow("no overlap reuse") << QByteArray("freee") << QByteArray("Freee");
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void tst_HotspotDetails::tidyingIsCaseSensitiveAndExact()
{
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, shown);
    QCOMPARE(bytes(TidyHotspotType(type.toStdString())), shown);
}

void tst_HotspotDetails::fullRecord()
{
    const ReferenceTable table = countries();
    const HotspotDetails d = ReadHotspotDetails(FullRecord, lookupIn(table));
    QCOMPARE(bytes(d.title), QByteArray("Cafe Lumen"));
    QCOMPARE(bytes(d.lblName), QByteArray("Cafe Lumen"));
    QCOMPARE(bytes(d.lblType), QByteArray("Free"));
    QCOMPARE(bytes(d.lblOperator), QByteArray("Lumen Networks"));
    QCOMPARE(bytes(d.lblURL), QByteArray("http://www.lumen.example"));
    QCOMPARE(bytes(d.lblPhone), QByteArray("-"));
    QCOMPARE(bytes(d.lblEmail), QByteArray("info@lumen.example"));
    QCOMPARE(bytes(d.lblLocType), QByteArray("Cafe"));
    QCOMPARE(bytes(d.lblAddress), QByteArray("12 Main Street"));
    QCOMPARE(bytes(d.lblZIP), QByteArray("-"));
    QCOMPARE(bytes(d.lblCity), QByteArray("Springfield"));
    QCOMPARE(bytes(d.lblCountry), QByteArray("UNITED STATES OF AMERICA"));
    QCOMPARE(bytes(d.lblLatitude), QByteArray("-"));
    QCOMPARE(bytes(d.lblLongitude), QByteArray("-89.5"));
    QCOMPARE(bytes(d.lblTechnology), QByteArray("802.11B/G"));
    QCOMPARE(bytes(d.lblSSInfo), QByteArray("LumenFree"));
    QCOMPARE(bytes(d.lblInfo), QByteArray());
    QVERIFY(d.hasImage);
    // Commas stay in the path here; only the request drops them.
    QCOMPARE(bytes(d.ImageURL), QByteArray("/images/lumen,1.jpg"));
}

void tst_HotspotDetails::emptyRecord()
{
    int lookups = 0;
    const HotspotDetails d = ReadHotspotDetails("", [&lookups](std::string_view) {
        ++lookups;
        return std::string();
    });
    HotspotDetails expected;
    expected.lblLatitude = "-";
    expected.lblLongitude = "-";
    expected.lblZIP = "-";
    expected.lblPhone = "-";
    QCOMPARE(lookups, 1);
    QVERIFY(d == expected);
    QVERIFY(!d.hasImage);
}

void tst_HotspotDetails::repeatedReadsGiveTheSameValues()
{
    const ReferenceTable table = countries();
    const HotspotDetails first = ReadHotspotDetails(FullRecord, lookupIn(table));
    for (int i = 0; i < 3; ++i)
        QVERIFY(ReadHotspotDetails(FullRecord, lookupIn(table)) == first);
    // Tidying a tidied value changes nothing: no second "http://", no second "/".
    QCOMPARE(bytes(TidyWebsite(first.lblURL)), bytes(first.lblURL));
    QCOMPARE(bytes(TidyHotspotType(first.lblType)), bytes(first.lblType));
    QCOMPARE(bytes(TechnologyName(first.lblTechnology)), bytes(first.lblTechnology));
    QCOMPARE(bytes(TidyNumber(first.lblZIP)), QByteArray("-"));
}

void tst_HotspotDetails::country_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("code") << QByteArray("DE") << QByteArray("GERMANY");
    QTest::newRow("lower case with spaces") << QByteArray("  de ") << QByteArray("GERMANY");
    QTest::newRow("utf-8 name upper-cased") << QByteArray("ax") << QByteArray("ÅLAND ISLANDS");
    QTest::newRow("unknown code") << QByteArray("ZZ") << QByteArray();
    QTest::newRow("no code") << QByteArray() << QByteArray();
}

void tst_HotspotDetails::country()
{
    QFETCH(QByteArray, code);
    QFETCH(QByteArray, name);
    const ReferenceTable table = countries();
    const HotspotDetails d
        = ReadHotspotDetails(recordWith(11, code.toStdString()), lookupIn(table));
    QCOMPARE(bytes(d.lblCountry), name);
}

void tst_HotspotDetails::imagePath_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<bool>("hasImage");
    QTest::addColumn<QByteArray>("imageUrl");
    QTest::newRow("empty") << QByteArray() << false << QByteArray();
    QTest::newRow("5 characters") << QByteArray("a.jpg") << false << QByteArray("a.jpg");
    QTest::newRow("5 after trimming") << QByteArray("  a.jpg  ") << false << QByteArray("a.jpg");
    QTest::newRow("6 characters") << QByteArray("ab.jpg") << true << QByteArray("/ab.jpg");
    QTest::newRow("with folder") << QByteArray("img/12.gif") << true << QByteArray("/img/12.gif");
    QTest::newRow("> removed first") << QByteArray("a>.jpg") << false << QByteArray("a.jpg");
    QTest::newRow("2,048 bytes") << QByteArray(2048, 'a') << true << "/" + QByteArray(2048, 'a');
    QTest::newRow("2,049 bytes: garbage")
        << QByteArray(2049, 'a') << false << QByteArray(2049, 'a');
}

void tst_HotspotDetails::imagePath()
{
    QFETCH(QByteArray, field);
    QFETCH(bool, hasImage);
    QFETCH(QByteArray, imageUrl);
    const HotspotDetails d = ReadHotspotDetails(recordWith(17, field.toStdString()), {});
    QCOMPARE(d.hasImage, hasImage);
    QCOMPARE(bytes(d.ImageURL), imageUrl);
}

void tst_HotspotDetails::imageRequest_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("host");
    QTest::addColumn<QByteArray>("request");
    QTest::newRow("plain") << QByteArray("/img/1.jpg") << QByteArray("hotspots.example")
                           << QByteArray(
                                  "GET /img/1.jpg HTTP/1.0\r\nHost: hotspots.example\r\n\r\n");
    QTest::newRow("commas removed")
        << QByteArray("/img/a,b,,c.jpg") << QByteArray("127.0.0.1:8080")
        << QByteArray("GET /img/abc.jpg HTTP/1.0\r\nHost: 127.0.0.1:8080\r\n\r\n");
    QTest::newRow("what a target may hold stays")
        << QByteArray("/p/a:b@c!$&'()*+;=~-._?x=%41") << QByteArray("h")
        << QByteArray("GET /p/a:b@c!$&'()*+;=~-._?x=%41 HTTP/1.0\r\nHost: h\r\n\r\n");
    QTest::newRow("the rest is encoded")
        << QByteArray("/a b\r\n\0\x7f\xc3\xa9\"<>#%zz%4{|}\\^`.jpg", 29) << QByteArray("h")
        << QByteArray("GET /a%20b%0D%0A%00%7F%C3%A9%22%3C%3E%23%25zz%254%7B%7C%7D%5C%5E%60.jpg "
                      "HTTP/1.0\r\nHost: h\r\n\r\n");
}

void tst_HotspotDetails::imageRequest()
{
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, host);
    QFETCH(QByteArray, request);
    QCOMPARE(bytes(ImageRequest(path.toStdString(), host.toStdString())), request);
}

void tst_HotspotDetails::imageReplyBody_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("hasBody");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("status, headers, picture")
        << QByteArray("HTTP/1.0 200 OK\r\nContent-Type: image/gif\r\n\r\n") + Binary << true
        << Binary;
    QTest::newRow("only the first separator cuts")
        << QByteArray("HTTP/1.0 200 OK\r\n\r\nab\r\n\r\ncd\r\n\r\n") << true
        << QByteArray("ab\r\n\r\ncd\r\n\r\n");
    QTest::newRow("404 page is a body too")
        << QByteArray("HTTP/1.0 404 Not Found\r\n\r\n<html>no</html>") << true
        << QByteArray("<html>no</html>");
    QTest::newRow("separator at the end")
        << QByteArray("HTTP/1.0 200 OK\r\n\r\n") << true << QByteArray();
    QTest::newRow("separator first") << QByteArray("\r\n\r\nXY") << true << QByteArray("XY");
    QTest::newRow("no separator") << QByteArray("GIF89a plain bytes") << false << QByteArray();
    QTest::newRow("bare LF LF is no separator")
        << QByteArray("HTTP/1.0 200 OK\n\nGIF89a") << false << QByteArray();
    QTest::newRow("empty reply") << QByteArray() << false << QByteArray();
}

void tst_HotspotDetails::imageReplyBody()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, hasBody);
    QFETCH(QByteArray, body);
    const std::string text = reply.toStdString();
    const auto cut = ImageReplyBody(text);
    QCOMPARE(cut.has_value(), hasBody);
    if (cut)
        QCOMPARE(QByteArray(cut->data(), qsizetype(cut->size())), body);
}

void tst_HotspotDetails::savedTextByteForByte()
{
    const ReferenceTable table = countries();
    const HotspotDetails d = ReadHotspotDetails(FullRecord, lookupIn(table));
    const QByteArray expected = "Location Name: Cafe Lumen\r\n"
                                "Type: Free\r\n"
                                "Location Type: Cafe\r\n"
                                "\r\n"
                                "Operator: Lumen Networks\r\n"
                                "Website URL: http://www.lumen.example\r\n"
                                "Phone Number: -\r\n"
                                "Email Address: info@lumen.example\r\n"
                                "\r\n"
                                "Address: 12 Main Street\r\n"
                                "City: Springfield\r\n"
                                "ZIP: -\r\n"
                                "Country: UNITED STATES OF AMERICA\r\n"
                                "\r\n"
                                "Technology: 802.11B/G\r\n"
                                "SSid Info: LumenFree\r\n"
                                "\r\n"
                                "Latitude:-\r\n"
                                "Longitude: -89.5\r\n"
                                "\r\n"
                                "Notes: \r\n"
                                "\r\n";
    QCOMPARE(bytes(SavedHotspotText(d)), expected);
}

void tst_HotspotDetails::savedTextOfEmptyRecord()
{
    const QByteArray text = bytes(SavedHotspotText(ReadHotspotDetails("", {})));
    QCOMPARE(text,
        QByteArray("Location Name: \r\nType: \r\nLocation Type: \r\n\r\nOperator: \r\n"
                   "Website URL: \r\nPhone Number: -\r\nEmail Address: \r\n\r\nAddress: \r\n"
                   "City: \r\nZIP: -\r\nCountry: \r\n\r\nTechnology: \r\nSSid Info: \r\n\r\n"
                   "Latitude:-\r\nLongitude: -\r\n\r\nNotes: \r\n\r\n"));
    // 21 lines, then the extra line end.
    QCOMPARE(text.count("\r\n"), 22);
    QVERIFY(text.endsWith("Notes: \r\n\r\n"));
}

void tst_HotspotDetails::savedTextKeepsBytesAsReceived()
{
    HotspotDetails d;
    d.lblName = "Caf\xC3\xA9 M\xFC"; // UTF-8 and a stray Latin-1 byte, both kept as they are
    d.lblLatitude = "48.1";
    const QByteArray text = bytes(SavedHotspotText(d));
    QVERIFY(text.startsWith("Location Name: Caf\xC3\xA9 M\xFC\r\n"));
    QVERIFY(text.contains("\r\nLatitude:48.1\r\nLongitude: \r\n"));
}

QTEST_APPLESS_MAIN(tst_HotspotDetails)
#include "tst_hotspot_details.moc"
