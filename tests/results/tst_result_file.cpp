#include "resultfile/result_format.h"

#include <QTest>

using namespace pellomar;

// The result file's plain text turned into record lines.
class TestResultFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void reads_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("records");
        const QStringList ab { QStringLiteral("A"), QStringLiteral("B") };
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("CR LF") << QByteArray("A\r\nB\r\n") << ab;
        QTest::newRow("lone CR") << QByteArray("A\rB\r") << ab;
        // A value may hold a LF of its own (a server on another system); it splits nothing.
        QTest::newRow("lone LF inside a value") << QByteArray(
            "A\nB\r\n-\r\nC") << QStringList { QStringLiteral("A\nB"), QStringLiteral("C") };
        QTest::newRow("as the search writes it") << QByteArray("A\r\n-\r\nB\r\n-\r\n\r\n") << ab;
        QTest::newRow("separators only")
            << QByteArray("-\r\n\r\n  -  \r\n   \r\n-") << QStringList();
        QTest::newRow("spaces trimmed, tabs kept")
            << QByteArray("  A <>B  \r\n\tC\t\r\n")
            << QStringList { QStringLiteral("A <>B"), QStringLiteral("\tC\t") };
        QTest::newRow("dashes inside a record") << QByteArray(
            "-x-\r\n--") << QStringList { QStringLiteral("-x-"), QStringLiteral("--") };
    }
    void reads()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, records);
        const std::string_view plain(text.constData(), std::size_t(text.size()));
        // Whole, and in pieces as the loader reads a file: piece boundaries, a CR LF cut in
        // two included, change nothing.
        for (const std::size_t size :
            { plain.size() + 1, std::size_t(1), std::size_t(2), std::size_t(3) }) {
            ResultFileReader reader;
            for (std::size_t at = 0; at < plain.size(); at += size)
                reader.feed(plain.substr(at, size));
            reader.finish();
            QStringList read;
            for (const std::string &line : reader.takeRecords())
                read << QString::fromStdString(line);
            QCOMPARE(read, records);
        }
    }
};

QTEST_APPLESS_MAIN(TestResultFile)
#include "tst_result_file.moc"
