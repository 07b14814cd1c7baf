#include "reference/reference_table.h"
#include "rules/search_request.h"
#include "rules/text_keys.h"

#include <QTest>

using namespace pellomar::directory;
using namespace Qt::Literals::StringLiterals;

using QueryValues = QMap<QString, QByteArray>;

class TestDirectoryTextKeys : public QObject {
    Q_OBJECT

    pellomar::ReferenceFile m_countries
        = pellomar::ParseCountries("US|United States of America\r\n"
                                   "DE|Germany\r\nGB|United Kingdom\r\n");
    pellomar::ReferenceFile m_types = pellomar::ParseLocationTypes("Café,CAFE\r\nAirport,AIR\r\n");

private Q_SLOTS:
    void requestBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("utf8");
        QTest::newRow("ASCII") << QByteArray("London") << QByteArray("London");
        QTest::newRow("UTF-8 kept") << QByteArray("M\xc3\xbcnchen") << QByteArray("M\xc3\xbcnchen");
        QTest::newRow("Latin-1 converted")
            << QByteArray("M\xfcnchen") << QByteArray("M\xc3\xbcnchen");
        QTest::newRow("Latin-1 e acute at the end")
            << QByteArray("Caf\xe9") << QByteArray("Caf\xc3\xa9");
        QTest::newRow("truncated UTF-8 read as Latin-1")
            << QByteArray("a\xc3") << QByteArray("a\xc3\x83");
        QTest::newRow("overlong slash read as Latin-1")
            << QByteArray("\xc0\xaf") << QByteArray("\xc3\x80\xc2\xaf");
        QTest::newRow("surrogate read as Latin-1")
            << QByteArray("\xed\xa0\x80") << QByteArray("\xc3\xad\xc2\xa0\xc2\x80");
        QTest::newRow("four-byte UTF-8 kept")
            << QByteArray("\xf0\x9f\x93\xb6") << QByteArray("\xf0\x9f\x93\xb6");
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }

    void requestBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, utf8);
        const std::string converted = utf8FromRequestBytes(bytes.toStdString());
        QCOMPARE(QByteArray::fromStdString(converted), utf8);
        QVERIFY(isValidUtf8(converted));
    }

    void searchKeys_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("key");
        QTest::newRow("case") << QByteArray("NEW York") << QByteArray("new york");
        QTest::newRow("spaces around") << QByteArray("  London ") << QByteArray("london");
        QTest::newRow("inner spaces kept") << QByteArray("New  York") << QByteArray("new  york");
        QTest::newRow("umlaut") << QByteArray("M\xc3\x9c"
                                              "NCHEN")
                                << QByteArray("munchen");
        QTest::newRow("Latin-1 umlaut") << QByteArray("M\xfcnchen") << QByteArray("munchen");
        QTest::newRow("sharp s") << QByteArray("Stra\xc3\x9f"
                                               "e")
                                 << QByteArray("strasse");
        QTest::newRow("dotted capital I")
            << QByteArray("\xc4\xb0stanbul") << QByteArray("istanbul");
        QTest::newRow("Polish") << QByteArray("Wroc\xc5\x82"
                                              "aw")
                                << QByteArray("wroclaw");
        QTest::newRow("ligature") << QByteArray("C\xc5\x93ur") << QByteArray("coeur");
        QTest::newRow("multiplication sign kept") << QByteArray("3\xc3\x97"
                                                                "3")
                                                  << QByteArray("3\xc3\x97"
                                                                "3");
        QTest::newRow("Vietnamese kept")
            << QByteArray("H\xc3\xa0 N\xe1\xbb\x99i") << QByteArray("ha n\xe1\xbb\x99i");
    }

    void searchKeys()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, key);
        QCOMPARE(QByteArray::fromStdString(searchKey(text.toStdString())), key);
    }

    void postalAndCodeKeys()
    {
        QCOMPARE(postalKey("sw1a 1aa"), "SW1A1AA");
        QCOMPARE(postalKey(" 01310-100 "), "01310-100");
        QCOMPARE(codeKey(" us "), "US");
        QCOMPARE(asciiSlug("Café Lumière & Co."), "cafelumiereco");
    }

    void utf8Length()
    {
        QCOMPARE(pellomar::directory::utf8Length("Caf\xc3\xa9"), 4u);
        QCOMPARE(pellomar::directory::utf8Length("Caf\xe9"), 4u);
    }

    void searchQueries_data()
    {
        QTest::addColumn<QueryValues>("query");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("country");
        QTest::addColumn<QString>("city");
        QTest::addColumn<QString>("zip");
        QTest::addColumn<QString>("locationType");
        QTest::addColumn<int>("access");
        using Q = QueryValues;
        const QString none;
        QTest::newRow("country only")
            << Q { { u"country"_s, "US" } } << none << u"US"_s << none << none << none << 0;
        QTest::newRow("country in lower case with spaces")
            << Q { { u"country"_s, " de " } } << none << u"DE"_s << none << none << none << 0;
        QTest::newRow("all five keys")
            << Q { { u"country"_s, "GB" }, { u"city"_s, "London" }, { u"zipcode"_s, "sw1a 1aa" },
                   { u"loctype"_s, "cafe" }, { u"type"_s, "2" } }
            << none << u"GB"_s << u"london"_s << u"SW1A1AA"_s << u"CAFE"_s << 2;
        QTest::newRow("empty values count as not given") << Q {
            { u"country"_s, "US" }, { u"city"_s, "  " }, { u"loctype"_s, "" }, { u"type"_s, "" }
        } << none << u"US"_s << none << none << none << 0;
        QTest::newRow("no country")
            << Q { { u"city"_s, "London" } } << QString::fromUtf8(messages::NoCountry) << none
            << none << none << none << 0;
        QTest::newRow("empty country")
            << Q { { u"country"_s, "" } } << QString::fromUtf8(messages::NoCountry) << none << none
            << none << none << 0;
        QTest::newRow("unknown country")
            << Q { { u"country"_s, "ZZ" } } << QString::fromUtf8(messages::UnknownCountry) << none
            << none << none << none << 0;
        QTest::newRow("unknown location type")
            << Q { { u"country"_s, "US" }, { u"loctype"_s, "CASTLE" } }
            << QString::fromUtf8(messages::UnknownLocationType) << none << none << none << none
            << 0;
        QTest::newRow("access type 4")
            << Q { { u"country"_s, "US" }, { u"type"_s, "4" } }
            << QString::fromUtf8(messages::UnknownAccessType) << none << none << none << none << 0;
    }

    void searchQueries()
    {
        QFETCH(QueryValues, query);
        QFETCH(QString, message);
        QFETCH(QString, country);
        QFETCH(QString, city);
        QFETCH(QString, zip);
        QFETCH(QString, locationType);
        QFETCH(int, access);
        FormValues values;
        for (auto it = query.cbegin(); it != query.cend(); ++it)
            values.emplace(it.key().toStdString(), it.value().toStdString());
        const auto result = searchQueryFrom(values, m_countries.table, m_types.table);
        if (!message.isEmpty()) {
            QVERIFY(std::holds_alternative<std::string_view>(result));
            QCOMPARE(QString::fromUtf8(std::get<std::string_view>(result)), message);
            return;
        }
        QVERIFY(std::holds_alternative<SearchQuery>(result));
        const auto &search = std::get<SearchQuery>(result);
        const auto text = [](const std::optional<std::string> &value) {
            return value ? QString::fromStdString(*value) : QString();
        };
        QCOMPARE(QString::fromStdString(search.countryCode), country);
        QCOMPARE(text(search.cityKey), city);
        QCOMPARE(text(search.zipKey), zip);
        QCOMPARE(text(search.locationTypeCode), locationType);
        QCOMPARE(search.accessType.value_or(0), access);
    }

    void messagesAreShownByTheClient()
    {
        for (std::string_view message : { messages::NoCountry, messages::UnknownCountry,
                 messages::UnknownLocationType, messages::UnknownAccessType, messages::NoMatch }) {
            QVERIFY(message.size() >= 2);
            QVERIFY(message.find("<>") == std::string_view::npos);
            QVERIFY(message.find("END") == std::string_view::npos);
            QVERIFY(message.find('\n') == std::string_view::npos);
        }
    }
};

QTEST_APPLESS_MAIN(TestDirectoryTextKeys)
#include "tst_directory_text_keys.moc"
