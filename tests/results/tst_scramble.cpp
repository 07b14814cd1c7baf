#include "resultfile/result_format.h"
#include "results/result_test_files.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace pellomar;

class TestScramble : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void flipsTheTopBit_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("scrambled");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("bounds") << QByteArray("\x00\x7F\x80\xFF", 4)
                                << QByteArray("\x80\xFF\x00\x7F", 4);
        QTest::newRow("abc") << QByteArray("abc") << QByteArray("\xE1\xE2\xE3");
        QTest::newRow("crlf") << QByteArray("\r\n") << QByteArray("\x8D\x8A");
        QTest::newRow("utf-8 letter") << QByteArray("\xC3\x85") << QByteArray("\x43\x05");
    }
    void flipsTheTopBit()
    {
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, scrambled);
        const std::string out = Scrambled(std::string_view(plain.constData(), plain.size()));
        QCOMPARE(QByteArray(out.data(), qsizetype(out.size())), scrambled);
    }

    void isItsOwnInverseForEveryByte()
    {
        std::string all;
        for (int b = 0; b < 256; ++b)
            all.push_back(static_cast<char>(b));
        const std::string once = Scrambled(all);
        for (int b = 0; b < 256; ++b)
            QCOMPARE(static_cast<unsigned char>(once[std::size_t(b)]), (b ^ 0x80));
        QCOMPARE(Scrambled(once), all);
    }

};

QTEST_GUILESS_MAIN(TestScramble)
#include "tst_scramble.moc"
