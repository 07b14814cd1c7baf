#include "results/result_test_files.h"
#include "search/scramble.h"
#include "search/scramble_file.h"

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

    void fileRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("records with CR LF") << QByteArray("A<>B<>C\r\n-\r\nD\r\n-\r\n\r\n");
        QByteArray every;
        for (int round = 0; round < 300; ++round)
            for (int b = 0; b < 256; ++b)
                every.append(char(b));
        QTest::newRow("every byte, 75 KiB") << every;
    }
    void fileRoundTrip()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("tmp.txt"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(content), content.size());
        }
        QCOMPARE(ScrambleFile(path), QString());
        const QByteArray once = test::fileBytes(path);
        QCOMPARE(once.size(), content.size());
        QCOMPARE(once, test::scrambledBytes(content.toStdString()));
        QCOMPARE(ScrambleFile(path), QString());
        QCOMPARE(test::fileBytes(path), content);
        // Nothing but the file itself is left in the folder.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
            QStringList { QStringLiteral("tmp.txt") });
    }

    void missingFileIsCreatedEmpty()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tmp.txt"));
        QCOMPARE(ScrambleFile(path), QString());
        QVERIFY(QFileInfo(path).isFile());
        QCOMPARE(QFileInfo(path).size(), 0);
    }

    void folderIsRefusedAndLeftAlone()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tmp.txt"));
        QVERIFY(QDir().mkdir(path));
        const QString error = ScrambleFile(path);
        QVERIFY(!error.isEmpty());
        QVERIFY2(error.contains(QStringLiteral("tmp.txt")), qPrintable(error));
        QVERIFY(QFileInfo(path).isDir());
    }

    void unwritableFolderKeepsTheOldBytes()
    {
        QTemporaryDir dir;
        const QString sub = dir.filePath(QStringLiteral("locked"));
        QVERIFY(QDir().mkdir(sub));
        const QString path = sub + QStringLiteral("/tmp.txt");
        QVERIFY(test::writeScrambledFile(path, "A<>B\r\n"));
        const QByteArray before = test::fileBytes(path);
        QFile::setPermissions(sub, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const bool canCreate = QFile(sub + QStringLiteral("/probe")).open(QIODevice::WriteOnly);
        if (canCreate) {
            QFile::remove(sub + QStringLiteral("/probe"));
            QFile::setPermissions(
                sub, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            QSKIP("running with rights that ignore folder permissions");
        }
        const QString error = ScrambleFile(path);
        QFile::setPermissions(
            sub, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(!error.isEmpty());
        QCOMPARE(test::fileBytes(path), before);
    }
};

QTEST_GUILESS_MAIN(TestScramble)
#include "tst_scramble.moc"
