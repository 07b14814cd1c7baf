// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/demo_server.h"
#include "common/harness.h"
#include "common/resident_memory.h"
#include "details/frm_info.h"
#include "results/result_list_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>

#if defined(__SANITIZE_ADDRESS__)
#define PELLOMAR_ASAN 1
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

private Q_SLOTS:
    void searchesInARow()
    {
        DemoServer server;
        if (!DemoServer::programExists())
            QSKIP("the demo directory server is not built (pellomar-directory)");
        QVERIFY2(server.start(), qPrintable(server.error()));
        MainWindowHarness m(server.address());
        m.fill(QStringLiteral("Japan"));
        const int searches = searchCount();
        const int measureAt = qMin(100, searches);
        qint64 rssAtMeasure = 0;
        int rows = 0;
        QElapsedTimer clock;
        clock.start();
        for (int n = 1; n <= searches; ++n) {
            QVERIFY2(m.search(15000),
                qPrintable(QStringLiteral("search %1: %2").arg(n).arg(m.status())));
            if (n == 1)
                rows = m.list()->rowCount();
            QVERIFY(rows > 0);
            QCOMPARE(m.list()->rowCount(), rows);
            if (n % 10 == 0) {
                m.window().OpenInfo(1 + (n / 10) % rows);
                QPointer<frmInfo> info;
                for (QWidget *window : QApplication::topLevelWidgets())
                    info = qobject_cast<frmInfo *>(window) ? qobject_cast<frmInfo *>(window)
                                                           : info.data();
                QVERIFY(info);
                QTRY_VERIFY_WITH_TIMEOUT(!info->isDownloading(), 10000);
                info->close();
                QTRY_VERIFY(info.isNull());
            }
            if (n == measureAt) {
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                rssAtMeasure = residentKiB();
            }
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const qint64 rssAtEnd = residentKiB();
        qInfo("soak: %d searches of %d rows, %d detail windows, %lld ms; VmRSS %lld KiB at search "
              "%d, %lld KiB at search %d, growth %lld KiB",
            searches, rows, searches / 10, clock.elapsed(), rssAtMeasure, measureAt, rssAtEnd,
            searches, rssAtEnd - rssAtMeasure);
        QVERIFY(m.boxes().boxes.isEmpty());
#ifndef PELLOMAR_ASAN
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
