#include "common/scripted_server.h"
#include "faults/fault_support.h"
#include "platform/message_box.h"
#include "results/result_list_view.h"
#include "search/search_exchange.h"
#include "shell/download_caption.h"

#include <QEventLoop>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <sys/resource.h>

using namespace pellomar;
using namespace pellomar::test;

namespace {

// Bytes this process has read from files so far (/proc/self/io, read whole: /proc reports a
// size of 0).
qint64 bytesReadSoFar()
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : io.readAll().split('\n')) {
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    }
    return -1;
}

// A data folder in which nothing can be written while the object lives. The tests run as
// root, which ignores permissions, so the folder is made immutable, or every file is limited
// to no bytes at all (RLIMIT_FSIZE, as on a full disk).
class UnwritableFolder {
public:
    enum class Way { Immutable, NoRoom };

    UnwritableFolder(Way way, const QString &folder)
        : m_way(way)
        , m_folder(folder)
    {
        if (way == Way::Immutable) {
            m_active = QProcess::execute(QStringLiteral("chattr"), { QStringLiteral("+i"), folder })
                == 0;
            return;
        }
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit none { 0, m_saved.rlim_max };
        m_active = setrlimit(RLIMIT_FSIZE, &none) == 0;
    }
    ~UnwritableFolder()
    {
        if (m_way == Way::Immutable) {
            if (m_active)
                QProcess::execute(QStringLiteral("chattr"), { QStringLiteral("-i"), m_folder });
            return;
        }
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    UnwritableFolder(const UnwritableFolder &) = delete;
    UnwritableFolder &operator=(const UnwritableFolder &) = delete;

    bool active() const { return m_active; }

private:
    Way m_way;
    QString m_folder;
    bool m_active = false;
    rlimit m_saved {};
    void (*m_oldHandler)(int) = nullptr;
};

QByteArray scrambledRecords(int count)
{
    QByteArray plain;
    for (int i = 1; i <= count; ++i)
        plain += "Hotspot " + QByteArray::number(i) + "<>US<>Springfield<>Cafe<>free\r\n-\r\n";
    return QByteArray::fromStdString(Scrambled(asView(plain)));
}

} // namespace

Q_DECLARE_METATYPE(UnwritableFolder::Way)

// The main window over a data folder that cannot be written and over result files that are
// damaged: a clear message, a window that keeps working, and no file lost or changed.
class TestFileFaults : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QList<MessageBox::Request> m_boxes;
    int m_readingTimeMs = 0;
    std::unique_ptr<ScriptedServer> m_server;
    std::unique_ptr<frmMain> m_window;

    AppContext context() const
    {
        AppContext context;
        context.server = m_server->address();
        context.dataDir = m_dir->filePath(QStringLiteral("data"));
        context.referenceDir = qEnvironmentVariable("PELLOMAR_BIN_DIR");
        return context;
    }
    QString status() const
    {
        return m_window->findChild<QLabel *>(QStringLiteral("lblStatus"))->text();
    }
    ResultListView *list() const { return m_window->findChild<ResultListView *>(); }
    QPushButton *searchButton() const
    {
        return m_window->findChild<QPushButton *>(QStringLiteral("Command1"));
    }
    bool search()
    {
        QSignalSpy stored(&m_window->searchExchange(), &SearchExchange::stored);
        QSignalSpy failed(&m_window->searchExchange(), &SearchExchange::failed);
        QTest::mouseClick(searchButton(), Qt::LeftButton);
        if (!QTest::qWaitFor([&] { return stored.count() + failed.count() > 0; }, 10000))
            qWarning("the search did not end");
        return !stored.isEmpty();
    }
    bool loadEnded() const
    {
        const QString text = status();
        return text == QStringLiteral("Results Loaded!")
            || text.startsWith(QStringLiteral("The results could not be loaded"));
    }

private Q_SLOTS:
    void initTestCase()
    {
        MessageBox::setResponder([this](const MessageBox::Request &box) {
            m_boxes.append(box);
            // A user reading the message: events go on meanwhile, in a loop of their own as
            // under a real box.
            if (m_readingTimeMs > 0) {
                QEventLoop reading;
                QTimer::singleShot(m_readingTimeMs, &reading, &QEventLoop::quit);
                reading.exec();
            }
            return QMessageBox::Ok;
        });
    }
    void cleanupTestCase() { MessageBox::setResponder({}); }

    void init()
    {
        m_boxes.clear();
        m_readingTimeMs = 0;
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("data"))));
        m_server = std::make_unique<ScriptedServer>();
        QVERIFY(m_server->listen());
        m_server->setDefaultScript(Script::reply(Script::httpReply("New Cafe<>US<>BostonEND")));
    }

    void cleanup()
    {
        m_window.reset();
        m_server.reset();
        m_dir.reset();
    }

    void unwritableDataFolder_data()
    {
        QTest::addColumn<UnwritableFolder::Way>("way");
        QTest::newRow("immutable folder") << UnwritableFolder::Way::Immutable;
        QTest::newRow("no room for a byte") << UnwritableFolder::Way::NoRoom;
    }

    void unwritableDataFolder()
    {
        QFETCH(UnwritableFolder::Way, way);
        KeptFiles kept;
        QVERIFY(
            kept.write(context().resultFilePath(), m_dir->filePath(QStringLiteral("saved.txt"))));
        m_window = openMainWindow(context());
        QTRY_COMPARE(status(), QStringLiteral("Results Loaded!"));
        {
            UnwritableFolder folder(way, context().dataDir);
            if (!folder.active())
                QSKIP("this machine cannot make the folder unwritable that way");
            QVERIFY(!search());
            QVERIFY2(status().startsWith(QStringLiteral("The search results could not be stored")),
                qPrintable(status()));
            QVERIFY(searchButton()->isEnabled());
            QCOMPARE(list()->rowCount(), 2);
            QVERIFY2(kept.changed().isEmpty(), qPrintable(kept.changed()));
            // Nothing is left behind by the attempt.
            QCOMPARE(QDir(context().dataDir).entryList(QDir::Files | QDir::Hidden),
                QStringList { QStringLiteral("tmp.txt") });
        }
        // Once the folder can be written again, the same window searches as usual.
        QVERIFY(search());
        QCOMPARE(status(), QStringLiteral("Results Loaded!"));
        QCOMPARE(list()->rowCount(), 1);
        QVERIFY(kept.savedFileUnchanged());
        QVERIFY(m_boxes.isEmpty());
    }

    // The new rows are built while the result file is written; when the write fails they give
    // way to the previous list before anything is painted, without the limit's message again
    // and without a message panel.
    void failedStoreShowsPreviousList_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("previousRecords");
        QTest::newRow("records, previous list at the limit")
            << QByteArray("New Cafe<>US<>BostonEND") << 320;
        QTest::newRow("message") << QByteArray("No hotspots found.") << 2;
    }

    void failedStoreShowsPreviousList()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, previousRecords);
        QCOMPARE(writeFileAtomically(context().resultFilePath(), scrambledRecords(previousRecords)),
            QString());
        const QDateTime downloaded(QDate(2001, 2, 3), QTime(4, 5));
        QFile previous(context().resultFilePath());
        QVERIFY(previous.open(QIODevice::ReadWrite)
            && previous.setFileTime(downloaded, QFileDevice::FileModificationTime));
        m_window = openMainWindow(context());
        QTRY_COMPARE(status(), QStringLiteral("Results Loaded!"));
        const int shown = list()->rowCount();
        QCOMPARE(shown, qMin(previousRecords, 300));
        m_boxes.clear();
        m_server->setDefaultScript(Script::reply(Script::httpReply(reply)));
        {
            UnwritableFolder folder(UnwritableFolder::Way::NoRoom, context().dataDir);
            if (!folder.active())
                QSKIP("this machine cannot limit the size of files");
            QVERIFY(!search());
        }
        QVERIFY2(status().startsWith(QStringLiteral("The search results could not be stored")),
            qPrintable(status()));
        QCOMPARE(list()->rowCount(), shown);
        QCOMPARE(m_window->downloadedCaption(), downloadedCaption(downloaded));
        QCOMPARE(QByteArray::fromStdString(list()->record(1)),
            QByteArray("Hotspot 1<>US<>Springfield<>Cafe<>free"));
        QVERIFY(!m_window->findChild<QWidget *>(QStringLiteral("Picture3"))->isVisible());
        QVERIFY(m_boxes.isEmpty());
        QVERIFY(searchButton()->isEnabled());
    }

    // The store's failure can come while the new rows' "Max Results" message waits for the
    // user; once it is closed, the previous list and the reason show, and no second message.
    void failedStoreWhileLimitMessageWaits()
    {
        QCOMPARE(writeFileAtomically(context().resultFilePath(), scrambledRecords(320)), QString());
        m_window = openMainWindow(context());
        QTRY_COMPARE(status(), QStringLiteral("Results Loaded!"));
        m_boxes.clear();
        QByteArray many;
        for (int i = 1; i <= 320; ++i)
            many += "New " + QByteArray::number(i) + "<>US<>BostonEND";
        m_server->setDefaultScript(Script::reply(Script::httpReply(many)));
        m_readingTimeMs = 300;
        {
            UnwritableFolder folder(UnwritableFolder::Way::NoRoom, context().dataDir);
            if (!folder.active())
                QSKIP("this machine cannot limit the size of files");
            QVERIFY(!search());
            QTRY_VERIFY(searchButton()->isEnabled());
        }
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(m_boxes.at(0).title, QStringLiteral("Max Results"));
        QCOMPARE(list()->rowCount(), 300);
        QCOMPARE(QByteArray::fromStdString(list()->record(1)),
            QByteArray("Hotspot 1<>US<>Springfield<>Cafe<>free"));
        QVERIFY2(status().startsWith(QStringLiteral("The search results could not be stored")),
            qPrintable(status()));
    }

    void damagedResultFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("rows"); // -1: any number up to 300
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("boxes");

        // A quarter megabyte of noise holds far more than 300 line ends.
        QTest::newRow("random bytes")
            << QStringLiteral("random") << 300 << QStringLiteral("Results Loaded!") << 1;
        QTest::newRow("200 MB, records first")
            << QStringLiteral("records then hole") << 300 << QStringLiteral("Results Loaded!") << 1;
        QTest::newRow("200 MB without a line end")
            << QStringLiteral("hole") << 0 << QStringLiteral("line of more than 1024 KiB") << 0;
        QTest::newRow("a folder") << QStringLiteral("folder") << 0
                                  << QStringLiteral("is a folder, not a file") << 0;
    }

    void damagedResultFile()
    {
        QFETCH(QString, kind);
        QFETCH(int, rows);
        QFETCH(QString, status);
        QFETCH(int, boxes);

        const QString path = context().resultFilePath();
        const qint64 size = qint64(200) * 1000 * 1000;
        if (kind == QStringLiteral("folder")) {
            QVERIFY(QDir().mkpath(path));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (kind == QStringLiteral("random")) {
                QByteArray noise(256 * 1024, Qt::Uninitialized);
                QRandomGenerator(11).fillRange(
                    reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
                QCOMPARE(file.write(noise), noise.size());
            } else if (kind == QStringLiteral("records then hole")) {
                QVERIFY(file.write(scrambledRecords(400)) > 0);
                QVERIFY(file.resize(size)); // the rest is a hole: no disk used
            } else {
                QVERIFY(file.resize(size));
            }
        }
        KeptFiles kept;
        QVERIFY(kept.write(m_dir->filePath(QStringLiteral("other.txt")),
            m_dir->filePath(QStringLiteral("saved.txt"))));
        const QByteArray before = KeptFiles::hashOf(path);

        const qint64 readBefore = bytesReadSoFar();
        m_window = openMainWindow(context());
        QTRY_VERIFY_WITH_TIMEOUT(loadEnded(), 20000);
        const qint64 read = bytesReadSoFar() - readBefore;

        QVERIFY2(this->status().contains(status), qPrintable(this->status()));
        if (rows >= 0)
            QCOMPARE(list()->rowCount(), rows);
        else
            QVERIFY(list()->rowCount() <= 300);
        QCOMPARE(m_boxes.size(), boxes);
        if (boxes > 0)
            QCOMPARE(m_boxes.at(0).title, QStringLiteral("Max Results"));
        // A large file is read only as far as the list needs, or as far as the damage.
        QVERIFY2(read < 16 * 1024 * 1024, QByteArray::number(read));
        QVERIFY(searchButton()->isEnabled());
        QVERIFY(!list()->grab().isNull());
        QCOMPARE(KeptFiles::hashOf(path), before);
        QVERIFY(QFileInfo(path).isDir() || QFileInfo(path).size() > 0);
        QVERIFY2(kept.changed().isEmpty(), qPrintable(kept.changed()));

        // A search replaces a damaged file; a folder in its place is reported and left alone.
        const bool stored = search();
        QCOMPARE(stored, kind != QStringLiteral("folder"));
        if (stored) {
            QCOMPARE(list()->rowCount(), 1);
        } else {
            QVERIFY2(this->status().contains(QStringLiteral("could not be stored")),
                qPrintable(this->status()));
            QVERIFY(QFileInfo(path).isDir());
        }
        QVERIFY(kept.savedFileUnchanged());
    }
};

QTEST_MAIN(TestFileFaults)
#include "tst_file_faults.moc"
