// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The search's figures on this machine:
//  1. normalising a reply (status check, header cut, records to lines) of 300 and of 60,000
//     records: the cost per byte stays the same;
//  2. scrambling 10 MB, in memory and as the result file;
//  3. a 20 MB reply of 60,000 records handled from the socket's close to the rows painted,
//     and the peak memory it takes;
//  4. a search of about 300 records against the demo directory on loopback, from the button's
//     click to the rows painted, next to curl's own total time for the same request.

#include "common/bench_figures.h"
#include "common/bench_window.h"
#include "common/demo_server.h"
#include "common/scripted_server.h"
#include "platform/display_text.h"
#include "platform/file_io.h"
#include "platform/message_box.h"
#include "resultfile/result_file.h"
#include "resultfile/result_format.h"
#include "search/search_exchange.h"
#include "search/search_reply.h"

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

using namespace pellomar;
using namespace pellomar::bench;
using namespace pellomar::test;

namespace {

Samples normaliseNsPerByte(const QByteArray &reply, int runs)
{
    std::size_t sink = 0;
    Samples samples;
    for (int i = -1; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        const SearchReply processed = processReply(asView(reply));
        sink += processed.body.size() + (IsMessageReply(processed.body) ? 1 : 0);
        if (i >= 0)
            samples.add(double(clock.nsecsElapsed()) / double(reply.size()));
    }
    if (sink == 0)
        std::printf("nothing normalised\n");
    return samples;
}

void benchNormalising(int runs)
{
    const QByteArray small = directoryReply(300);
    const QByteArray large = directoryReply(60'000);
    report({ QStringLiteral("normalise300"),
               QStringLiteral("normalise a 300-record reply (%1 kB), per byte")
                   .arg(small.size() / 1024),
               QStringLiteral("ns/B"), QStringLiteral("<5"), {} },
        normaliseNsPerByte(small, runs * 10));
    report({ QStringLiteral("normalise60k"),
               QStringLiteral("normalise a 60,000-record reply (%1 MB), per byte")
                   .arg(double(large.size()) / MiB, 0, 'f', 1),
               QStringLiteral("ns/B"), QStringLiteral("<5,x3"), QStringLiteral("normalise300") },
        normaliseNsPerByte(large, runs));
}

void benchScrambling(const QString &dir, int runs)
{
    QByteArray bytes(10 * 1024 * 1024, 'a');
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 31 % 251);
    report({ QStringLiteral("scramble10mb"), QStringLiteral("scramble 10 MB in memory"),
               QStringLiteral("ms"), QStringLiteral("<10"), {} },
        timeMs(runs, [&] { scramble(std::span<char>(bytes.data(), std::size_t(bytes.size()))); }));

    const QString path = dir + QStringLiteral("/scrambled.txt");
    if (!writeFileAtomically(path, bytes).isEmpty())
        return;
    report(
        { QStringLiteral("copy10mb"), QStringLiteral("read a 10 MB file and replace it unchanged"),
            QStringLiteral("ms"), {}, {} },
        timeMs(runs, [&] { writeFileAtomically(path, readWholeFile(path).data); }));
    const std::string_view text(bytes.constData(), std::size_t(bytes.size()));
    report({ QStringLiteral("scramblefile10mb"),
               QStringLiteral("store 10 MB as the result file, scrambled"), QStringLiteral("ms"),
               QStringLiteral("+10"), QStringLiteral("copy10mb") },
        timeMs(runs, [&] { storeResultText(text, path); }));
}

// A reply stored as the exchange stores it, loaded into the list and painted.
void benchLargeReply(const QString &dir, int runs)
{
    auto window = showMainWindow(ServerAddress { QStringLiteral("127.0.0.1"), 9 }, dir);
    const QString path = window->context().resultFilePath();
    auto handle = [&](const QByteArray &reply) {
        const CheckedReply stored = storeSearchReply(reply, path);
        if (!stored.error.isEmpty())
            std::printf("store failed: %s\n", qPrintable(stored.error));
        window->LoadResults();
        paintNow(*window);
    };
    // Measured first, over what was resident before the reply existed: the reply is part of it.
    const qint64 before = residentBytes();
    resetPeakResident();
    const QByteArray reply = directoryReply(60'000);
    handle(reply);
    const double peakFactor = double(peakResidentBytes() - before) / double(reply.size());

    report({ QStringLiteral("reply60k"),
               QStringLiteral("%1 MB reply: check, store, load 300 rows, paint")
                   .arg(double(reply.size()) / MiB, 0, 'f', 1),
               QStringLiteral("ms"), QStringLiteral("<250"), {} },
        timeMs(runs, [&] { handle(reply); }));
    report({ QStringLiteral("reply60kmemory"),
               QStringLiteral("peak memory handling it, the reply included, per reply byte"),
               QStringLiteral("x"), QStringLiteral("<4"), {} },
        peakFactor);
}

double curlTotalMs(const QString &url)
{
    QProcess process;
    process.start(QStringLiteral("curl"),
        { QStringLiteral("-s"), QStringLiteral("-o"), QStringLiteral("/dev/null"),
            QStringLiteral("-w"), QStringLiteral("%{time_total}"), url });
    if (!process.waitForFinished(10000))
        return -1;
    bool ok = false;
    const double seconds = process.readAllStandardOutput().trimmed().toDouble(&ok);
    return ok ? seconds * 1000.0 : -1;
}

bool benchSearch(const QString &dir, int runs)
{
    DemoServer server;
    if (!server.start()) {
        std::printf("search not measured: %s\n", qPrintable(server.error()));
        return false;
    }
    auto window = showMainWindow(server.address(), dir);
    const DirectorySearch search = searchNear300(server.address(), window->countryTable());
    std::printf("search %s: %lld records\n", search.path.constData(),
        static_cast<long long>(search.records));

    const QString url = QStringLiteral("http://127.0.0.1:%1%2")
                            .arg(server.port())
                            .arg(QString::fromLatin1(search.path));
    // Where the time goes: the moments of one search, from the click.
    QElapsedTimer clock;
    qint64 clickedNs = 0;
    qint64 sentNs = 0;
    qint64 lastDataNs = 0;
    qint64 storedNs = 0;
    QObject::connect(window->findChild<QPushButton *>(QStringLiteral("Command1")),
        &QPushButton::released, window.get(), [&] { clickedNs = clock.nsecsElapsed(); });
    Connection &connection = window->searchExchange().connection();
    QObject::connect(&connection, &Connection::requestSent, window.get(),
        [&] { sentNs = clock.nsecsElapsed(); });
    QObject::connect(&connection, &Connection::received, window.get(),
        [&] { lastDataNs = clock.nsecsElapsed(); });
    // Emitted just before `stored`, whose first handler is the window's load.
    QObject::connect(&window->searchExchange(), &SearchExchange::statusChanged, window.get(),
        [&](const QString &text) {
            if (text.startsWith(QStringLiteral("Data Downloaded")))
                storedNs = clock.nsecsElapsed();
        });
    Samples clicking, connecting, waiting, storing, loading;

    Samples ours;
    Samples curl;
    for (int i = -2; i < runs; ++i) {
        // A click happens when the button is let go; its press and the repaint that shows the
        // button down come before, while the user's finger is still on it.
        pressSearchButton(*window, search);
        clock.start();
        qint64 endNs = 0;
        const bool done = searchAndPaint(*window, [&] { endNs = clock.nsecsElapsed(); });
        // Taken in turn with ours, so both see the same load on the machine.
        const double curlMs = curlTotalMs(url);
        if (i >= 0 && done) {
            ours.add(double(endNs) / 1e6);
            clicking.add(double(clickedNs) / 1e6);
            connecting.add(double(sentNs - clickedNs) / 1e6);
            waiting.add(double(lastDataNs - sentNs) / 1e6);
            storing.add(double(storedNs - lastDataNs) / 1e6);
            loading.add(double(endNs - storedNs) / 1e6);
            if (curlMs > 0)
                curl.add(curlMs);
        }
    }
    std::printf("search medians: release of the button %.2f ms, to the request sent "
                "%.2f, to the last data %.2f, to the reply stored %.2f, to the rows painted %.2f\n",
        clicking.median(), connecting.median(), waiting.median(), storing.median(),
        loading.median());
    if (!curl.empty()) {
        report({ QStringLiteral("curl"),
                   QStringLiteral("curl -w %{time_total}, the same %1-record request")
                       .arg(search.records),
                   QStringLiteral("ms"), {}, {} },
            curl);
    }
    report({ QStringLiteral("search300"),
               QStringLiteral("search, %1 records from the demo directory, click to rows painted")
                   .arg(search.records),
               QStringLiteral("ms"), QStringLiteral("<40,x1.5"),
               curl.empty() ? QString() : QStringLiteral("curl") },
        ours);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The test support finds the demo directory next to this program.
    if (qEnvironmentVariableIsEmpty("PELLOMAR_BIN_DIR"))
        qputenv("PELLOMAR_BIN_DIR", QCoreApplication::applicationDirPath().toLocal8Bit());
    // The 300-record limit's message must not wait for a user.
    MessageBox::setResponder([](const MessageBox::Request &) { return QMessageBox::Ok; });

    const QStringList arguments = QCoreApplication::arguments();
    int runs = 21;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--runs")); at > 0)
        runs = qMax(1, arguments.value(at + 1).toInt());
    // --only search: the search alone, e.g. under a profiler.
    const bool searchOnly = arguments.contains(QStringLiteral("--only"))
        && arguments.value(arguments.indexOf(QStringLiteral("--only")) + 1)
            == QStringLiteral("search");

    QTemporaryDir dir;
    if (!dir.isValid())
        return 2;
    if (!searchOnly) {
        benchNormalising(qMax(3, runs / 2));
        benchScrambling(dir.path(), qMax(3, runs / 2));
        benchLargeReply(dir.path(), qMax(3, runs / 4));
    }
    return benchSearch(dir.path(), runs) ? 0 : 1;
}
