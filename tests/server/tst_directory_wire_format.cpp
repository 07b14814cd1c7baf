#include "rules/hotspot.h"
#include "rules/wire_format.h"
#include "server/client_reading.h"

#include <QTest>
#include <set>

using namespace pellomar::directory;

namespace {

Hotspot sampleHotspot()
{
    Hotspot h;
    h.id = 42;
    h.locationName = "Café Lumière";
    h.accessType = 2;
    h.operatorName = "OpenAir Networks";
    h.websiteUrl = "www.cafelumiere.example";
    h.phoneNumber = "+33 1 234 5678";
    h.emailAddress = "info@cafelumiere.example";
    h.locationTypeCode = "CAFE";
    h.address = "12 rue de la Paix";
    h.zip = "75002";
    h.city = "Paris";
    h.countryCode = "FR";
    h.latitude = "48.869100";
    h.longitude = "2.331400";
    h.technologyCode = 3;
    h.ssidInfo = "SSID: lumiere-guest";
    h.description = "Accès gratuit pour les clients.";
    h.imagePath = "images/42.jpg";
    return h;
}

RecordFields fieldsOf(std::initializer_list<std::string> values)
{
    RecordFields fields;
    std::size_t i = 0;
    for (const auto &value : values)
        fields[i++] = value;
    return fields;
}

} // namespace

class TestDirectoryWireFormat : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void recordFieldsInClientOrder()
    {
        const RecordFields fields = recordFields(sampleHotspot(), "Café");
        const RecordFields expected
            = fieldsOf({ "Café Lumière", "free (with registration)", "OpenAir Networks",
                "www.cafelumiere.example", "+33 1 234 5678", "info@cafelumiere.example", "Café",
                "12 rue de la Paix", "75002", "Paris", "FR", "48.869100", "2.331400", "3",
                "SSID: lumiere-guest", "Accès gratuit pour les clients.", "images/42.jpg" });
        QCOMPARE(fields, expected);
    }

    void clientReadsWhatWasSent_data()
    {
        QTest::addColumn<int>("recordCount");
        QTest::addColumn<std::string>("value");
        QTest::newRow("one record") << 1 << std::string("Hotel Sonne");
        QTest::newRow("accented values") << 12 << std::string("Grüner Baum Straße Ærø ő 東京");
        QTest::newRow("one-letter values") << 7 << std::string("x");
        QTest::newRow("empty values") << 9 << std::string();
        QTest::newRow("lower-case end and legend") << 6 << std::string("Legend of the end");
        QTest::newRow("values ending in E and EN") << 10 << std::string("BRIDGE EN");
        QTest::newRow("every break position") << 40 << std::string("Museum of Modern Art");
    }

    void clientReadsWhatWasSent()
    {
        QFETCH(int, recordCount);
        QFETCH(std::string, value);
        std::vector<RecordFields> records;
        for (int r = 0; r < recordCount; ++r) {
            RecordFields fields;
            for (std::size_t f = 0; f < RecordFieldCount; ++f)
                fields[f] = f % 3 == 1 ? value + std::to_string(r) : value;
            records.push_back(fields);
        }
        const std::string body = encodeRecords(records);
        const auto lines = pellomar::test::clientRecordLines(body);
        QCOMPARE(lines.size(), records.size());
        for (std::size_t r = 0; r < records.size(); ++r) {
            const auto fields = pellomar::test::clientFields(lines[r]);
            for (std::size_t f = 0; f < RecordFieldCount; ++f) {
                // The client trims a record line, so spaces at the line's ends cannot survive.
                QCOMPARE(fields[f], records[r][f]);
            }
        }
    }

    void lineBreaksFallAtVaryingPlaces()
    {
        const std::vector<RecordFields> records(25, recordFields(sampleHotspot(), "Café"));
        const std::string body = encodeRecords(records);
        const auto count = [&body](std::string_view what) {
            std::size_t n = 0;
            for (auto at = body.find(what); at != std::string::npos;
                 at = body.find(what, at + what.size()))
                ++n;
            return n;
        };
        // A break inside "<>" or "END" would leave fewer of them whole.
        QCOMPARE(count("END"), records.size());
        QCOMPARE(count("<>"), records.size() * (RecordFieldCount - 1));

        std::set<std::size_t> fieldsWithBreaks;
        int recordsRunningOn = 0;
        int emptyLines = 0;
        std::size_t recordStart = 0;
        for (auto end = body.find("END"); end != std::string::npos;
             end = body.find("END", end + 3)) {
            const std::string_view record(body.data() + recordStart, end - recordStart);
            for (auto at = record.find("\r\n"); at != std::string_view::npos;
                 at = record.find("\r\n", at + 2)) {
                QVERIFY2((static_cast<unsigned char>(record[at + 2 < record.size() ? at + 2 : at])
                             & 0xC0)
                        != 0x80,
                    "a break splits a UTF-8 character");
                std::size_t field = 0;
                for (auto sep = record.find("<>"); sep != std::string_view::npos && sep < at;
                     sep = record.find("<>", sep + 2))
                    ++field;
                if (at > 0 && record.compare(at - 2, 2, "<>") != 0 && at + 2 < record.size())
                    fieldsWithBreaks.insert(field);
            }
            if (end + 3 < body.size() && body.compare(end + 3, 2, "\r\n") != 0)
                ++recordsRunningOn;
            if (body.compare(end + 3, 4, "\r\n\r\n") == 0)
                ++emptyLines;
            recordStart = end + 3;
        }
        QVERIFY2(
            fieldsWithBreaks.size() >= 10, "breaks inside values should move from field to field");
        QVERIFY(recordsRunningOn > 0);
        QVERIFY(emptyLines > 0);
    }

    void noRecordsGiveAnEmptyBody() { QCOMPARE(encodeRecords({}), std::string()); }

    void unsafeText_data()
    {
        QTest::addColumn<std::string>("value");
        QTest::addColumn<int>("problem");
        const auto none = int(UnsafeText::None);
        QTest::newRow("plain") << std::string("Hotel Sonne") << none;
        QTest::newRow("accented") << std::string("Café Émile") << none;
        QTest::newRow("empty") << std::string() << none;
        QTest::newRow("lower-case end") << std::string("the end") << none;
        QTest::newRow("mixed-case End") << std::string("World's End Pub") << none;
        QTest::newRow("END split by a space") << std::string("EN D") << none;
        QTest::newRow("less-than") << std::string("a<b") << int(UnsafeText::AngleBracket);
        QTest::newRow("greater-than") << std::string("a>b") << int(UnsafeText::AngleBracket);
        QTest::newRow("separator") << std::string("a<>b") << int(UnsafeText::AngleBracket);
        QTest::newRow("LEGEND") << std::string("LEGEND Bar") << int(UnsafeText::EndMarker);
        QTest::newRow("END alone") << std::string("END") << int(UnsafeText::EndMarker);
        QTest::newRow("WEEKEND") << std::string("open WEEKENDS") << int(UnsafeText::EndMarker);
        QTest::newRow("tab") << std::string("a\tb") << int(UnsafeText::ControlCharacter);
        QTest::newRow("line feed") << std::string("a\nb") << int(UnsafeText::ControlCharacter);
        QTest::newRow("carriage return")
            << std::string("a\rb") << int(UnsafeText::ControlCharacter);
        QTest::newRow("delete") << std::string("a\x7f") << int(UnsafeText::ControlCharacter);
    }

    void unsafeText()
    {
        QFETCH(std::string, value);
        QFETCH(int, problem);
        QCOMPARE(int(unsafeTextIn(value)), problem);
        QCOMPARE(isWireSafe(value), problem == int(UnsafeText::None));
    }

    void accessTypeCodes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::newRow("1") << QStringLiteral("1") << 1;
        QTest::newRow("2") << QStringLiteral("2") << 2;
        QTest::newRow("3") << QStringLiteral("3") << 3;
        QTest::newRow("spaces around") << QStringLiteral(" 2 ") << 2;
        QTest::newRow("0") << QStringLiteral("0") << 0;
        QTest::newRow("4") << QStringLiteral("4") << 0;
        QTest::newRow("12") << QStringLiteral("12") << 0;
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("word") << QStringLiteral("free") << 0;
    }

    void accessTypeCodes()
    {
        QFETCH(QString, text);
        QFETCH(int, code);
        QCOMPARE(parseAccessTypeCode(text.toStdString()).value_or(0), code);
    }

    void accessTypeWording()
    {
        QCOMPARE(accessTypeText(1), "free");
        QCOMPARE(accessTypeText(2), "free (with registration)");
        QCOMPARE(accessTypeText(3), "commercial");
        QVERIFY(accessTypeText(0).empty());
    }

    void datasetLineRoundTrip()
    {
        const Hotspot h = sampleHotspot();
        const std::string line = formatDatasetLine(h);
        QCOMPARE(std::count(line.begin(), line.end(), '\t'), 17);
        QCOMPARE(parseDatasetLine(line), std::optional<Hotspot>(h));
        QCOMPARE(parseDatasetLine(line + "\r"), std::optional<Hotspot>(h));
        Hotspot sparse;
        sparse.id = 7;
        sparse.locationName = "Kiosk";
        QCOMPARE(parseDatasetLine(formatDatasetLine(sparse)), std::optional<Hotspot>(sparse));
    }

    void malformedDatasetLines_data()
    {
        QTest::addColumn<std::string>("line");
        const std::string good = formatDatasetLine(sampleHotspot());
        const auto replaceColumn = [&good](int column, const std::string &value) {
            std::string line;
            int index = 0;
            std::size_t start = 0;
            for (;;) {
                const auto tab = good.find('\t', start);
                const std::string cell
                    = good.substr(start, tab == std::string::npos ? tab : tab - start);
                line += index == column ? value : cell;
                if (tab == std::string::npos)
                    return line;
                line += '\t';
                start = tab + 1;
                ++index;
            }
        };
        QTest::newRow("empty") << std::string();
        QTest::newRow("one column short") << good.substr(0, good.rfind('\t'));
        QTest::newRow("one column more") << good + "\textra";
        QTest::newRow("id not a number") << replaceColumn(0, "x1");
        QTest::newRow("id zero") << replaceColumn(0, "0");
        QTest::newRow("id with trailing text") << replaceColumn(0, "12a");
        QTest::newRow("access type 4") << replaceColumn(2, "4");
        QTest::newRow("technology empty") << replaceColumn(14, "");
    }

    void malformedDatasetLines()
    {
        QFETCH(std::string, line);
        QVERIFY(!parseDatasetLine(line).has_value());
    }
};

QTEST_APPLESS_MAIN(TestDirectoryWireFormat)
#include "tst_directory_wire_format.moc"
