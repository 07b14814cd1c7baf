#include "platform/message_box.h"
#include "reference/reference_table.h"
#include "results/result_list_view.h"
#include "results/result_test_files.h"
#include "shell/frm_main.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace pellomar;

// The result list on the main window: the loader's status line, result count and search
// button, and the reload of the previous results at start-up.
class TestMainWindowResults : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<frmMain> m_window;
    QList<MessageBox::Request> m_boxes;
    std::function<void()> m_duringBox;

    QString resultFile() const { return m_dir->filePath(QStringLiteral("tmp.txt")); }
    template<typename T> T *child(const QString &name) const
    {
        return m_window->findChild<T *>(name);
    }
    QString status() const { return child<QLabel>(QStringLiteral("lblStatus"))->text(); }
    QString count() const { return child<QLabel>(QStringLiteral("lblResults"))->text(); }
    QPushButton *searchButton() const { return child<QPushButton>(QStringLiteral("Command1")); }
    ResultListView *list() const { return child<ResultListView>(QStringLiteral("Picture1")); }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        AppContext context;
        context.server = *ServerAddress::parse(QStringLiteral("127.0.0.1:9"));
        context.dataDir = m_dir->path();
        m_window = std::make_unique<frmMain>(context,
            ParseCountries("US|United States of America\n").table,
            ParseLocationTypes("Cafe,C\n").table);
        m_boxes.clear();
        m_duringBox = nullptr;
        MessageBox::setResponder([this](const MessageBox::Request &request) {
            m_boxes << request;
            if (const auto during = m_duringBox)
                during();
            return QMessageBox::Ok;
        });
    }
    void cleanup()
    {
        MessageBox::setResponder(nullptr);
        m_window.reset();
        m_dir.reset();
    }

    void listTakesThePlaceOfPicture1()
    {
        QVERIFY(list());
        QCOMPARE(list()->geometry(), QRect(16, 208, 761, 289));
    }

    void loadShowsCountAndStatus_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("caption");
        QTest::newRow("none") << 0 << QStringLiteral("0 Results");
        QTest::newRow("one") << 1 << QStringLiteral("1 Results");
        QTest::newRow("twelve") << 12 << QStringLiteral("12 Results");
    }
    void loadShowsCountAndStatus()
    {
        QFETCH(int, records);
        QFETCH(QString, caption);
        QVERIFY(test::writeScrambledFile(resultFile(), test::resultFileText(records)));
        const QByteArray before = test::fileBytes(resultFile());
        m_window->LoadResults();
        QCOMPARE(status(), QStringLiteral("Results Loaded!"));
        QCOMPARE(count(), caption);
        QVERIFY(searchButton()->isEnabled());
        QCOMPARE(list()->rowCount(), records);
        QCOMPARE(m_window->resultRecord(records), records ? test::recordLine(records) : "");
        QCOMPARE(m_window->resultRecord(records + 1), std::string());
        QCOMPARE(test::fileBytes(resultFile()), before);
    }

    void missingFileLoadsNothing()
    {
        m_window->LoadResults();
        QCOMPARE(status(), QStringLiteral("Results Loaded!"));
        QCOMPARE(count(), QStringLiteral("0 Results"));
        QVERIFY(searchButton()->isEnabled());
    }

    void searchButtonIsOffWhileLoading()
    {
        QVERIFY(test::writeScrambledFile(resultFile(), test::resultFileText(301)));
        bool enabledDuringLoad = true;
        m_duringBox = [&] { enabledDuringLoad = searchButton()->isEnabled(); };
        m_window->LoadResults();
        QCOMPARE(m_boxes.size(), 1);
        QVERIFY(!enabledDuringLoad);
        QVERIFY(searchButton()->isEnabled());
        QCOMPARE(count(), QStringLiteral("300 Results"));
    }

    void failedLoadSaysWhyAndKeepsTheList()
    {
        QVERIFY(test::writeScrambledFile(resultFile(), test::resultFileText(4)));
        m_window->LoadResults();
        QVERIFY(QFile::remove(resultFile()));
        QVERIFY(QDir().mkdir(resultFile()));

        m_window->SetStatus(QStringLiteral("Loading Results..."));
        m_window->LoadResults();
        QVERIFY2(status().startsWith(QStringLiteral("The results could not be loaded: ")),
            qPrintable(status()));
        QVERIFY2(status().contains(QStringLiteral("folder")), qPrintable(status()));
        QVERIFY(searchButton()->isEnabled());
        QCOMPARE(list()->rowCount(), 4);
        QCOMPARE(count(), QStringLiteral("4 Results"));
        QCOMPARE(m_window->resultRecord(4), test::recordLine(4));
    }

    void startupReloadRunsOnce()
    {
        QVERIFY(test::writeScrambledFile(resultFile(), test::resultFileText(300)));
        const QByteArray before = test::fileBytes(resultFile());
        QString statusDuringLoad;
        m_duringBox = [&] { statusDuringLoad = status(); };
        auto *timer = child<QTimer>(QStringLiteral("tmrLoadPreviousResults"));
        QVERIFY(timer);
        QCOMPARE(status(), QStringLiteral("Welcome to Pellomar."));

        m_window->show();
        QTRY_COMPARE(status(), QStringLiteral("Results Loaded!"));
        QCOMPARE(statusDuringLoad, QStringLiteral("Loading Results..."));
        QCOMPARE(count(), QStringLiteral("300 Results"));
        QVERIFY(!timer->isActive());
        QCOMPARE(test::fileBytes(resultFile()), before);

        // Showing the window again does not reload.
        m_window->SetStatus(QStringLiteral("idle"));
        m_window->hide();
        m_window->show();
        QTest::qWait(400);
        QCOMPARE(status(), QStringLiteral("idle"));
        QCOMPARE(m_boxes.size(), 1);
    }
};

QTEST_MAIN(TestMainWindowResults)
#include "tst_main_window_results.moc"
