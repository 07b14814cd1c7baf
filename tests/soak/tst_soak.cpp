#include "common/demo_server.h"
#include "common/resident_memory.h"
#include "details/frm_info.h"
#include "platform/display_text.h"
#include "platform/file_io.h"
#include "platform/message_box.h"
#include "results/result_list_view.h"
#include "search/search_exchange.h"
#include "shell/frm_main.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#if defined(__SANITIZE_ADDRESS__)
#define PELLOMAR_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PELLOMAR_ASAN 1
#endif
#endif

using namespace pellomar;
using namespace pellomar::test;

namespace {

int searchCount()
{
    bool ok = false;
    const int count = qEnvironmentVariableIntValue("PELLOMAR_SOAK_SEARCHES", &ok);
    if (ok && count > 0)
        return count;
#ifdef PELLOMAR_ASAN
    return 200; // memory figures mean nothing under the sanitizer; leaks show at the end
#else
    return 1000;
#endif
}

} // namespace

// Searches in a row through the main window against the demo directory, with a detail window
// opened and closed every tenth search: memory must settle, not grow with every search.
class TestSoak : public QObject {
    Q_OBJECT

private:
    DemoServer m_server;
    QTemporaryDir m_dir;
    int m_boxes = 0;

private Q_SLOTS:
    void initTestCase()
    {
        if (!DemoServer::programExists())
            QSKIP("the demo directory server is not built (pellomar-directory)");
        QVERIFY2(m_server.start(), qPrintable(m_server.error()));
        QVERIFY(m_dir.isValid());
        MessageBox::setResponder([this](const MessageBox::Request &) {
            ++m_boxes;
            return QMessageBox::Ok;
        });
    }

    void cleanupTestCase() { MessageBox::setResponder({}); }

    void searchesInARow()
    {
        AppContext context;
        context.server = m_server.address();
        context.dataDir = m_dir.path();
        context.referenceDir = qEnvironmentVariable("PELLOMAR_BIN_DIR");
        const auto table = [&](const char *file) {
            return readWholeFile(context.referenceDir + u'/' + QString::fromLatin1(file)).data;
        };
        auto window = std::make_unique<frmMain>(context,
            ParseCountries(asView(table("countries.txt"))).table,
            ParseLocationTypes(asView(table("locations.txt"))).table);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto *list = window->findChild<ResultListView *>();
        auto *button = window->findChild<QPushButton *>(QStringLiteral("Command1"));
        window->findChild<QComboBox *>(QStringLiteral("tCountry"))
            ->setCurrentText(QStringLiteral("Japan"));
        QVERIFY(list && button);

        const int searches = searchCount();
        const int measureAt = qMin(100, searches);
        qint64 rssAtMeasure = 0;
        int rows = 0;
        int detailWindows = 0;
        QElapsedTimer clock;
        clock.start();
        for (int n = 1; n <= searches; ++n) {
            QSignalSpy stored(&window->searchExchange(), &SearchExchange::stored);
            QSignalSpy failed(&window->searchExchange(), &SearchExchange::failed);
            QTRY_VERIFY(button->isEnabled());
            button->click();
            QTRY_VERIFY_WITH_TIMEOUT(stored.count() + failed.count() > 0, 15000);
            QVERIFY2(failed.isEmpty(),
                qPrintable(QStringLiteral("search %1: %2")
                               .arg(n)
                               .arg(failed.value(0).value(0).toString())));
            QVERIFY(list->rowCount() > 0);
            if (n == 1)
                rows = list->rowCount();
            QCOMPARE(list->rowCount(), rows);

            if (n % 10 == 0) {
                window->OpenInfo(1 + (n / 10) % rows);
                const QList<QWidget *> top = QApplication::topLevelWidgets();
                frmInfo *info = nullptr;
                for (QWidget *widget : top) {
                    if (auto *candidate = qobject_cast<frmInfo *>(widget))
                        info = candidate;
                }
                QVERIFY(info);
                QTRY_VERIFY_WITH_TIMEOUT(!info->isDownloading(), 10000);
                QPointer<frmInfo> closing(info);
                info->close();
                QTRY_VERIFY(closing.isNull());
                ++detailWindows;
            }
            if (n == measureAt) {
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                rssAtMeasure = residentKiB();
            }
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const qint64 rssAtEnd = residentKiB();
        const qint64 elapsed = clock.elapsed();
        qInfo("soak: %d searches of %d rows, %d detail windows, %lld ms (%.1f ms a search); "
              "VmRSS %lld KiB at search %d, %lld KiB at search %d, growth %lld KiB",
            searches, rows, detailWindows, elapsed, double(elapsed) / searches, rssAtMeasure,
            measureAt, rssAtEnd, searches, rssAtEnd - rssAtMeasure);
        QCOMPARE(m_boxes, 0);
        QVERIFY(rssAtMeasure > 0 && rssAtEnd > 0);
#ifdef PELLOMAR_ASAN
        qInfo("soak: built with AddressSanitizer; the memory growth is not checked");
#else
        if (searches < 1000)
            QSKIP("fewer than 1,000 searches: the memory growth is not checked");
        QVERIFY2(rssAtEnd - rssAtMeasure < 2048,
            qPrintable(
                QStringLiteral("resident memory grew by %1 KiB").arg(rssAtEnd - rssAtMeasure)));
#endif
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
