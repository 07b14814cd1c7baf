// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/demo_server.h"
#include "rules/osm_tags.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

using namespace pellomar::test;
using namespace pellomar::directory;
using namespace Qt::Literals::StringLiterals;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run directory(const QStringList &arguments)
{
    QProcess process;
    process.start(DemoServer::programPath(), arguments);
    const bool ended = process.waitForFinished(60000);
    return { ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        process.readAllStandardOutput(), process.readAllStandardError() };
}

Run importInto(const QString &database, const QString &extract, const QStringList &more = {})
{
    return directory(QStringList { u"--database"_s, database, u"--import-osm"_s, extract } + more);
}

QString osmFile(const QString &name)
{
    return qEnvironmentVariable("PELLOMAR_SOURCE_DIR") + u"/tests/data/osm/"_s + name;
}

// The body of a reply to a request sent as it stands; the server ends it by closing.
QByteArray fetch(quint16 port, const QByteArray &request)
{
    QTcpSocket socket;
    socket.connectToHost(u"127.0.0.1"_s, port);
    socket.write(request);
    QByteArray raw;
    for (int turns = 0; turns < 100 && socket.state() != QAbstractSocket::UnconnectedState;
         ++turns) {
        socket.waitForReadyRead(100);
        raw += socket.readAll();
    }
    return raw.mid(raw.indexOf("\r\n\r\n") + 4);
}

// The records of a search by location name, their line breaks taken out.
QMap<QByteArray, QByteArray> search(quint16 port, const QByteArray &query)
{
    const QByteArray body
        = fetch(port, "GET /browse-app.php?" + query + " HTTP/1.0\r\n\r\n").replace("\r\n", "");
    QMap<QByteArray, QByteArray> records;
    for (qsizetype at = 0, end; (end = body.indexOf("<>END", at)) >= 0; at = end + 5) {
        const QByteArray record = body.mid(at, end + 2 - at);
        records.insert(record.left(record.indexOf("<>")), record);
    }
    return records;
}

// What the fixture places.osm turns into, searched by country: whole records, in the order
// of the reply's fields.
const QList<QByteArray> FixtureRecords = {
    "Row 0 AIR<>free<><><><><>Airport<><><>Vaduz<>LI<>0.2<>0.2<>unknown<><><>",
    "Row 2 CAFE<>commercial<><><><><>Caf\xc3\xa9<><><>Vaduz<>LI<>0.2<>0.22<>unknown<><><>",
    "Row 3 CAMP<>unknown<><><><><>Campground<><><>Vaduz<>LI<>0.2<>0.23<>unknown<><><>",
    "WEEKEnD \xe2\x80\xb9"
    "Bar\xe2\x80\xba Two<>commercial<>Netz AG<>https://bar.example/<>+423 555 "
    "0100<>bar@example.li<>Pub / Bar<>St\xc3\xa4"
    "dtle 12<>9490<>Schaan<>LI<>0.25<>0.3<>unknown<>"
    "BarGuest<>Open: Mo-Fr 08:00-18:00<>",
    "Long Notes<>unknown<><><><><>Caf\xc3\xa9<><><>Oberland<>LI<>0.3<>0.7<>unknown<><>"
        + "\xc3\xa9"_ba.repeated(127) + "<>",
    "Far Away<>unknown<><><><><>Hotel<><><><>CH<>5<>5<>unknown<><><>",
    "Caf\xc3\xa9<>unknown<><>http://cafe.example/<><><>Caf\xc3\xa9<><><>Innenstadt<>AT<>0.2<>1.2<>"
    "unknown<><><>",
    "Other<>unknown<>Chain<><><><>Other<><><>Vaduz<>LI<>0.3<>0.25<>unknown<><><>",
    "Cafe Hotel<>unknown<><><><><>Caf\xc3\xa9<><><>Vaduz<>LI<>0.3<>0.26<>unknown<><><>",
    "Egerta<>unknown<><><><><>Caf\xc3\xa9<>Auf der Egerta 5<><>Vaduz<>LI<>0.3<>0.27<>unknown<><>"
    "Quiet<>",
    // A closed way at its centroid; a U whose centroid lies in its gap, and a ring around a
    // hole, on the widest stretch of a line across the middle.
    "Closed Way Library<>free<><><><><>Library<><><>Vaduz<>LI<>0.325<>0.325<>unknown<><><>",
    "U-Shaped Campground<>unknown<><><><><>Campground<><><>Oberland<>LI<>0.7<>0.625<>unknown<><><>",
    "Campus Ring<>free<><><><><>University<><><>Vaduz<>LI<>0.42<>0.38<>unknown<><><>",
};

// The lines of the fixture's import report, before its timing.
const QByteArray FixtureReport = R"(objects read: 94
hotspots imported: 35
  from nodes: 32
  from ways: 2
  from relations: 1
  free: 15
  free (with registration): 0
  commercial: 7
  access unknown: 13
  tagged internet_access=yes: 1
  added: 35
  updated: 0
  unchanged: 0
  removed: 0
skipped, private: 1
skipped, internet access other than Wi-Fi: 3
skipped, neither point nor area: 2
skipped, no position in the extract: 1
skipped, no country: 1
texts made safe: 1
values cut to 255 bytes: 1
)";

// Every place of a search, by name.
QMap<QByteArray, QByteArray> allOf(quint16 port)
{
    QMap<QByteArray, QByteArray> all;
    for (const char *country : { "LI", "AT", "CH" })
        all.insert(search(port, "country="_ba + country));
    return all;
}

} // namespace

class TestOsmImport : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // The fixture read from each format: XML as written, the others converted by osmium-tool.
    void fixture_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("XML") << u"osm"_s;
        QTest::newRow("PBF") << u"osm.pbf"_s;
        QTest::newRow("XML, gzip") << u"osm.gz"_s;
        QTest::newRow("XML, bzip2") << u"osm.bz2"_s;
    }
    void fixture()
    {
        QFETCH(QString, format);
        QString extract = osmFile(u"places.osm"_s);
        if (format != u"osm"_s) {
            extract = m_dir.filePath(u"places."_s + format);
            QCOMPARE(
                QProcess::execute(u"osmium"_s,
                    { u"cat"_s, u"--overwrite"_s, osmFile(u"places.osm"_s), u"-o"_s, extract }),
                0);
        }
        const QString database = m_dir.filePath(format + u".db"_s);
        const Run run = importInto(database, extract);
        QCOMPARE(run.exitCode, 0);
        // The report's lines after the extract's date (taken from its newest object here).
        QVERIFY2(run.out.startsWith("extract of 2026-11-30T10:00:00Z\n"), run.out.constData());
        QCOMPARE(run.out.mid(run.out.indexOf('\n') + 1).left(FixtureReport.size()), FixtureReport);

        DemoServer server;
        QVERIFY2(server.start({ u"--database"_s, database }), qPrintable(server.error()));
        const auto all = allOf(server.port());
        QCOMPARE(all.size(), 35);
        for (const QByteArray &expected : FixtureRecords)
            QCOMPARE(all.value(expected.left(expected.indexOf("<>"))), expected);
        // Every rule of the tag table, by the row's code in its name.
        const QByteArray types = fetch(server.port(), "GET / HTTP/1.0\r\n\r\n");
        for (int row = 0; row < 25; ++row) {
            const auto hit
                = std::find_if(all.keyBegin(), all.keyEnd(), [row](const QByteArray &name) {
                      return name.startsWith("Row " + QByteArray::number(row) + ' ');
                  });
            QVERIFY(hit != all.keyEnd());
            const QByteArray code = hit->mid(hit->lastIndexOf(' ') + 1);
            const QByteArray typeName = all.value(*hit).replace("<>", "\t").split('\t').value(6);
            QVERIFY2(types.contains("value=\"" + code + "\">" + typeName + "<"), hit->constData());
        }
        QCOMPARE(server.stop(), 0);
    }

    // A newer extract of the same area over the old one, while the directory serves it.
    void reimport()
    {
        const QString database = m_dir.filePath(u"reimport.db"_s);
        QCOMPARE(importInto(database, osmFile(u"places.osm"_s)).exitCode, 0);
        DemoServer server;
        QVERIFY2(server.start({ u"--database"_s, database }), qPrintable(server.error()));
        const QByteArray form = "name=Submitted%20Cafe&type=1&loctype=CAFE&address=Main%201&"
                                "city=Vaduz&country=LI&technology=2";
        fetch(server.port(),
            "POST /submit-hotspot HTTP/1.0\r\nContent-Type: application/x-www-form-urlencoded\r\n"
            "Content-Length: "
                + QByteArray::number(form.size()) + "\r\n\r\n" + form);
        QVERIFY(
            search(server.port(), "country=LI").contains("Row 1 BOOK")); // now kept in the cache
        const QByteArray health = fetch(server.port(), "GET /health HTTP/1.0\r\n\r\n");

        // One place renamed, one gone, one new.
        QFile file(osmFile(u"places.osm"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray newer = file.readAll().replace("Row 0 AIR", "Row 0 AIR renamed");
        const qsizetype gone = newer.indexOf("<node id=\"101\"");
        newer.replace(gone, newer.indexOf("</node>", gone) + 7 - gone,
            "<node id=\"150\" version=\"1\" lat=\"0.2\" lon=\"0.3\"><tag k=\"name\" v=\"New "
            "Place\"/><tag k=\"internet_access\" v=\"wlan\"/></node>");
        QFile newerFile(m_dir.filePath(u"newer.osm"_s));
        QVERIFY(newerFile.open(QIODevice::WriteOnly) && newerFile.write(newer) == newer.size());
        newerFile.close();
        const Run run = importInto(database, newerFile.fileName());
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.contains("added: 1\n  updated: 1\n  unchanged: 33\n  removed: 1\n"),
            run.out.constData());

        // A new version of the data: a front's copy tagged with the old one is stale.
        const QByteArray tag = "If-None-Match: \"d" + health.mid(3).trimmed() + "\"\r\n\r\n";
        QVERIFY(
            fetch(server.port(), "GET /browse-app.php?country=LI HTTP/1.0\r\n" + tag).size() > 0);
        const auto after = search(server.port(), "country=LI");
        QStringList names;
        for (const QByteArray &name : after.keys())
            names << QString::fromUtf8(name);
        QCOMPARE(names.filter(QRegularExpression(u"^(Row [01] |New|Sub)"_s)),
            (QStringList { u"New Place"_s, u"Row 0 AIR renamed"_s, u"Submitted Cafe"_s }));
        QCOMPARE(server.stop(), 0);
    }

    // Failures leave the database as it was, and name the reason in one line.
    void failures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("message");
        const QString damaged = m_dir.filePath(u"damaged.osm.pbf"_s);
        QFile real(osmFile(u"liechtenstein-2013-08-03.osm.pbf"_s));
        QFile cut(damaged);
        if (real.open(QIODevice::ReadOnly) && cut.open(QIODevice::WriteOnly))
            cut.write(real.read(real.size() * 6 / 10));
        const QString db = m_dir.filePath(u"kept.db"_s);
        const auto row
            = [&](const char *name, QStringList arguments, int exitCode, const char *message) {
                  QTest::newRow(name) << arguments << exitCode << QByteArray(message);
              };
        row("damaged extract", { u"--database"_s, db, u"--import-osm"_s, damaged }, 1,
            "pellomar-directory: cannot read the extract");
        row("missing extract", { u"--database"_s, db, u"--import-osm"_s, damaged + u"x.osm"_s }, 1,
            "pellomar-directory: cannot read the extract");
        row("database cannot be made",
            { u"--database"_s, m_dir.filePath(u"no/such.db"_s), u"--import-osm"_s,
                osmFile(u"places.osm"_s) },
            1, "pellomar-directory: cannot open the database");
        row("not an extract's name", { u"--database"_s, db, u"--import-osm"_s, u"places.txt"_s }, 2,
            "pellomar-directory: --import-osm needs an .osm.pbf");
        row("no database", { u"--import-osm"_s, osmFile(u"places.osm"_s) }, 2,
            "pellomar-directory: --import-osm needs --database FILE");
        row("unknown country",
            { u"--database"_s, db, u"--import-osm"_s, osmFile(u"places.osm"_s), u"--country"_s,
                u"ZZ"_s },
            2, "pellomar-directory: --country ZZ is not a country code of countries.txt");
    }
    void failures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, message);
        const QString db = m_dir.filePath(u"kept.db"_s);
        if (!QFile::exists(db))
            QCOMPARE(importInto(db, osmFile(u"places.osm"_s)).exitCode, 0);
        const Run run = directory(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.startsWith(message) && (exitCode != 1 || run.err.count('\n') == 1),
            run.err.constData());
        QVERIFY(run.out.isEmpty());
        DemoServer server;
        QVERIFY2(server.start({ u"--database"_s, db }), qPrintable(server.error()));
        QCOMPARE(allOf(server.port()).size(), 35);
        QCOMPARE(server.stop(), 0);
    }

    // An import killed at any moment, reading or writing, leaves either all the old rows or
    // all the new ones.
    void killedImport()
    {
        QByteArray many = "<osm version=\"0.6\">\n";
        for (int id = 1000; id < 21000; ++id)
            many += "<node id=\"" + QByteArray::number(id)
                + "\" lat=\"47.1\" lon=\"9.5\"><tag k=\"internet_access\" v=\"wlan\"/><tag "
                  "k=\"addr:country\" v=\"LI\"/></node>\n";
        QFile extract(m_dir.filePath(u"many.osm"_s));
        QVERIFY(extract.open(QIODevice::WriteOnly) && extract.write(many + "</osm>\n") > 0);
        extract.close();
        const QString db = m_dir.filePath(u"killed.db"_s);
        qint64 wholeMs = 0;
        for (const int percent : { 100, 20, 40, 60, 75, 90, 97 }) {
            QFile::remove(db);
            QCOMPARE(importInto(db, osmFile(u"places.osm"_s)).exitCode, 0);
            QProcess process;
            process.start(DemoServer::programPath(),
                { u"--database"_s, db, u"--import-osm"_s, extract.fileName() });
            QVERIFY(process.waitForStarted());
            // The first round measures a whole import; the others are cut short at a share of it.
            if (percent == 100) {
                QElapsedTimer timer;
                timer.start();
                QVERIFY(process.waitForFinished(60000));
                wholeMs = timer.elapsed();
            } else {
                QTest::qWait(int(wholeMs * percent / 100));
                process.kill(); // SIGKILL, when it still runs
            }
            QVERIFY(process.state() == QProcess::NotRunning || process.waitForFinished());
            DemoServer server;
            QVERIFY2(server.start({ u"--database"_s, db }), qPrintable(server.error()));
            const QByteArray home = fetch(server.port(), "GET / HTTP/1.0\r\n\r\n");
            const auto total = QRegularExpression(u"lists <b>(\\d+)</b>"_s)
                                   .match(QString::fromUtf8(home))
                                   .captured(1);
            QVERIFY2(total == u"35"_s || total == u"20000"_s, qPrintable(total));
            QCOMPARE(server.stop(), 0);
        }
    }

    // The real extract: its two Wi-Fi places, and the credit on the home page.
    void liechtenstein()
    {
        const QString database = m_dir.filePath(u"li.db"_s);
        const Run run = importInto(database, osmFile(u"liechtenstein-2013-08-03.osm.pbf"_s));
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.startsWith("extract of 2013-08-03T19:00:02Z\n"), run.out.constData());
        DemoServer server;
        QVERIFY2(server.start({ u"--database"_s, database }), qPrintable(server.error()));
        const auto found = search(server.port(), "country=LI");
        QCOMPARE(found.keys(),
            (QList<QByteArray> { "Orient Caf\xc3\xa9 & Restaurant", "Pizzeria Amici" }));
        QCOMPARE(found.first(),
            "Orient Caf\xc3\xa9 & Restaurant<>free<><><><><>Restaurant<><><>Schaan<>LI<>47.1682214<>9.5090836<>unknown<><><>"_ba);
        QCOMPARE(found.last(),
            "Pizzeria Amici<>unknown<><><><><>Fast Food<>Im Bretscha 34<><>Schaan<>LI<>47.1711144<>9.5093907<>unknown<><><>"_ba);
        const QByteArray home = fetch(server.port(), "GET / HTTP/1.0\r\n\r\n");
        QVERIFY2(home.contains("<b>2</b> of them come from <a "
                               "href=\"https://www.openstreetmap.org/copyright\">OpenStreetMap</"
                               "a>: &copy; OpenStreetMap contributors, available under the <a "
                               "href=\"https://opendatacommons.org/licenses/odbl/\">Open Database "
                               "License (ODbL)</a>. Extract of 2013-08-03."),
            home.constData());
        QCOMPARE(server.stop(), 0);
    }

    // Values from outside made fit for a record; the fixture's places cover the markers.
    void safeText_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("safe");
        QTest::addColumn<bool>("madeSafe");
        QTest::newRow("plain") << "Caf\xc3\xa9"_ba
                               << "Caf\xc3\xa9"_ba << false;
        QTest::newRow("END twice, lower end kept") << "ENDEND end"_ba
                                                   << "EnDEnD end"_ba << true;
        QTest::newRow("C1 control") << "a\xc2\x85z"_ba
                                    << "a z"_ba << true;
        QTest::newRow("Latin-1 bytes") << "M\xfcller"_ba
                                       << "M\xc3\xbcller"_ba << true;
        const QByteArray e = "\xc3\xa9"_ba;
        QTest::newRow("cut inside a character") << e.repeated(300) << e.repeated(127) << false;
    }
    void safeText()
    {
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, safe);
        QFETCH(bool, madeSafe);
        const SafeText made = pellomar::directory::safeText(value.toStdString());
        QCOMPARE(QByteArray::fromStdString(made.text), safe);
        QCOMPARE(made.madeSafe, madeSafe);
    }
};

QTEST_GUILESS_MAIN(TestOsmImport)
#include "tst_osm_import.moc"
