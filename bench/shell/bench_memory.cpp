// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Resident memory of the program as a user runs it: the main window with no results, then with
// the 300 rows of a search against the demo directory, then with ten detail windows open on
// those rows, each with its location picture fetched and shown where the record names one.

#include "common/bench_figures.h"
#include "common/bench_window.h"
#include "common/demo_server.h"
#include "details/frm_info.h"
#include "platform/file_io.h"
#include "platform/message_box.h"
#include "reference/text_fields.h"
#include "results/hotspot_record.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

using namespace pellomar;
using namespace pellomar::bench;
using namespace pellomar::test;

namespace {

// What is resident once pending events, deferred deletes and paints are through.
double settledMegabytes()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(50);
    }
    return double(residentBytes()) / MiB;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("PELLOMAR_BIN_DIR"))
        qputenv("PELLOMAR_BIN_DIR", QCoreApplication::applicationDirPath().toLocal8Bit());
    MessageBox::setResponder([](const MessageBox::Request &) { return QMessageBox::Ok; });

    DemoServer server;
    if (!server.start()) {
        std::printf("memory not measured: %s\n", qPrintable(server.error()));
        return 1;
    }
    QTemporaryDir dir;
    if (!dir.isValid())
        return 2;
    auto window = showMainWindow(server.address(), dir.path());
    const DirectorySearch search = searchNear300(server.address(), window->countryTable());
    // A first search and list, so that what every search loads once (fonts, the message
    // box's code, socket buffers) is in the empty figure too.
    pressSearchButton(*window, search);
    if (!searchAndPaint(*window))
        return 1;
    if (!writeFileAtomically(window->context().resultFilePath(), {}).isEmpty())
        return 2;
    window->LoadResults();
    paintNow(*window);
    const double empty = settledMegabytes();

    pressSearchButton(*window, search);
    if (!searchAndPaint(*window))
        return 1;
    const double rows = settledMegabytes();

    int pending = 0;
    int pictures = 0;
    for (int row = 1; row <= 10; ++row) {
        const bool named = !trim(HotspotRecord(window->resultRecord(row)).ImagePath()).empty();
        pending += named ? 1 : 0;
        window->OpenInfo(row);
    }
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *info = qobject_cast<frmInfo *>(widget)) {
            QObject::connect(
                info, &frmInfo::imageDownloadEnded, info, [&pending, &pictures](bool shown) {
                    --pending;
                    pictures += shown ? 1 : 0;
                });
            // Each window fetches its picture when it becomes the active one.
            info->activateWindow();
            QCoreApplication::processEvents();
        }
    }
    const QDeadlineTimer deadline(20000);
    while (pending > 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    const double details = settledMegabytes();

    report({ QStringLiteral("memempty"),
               QStringLiteral("resident memory: main window, list emptied after a search"),
               QStringLiteral("MB"), {}, {} },
        empty);
    report({ QStringLiteral("mem300"),
               QStringLiteral("resident memory: main window with %1 rows").arg(search.records),
               QStringLiteral("MB"), QStringLiteral("+4"), QStringLiteral("memempty") },
        rows);
    report({ QStringLiteral("mem10details"),
               QStringLiteral("resident memory: and 10 detail windows open, %1 with a picture")
                   .arg(pictures),
               QStringLiteral("MB"), QStringLiteral("+15"), QStringLiteral("mem300") },
        details);
    return 0;
}
