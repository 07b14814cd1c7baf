#include "common/harness.h"
#include "platform/display_text.h"
#include "platform/save_dialog.h"
#include "resultfile/result_format.h"
#include "results/result_export.h"
#include "results/result_list_view.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QLocalServer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace pellomar;
using namespace pellomar::test;
using namespace Qt::StringLiterals;

namespace {

// `count` records, each followed by `separators`.
QByteArray records(int count, const std::string &separators = "-\r\n")
{
    std::string text;
    for (int n = 1; n <= count; ++n)
        text += recordLine(n) + "\r\n" + separators;
    return QByteArray::fromStdString(text);
}

// UTF-8, markup, quotes, a control character XML cannot hold, a comma, a CR LF and a '+'
// sign; then Latin-1 and no position.
const std::vector<std::string> Records {
    "Caf\xC3\xA9 & \"one\"\x01 'x'<>free<>Boingo<>http://x<>555<>a@b<>Cafe<>1 Road\r\nFloor 2"
    "<>10001<>New York<>US<>+40.7<>-74<>2<>ss,id<>says \"best\"<>img/a.jpg",
    "M\xFCnchen Hbf<>comm",
};

} // namespace

// The result list's files: the result file read into record lines and loaded on the main
// window (the list, the status line, the count and the limit's message, with the file left
// as it rests on disk, scrambled), and what "Export results…" writes of the rows.
class TestResultFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void reads_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("records"); // joined by '|'
        QTest::newRow("empty") << QByteArray() << u""_s;
        // A value may hold a LF of its own (a server on another system); it splits nothing.
        QTest::newRow("as the search writes it, a lone LF")
            << QByteArray("A\nB\r\n-\r\nC\r\n-\r\n\r\n") << u"A\nB|C"_s;
        QTest::newRow("lone CR, separators, blank lines")
            << QByteArray("A\rB\r-\r\n\r\n  -  \r\n   \r\n-") << u"A|B"_s;
        QTest::newRow("spaces trimmed; tabs, dashes kept")
            << QByteArray("  A <>B  \r\n\tC\t\r\n-x-\r\n--") << u"A <>B|\tC\t|-x-|--"_s;
    }
    void reads()
    {
        QFETCH(QByteArray, text);
        const std::string_view plain = asView(text);
        // Whole, and in pieces as the loader reads a file: piece boundaries, a CR LF cut in
        // two included, change nothing.
        for (const std::size_t size : { plain.size() + 1, std::size_t(1), std::size_t(2) }) {
            ResultFileReader reader;
            for (std::size_t at = 0; at < plain.size(); at += size)
                reader.feed(plain.substr(at, size));
            reader.finish();
            QStringList read;
            for (const std::string &line : reader.takeRecords())
                read << QString::fromStdString(line);
            QTEST(read.join(u'|'), "records");
        }
    }

    void loads_data()
    {
        QTest::addColumn<QString>("file"); // how the result file is made
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("status"); // or the reason it gives
        QTest::addColumn<int>("boxes");
        const QString loaded = u"Results Loaded!"_s;
        QTest::newRow("missing") << u"none"_s << QByteArray() << 0 << loaded << 0;
        // "A<>B" CR LF with the top bit of every byte flipped.
        QTest::newRow("fixed scrambled bytes")
            << u"raw"_s << QByteArray("\xC1\xBC\xBE\xC2\x8D\x8A") << 1 << loaded << 0;
        QTest::newRow("299") << u"scrambled"_s << records(299) << 299 << loaded << 0;
        QTest::newRow("300") << u"scrambled"_s << records(300) << 300 << loaded << 1;
        QTest::newRow("301, blank lines between")
            << u"scrambled"_s << records(301, "  \r\n\r\n-\r\n") << 300 << loaded << 1;
        // A load asked for while the message is open (a search reply arriving) runs once the
        // first is done.
        QTest::newRow("300, 3 stored meanwhile") << u"again"_s << records(300) << 3 << loaded << 1;
        QTest::newRow("a line over 1 MiB")
            << u"scrambled"_s << records(2) + QByteArray(1100 * 1024, 'x') << 2 << u"is damaged"_s
            << 0;
        // A file that cannot be opened leaves the list as it was: the previous 3 rows.
        QTest::newRow("folder") << u"folder"_s << QByteArray() << 3 << u"is a folder"_s << 0;
        QTest::newRow("cannot open") << u"socket"_s << QByteArray() << 3 << u"Cannot open"_s << 0;
        QTest::newRow("cannot read")
            << u"/proc/self/mem"_s << QByteArray() << 0 << u"Cannot read"_s << 0;
    }
    void loads()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, plain);
        QFETCH(int, rows);
        QFETCH(QString, status);
        const std::string previous = resultFileText(3);
        MainWindowHarness h(ServerAddress { u"127.0.0.1"_s, 9 }, &previous);
        const QString path = h.context().resultFilePath();
        QVERIFY(QFile::remove(path));
        QLocalServer socket;
        QVERIFY(file == u"none" || (file == u"raw" && putFile(path, plain))
            || (file == u"folder" && QDir().mkdir(path))
            || (file == u"socket" && socket.listen(path))
            || (file.startsWith(u'/') && QFile::link(file, path))
            || putScrambled(path, plain.toStdString()));
        QByteArray before = fileBytes(path);
        bool buttonDuringBox = true;
        QObject whileTheBoxIsOpen;
        h.boxes().readingTimeMs = 1;
        QTimer::singleShot(0, &whileTheBoxIsOpen, [&] {
            buttonDuringBox = h.searchButton()->isEnabled();
            if (file == u"again" && putScrambled(path, resultFileText(3))) {
                before = fileBytes(path);
                h.window().LoadResults();
            }
        });

        h.window().LoadResults();
        QVERIFY2(h.status() == status
                || (h.status().startsWith(u"The results could not be loaded: "_s)
                    && h.status().contains(status)),
            qPrintable(h.status()));
        QCOMPARE(h.list()->rowCount(), rows);
        QCOMPARE(h.control<QLabel>(u"lblResults"_s)->text(), u"%1 Results"_s.arg(rows));
        QCOMPARE(h.list()->record(rows),
            rows == 0            ? ""
                : file == u"raw" ? "A<>B"
                                 : recordLine(rows));
        QVERIFY(h.list()->record(rows + 1).empty());
        QVERIFY(h.searchButton()->isEnabled());
        QCOMPARE(fileBytes(path), before);
        QTEST(int(h.boxes().boxes.size()), "boxes");
        for (const MessageBox::Request &box : h.boxes().boxes) {
            QCOMPARE(box.title + u": "_s + box.text,
                u"Max Results: More then 300 hotspots were found that match your query.\r\n\r\n"
                "Please narrow your search"_s);
            QVERIFY(!buttonDuringBox);
        }
    }

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

    // The main window's menu item exports the rows shown; with none shown there is nothing to
    // export.
    void exportsTheRowsShown()
    {
        const std::string two = resultFileText(2);
        MainWindowHarness main(ServerAddress { u"127.0.0.1"_s, 9 }, &two);
        const QString file = QDir(main.dataDir()).filePath(u"out.gpx"_s);
        SaveDialog::setResponder([&file](const SaveDialog::Request &) { return file; });
        for (const QString &filter : { u"City 2"_s, u"nowhere"_s }) {
            main.control<QLineEdit>(u"txtFilter"_s)->setText(filter);
            main.control<QAction>(u"mnuexport"_s)->trigger();
        }
        SaveDialog::setResponder({});
        QCOMPARE(main.boxes().boxes.last().text, u"There are no results to export."_s);
        QCOMPARE(fileBytes(file).count("<wpt "), 1);
        QVERIFY(fileBytes(file).contains("<name>Name 2</name>"));
    }
};

QTEST_MAIN(TestResultFiles)
#include "tst_result_files.moc"
