// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The result list's figures on this machine: the field helpers over the records of a full
// list, and the main window loading a full list of 300 records, first paint included, from a
// 300-record file and from a 50 MB file of which it reads only the beginning.

#include "common/bench_figures.h"
#include "common/bench_window.h"
#include "platform/display_text.h"
#include "platform/message_box.h"
#include "reference/text_fields.h"
#include "resultfile/result_format.h"
#include "results/hotspot_record.h"
#include "search/recent_searches.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <string>
#include <vector>

using namespace pellomar;
using namespace pellomar::bench;

namespace {

// Every field of every record cut out and folded, as reading and comparing them does.
Samples fieldHelpers(int runs)
{
    std::vector<std::string> lines;
    for (int i = 1; i <= 300; ++i) {
        const QByteArray record = directoryRecord(i).chopped(3).replace("\r\n", "");
        lines.emplace_back(record.constData(), std::size_t(record.size()));
    }
    std::size_t sink = 0;
    Samples samples;
    for (int i = -1; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        for (const std::string &line : lines) {
            for (int field = 1; field <= HotspotFieldCount; ++field)
                sink += LowerTrim(GetField(line, field, ",")).size();
        }
        if (i >= 0)
            samples.add(double(clock.nsecsElapsed()) / 1e3);
    }
    // The result is used, so the work cannot be left out.
    if (sink == 0)
        std::printf("no fields read\n");
    return samples;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The limit's message at 300 records must not wait for a user.
    MessageBox::setResponder([](const MessageBox::Request &) { return QMessageBox::Ok; });
    QTemporaryDir dir;
    if (!dir.isValid())
        return 2;

    report({ QStringLiteral("fields"), QStringLiteral("field helpers: 300 records x 17 fields"),
               QStringLiteral("us"), QStringLiteral("<2000"), {} },
        fieldHelpers(200));

    auto window = showMainWindow(ServerAddress { QStringLiteral("127.0.0.1"), 9 }, dir.path());
    const QString resultPath = window->context().resultFilePath();
    auto loadAndPaint = [&] {
        window->LoadResults();
        paintNow(*window);
    };

    if (!writeFile(resultPath, resultFile(300)))
        return 2;
    const Samples load300 = timeMs(60, loadAndPaint, 3);
    if (window->resultRecord(300).empty() || !window->resultRecord(301).empty()) {
        std::printf("the list does not hold 300 records\n");
        return 1;
    }
    report({ QStringLiteral("load300"), QStringLiteral("load 300 rows, first paint included"),
               QStringLiteral("ms"), QStringLiteral("<10"), {} },
        load300);

    // A recent search of 300 rows opened without the network: its file read back and checked,
    // and its rows on the list, painted.
    const QByteArray kept300 = resultFile(300);
    KeptSearch kept { { "United States of America", "New York", "", "All", "All" },
        1'700'000'000'000, readResultRecords(scrambled(asView(kept300))).lines };
    const RecentSearches recent(dir.path());
    if (!recent.keep(kept).isEmpty())
        return 2;
    const Samples openRecent = timeMs(
        60,
        [&] {
            const RecentSearches::Listing listing = recent.list();
            window->showKeptSearch(listing.searches.front());
            paintNow(*window);
        },
        3);
    if (window->resultRecord(300).empty()) {
        std::printf("the recent search does not show 300 records\n");
        return 1;
    }
    report(
        { QStringLiteral("recent300"),
            QStringLiteral("open a recent search of 300 rows, file read and first paint included"),
            QStringLiteral("ms"), QStringLiteral("<10"), {} },
        openRecent);

    // 150,000 records, 50 MB: the list still holds the first 300 only.
    const QByteArray large = resultFile(150'000);
    if (!writeFile(resultPath, large))
        return 2;
    report({ QStringLiteral("load50mb"),
               QStringLiteral("load 300 rows of a %1 MB file")
                   .arg(double(large.size()) / MiB, 0, 'f', 0),
               QStringLiteral("ms"), QStringLiteral("x1.5"), QStringLiteral("load300") },
        timeMs(20, loadAndPaint, 2));
    return 0;
}
