#include "dataset/world_table.h"
#include "reference/reference_table.h"
#include "rules/hotspot.h"
#include "rules/text_keys.h"
#include "rules/wire_format.h"

#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <set>

using namespace pellomar::directory;
using namespace Qt::Literals::StringLiterals;

namespace {

QString binDir()
{
    return qEnvironmentVariable("PELLOMAR_BIN_DIR");
}

QString sourcePath(const QString &relative)
{
    return qEnvironmentVariable("PELLOMAR_SOURCE_DIR") + u'/' + relative;
}

std::string readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

bool isAscii(std::string_view text)
{
    return std::all_of(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

class TestDirectoryDataset : public QObject {
    Q_OBJECT

    std::vector<Hotspot> m_hotspots;
    WorldTable m_world;
    pellomar::ReferenceFile m_countries { pellomar::ReferenceTable(0), 0 };
    pellomar::ReferenceFile m_types { pellomar::ReferenceTable(0), 0 };
    QString m_dataDir;

    std::string typeName(const std::string &code) const
    {
        for (const auto &row : m_types.table.rows()) {
            if (row.code == code)
                return row.name;
        }
        return {};
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_dataDir = binDir() + u"/directory"_s;
        const std::string table = readAll(m_dataDir + u"/hotspots.txt"_s);
        QVERIFY2(!table.empty(), "the build writes the dataset next to the server");
        int lineNumber = 0;
        for (std::string_view line : pellomar::SplitLines(table)) {
            if (++lineNumber == 1)
                continue;
            const auto hotspot = parseDatasetLine(line);
            QVERIFY2(hotspot.has_value(), std::string(line).c_str());
            m_hotspots.push_back(*hotspot);
        }
        const auto world = parseWorldTable(readAll(sourcePath(u"server/dataset/world.txt"_s)));
        QVERIFY2(world.table.has_value(), world.error.c_str());
        m_world = *world.table;
        m_countries = pellomar::ParseCountries(readAll(sourcePath(u"data/countries.txt"_s)));
        m_types = pellomar::ParseLocationTypes(readAll(sourcePath(u"data/locations.txt"_s)));
        QVERIFY(!m_types.table.rows().empty());
    }

    void worldWideAndLargeEnough()
    {
        std::set<std::string> countries;
        std::map<std::string, int> perCity;
        std::set<std::int64_t> ids;
        for (const auto &h : m_hotspots) {
            countries.insert(h.countryCode);
            ++perCity[h.countryCode + "|" + h.city];
            ids.insert(h.id);
        }
        QVERIFY(m_hotspots.size() >= 5000);
        QCOMPARE(ids.size(), m_hotspots.size());
        QVERIFY(countries.size() >= 40);
        QVERIFY(perCity.size() >= 200);
        int largest = 0;
        for (const auto &[city, count] : perCity)
            largest = std::max(largest, count);
        QVERIFY2(largest > 300, "one city must have more hotspots than the client lists at once");
        // More than a reply carries in one country, so the reply limit is reached.
        QVERIFY(std::count_if(m_hotspots.begin(), m_hotspots.end(), [](const Hotspot &h) {
            return h.countryCode == "US";
        }) > 1000);
    }

    void everyTypeAndCodeIsUsed()
    {
        std::set<std::string> types;
        std::set<int> access;
        std::set<int> technology;
        for (const auto &h : m_hotspots) {
            types.insert(h.locationTypeCode);
            access.insert(h.accessType);
            technology.insert(h.technologyCode);
        }
        for (const auto &row : m_types.table.rows())
            QVERIFY2(types.contains(row.code), row.code.c_str());
        QCOMPARE(types.size(), m_types.table.rows().size());
        QCOMPARE(access, (std::set<int> { 1, 2, 3 }));
        QCOMPARE(technology, (std::set<int> { 1, 2, 3 }));
    }

    void realisticValues()
    {
        int www = 0, http = 0, accentedNames = 0, phones = 0, emails = 0, ssids = 0,
            descriptions = 0;
        for (const auto &h : m_hotspots) {
            www += h.websiteUrl.starts_with("www.");
            http += h.websiteUrl.starts_with("http://");
            accentedNames += !isAscii(h.locationName) || !isAscii(h.address);
            phones += h.phoneNumber.starts_with("+");
            emails += h.emailAddress.find('@') != std::string::npos;
            ssids += !h.ssidInfo.empty();
            descriptions += h.description.size() > 10;
            QVERIFY(!h.locationName.empty());
            QVERIFY(!h.address.empty());
            QVERIFY(!h.operatorName.empty());
        }
        const int n = int(m_hotspots.size());
        QVERIFY(www > n / 10);
        QVERIFY(http > n / 10);
        QVERIFY(accentedNames > n / 20);
        QVERIFY(phones > n / 2);
        QVERIFY(emails > n / 2);
        QCOMPARE(ssids, n);
        QVERIFY(descriptions > n / 2);
    }

    void everyValueReachesTheClientWhole()
    {
        for (const auto &h : m_hotspots) {
            const std::string name = typeName(h.locationTypeCode);
            QVERIFY(!name.empty());
            for (const auto &value : recordFields(h, name)) {
                QVERIFY2(value.find('<') == std::string::npos, value.c_str());
                QVERIFY2(value.find('>') == std::string::npos, value.c_str());
                QVERIFY2(value.find("END") == std::string::npos, value.c_str());
                QVERIFY2(value.find_first_of("\t\r\n") == std::string::npos, value.c_str());
                QVERIFY2(isValidUtf8(value), value.c_str());
            }
        }
    }

    void placesAreRealCities()
    {
        std::map<std::string, const WorldCity *> cities;
        for (const auto &city : m_world.cities)
            cities[city.countryCode + "|" + city.name] = &city;
        for (const auto &h : m_hotspots) {
            QVERIFY2(
                m_countries.table.nameForCode(h.countryCode).has_value(), h.countryCode.c_str());
            const auto it = cities.find(h.countryCode + "|" + h.city);
            QVERIFY2(it != cities.end(), h.city.c_str());
            const WorldCity &city = *it->second;
            const double latitude = std::stod(h.latitude);
            const double longitude = std::stod(h.longitude);
            QVERIFY2(std::abs(latitude - city.latitude) < 0.05, h.latitude.c_str());
            QVERIFY2(std::abs(longitude - city.longitude) < 0.2, h.longitude.c_str());
            if (city.postalCodes.empty())
                QVERIFY(h.zip.empty());
            else
                QVERIFY2(std::find(city.postalCodes.begin(), city.postalCodes.end(), h.zip)
                        != city.postalCodes.end(),
                    h.zip.c_str());
        }
    }

    void picturesLoadAndVary()
    {
        std::set<std::pair<int, int>> jpegSizes;
        std::set<std::pair<int, int>> gifSizes;
        std::size_t withPicture = 0;
        for (const auto &h : m_hotspots) {
            if (h.imagePath.empty())
                continue;
            ++withPicture;
            QVERIFY(h.imagePath.size() > 5);
            QVERIFY(!h.imagePath.starts_with("/"));
            QVERIFY(h.imagePath.find(',') == std::string::npos);
            QImageReader reader(m_dataDir + u'/' + QString::fromStdString(h.imagePath));
            const QByteArray format = reader.format();
            const QImage image = reader.read();
            QVERIFY2(!image.isNull(), h.imagePath.c_str());
            const auto size = std::make_pair(image.width(), image.height());
            if (h.imagePath.ends_with(".gif")) {
                QCOMPARE(format, QByteArray("gif"));
                gifSizes.insert(size);
            } else {
                QVERIFY(h.imagePath.ends_with(".jpg"));
                QCOMPARE(format, QByteArray("jpeg"));
                jpegSizes.insert(size);
            }
        }
        QVERIFY2(withPicture > m_hotspots.size() / 6, "a good share of hotspots has a picture");
        QVERIFY(jpegSizes.size() >= 4);
        QVERIFY(gifSizes.size() >= 4);
    }

    void smallerThanTwentyMegabytes()
    {
        qint64 total = 0;
        QDirIterator it(m_dataDir, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            total += it.fileInfo().size();
        }
        QVERIFY(total > 1'000'000);
        QVERIFY2(total < 20'000'000, qPrintable(QString::number(total)));
    }

    void generatorWritesTheSameBytesAgain()
    {
        QTemporaryDir out;
        QVERIFY(out.isValid());
        QProcess generator;
        generator.start(binDir() + u"/pellomar-directory-dataset"_s,
            { u"--world"_s, sourcePath(u"server/dataset/world.txt"_s), u"--countries"_s,
                sourcePath(u"data/countries.txt"_s), u"--locations"_s,
                sourcePath(u"data/locations.txt"_s), u"--out"_s, out.path() });
        QVERIFY(generator.waitForFinished(120000));
        QCOMPARE(generator.exitCode(), 0);
        QCOMPARE(readAll(out.filePath(u"hotspots.txt"_s)), readAll(m_dataDir + u"/hotspots.txt"_s));
        int compared = 0;
        QDirIterator it(out.filePath(u"images"_s), QDir::Files);
        while (it.hasNext()) {
            const QString path = it.next();
            const std::string again = readAll(path);
            QVERIFY(!again.empty());
            if (again != readAll(m_dataDir + u"/images/"_s + it.fileName()))
                QFAIL(qPrintable(it.fileName() + u" differs"_s));
            ++compared;
        }
        QVERIFY(compared > 0);
        QCOMPARE(QDir(m_dataDir + u"/images"_s).count() - 2, uint(compared));
    }

    void generatorRefusesABrokenWorldTable()
    {
        QTemporaryDir out;
        QFile world(out.filePath(u"world.txt"_s));
        QVERIFY(world.open(QIODevice::WriteOnly));
        world.write("@US|1|en\nUS|New York|north|-74.0|10001|5\n");
        world.close();
        QProcess generator;
        generator.start(binDir() + u"/pellomar-directory-dataset"_s,
            { u"--world"_s, world.fileName(), u"--countries"_s, sourcePath(u"data/countries.txt"_s),
                u"--locations"_s, sourcePath(u"data/locations.txt"_s), u"--out"_s,
                out.filePath(u"data"_s) });
        QVERIFY(generator.waitForFinished(30000));
        QCOMPARE(generator.exitCode(), 1);
        QVERIFY(generator.readAllStandardError().contains("line 2: latitude and longitude"));
        QVERIFY(!QFile::exists(out.filePath(u"data/hotspots.txt"_s)));
    }

    void worldTableErrors_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("error");
        QTest::newRow("city before its country")
            << QByteArray("US|Boston|42.36|-71.05|02108|5\n")
            << QByteArray("line 1: the city's country has no country line before it");
        QTest::newRow("country line short")
            << QByteArray("@US|1\n")
            << QByteArray("line 1: a country line needs a two-letter code, a dialling code and a "
                          "language");
        QTest::newRow("city line short") << QByteArray("@US|1|en\nUS|Boston|42.36|-71.05|5\n")
                                         << QByteArray("line 2: a city line needs six columns");
        QTest::newRow("latitude out of range")
            << QByteArray("@US|1|en\nUS|Boston|92|-71.05|02108|5\n")
            << QByteArray("line 2: latitude and longitude must be degrees");
        QTest::newRow("no hotspots")
            << QByteArray("@US|1|en\n# comment\n\nUS|Boston|42.36|-71.05||0\n")
            << QByteArray("line 4: the number of hotspots must be a positive number");
    }

    void worldTableErrors()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, error);
        const auto result = parseWorldTable(text.toStdString());
        QVERIFY(!result.table.has_value());
        QCOMPARE(QByteArray::fromStdString(result.error), error);
    }

    void worldTableReadsCities()
    {
        const auto result
            = parseWorldTable("@GB|44|en\r\nGB|London|51.5074|-0.1278|SW1A 1AA;EC1A 1BB|380\r\n"
                              "GB|Nowhere|1|2||3");
        QVERIFY(result.table.has_value());
        QCOMPARE(result.table->cities.size(), 2u);
        const WorldCity &london = result.table->cities[0];
        QCOMPARE(london.name, "London");
        QCOMPARE(london.postalCodes, (std::vector<std::string> { "SW1A 1AA", "EC1A 1BB" }));
        QCOMPARE(london.hotspots, 380);
        QVERIFY(result.table->cities[1].postalCodes.empty());
        QCOMPARE(result.table->country("GB")->diallingCode, "44");
    }
};

QTEST_MAIN(TestDirectoryDataset)
#include "tst_directory_dataset.moc"
