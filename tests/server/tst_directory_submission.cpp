#include "reference/reference_table.h"
#include "rules/home_page.h"
#include "rules/submission.h"

#include <QTest>

using namespace pellomar::directory;
using namespace Qt::Literals::StringLiterals;

namespace {

FormValues goodForm()
{
    return FormValues {
        { "name", " Caf\xc3\xa9 Lumi\xc3\xa8re " },
        { "type", "2" },
        { "operator", "OpenAir Networks" },
        { "website", "www.lumiere.example" },
        { "phone", "+33 (1) 23-45/67.89" },
        { "email", "info@lumiere.example" },
        { "loctype", "cafe" },
        { "address", "12 rue de la Paix" },
        { "zipcode", "75002" },
        { "city", "Paris" },
        { "country", "fr" },
        { "latitude", "48.8691" },
        { "longitude", "-2.3314" },
        { "technology", "3" },
        { "ssid", "SSID: lumiere-guest" },
        { "description", "Quiet tables upstairs.\r\nPower sockets everywhere." },
    };
}

} // namespace

class TestDirectorySubmission : public QObject {
    Q_OBJECT

    pellomar::ReferenceFile m_countries
        = pellomar::ParseCountries("US|United States of America\r\nFR|France\r\nDE|Germany\r\n");
    pellomar::ReferenceFile m_types
        = pellomar::ParseLocationTypes("Caf\xc3\xa9,CAFE\r\nAirport,AIR\r\n");

    SubmissionCheck check(const FormValues &form) const
    {
        return checkSubmission(form, m_countries.table, m_types.table);
    }

private Q_SLOTS:
    void acceptedFormBecomesAHotspot()
    {
        const auto result = check(goodForm());
        QVERIFY2(result.errors.empty(), result.errors.empty() ? "" : result.errors.front().c_str());
        QVERIFY(result.hotspot.has_value());
        const Hotspot &h = *result.hotspot;
        QCOMPARE(h.locationName, "Caf\xc3\xa9 Lumi\xc3\xa8re");
        QCOMPARE(h.accessType, 2);
        QCOMPARE(h.locationTypeCode, "CAFE");
        QCOMPARE(h.countryCode, "FR");
        QCOMPARE(h.technologyCode, 3);
        QCOMPARE(h.zip, "75002");
        QCOMPARE(h.description, "Quiet tables upstairs. Power sockets everywhere.");
        QCOMPARE(h.imagePath, "");
    }

    void optionalValuesMayStayEmpty()
    {
        FormValues form = goodForm();
        for (const char *key : { "operator", "website", "phone", "email", "zipcode", "latitude",
                 "longitude", "ssid", "description" })
            form.erase(key);
        const auto result = check(form);
        QVERIFY(result.errors.empty());
        QVERIFY(result.hotspot.has_value());
    }

    void latin1FormValuesAreStoredAsUtf8()
    {
        FormValues form = goodForm();
        form["city"] = "K\xf6ln";
        const auto result = check(form);
        QVERIFY(result.hotspot.has_value());
        QCOMPARE(result.hotspot->city, "K\xc3\xb6ln");
    }

    void lengthCountsCharacters()
    {
        FormValues form = goodForm();
        std::string name;
        for (int i = 0; i < 80; ++i)
            name += "\xc3\xa9";
        form["name"] = name;
        QVERIFY(check(form).hotspot.has_value());
        form["name"] = name + "e";
        QVERIFY(!check(form).hotspot.has_value());
    }

    void refused_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("error");
        QTest::newRow("name missing")
            << u"name"_s << QByteArray() << u"Location name is required."_s;
        QTest::newRow("name of spaces")
            << u"name"_s << QByteArray("   ") << u"Location name is required."_s;
        QTest::newRow("city missing") << u"city"_s << QByteArray() << u"City is required."_s;
        QTest::newRow("angle brackets in the name")
            << u"name"_s << QByteArray("<b>Bar</b>")
            << u"Location name must not contain the characters < and >."_s;
        QTest::newRow("greater-than in the description")
            << u"description"_s << QByteArray("fast -> slow")
            << u"Description must not contain the characters < and >."_s;
        QTest::newRow("LEGEND in the name")
            << u"name"_s << QByteArray("LEGEND Caf\xc3\xa9")
            << u"Location name must not contain the capital letters END"_s;
        QTest::newRow("WEEKEND in the description")
            << u"description"_s << QByteArray("open WEEKENDS")
            << u"Description must not contain the capital letters END"_s;
        QTest::newRow("control character") << u"operator"_s
                                           << QByteArray("Open\x01"
                                                         "Air")
                                           << u"Operator must not contain control characters."_s;
        QTest::newRow("name too long") << u"name"_s << QByteArray(81, 'a')
                                       << u"Location name is too long: at most 80 characters."_s;
        QTest::newRow("access type 4") << u"type"_s << QByteArray("4") << u"Access must be"_s;
        QTest::newRow("unknown location type")
            << u"loctype"_s << QByteArray("CASTLE") << u"Location type is not one of"_s;
        QTest::newRow("unknown country")
            << u"country"_s << QByteArray("ZZ") << u"Country is not one of"_s;
        QTest::newRow("technology 0")
            << u"technology"_s << QByteArray("0") << u"Technology must be"_s;
        QTest::newRow("latitude 91") << u"latitude"_s << QByteArray("91") << u"Latitude must be"_s;
        QTest::newRow("latitude a word")
            << u"latitude"_s << QByteArray("north") << u"Latitude must be"_s;
        QTest::newRow("latitude with exponent")
            << u"latitude"_s << QByteArray("1e1") << u"Latitude must be"_s;
        QTest::newRow("longitude -181")
            << u"longitude"_s << QByteArray("-181") << u"Longitude must be"_s;
        QTest::newRow("web site without scheme")
            << u"website"_s << QByteArray("lumiere.example") << u"Web site must start"_s;
        QTest::newRow("web site with a space")
            << u"website"_s << QByteArray("www.a b.example") << u"Web site must start"_s;
        QTest::newRow("phone with letters")
            << u"phone"_s << QByteArray("call me") << u"Phone number may hold"_s;
        QTest::newRow("e-mail without at")
            << u"email"_s << QByteArray("info.example") << u"E-mail address must"_s;
        QTest::newRow("e-mail without domain dot")
            << u"email"_s << QByteArray("info@example") << u"E-mail address must"_s;
    }

    void refused()
    {
        QFETCH(QString, key);
        QFETCH(QByteArray, value);
        QFETCH(QString, error);
        FormValues form = goodForm();
        form[key.toStdString()] = value.toStdString();
        const auto result = check(form);
        QVERIFY(!result.hotspot.has_value());
        QCOMPARE(result.errors.size(), 1u);
        QVERIFY2(QString::fromStdString(result.errors.front()).startsWith(error),
            result.errors.front().c_str());
    }

    void everyProblemIsListedInFormOrder()
    {
        FormValues form = goodForm();
        form["name"] = "";
        form["city"] = "<Paris>";
        form["email"] = "nobody";
        const auto result = check(form);
        QCOMPARE(result.errors.size(), 3u);
        QVERIFY(result.errors[0].starts_with("Location name"));
        QVERIFY(result.errors[1].starts_with("City"));
        QVERIFY(result.errors[2].starts_with("E-mail"));
    }

    void escapeHtml()
    {
        QCOMPARE(pellomar::directory::escapeHtml("a<b>&\"c'"), "a&lt;b&gt;&amp;&quot;c&#39;");
        QCOMPARE(pellomar::directory::escapeHtml("Caf\xc3\xa9"), "Caf\xc3\xa9");
    }

    void homePageShowsTheFormAndTheFigures()
    {
        HomePage page;
        page.figures = { 8160, 61, 259 };
        page.countries = &m_countries.table.rows();
        page.locationTypes = &m_types.table.rows();
        const QString html = QString::fromStdString(renderHomePage(page));
        QVERIFY(
            html.contains(u"<b>8160</b> hotspots in <b>259</b> cities of <b>61</b> countries"_s));
        QVERIFY(html.contains(u"<form method=\"post\" action=\"/submit-hotspot\""_s));
        QVERIFY(html.contains(u"<option value=\"CAFE\">Café</option>"_s));
        QVERIFY(html.contains(u"<option value=\"FR\">France</option>"_s));
        for (const auto &field : submissionFields())
            QVERIFY2(html.contains(u"name=\"%1\""_s.arg(QString::fromUtf8(field.key))),
                field.key.data());
        QVERIFY(!html.contains(u"id=\"errors\""_s));
        QVERIFY(!html.contains(u"id=\"notice\""_s));
    }

    void refusedFormComesBackAsTyped()
    {
        HomePage page;
        page.countries = &m_countries.table.rows();
        page.locationTypes = &m_types.table.rows();
        page.values = goodForm();
        page.values["name"] = "\"><script>alert(1)</script>";
        page.values["country"] = "FR";
        page.errors = { "Location name must not contain the characters < and >." };
        const QString html = QString::fromStdString(renderHomePage(page));
        QVERIFY(!html.contains(u"<script>"_s));
        QVERIFY(html.contains(u"value=\"&quot;&gt;&lt;script&gt;alert(1)&lt;/script&gt;\""_s));
        QVERIFY(html.contains(
            u"<li>Location name must not contain the characters &lt; and &gt;.</li>"_s));
        QVERIFY(html.contains(u"<option value=\"FR\" selected>France</option>"_s));
        QVERIFY(html.contains(u"Quiet tables upstairs.\r\nPower sockets everywhere.</textarea>"_s));
    }
};

QTEST_APPLESS_MAIN(TestDirectorySubmission)
#include "tst_directory_submission.moc"
