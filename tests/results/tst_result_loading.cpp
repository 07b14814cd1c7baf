#include "common/harness.h"
#include "resultfile/result_file.h"
#include "results/result_list_view.h"

#include <QLabel>
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

} // namespace

// The loader on the main window: the list, the status line and the count after loading a
// result file, and the file left as it rests on disk, scrambled.
class TestResultLoading : public QObject {
    Q_OBJECT

private Q_SLOTS:
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
        QFETCH(int, boxes);
        const std::string previous = resultFileText(3);
        MainWindowHarness h(ServerAddress { u"127.0.0.1"_s, 9 }, &previous);
        QCOMPARE(h.list()->rowCount(), 3);
        const QString path = h.context().resultFilePath();
        QVERIFY(QFile::remove(path));
        QLocalServer socket;
        QVERIFY(file == u"none" || (file == u"scrambled" && putScrambled(path, plain.toStdString()))
            || (file == u"raw" && putFile(path, plain)) || (file == u"folder" && QDir().mkdir(path))
            || (file == u"socket" && socket.listen(path)) || QFile::link(file, path));
        const QByteArray before = fileBytes(path);
        bool buttonDuringBox = true;
        QObject whileTheBoxIsOpen;
        h.boxes().readingTimeMs = 1;
        QTimer::singleShot(
            0, &whileTheBoxIsOpen, [&] { buttonDuringBox = h.searchButton()->isEnabled(); });

        h.window().LoadResults();
        const QString shown = h.control<QLabel>(u"lblStatus"_s)->text();
        QVERIFY2(shown == status
                || (shown.startsWith(u"The results could not be loaded: "_s)
                    && shown.contains(status)),
            qPrintable(shown));
        QCOMPARE(h.list()->rowCount(), rows);
        QCOMPARE(h.control<QLabel>(u"lblResults"_s)->text(), u"%1 Results"_s.arg(rows));
        const std::string last = rows == 0 ? std::string()
            : file == u"raw"               ? "A<>B"
                                           : recordLine(rows);
        QCOMPARE(h.list()->record(rows), last);
        QVERIFY(h.list()->record(rows + 1).empty());
        QVERIFY(h.searchButton()->isEnabled());
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(h.boxes().boxes.size(), boxes);
        if (boxes > 0) {
            const MessageBox::Request &box = h.boxes().boxes.first();
            QCOMPARE(box.icon, QMessageBox::Information);
            QCOMPARE(box.title, u"Max Results"_s);
            QCOMPARE(box.text,
                u"More then 300 hotspots were found that match your query.\r\n\r\n"
                "Please narrow your search"_s);
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QVERIFY(!buttonDuringBox);
        }
    }

    // The message comes once the 300 rows are on the list, and the file is read no further. A
    // search reply that arrives while it is open asks for a load of its own, which runs once
    // the first is done.
    void loadDuringTheLimitMessage()
    {
        MainWindowHarness h(ServerAddress { u"127.0.0.1"_s, 9 });
        const QString path = h.context().resultFilePath();
        QByteArray text = records(300);
        const qsizetype head = text.size();
        text += QByteArray::fromStdString(recordLine(999) + "\r\n").repeated(80'000); // 8 MB
        QVERIFY(putScrambled(path, text.toStdString()));
        ResultLoader &loader = *h.list()->loader();
        int rowsWhenAsked = 0;
        LoadSummary nested;
        QObject whileTheBoxIsOpen;
        h.boxes().readingTimeMs = 1;
        QTimer::singleShot(0, &whileTheBoxIsOpen, [&] {
            rowsWhenAsked = h.list()->rowCount();
            QVERIFY(putScrambled(path, resultFileText(3)));
            nested = loader.loadFile(path);
        });
        const LoadSummary summary = loader.loadFile(path);
        QCOMPARE(rowsWhenAsked, 300);
        QVERIFY(nested.deferred);
        QCOMPARE(summary.rows, 3);
        QCOMPARE(h.list()->record(3), recordLine(3));
        QCOMPARE(h.boxes().boxes.size(), 1);

        QVERIFY(putScrambled(path, text.toStdString()));
        const LoadSummary quiet = loader.loadFile(path, LimitMessage::Quiet);
        QCOMPARE(quiet.rows, 300);
        QVERIFY(quiet.bytesRead < head + ResultFileInput::PieceSize);
        QCOMPARE(h.boxes().boxes.size(), 1);
    }
};

QTEST_MAIN(TestResultLoading)
#include "tst_result_loading.moc"
