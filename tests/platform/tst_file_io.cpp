#include "platform/file_io.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace pellomar;

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

bool putFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// Limits the size of any file this process writes, as a full disk would; works for root too,
// who ignores file permissions.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool active() const { return m_active; }

private:
    rlimit m_saved {};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

} // namespace

class TestFileIo : public QObject {
    Q_OBJECT

private:
    // Every replace, of the user's file or the program's own, must be whole or leave the old
    // file.
    static void owners()
    {
        QTest::addColumn<FileOwner>("owner");
        QTest::newRow("user's file") << FileOwner::User;
        QTest::newRow("program's own file") << FileOwner::Program;
    }

private Q_SLOTS:
    void readsWholeFile_data();
    void readsWholeFile();
    void missingFile();
    void folderIsNoFile();
    void tooLarge();
    void unreadableFile();
    void writeCreatesAndReplaces_data() { owners(); }
    void writeCreatesAndReplaces();
    void writeIntoMissingFolderFails_data() { owners(); }
    void writeIntoMissingFolderFails();
    void failedWriteKeepsOldFile_data() { owners(); }
    void failedWriteKeepsOldFile();
    void readOnlyFolderKeepsOldFile();
    void replacesFifo();
    void symbolicLink();
    void pendingReplace();

private:
    QTemporaryDir m_dir;
};

void TestFileIo::readsWholeFile_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text with CR LF") << QByteArray("a\r\nb\r\n");
    QTest::newRow("binary with NUL") << QByteArray("\0\x80\xFF\0", 4);
    QTest::newRow("1 MiB") << QByteArray(1 << 20, 'x');
}

void TestFileIo::readsWholeFile()
{
    QFETCH(QByteArray, data);
    const QString path = m_dir.filePath(QStringLiteral("read.bin"));
    QVERIFY(putFile(path, data));
    const FileRead read = readWholeFile(path);
    QVERIFY2(read.ok(), qPrintable(read.error));
    QVERIFY(!read.missing);
    QCOMPARE(read.data, data);
}

void TestFileIo::missingFile()
{
    const QString path = m_dir.filePath(QStringLiteral("absent.txt"));
    const FileRead read = readWholeFile(path);
    QVERIFY(!read.ok());
    QVERIFY(read.missing);
    QVERIFY(read.data.isEmpty());
    QVERIFY2(read.error.contains(QDir::toNativeSeparators(path)), qPrintable(read.error));
}

void TestFileIo::folderIsNoFile()
{
    const FileRead read = readWholeFile(m_dir.path());
    QVERIFY(!read.ok());
    QVERIFY(!read.missing);
    QVERIFY2(read.error.contains(QStringLiteral("folder")), qPrintable(read.error));
}

void TestFileIo::tooLarge()
{
    const QString path = m_dir.filePath(QStringLiteral("large.bin"));
    QVERIFY(putFile(path, QByteArray(101, 'x')));
    const FileRead read = readWholeFile(path, 100);
    QVERIFY(!read.ok());
    QVERIFY(read.data.isEmpty());
    QVERIFY(readWholeFile(path, 101).ok());
}

void TestFileIo::unreadableFile()
{
    if (geteuid() == 0)
        QSKIP("root reads files whatever their permissions");
    const QString path = m_dir.filePath(QStringLiteral("secret.txt"));
    QVERIFY(putFile(path, "x"));
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    const FileRead read = readWholeFile(path);
    QVERIFY(!read.ok());
    QVERIFY(!read.missing);
    QVERIFY2(read.error.startsWith(QStringLiteral("Cannot open")), qPrintable(read.error));
}

void TestFileIo::writeCreatesAndReplaces()
{
    QFETCH(FileOwner, owner);
    const QString path = m_dir.filePath(QStringLiteral("tmp.txt"));
    QCOMPARE(writeFileAtomically(path, "first, and longer\r\n", owner), QString());
    QCOMPARE(contentOf(path), QByteArray("first, and longer\r\n"));
    QCOMPARE(writeFileAtomically(path, "second", owner), QString());
    QCOMPARE(contentOf(path), QByteArray("second"));
    QCOMPARE(writeFileAtomically(path, QByteArray(), owner), QString());
    QCOMPARE(contentOf(path), QByteArray());
}

void TestFileIo::writeIntoMissingFolderFails()
{
    QFETCH(FileOwner, owner);
    const QString path = m_dir.filePath(QStringLiteral("no/such/folder/tmp.txt"));
    const QString error = writeFileAtomically(path, "x", owner);
    QVERIFY(!error.isEmpty());
    QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    QVERIFY(!QFile::exists(path));
}

void TestFileIo::failedWriteKeepsOldFile()
{
    QFETCH(FileOwner, owner);
    QTemporaryDir folder(m_dir.filePath(QStringLiteral("full-XXXXXX")));
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("tmp.txt"));
    QVERIFY(putFile(path, "old result"));
    {
        const FileSizeLimit limit(64);
        QVERIFY(limit.active());
        const QString error = writeFileAtomically(path, QByteArray(4096, 'n'), owner);
        QVERIFY2(!error.isEmpty(), "a write beyond the file size limit must fail");
    }
    QCOMPARE(contentOf(path), QByteArray("old result"));
    // No half-written temporary file is left behind.
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList { QStringLiteral("tmp.txt") });
}

void TestFileIo::readOnlyFolderKeepsOldFile()
{
    if (geteuid() == 0)
        QSKIP("root writes into read-only folders; failedWriteKeepsOldFile covers the failure");
    QTemporaryDir folder(m_dir.filePath(QStringLiteral("ro-XXXXXX")));
    const QString path = folder.filePath(QStringLiteral("tmp.txt"));
    QVERIFY(putFile(path, "old result"));
    QVERIFY(QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const QString error = writeFileAtomically(path, "new result");
    QFile::setPermissions(
        folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY(!error.isEmpty());
    QCOMPARE(contentOf(path), QByteArray("old result"));
}

// The search's replace looks at the file it replaces; a FIFO in its place (which a plain open
// would wait on for ever) is replaced like any file.
void TestFileIo::replacesFifo()
{
    const QString path = m_dir.filePath(QStringLiteral("fifo.txt"));
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    QCOMPARE(writeFileAtomically(path, "results", FileOwner::Program), QString());
    QVERIFY(QFileInfo(path).isFile());
    QCOMPARE(contentOf(path), QByteArray("results"));
}

// The user's file is written where the link points; the program's own file replaces the link
// and leaves the file it pointed to alone.
void TestFileIo::symbolicLink()
{
    const QString elsewhere = m_dir.filePath(QStringLiteral("elsewhere.txt"));
    const QString link = m_dir.filePath(QStringLiteral("img.dat"));
    QVERIFY(putFile(elsewhere, "not the program's"));
    QVERIFY(QFile::link(elsewhere, link));
    QCOMPARE(writeFileAtomically(link, "picture", FileOwner::Program), QString());
    QVERIFY(!QFileInfo(link).isSymLink());
    QCOMPARE(contentOf(link), QByteArray("picture"));
    QCOMPARE(contentOf(elsewhere), QByteArray("not the program's"));

    const QString saved = m_dir.filePath(QStringLiteral("saved.txt"));
    QVERIFY(QFile::link(elsewhere, saved));
    QCOMPARE(writeFileAtomically(saved, "hotspot", FileOwner::User), QString());
    QVERIFY(QFileInfo(saved).isSymLink());
    QCOMPARE(contentOf(elsewhere), QByteArray("hotspot"));
}

// A replace made ready ahead changes nothing on disk until it is committed, and then
// replaces whatever the file holds by that time.
void TestFileIo::pendingReplace()
{
    QTemporaryDir folder(m_dir.filePath(QStringLiteral("pending-XXXXXX")));
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("tmp.txt"));
    QVERIFY(putFile(path, "old result"));
    {
        PendingReplace dropped(path);
    }
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList { QStringLiteral("tmp.txt") });
    QCOMPARE(contentOf(path), QByteArray("old result"));

    PendingReplace replace(path);
    QVERIFY(putFile(path, "written meanwhile"));
    QCOMPARE(replace.commit("new result"), QString());
    replace.releaseReplacedNow();
    QCOMPARE(contentOf(path), QByteArray("new result"));
    QVERIFY(!replace.commit("again").isEmpty());
    QCOMPARE(contentOf(path), QByteArray("new result"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList { QStringLiteral("tmp.txt") });

    PendingReplace nowhere(folder.filePath(QStringLiteral("no/such/folder/tmp.txt")));
    QVERIFY2(nowhere.commit("x").startsWith(QStringLiteral("Cannot write")),
        qPrintable(nowhere.commit("x")));
}

QTEST_GUILESS_MAIN(TestFileIo)
#include "tst_file_io.moc"
