// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/harness.h"
#include "platform/save_dialog.h"
#include "resultfile/result_file.h"
#include "results/result_export.h"
#include "results/result_list_view.h"

#include <QLabel>
#include <QLocalServer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <sys/stat.h>

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

// The result list's files: the result file loaded on the main window (the list, the status
// line, the count and the limit's message, with the file left as it rests on disk,
// scrambled), and what "Export results…" writes of the rows.
class TestResultFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // How the result file is made -> the rows (the last of them), the status line (or the
    // reason it gives) and the limit's message.
    void loads_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QByteArray>("last");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("boxes");
        const auto row
            = [](const char *name, const char *file, const QByteArray &plain, int rows,
                  const std::string &last, const char *status = "Results Loaded!", int boxes = 0) {
                  QTest::newRow(name)
                      << QString::fromLatin1(file) << plain << rows
                      << QByteArray::fromStdString(last) << QString::fromLatin1(status) << boxes;
              };
        const auto records
            = [](int count) { return QByteArray::fromStdString(resultFileText(count)); };
        row("missing", "none", {}, 0, "");
        // "A<>B" CR LF with the top bit of every byte flipped.
        row("fixed scrambled bytes", "raw", "\xC1\xBC\xBE\xC2\x8D\x8A", 1, "A<>B");
        // Lines end at CR LF or a lone CR; a LF of its own (a server on another system) is part of
        // its value. Spaces are trimmed, tabs kept; blank and "-" lines only separate records.
        row("lines", "scrambled", "-x-\r\n-\r\n\r\n  -  \r\nX\rY\r\n  A\nB <>\tC\t  ", 4,
            "A\nB <>\tC\t");
        row("a CR LF across two pieces read", "scrambled",
            QByteArray(ResultFileInput::PieceSize - 1, 'x') + "\r\n-\r\nB", 2, "B");
        row("299", "scrambled", records(299), 299, recordLine(299));
        row("300", "scrambled", records(300), 300, recordLine(300), "Results Loaded!", 1);
        row("301", "scrambled", records(301), 300, recordLine(300), "Results Loaded!", 1);
        // A load asked for while the message is open (a search reply arriving) runs once the
        // first is done.
        row("300, 3 stored meanwhile", "again", records(300), 3, recordLine(3), "Results Loaded!",
            1);
        row("a line over 1 MiB", "scrambled", records(2) + QByteArray(1100 * 1024, 'x'), 2,
            recordLine(2), "is damaged");
        // A file that cannot be opened leaves the list as it was: the previous 3 rows.
        row("folder", "folder", {}, 3, recordLine(3), "is a folder");
        row("cannot open", "socket", {}, 3, recordLine(3), "Cannot open");
        // A FIFO would hold the start-up read for good.
        row("a FIFO", "fifo", {}, 3, recordLine(3), "is not a regular file");
        row("cannot read", "/proc/self/mem", {}, 0, "", "Cannot read");
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
            || (file == u"fifo" && ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0)
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
        QTEST(QByteArray::fromStdString(h.list()->record(rows)), "last");
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
};

QTEST_MAIN(TestResultFiles)
#include "tst_result_files.moc"
