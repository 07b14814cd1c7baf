// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/harness.h"
#include "common/scripted_server.h"
#include "search/recent_searches.h"
#include "shell/download_caption.h"
#include "shell/recent_searches_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace pellomar;
using namespace pellomar::test;
using namespace Qt::StringLiterals;

// Searches kept for the road: through the main window, on a scripted directory that names each
// reply after the search it answers.
class TestRecentSearches : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedServer> m_server;

    // A search of `city`, answered with `rows` records that carry the city's name.
    bool searchCity(MainWindowHarness &m, const QString &city, int rows = 2)
    {
        QByteArray reply;
        for (int i = 1; i <= rows; ++i)
            reply += city.toUtf8() + ' ' + QByteArray::number(i) + "<>US<>" + city.toUtf8() + "END";
        m_server->setDefaultScript(Script::reply(Script::httpReply(reply)));
        m.fill(u"United States of America"_s, city);
        return m.search();
    }

    static QStringList firstFields(const std::vector<KeptSearch> &searches)
    {
        QStringList cities;
        for (const KeptSearch &search : searches)
            cities << QString::fromStdString(search.fields.city);
        return cities;
    }

    static RecentSearchesDialog *openDialog(MainWindowHarness &m)
    {
        m.window().showRecentSearches();
        return m.window().findChild<RecentSearchesDialog *>(u"frmRecent"_s);
    }

private Q_SLOTS:
    void init()
    {
        m_server = std::make_unique<ScriptedServer>();
        QVERIFY(m_server->listen());
    }

    // The newest 20, newest first; the 21st search drops the first.
    void keepsTheNewestTwenty()
    {
        MainWindowHarness m(m_server->address());
        QStringList cities;
        for (int i = 1; i <= 21; ++i) {
            cities.prepend(u"City %1"_s.arg(i));
            QVERIFY(searchCity(m, cities.first()));
        }
        const RecentSearches::Listing kept = m.window().recentSearches().list();
        QCOMPARE(firstFields(kept.searches), cities.mid(0, RecentSearches::MaxKept));
        QCOMPARE(kept.searches.front().records.size(), std::size_t(2));
        QCOMPARE(QDir(m.dataDir() + u"/recent"_s).entryList(QDir::Files).size(), 20);
        // Scrambled like the result file: no record text lies in the clear.
        const QString first
            = QDir(m.dataDir() + u"/recent"_s).entryInfoList(QDir::Files)[0].filePath();
        QVERIFY(!fileBytes(first).contains("City"));
    }

    // Offline: the directory gone, a kept search fills the list with its rows and its own time,
    // and the form with its values.
    void opensWithoutTheNetwork()
    {
        MainWindowHarness m(m_server->address());
        QVERIFY(searchCity(m, u"Springfield"_s, 3));
        const QString springfieldTime = m.window().downloadedCaption();
        QTest::qWait(1100); // a caption shows minutes; the time kept is the reply's own
        QVERIFY(searchCity(m, u"Shelbyville"_s, 1));
        m_server.reset();

        RecentSearchesDialog *dialog = openDialog(m);
        QVERIFY(dialog);
        auto *list = dialog->findChild<QTreeWidget *>(u"lstRecent"_s);
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(list->topLevelItem(1)->text(0), u"United States of America, Springfield"_s);
        QCOMPARE(list->topLevelItem(1)->text(3), u"3"_s);
        list->setCurrentItem(list->topLevelItem(1));
        QTest::mouseClick(dialog->findChild<QPushButton *>(u"cmdOpen"_s), Qt::LeftButton);
        QCOMPARE(m.list()->rowCount(), 3);
        QCOMPARE(QByteArray::fromStdString(m.list()->record(3)), "Springfield 3<>US<>Springfield");
        QCOMPARE(m.control<QLabel>(u"lblResults"_s)->text(), u"3 Results"_s);
        QCOMPARE(m.window().downloadedCaption(), springfieldTime);
        QCOMPARE(m.control<QLineEdit>(u"tCity"_s)->text(), u"Springfield"_s);
        QVERIFY(m.boxes().boxes.isEmpty());
        // The next start still shows the last search made.
        m.reopen();
        QCOMPARE(m.list()->rowCount(), 1);
    }

    // A damaged kept search is named and skipped; the others stay; "Forget all" asks first.
    void damagedAndForgotten()
    {
        MainWindowHarness m(m_server->address());
        QVERIFY(searchCity(m, u"Springfield"_s));
        QVERIFY(searchCity(m, u"Ogdenville"_s));
        const QString folder = m.dataDir() + u"/recent"_s;
        const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
        const QByteArray whole = fileBytes(files[0].filePath());
        QVERIFY(putFile(files[0].filePath(), whole.left(whole.size() - 4)));
        QVERIFY(putFile(folder + u"/999999999999999-00.txt"_s, "garbage"));

        RecentSearchesDialog *dialog = openDialog(m);
        QCOMPARE(m.boxes().boxes.size(), 1);
        QCOMPARE(m.boxes().boxes[0].text,
            u"These kept searches are damaged and cannot be shown: 999999999999999-00.txt, "_s
                + files[0].fileName());
        auto *list = dialog->findChild<QTreeWidget *>(u"lstRecent"_s);
        QCOMPARE(list->topLevelItemCount(), 1);
        QVERIFY(list->topLevelItem(0)->text(0).endsWith(u"Ogdenville"_s));

        auto *forget = dialog->findChild<QPushButton *>(u"cmdForget"_s);
        m.boxes().answer = QMessageBox::No;
        QTest::mouseClick(forget, Qt::LeftButton);
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 3);
        m.boxes().answer = QMessageBox::Yes;
        QTest::mouseClick(forget, Qt::LeftButton);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList());
        QCOMPARE(list->topLevelItemCount(), 0);
    }

    // No room for the kept copy: the search still stands, and says so.
    void fullDiskWhileKeeping()
    {
        MainWindowHarness m(m_server->address());
        QVERIFY(searchCity(m, u"Springfield"_s));
        const qint64 resultBytes = QFileInfo(m.context().resultFilePath()).size();
        {
            // Room for the result file, not for the kept search, which carries its form too.
            FileSizeLimit noRoom(resultBytes + 4);
            QVERIFY(noRoom.active());
            QVERIFY(searchCity(m, u"Shelbyvill"_s));
        }
        QVERIFY2(m.status().startsWith(u"Results Loaded! This search could not be kept among the "
                                       "recent searches ("_s)
                && m.status().endsWith(u"); nothing else is lost."_s),
            qPrintable(m.status()));
        QCOMPARE(m.list()->rowCount(), 2);
        QVERIFY(m.resultText().startsWith("Shelbyvill 1"));
        QCOMPARE(firstFields(m.window().recentSearches().list().searches),
            QStringList { u"Springfield"_s });
        QCOMPARE(QDir(m.dataDir() + u"/recent"_s).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
};

QTEST_MAIN(TestRecentSearches)
#include "tst_recent_searches.moc"
