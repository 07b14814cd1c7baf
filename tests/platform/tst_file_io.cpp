#include "common/harness.h"
#include "platform/file_io.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <optional>
#include <sys/stat.h>

using namespace pellomar;
using namespace pellomar::test;

Q_DECLARE_METATYPE(pellomar::FileOwner)

// Reading a whole file within a limit, and replacing a file whole or not at all: the user's
// file where the user pointed, the program's own by a rename over its name.
class TestFileIo : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString fresh(const QString &name)
    {
        const QString folder = m_dir.filePath(QString::number(++m_count));
        QDir().mkpath(folder);
        return folder + u'/' + name;
    }
    int m_count = 0;

private Q_SLOTS:
    void read_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("error"); // empty: read whole
        QTest::newRow("bytes of every value") << QStringLiteral("file") << QString();
        QTest::newRow("missing") << QStringLiteral("missing") << QStringLiteral("does not exist");
        QTest::newRow("folder") << QStringLiteral("folder")
                                << QStringLiteral("is a folder, not a file");
        QTest::newRow("over the limit")
            << QStringLiteral("large") << QStringLiteral("is too large (101 bytes)");
    }
    void read()
    {
        QFETCH(QString, kind);
        QFETCH(QString, error);
        const QString path = fresh(QStringLiteral("read.bin"));
        const QByteArray bytes("\0\x80\xff\r\n", 5);
        if (kind == QStringLiteral("file"))
            QVERIFY(putFile(path, bytes));
        else if (kind == QStringLiteral("folder"))
            QVERIFY(QDir().mkpath(path));
        else if (kind == QStringLiteral("large"))
            QVERIFY(putFile(path, QByteArray(101, 'x')));
        const FileRead read = readWholeFile(path, 100);
        QCOMPARE(read.ok(), error.isEmpty());
        QCOMPARE(read.missing, kind == QStringLiteral("missing"));
        QVERIFY2(read.error.contains(error)
                && (error.isEmpty() || read.error.contains(QDir::toNativeSeparators(path))),
            qPrintable(read.error));
        QCOMPARE(read.data, error.isEmpty() ? bytes : QByteArray());
    }

    void replace_data()
    {
        QTest::addColumn<FileOwner>("owner");
        QTest::addColumn<QString>("fault");
        for (const auto &[owner, name] : { std::pair { FileOwner::User, "user's file" },
                 std::pair { FileOwner::Program, "program's own file" } }) {
            for (const char *fault : { "", "missing folder", "full disk" })
                QTest::addRow("%s %s", name, fault) << owner << QString::fromLatin1(fault);
        }
    }
    void replace()
    {
        QFETCH(FileOwner, owner);
        QFETCH(QString, fault);
        const QString path = fresh(QStringLiteral("tmp.txt"));
        const QByteArray old = "old, and longer than the new";
        QVERIFY(putFile(path, old));
        const QString target = fault == QStringLiteral("missing folder")
            ? m_dir.filePath(QStringLiteral("no/such/folder/tmp.txt"))
            : path;
        std::optional<FileSizeLimit> limit;
        if (fault == QStringLiteral("full disk"))
            QVERIFY(limit.emplace(16).active());
        const QString error
            = writeFileAtomically(target, fault.isEmpty() ? "new" : QByteArray(4096, 'n'), owner);
        limit.reset();
        if (fault.isEmpty()) {
            QCOMPARE(error, QString());
            QCOMPARE(fileBytes(path), QByteArray("new"));
        } else {
            QVERIFY2(error.startsWith(
                         QStringLiteral("Cannot write ") + QDir::toNativeSeparators(target)),
                qPrintable(error));
            QCOMPARE(fileBytes(path), old);
        }
        // Nothing half-made is left beside it.
        QCOMPARE(QFileInfo(path).dir().entryList(QDir::Files | QDir::System | QDir::Hidden),
            QStringList { QStringLiteral("tmp.txt") });
    }

    // The user's file is written where the link points; the program's own file replaces the link
    // and leaves the file it pointed to alone, and replaces a FIFO (which a plain open would wait
    // on for ever) like any file.
    void whatStandsInTheWay()
    {
        const QString elsewhere = fresh(QStringLiteral("elsewhere.txt"));
        const QString link = m_dir.filePath(QStringLiteral("img.dat"));
        const QString saved = m_dir.filePath(QStringLiteral("saved.txt"));
        QVERIFY(putFile(elsewhere, "not the program's"));
        QVERIFY(QFile::link(elsewhere, link) && QFile::link(elsewhere, saved));
        QCOMPARE(writeFileAtomically(link, "picture", FileOwner::Program), QString());
        QVERIFY(!QFileInfo(link).isSymLink());
        QCOMPARE(fileBytes(link), QByteArray("picture"));
        QCOMPARE(fileBytes(elsewhere), QByteArray("not the program's"));
        QCOMPARE(writeFileAtomically(saved, "hotspot", FileOwner::User), QString());
        QVERIFY(QFileInfo(saved).isSymLink());
        QCOMPARE(fileBytes(elsewhere), QByteArray("hotspot"));
        const QString fifo = fresh(QStringLiteral("tmp.txt"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QCOMPARE(writeFileAtomically(fifo, "results", FileOwner::Program), QString());
        QCOMPARE(fileBytes(fifo), QByteArray("results"));
    }

    // A replace made ready ahead changes nothing until it is committed, then replaces whatever
    // the file holds by that time, once.
    void pendingReplace()
    {
        const QString path = fresh(QStringLiteral("tmp.txt"));
        QVERIFY(putFile(path, "old result"));
        {
            PendingReplace dropped(path);
        }
        QCOMPARE(QFileInfo(path).dir().entryList(QDir::Files),
            QStringList { QStringLiteral("tmp.txt") });
        PendingReplace replace(path);
        QVERIFY(putFile(path, "written meanwhile"));
        QCOMPARE(replace.commit("new result"), QString());
        QVERIFY(!replace.commit("again").isEmpty());
        QCOMPARE(fileBytes(path), QByteArray("new result"));
    }
};

QTEST_GUILESS_MAIN(TestFileIo)
#include "tst_file_io.moc"
