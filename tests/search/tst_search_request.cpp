#include "reference/reference_table.h"
#include "search/search_request.h"

#include <QTest>

using namespace pellomar;

Q_DECLARE_METATYPE(pellomar::SearchStop)

namespace {

ReferenceTable countries()
{
    return ParseCountries("US|United States of America\r\nDE|Germany\r\nCI|Côte d'Ivoire\r\n")
        .table;
}

ReferenceTable locationTypes()
{
    return ParseLocationTypes("Airport,air\r\nCafé,CAFE\r\nHotel, HOT \r\n").table;
}

} // namespace

class TestSearchRequest : public QObject {
    Q_OBJECT

private:
    ReferenceTable m_countries = countries();
    ReferenceTable m_locationTypes = locationTypes();
    QStringList m_lookups;

    CodeLookup lookupIn(const ReferenceTable &table, const QString &which)
    {
        return [this, &table, which](std::string_view name) {
            m_lookups << which + u':' + QString::fromUtf8(name.data(), qsizetype(name.size()));
            return table.codeForName(name).value_or(std::string());
        };
    }

    SearchRequest build(const SearchFields &fields)
    {
        return BuildRequestPath(fields, lookupIn(m_countries, QStringLiteral("country")),
            lookupIn(m_locationTypes, QStringLiteral("loctype")));
    }

private Q_SLOTS:
    void init() { m_lookups.clear(); }

    void buildsPath_data()
    {
        QTest::addColumn<QByteArray>("country");
        QTest::addColumn<QByteArray>("city");
        QTest::addColumn<QByteArray>("zip");
        QTest::addColumn<QByteArray>("locationType");
        QTest::addColumn<QByteArray>("accessType");
        QTest::addColumn<QByteArray>("path");

        QTest::newRow("country only")
            << QByteArray("United States of America") << QByteArray() << QByteArray()
            << QByteArray("All") << QByteArray("All") << QByteArray("/browse-app.php?country=US");
        QTest::newRow("country in other case, spaces around")
            << QByteArray("  germany ") << QByteArray("") << QByteArray("") << QByteArray("all")
            << QByteArray("ALL") << QByteArray("/browse-app.php?country=DE");
        QTest::newRow("the worked example")
            << QByteArray("United States of America") << QByteArray(" new york ") << QByteArray()
            << QByteArray("All") << QByteArray("free")
            << QByteArray("/browse-app.php?country=US&city=new%20york&type=1");
        QTest::newRow("all five in the fixed order")
            << QByteArray("Germany") << QByteArray("Berlin") << QByteArray("10115")
            << QByteArray("Airport") << QByteArray("commercial")
            << QByteArray(
                   "/browse-app.php?country=DE&city=Berlin&zipcode=10115&loctype=AIR&type=3");
        QTest::newRow("city all in any case is left out")
            << QByteArray("Germany") << QByteArray(" aLL ") << QByteArray("  ") << QByteArray("All")
            << QByteArray("All") << QByteArray("/browse-app.php?country=DE");
        QTest::newRow("inner spaces kept, case kept")
            << QByteArray("Germany") << QByteArray("  New  York ") << QByteArray() << QByteArray()
            << QByteArray() << QByteArray("/browse-app.php?country=DE&city=New%20%20York");
        QTest::newRow("a parameter typed into a field stays a value")
            << QByteArray("Germany") << QByteArray("a&b=c") << QByteArray("1#2?3") << QByteArray()
            << QByteArray()
            << QByteArray("/browse-app.php?country=DE&city=a%26b%3Dc&zipcode=1%232%3F3");
        QTest::newRow("percent and plus are escaped")
            << QByteArray("Germany") << QByteArray("100%+x") << QByteArray() << QByteArray()
            << QByteArray() << QByteArray("/browse-app.php?country=DE&city=100%25%2Bx");
        QTest::newRow("UTF-8 letters byte by byte")
            << QByteArray("Germany") << QByteArray("Köln") << QByteArray() << QByteArray("café")
            << QByteArray() << QByteArray("/browse-app.php?country=DE&city=K%C3%B6ln&loctype=CAFE");
        QTest::newRow("unreserved characters kept")
            << QByteArray("Germany") << QByteArray("a-b.c_d~e") << QByteArray() << QByteArray()
            << QByteArray() << QByteArray("/browse-app.php?country=DE&city=a-b.c_d~e");
        QTest::newRow("tabs are not trimmed but encoded")
            << QByteArray("Germany") << QByteArray("\tx") << QByteArray() << QByteArray()
            << QByteArray() << QByteArray("/browse-app.php?country=DE&city=%09x");
        QTest::newRow("non-ASCII country name")
            << QByteArray("côte d'ivoire") << QByteArray() << QByteArray() << QByteArray()
            << QByteArray() << QByteArray("/browse-app.php?country=CI");
        QTest::newRow("location code trimmed and upper-cased")
            << QByteArray("Germany") << QByteArray() << QByteArray() << QByteArray(" HOTEL")
            << QByteArray(" free (with registration) ")
            << QByteArray("/browse-app.php?country=DE&loctype=HOT&type=2");
        QTest::newRow("zip only after country")
            << QByteArray("Germany") << QByteArray() << QByteArray(" 80331 ") << QByteArray()
            << QByteArray() << QByteArray("/browse-app.php?country=DE&zipcode=80331");
    }

    void buildsPath()
    {
        QFETCH(QByteArray, country);
        QFETCH(QByteArray, city);
        QFETCH(QByteArray, zip);
        QFETCH(QByteArray, locationType);
        QFETCH(QByteArray, accessType);
        QFETCH(QByteArray, path);
        const SearchRequest request = build({ country.toStdString(), city.toStdString(),
            zip.toStdString(), locationType.toStdString(), accessType.toStdString() });
        QCOMPARE(request.stop, SearchStop::None);
        QCOMPARE(QByteArray::fromStdString(request.path), path);
    }

    void stops_data()
    {
        QTest::addColumn<QByteArray>("country");
        QTest::addColumn<QByteArray>("locationType");
        QTest::addColumn<SearchStop>("stop");
        QTest::addColumn<QStringList>("lookups");

        QTest::newRow("empty country")
            << QByteArray() << QByteArray("Airport") << SearchStop::NoCountry << QStringList();
        QTest::newRow("spaces only")
            << QByteArray("   ") << QByteArray() << SearchStop::NoCountry << QStringList();
        QTest::newRow("All") << QByteArray("All") << QByteArray() << SearchStop::NoCountry
                             << QStringList();
        QTest::newRow("ALL with spaces")
            << QByteArray("  ALL ") << QByteArray() << SearchStop::NoCountry << QStringList();
        QTest::newRow("unknown country: no location lookup, no second message")
            << QByteArray(" Atlantis ") << QByteArray("Nowhere") << SearchStop::UnknownCountry
            << QStringList { QStringLiteral("country:atlantis") };
        QTest::newRow("unknown location type")
            << QByteArray("Germany") << QByteArray(" Nowhere ") << SearchStop::UnknownLocationType
            << QStringList { QStringLiteral("country:germany"),
                   QStringLiteral("loctype: Nowhere ") };
    }

    void stops()
    {
        QFETCH(QByteArray, country);
        QFETCH(QByteArray, locationType);
        QFETCH(SearchStop, stop);
        QFETCH(QStringList, lookups);
        const SearchRequest request
            = build({ country.toStdString(), "Berlin", "", locationType.toStdString(), "free" });
        QCOMPARE(request.stop, stop);
        QCOMPARE(m_lookups, lookups);
        if (stop != SearchStop::UnknownLocationType)
            QVERIFY(request.path.find("country=") == std::string::npos);
    }

    void lookupsOnlyForFieldsThatAreSet()
    {
        build({ "Germany", "", "", "All", "All" });
        QCOMPARE(m_lookups, QStringList { QStringLiteral("country:germany") });
    }

    void typeCode_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("code");
        QTest::newRow("free") << QByteArray("free") << QByteArray("1");
        QTest::newRow("Free with spaces") << QByteArray("  Free ") << QByteArray("1");
        QTest::newRow("with registration")
            << QByteArray("free (with registration)") << QByteArray("2");
        QTest::newRow("REGIS anywhere, any case") << QByteArray("xREGISy") << QByteArray("2");
        QTest::newRow("commercial") << QByteArray("commercial") << QByteArray("3");
        QTest::newRow("free with more text") << QByteArray("free wifi") << QByteArray("3");
        QTest::newRow("anything typed") << QByteArray("paid") << QByteArray("3");
        QTest::newRow("empty") << QByteArray() << QByteArray("3");
    }

    void typeCode()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, code);
        QCOMPARE(QByteArray::fromStdString(GetTypeCode(text.toStdString())), code);
    }

    void percentEncodesEveryByteButUnreserved()
    {
        std::string all;
        for (int c = 0; c < 256; ++c)
            all += char(c);
        const std::string encoded = PercentEncoded(all);
        int kept = 0;
        for (std::size_t i = 0; i < encoded.size();) {
            if (encoded[i] == '%') {
                QVERIFY(i + 2 < encoded.size());
                QVERIFY(std::isxdigit(static_cast<unsigned char>(encoded[i + 1])));
                QVERIFY(!std::islower(static_cast<unsigned char>(encoded[i + 1])));
                i += 3;
            } else {
                QVERIFY(std::isalnum(static_cast<unsigned char>(encoded[i]))
                    || std::string_view("-._~").find(encoded[i]) != std::string_view::npos);
                ++kept;
                ++i;
            }
        }
        QCOMPARE(kept, 26 + 26 + 10 + 4);
        QCOMPARE(encoded.size(), std::size_t(kept + (256 - kept) * 3));
        QCOMPARE(PercentEncoded("\xff\x80 "), std::string("%FF%80%20"));
    }

    void requestBytes_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("host");
        QTest::addColumn<QByteArray>("request");
        QTest::newRow("port 80") << QByteArray("/browse-app.php?country=US")
                                 << QByteArray("hotspots.pellomar.example")
                                 << QByteArray("GET /browse-app.php?country=US HTTP/1.0\r\n"
                                               "Host: hotspots.pellomar.example\r\n\r\n");
        QTest::newRow("other port")
            << QByteArray("/browse-app.php?country=DE&type=1") << QByteArray("127.0.0.1:8080")
            << QByteArray("GET /browse-app.php?country=DE&type=1 HTTP/1.0\r\n"
                          "Host: 127.0.0.1:8080\r\n\r\n");
    }

    void requestBytes()
    {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, host);
        QFETCH(QByteArray, request);
        QCOMPARE(QByteArray::fromStdString(RequestBytes(path.toStdString(), host.toStdString())),
            request);
    }
};

QTEST_APPLESS_MAIN(TestSearchRequest)
#include "tst_search_request.moc"
