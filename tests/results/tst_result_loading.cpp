#include "platform/message_box.h"
#include "reference/reference_table.h"
#include "resultfile/result_file.h"
#include "results/result_list_model.h"
#include "results/result_list_view.h"
#include "results/result_test_files.h"

#include <QDir>
#include <QFileInfo>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace pellomar;
using Column = ResultLayout::Column;

class TestResultLoading : public QObject {
    Q_OBJECT

private:
    ReferenceTable m_countries = ParseCountries("US|United States of America\n").table;
    QList<MessageBox::Request> m_boxes;
    std::function<void()> m_duringBox;

    QStringList names(const ResultListView &view)
    {
        QStringList out;
        for (int row = 1; row <= view.rowCount(); ++row)
            out << view.model()->caption(row, Column::Name);
        return out;
    }

private Q_SLOTS:
    void init()
    {
        m_boxes.clear();
        m_duringBox = nullptr;
        MessageBox::setResponder([this](const MessageBox::Request &request) {
            m_boxes << request;
            if (const auto during = m_duringBox)
                during();
            return QMessageBox::Ok;
        });
    }
    void cleanup() { MessageBox::setResponder(nullptr); }

    void loadsTheRecordsAndLeavesTheFileAlone()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tmp.txt"));
        QVERIFY(test::writeScrambledFile(path, "A<>B<>C\r\n-\r\nD\r\n-"));
        const QByteArray before = test::fileBytes(path);

        ResultListView view(m_countries);
        const LoadSummary summary = view.loadFile(path);
        QVERIFY2(summary.error.isEmpty(), qPrintable(summary.error));
        QCOMPARE(summary.rows, 2);
        QVERIFY(!summary.limitReached);
        QCOMPARE(view.rowCount(), 2);
        const ResultListModel &model = *view.model();
        QCOMPARE(model.caption(1, Column::Name), QStringLiteral("A"));
        QCOMPARE(model.caption(1, Column::Access), QStringLiteral("B"));
        QCOMPARE(model.caption(1, Column::Operator), QStringLiteral("C"));
        QCOMPARE(model.caption(1, Column::City), QString());
        QCOMPARE(model.caption(2, Column::Name), QStringLiteral("D"));
        QCOMPARE(model.caption(2, Column::Access), QString());
        QCOMPARE(view.record(1), std::string("A<>B<>C"));
        QVERIFY(m_boxes.isEmpty());
        QCOMPARE(test::fileBytes(path), before);
    }

    void storedLinesAreTrimmedAndSeparatorsSkipped()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tmp.txt"));
        QVERIFY(test::writeScrambledFile(path, "\r\n   \r\n - \r\n  A<>B  \r\n-\r\n\r\n"));
        ResultListView view(m_countries);
        QCOMPARE(view.loadFile(path).rows, 1);
        QCOMPARE(view.record(1), std::string("A<>B"));
        QVERIFY(view.record(2).empty());
    }

    void missingFileLoadsNoRecords()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tmp.txt"));
        ResultListView view(m_countries);
        const LoadSummary summary = view.loadFile(path);
        QVERIFY(summary.error.isEmpty());
        QCOMPARE(summary.rows, 0);
        QCOMPARE(view.rowCount(), 0);
        QVERIFY(m_boxes.isEmpty());
        QVERIFY(!QFileInfo::exists(path));
    }

    void limitOfThreeHundred_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("boxes");
        QTest::newRow("299") << 299 << 299 << 0;
        QTest::newRow("300") << 300 << 300 << 1;
        QTest::newRow("301") << 301 << 300 << 1;
        QTest::newRow("5000") << 5000 << 300 << 1;
    }
    void limitOfThreeHundred()
    {
        QFETCH(int, records);
        QFETCH(int, rows);
        QFETCH(int, boxes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tmp.txt"));
        QVERIFY(test::writeScrambledFile(path, test::resultFileText(records)));
        const QByteArray before = test::fileBytes(path);

        ResultListView view(m_countries);
        int rowsWhenAsked = -1;
        m_duringBox = [&] { rowsWhenAsked = view.rowCount(); };
        const LoadSummary summary = view.loadFile(path);
        QCOMPARE(summary.rows, rows);
        QCOMPARE(view.rowCount(), rows);
        QCOMPARE(summary.limitReached, boxes == 1);
        QCOMPARE(m_boxes.size(), boxes);
        QCOMPARE(view.record(rows), test::recordLine(rows));
        QVERIFY(view.record(rows + 1).empty());
        QCOMPARE(view.scrollBar()->maximum(), ResultLayout::ScrollMaximum(rows));
        if (boxes) {
            const MessageBox::Request &box = m_boxes.first();
            QCOMPARE(box.icon, QMessageBox::Information);
            QCOMPARE(box.title, QStringLiteral("Max Results"));
            QCOMPARE(box.text,
                QStringLiteral("More then 300 hotspots were found that match your query.\r\n\r\n"
                               "Please narrow your search"));
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            // The message comes once the 300 rows are on the list.
            QCOMPARE(rowsWhenAsked, 300);
        }
        QCOMPARE(test::fileBytes(path), before);
    }

    void readingStopsAtTheThreeHundredthRecord()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tmp.txt"));
        const std::string head = test::resultFileText(300);
        // 300 records, then 8 MB of further records that must never be looked at.
        std::string text = head;
        text.reserve(head.size() + 8'000'000);
        while (text.size() < head.size() + 8'000'000)
            text += test::recordLine(999) + "\r\n-\r\n";
        QVERIFY(test::writeScrambledFile(path, text));

        ResultListView view(m_countries);
        const LoadSummary summary = view.loadFile(path);
        QCOMPARE(summary.rows, 300);
        QVERIFY(summary.bytesRead < qint64(head.size()) + ResultFileInput::PieceSize);
        QCOMPARE(view.record(300), test::recordLine(300));
    }

    void secondLoadReplacesTheFirst()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tmp.txt"));
        QVERIFY(test::writeScrambledFile(path, test::resultFileText(40)));
        ResultListView view(m_countries);
        QCOMPARE(view.loadFile(path).rows, 40);
        view.SetSel(12);
        view.scrollBar()->setValue(20);

        QVERIFY(test::writeScrambledFile(path, "X<>a\r\n-\r\nY<>b\r\n-\r\n\r\n"));
        const QByteArray before = test::fileBytes(path);
        QCOMPARE(view.loadFile(path).rows, 2);
        QCOMPARE(names(view), (QStringList { QStringLiteral("X"), QStringLiteral("Y") }));
        QCOMPARE(view.model()->caption(1, Column::Number), QStringLiteral("1"));
        QVERIFY(view.record(3).empty());
        QVERIFY(view.record(40).empty());
        QCOMPARE(view.SelectedRow(), 0);
        QVERIFY(view.selectionFrame()->isHidden());
        QCOMPARE(view.scrollBar()->value(), 0);
        QCOMPARE(view.scrollBar()->maximum(), 0);
        QCOMPARE(view.canvas()->y(), 0);
        QCOMPARE(test::fileBytes(path), before);
    }

    void folderInsteadOfFileKeepsTheList()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tmp.txt"));
        QVERIFY(test::writeScrambledFile(path, test::resultFileText(3)));
        ResultListView view(m_countries);
        QCOMPARE(view.loadFile(path).rows, 3);

        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkdir(path));
        const LoadSummary summary = view.loadFile(path);
        QVERIFY(!summary.error.isEmpty());
        QVERIFY2(summary.error.contains(QDir::toNativeSeparators(path)), qPrintable(summary.error));
        QCOMPARE(summary.rows, 3);
        QCOMPARE(view.rowCount(), 3);
        QCOMPARE(view.record(3), test::recordLine(3));
        QVERIFY(QFileInfo(path).isDir());
        QVERIFY(m_boxes.isEmpty());
    }

    void unreadableFileKeepsTheListAndItsBytes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tmp.txt"));
        QVERIFY(test::writeScrambledFile(path, test::resultFileText(3)));
        ResultListView view(m_countries);
        QCOMPARE(view.loadFile(path).rows, 3);

        QVERIFY(test::writeScrambledFile(path, test::resultFileText(5, 100)));
        const QByteArray before = test::fileBytes(path);
        QFile::setPermissions(path, QFileDevice::WriteOwner);
        if (QFile(path).open(QIODevice::ReadOnly)) {
            QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            QSKIP("running with rights that ignore file permissions");
        }
        const LoadSummary summary = view.loadFile(path);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QVERIFY(!summary.error.isEmpty());
        QCOMPARE(view.rowCount(), 3);
        QCOMPARE(test::fileBytes(path), before);
    }

    // A search reply that arrives while the limit's message is open asks for a load of its
    // own; it runs once the first is done, and the list ends up showing the newer file.
    void loadAskedForDuringTheMessageRunsAfterwards()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tmp.txt"));
        QVERIFY(test::writeScrambledFile(path, test::resultFileText(300)));
        ResultListView view(m_countries);
        LoadSummary nested;
        m_duringBox = [&] {
            m_duringBox = nullptr;
            QVERIFY(test::writeScrambledFile(path, test::resultFileText(3, 500)));
            nested = view.loadFile(path);
            // The running load's rows are not pulled away under it.
            QCOMPARE(view.rowCount(), 300);
        };
        const LoadSummary summary = view.loadFile(path);
        QVERIFY(nested.deferred);
        QVERIFY(!summary.deferred);
        QCOMPARE(summary.rows, 3);
        QVERIFY(!summary.limitReached);
        QCOMPARE(view.rowCount(), 3);
        QCOMPARE(view.record(1), test::recordLine(500));
        QCOMPARE(m_boxes.size(), 1);
    }
};

QTEST_MAIN(TestResultLoading)
#include "tst_result_loading.moc"
