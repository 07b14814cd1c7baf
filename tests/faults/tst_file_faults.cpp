// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

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
#include <QTest>
#include <optional>

using namespace pellomar;
using namespace pellomar::test;
using namespace Qt::StringLiterals;

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
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("previousRecords");
        QTest::addColumn<QByteArray>("reply");
        const QByteArray reply = "New Cafe<>US<>BostonEND";
        QTest::newRow("immutable folder") << u"immutable"_s << 2 << reply;
        QTest::newRow("full disk, previous list at the limit") << u"full"_s << 320 << reply;
        QTest::newRow("full disk, a message") << u"full"_s << 2 << QByteArray("No hotspots found.");
        // Nor can the file be read back: the list goes back to what it showed.
        QTest::newRow("a folder in the result file's place") << u"folder"_s << 2 << reply;
    }
    void failedStoreKeepsThePreviousList()
    {
        QFETCH(QString, fault);
        QFETCH(int, previousRecords);
        QFETCH(QByteArray, reply);
        const QDateTime stored(QDate(2001, 2, 3), QTime(4, 5));
        const std::string previous = resultFileText(previousRecords);
        MainWindowHarness m(m_server.address(), &previous, stored);
        const QString saved = m.dataDir() + QStringLiteral("/saved.txt");
        const QString resultFile = m.context().resultFilePath();
        QVERIFY(putFile(saved, "Hotspot Name: Old Cafe\r\n"));
        const bool folder = fault == u"folder"_s;
        QVERIFY(!folder || (QFile::remove(resultFile) && QDir().mkdir(resultFile)));
        KeptFiles kept;
        if (!folder)
            kept.keep(resultFile);
        kept.keep(saved);
        const int shown = m.list()->rowCount();
        QCOMPARE(shown, qMin(previousRecords, 300));
        m.boxes().boxes.clear();
        m_server.setDefaultScript(Script::reply(Script::httpReply(reply)));
        {
            std::optional<ImmutableFolder> immutable;
            std::optional<FileSizeLimit> noRoom;
            if (fault == u"immutable"_s)
                immutable.emplace(m.dataDir());
            else if (fault == u"full"_s)
                noRoom.emplace(0);
            if ((immutable && !immutable->active()) || (noRoom && !noRoom->active()))
                QSKIP("this machine cannot make the folder unwritable that way");
            QVERIFY(!m.search());
        }
        QVERIFY2(m.status().startsWith(QStringLiteral("The search results could not be stored")),
            qPrintable(m.status()));
        QCOMPARE(m.list()->rowCount(), shown);
        QCOMPARE(m.list()->record(1), recordLine(1));
        QCOMPARE(m.control<QLabel>(u"lblResults"_s)->text(), u"%1 Results"_s.arg(shown));
        QCOMPARE(m.window().downloadedCaption(), downloadedCaption(stored));
        QVERIFY(!m.control<QWidget>(QStringLiteral("Picture3"))->isVisible());
        QVERIFY(m.boxes().boxes.isEmpty());
        QVERIFY(m.searchButton()->isEnabled());
        QCOMPARE(kept.changed(), QString());
        // Nothing is left behind by the attempt, and once the folder can be written again the
        // same window searches as usual.
        QCOMPARE(QDir(m.dataDir()).entryList(QDir::Files | QDir::Hidden),
            folder ? QStringList({ u"saved.txt"_s })
                   : QStringList({ u"saved.txt"_s, u"tmp.txt"_s }));
        QVERIFY(!folder || QDir().rmdir(resultFile));
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
