#include "common/harness.h"
#include "common/scripted_server.h"
#include "resultfile/result_format.h"
#include "results/result_list_view.h"
#include "shell/download_caption.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <optional>

using namespace pellomar;
using namespace pellomar::test;

namespace {

// The data folder made immutable while the object lives: the tests run as root, which
// permissions do not stop.
class ImmutableFolder {
public:
    explicit ImmutableFolder(const QString &folder)
        : m_folder(folder)
        , m_active(
              QProcess::execute(QStringLiteral("chattr"), { QStringLiteral("+i"), folder }) == 0)
    {
    }
    ~ImmutableFolder()
    {
        if (m_active)
            QProcess::execute(QStringLiteral("chattr"), { QStringLiteral("-i"), m_folder });
    }
    bool active() const { return m_active; }

private:
    QString m_folder;
    bool m_active;
};

} // namespace

// The main window over a data folder that cannot be written and over damaged result files: a
// clear message, a window that keeps working, and no file lost or changed.
class TestFileFaults : public QObject {
    Q_OBJECT

    ScriptedServer m_server;

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_server.listen()); }

    // The new rows are built while the result file is written; when the write fails they give
    // way to the previous list before anything is painted, without the limit's message again,
    // without a message panel, and with the previous list's time.
    void failedStoreKeepsThePreviousList_data()
    {
        QTest::addColumn<bool>("immutable"); // else no room for a byte, as on a full disk
        QTest::addColumn<int>("previousRecords");
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("immutable folder") << true << 2 << QByteArray("New Cafe<>US<>BostonEND");
        QTest::newRow("full disk, previous list at the limit")
            << false << 320 << QByteArray("New Cafe<>US<>BostonEND");
        QTest::newRow("full disk, a message") << false << 2 << QByteArray("No hotspots found.");
    }
    void failedStoreKeepsThePreviousList()
    {
        QFETCH(bool, immutable);
        QFETCH(int, previousRecords);
        QFETCH(QByteArray, reply);
        const QDateTime stored(QDate(2001, 2, 3), QTime(4, 5));
        const std::string previous = resultFileText(previousRecords);
        MainWindowHarness m(m_server.address(), &previous, stored);
        const QString saved = m.dataDir() + QStringLiteral("/saved.txt");
        QVERIFY(putFile(saved, "Hotspot Name: Old Cafe\r\n"));
        KeptFiles kept;
        kept.keep(m.context().resultFilePath());
        kept.keep(saved);
        const int shown = m.list()->rowCount();
        QCOMPARE(shown, qMin(previousRecords, 300));
        m.boxes().boxes.clear();
        m_server.setDefaultScript(Script::reply(Script::httpReply(reply)));
        {
            std::optional<ImmutableFolder> folder;
            std::optional<FileSizeLimit> noRoom;
            if (immutable)
                folder.emplace(m.dataDir());
            else
                noRoom.emplace(0);
            if (immutable ? !folder->active() : !noRoom->active())
                QSKIP("this machine cannot make the folder unwritable that way");
            QVERIFY(!m.search());
        }
        QVERIFY2(m.status().startsWith(QStringLiteral("The search results could not be stored")),
            qPrintable(m.status()));
        QCOMPARE(m.list()->rowCount(), shown);
        QCOMPARE(m.list()->record(1), recordLine(1));
        QCOMPARE(m.window().downloadedCaption(), downloadedCaption(stored));
        QVERIFY(!m.control<QWidget>(QStringLiteral("Picture3"))->isVisible());
        QVERIFY(m.boxes().boxes.isEmpty());
        QVERIFY(m.searchButton()->isEnabled());
        QCOMPARE(kept.changed(), QString());
        // Nothing is left behind by the attempt, and once the folder can be written again the
        // same window searches as usual.
        QCOMPARE(QDir(m.dataDir()).entryList(QDir::Files | QDir::Hidden),
            QStringList({ QStringLiteral("saved.txt"), QStringLiteral("tmp.txt") }));
        m_server.setDefaultScript(Script::reply(Script::httpReply("New Cafe<>US<>BostonEND")));
        QVERIFY(m.search());
        QCOMPARE(m.list()->rowCount(), 1);
    }

    // The store's failure can come while the new rows' "Max Results" message waits for the
    // user; once it is closed, the previous list and the reason show, and no second message.
    void failedStoreWhileLimitMessageWaits()
    {
        const std::string previous = resultFileText(320);
        MainWindowHarness m(m_server.address(), &previous);
        m.boxes().boxes.clear();
        m.boxes().readingTimeMs = 300;
        QByteArray many;
        for (int i = 1; i <= 320; ++i)
            many += "New " + QByteArray::number(i) + "<>US<>BostonEND";
        m_server.setDefaultScript(Script::reply(Script::httpReply(many)));
        {
            FileSizeLimit noRoom(0);
            QVERIFY(noRoom.active());
            QVERIFY(!m.search());
            QTRY_VERIFY(m.searchButton()->isEnabled());
        }
        QCOMPARE(m.boxes().titles(), QStringList { QStringLiteral("Max Results") });
        QCOMPARE(m.list()->rowCount(), 300);
        QCOMPARE(m.list()->record(1), recordLine(1));
        QVERIFY2(m.status().startsWith(QStringLiteral("The search results could not be stored")),
            qPrintable(m.status()));
    }
};

QTEST_MAIN(TestFileFaults)
#include "tst_file_faults.moc"
