#include "resultfile/result_format.h"
#include "results/result_test_files.h"

#include <QTest>

using namespace pellomar;

namespace {

QStringList toList(const std::vector<std::string> &lines)
{
    QStringList out;
    for (const std::string &line : lines)
        out << QString::fromStdString(line);
    return out;
}

// Feeds the text in pieces of `size` bytes, as the loader reads a file.
std::vector<std::string> readInPieces(std::string_view text, std::size_t size, int limit)
{
    ResultFileReader reader(limit);
    std::vector<std::string> all;
    for (std::size_t at = 0; at < text.size() && !reader.full(); at += size) {
        reader.feed(text.substr(at, size));
        for (std::string &line : reader.takeRecords())
            all.push_back(std::move(line));
    }
    reader.finish();
    for (std::string &line : reader.takeRecords())
        all.push_back(std::move(line));
    return all;
}

} // namespace

class TestResultFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void splitsRecords_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("records");
        const auto ab = QStringList { QStringLiteral("A"), QStringLiteral("B") };
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("CR LF") << QByteArray("A\r\nB\r\n") << ab;
        QTest::newRow("lone CR") << QByteArray("A\rB\r") << ab;
        // A value may hold a LF of its own (a server on another system); it splits nothing.
        QTest::newRow("lone LF inside a value") << QByteArray(
            "A\nB\r\n-\r\nC\r\n") << QStringList { QStringLiteral("A\nB"), QStringLiteral("C") };
        QTest::newRow("last line without end") << QByteArray("A\r\nB") << ab;
        QTest::newRow("as the search writes it") << QByteArray("A\r\n-\r\nB\r\n-\r\n\r\n") << ab;
        QTest::newRow("separators only")
            << QByteArray("-\r\n\r\n  -  \r\n   \r\n-") << QStringList();
        QTest::newRow("spaces trimmed, tabs kept")
            << QByteArray("  A <>B  \r\n\tC\t\r\n")
            << QStringList { QStringLiteral("A <>B"), QStringLiteral("\tC\t") };
        QTest::newRow("dash inside a record") << QByteArray(
            "-x-\r\n--\r\n") << QStringList { QStringLiteral("-x-"), QStringLiteral("--") };
        QTest::newRow("the Part's four lines")
            << QByteArray("A<>B<>C\r\n-\r\nD\r\n-")
            << QStringList { QStringLiteral("A<>B<>C"), QStringLiteral("D") };
        QTest::newRow("plain server message") << QByteArray(
            "No hotspots found.\r\n") << QStringList { QStringLiteral("No hotspots found.") };
    }
    void splitsRecords()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, records);
        const std::string_view view(text.constData(), std::size_t(text.size()));
        const ResultRecords whole = ReadResultRecords(view);
        QCOMPARE(toList(whole.lines), records);
        QVERIFY(!whole.limitReached);
        QCOMPARE(whole.consumed, view.size());
        // Piece boundaries, a CR LF cut in two included, change nothing.
        for (std::size_t size : { 1, 2, 3, 7 })
            QCOMPARE(toList(readInPieces(view, size, MaxResults)), records);
    }

    void stopsAtTheLimit_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("limitReached");
        QTest::newRow("299") << 299 << 299 << false;
        QTest::newRow("300") << 300 << 300 << true;
        QTest::newRow("301") << 301 << 300 << true;
        QTest::newRow("2000") << 2000 << 300 << true;
    }
    void stopsAtTheLimit()
    {
        QFETCH(int, records);
        QFETCH(int, expected);
        QFETCH(bool, limitReached);
        const std::string text = test::resultFileText(records);
        const ResultRecords result = ReadResultRecords(text);
        QCOMPARE(int(result.lines.size()), expected);
        QCOMPARE(result.limitReached, limitReached);
        QCOMPARE(result.lines.front(), test::recordLine(1));
        QCOMPARE(result.lines.back(), test::recordLine(expected));
        if (limitReached) {
            // Reading ends right after the line end of the 300th record: not even the
            // separator behind it is looked at.
            const std::string upTo300 = test::resultFileText(299) + test::recordLine(300) + "\r\n";
            QCOMPARE(result.consumed, upTo300.size());
        }
    }

    void separatorsDoNotCountTowardsTheLimit()
    {
        std::string text;
        for (int i = 1; i <= 300; ++i)
            text += "-\r\n   \r\n\r\n" + test::recordLine(i) + "\r\n";
        text += "after\r\n";
        const ResultRecords result = ReadResultRecords(text);
        QCOMPARE(int(result.lines.size()), 300);
        QCOMPARE(result.lines.back(), test::recordLine(300));
    }

    void limitRecordWithoutLineEnd()
    {
        const std::string text = test::resultFileText(299) + test::recordLine(300);
        const ResultRecords result = ReadResultRecords(text);
        QCOMPARE(int(result.lines.size()), 300);
        QVERIFY(result.limitReached);
    }

    void takesNothingOnceFull()
    {
        ResultFileReader reader(2);
        QCOMPARE(reader.feed("A\r\nB\rC\r\n"), std::size_t(5));
        QVERIFY(reader.full());
        QCOMPARE(reader.feed("D\r\n"), std::size_t(0));
        reader.finish();
        QCOMPARE(toList(reader.takeRecords()),
            (QStringList { QStringLiteral("A"), QStringLiteral("B") }));
        QCOMPARE(reader.count(), 2);
    }
};

QTEST_APPLESS_MAIN(TestResultFile)
#include "tst_result_file.moc"
