// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up of the real program (build/bin/pellomar), from starting the process to the window
// on screen with the previous run's 300 results painted; next to the same start with no
// previous results. The program reports the moment itself when PELLOMAR_REPORT_STARTUP is set;
// the time here is taken from outside, so loading the executable and its libraries counts.
// The start-up reload waits 200 ms after the window is shown, by design, and that is included.

#include "common/bench_figures.h"
#include "common/bench_window.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

using namespace pellomar;
using namespace pellomar::bench;

namespace {

// Milliseconds to the program's report, or -1 when it did not report.
double startOnce(const QString &program, const QString &dataDir)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PELLOMAR_REPORT_STARTUP"), QStringLiteral("1"));
    if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    // The limit's message at 300 records goes to standard error instead of waiting for a user.
    const QStringList arguments { QStringLiteral("--data-dir"), dataDir, QStringLiteral("--server"),
        QStringLiteral("127.0.0.1:9"), QStringLiteral("--no-dialogs") };
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    QByteArray output;
    const QDeadlineTimer deadline(20000);
    while (!output.contains("started in") && !deadline.hasExpired()
        && process.waitForReadyRead(int(deadline.remainingTime())))
        output += process.readAllStandardOutput();
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    if (!process.waitForFinished(5000))
        process.kill();
    if (!output.contains("started in")) {
        std::printf("the program did not report its start: %s\n",
            (output + process.readAllStandardError()).constData());
        return -1;
    }
    return ms;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString program = binDir() + QStringLiteral("/pellomar");
    QTemporaryDir withResults;
    QTemporaryDir empty;
    if (!withResults.isValid() || !empty.isValid())
        return 2;
    const QByteArray previous = resultFile(300);
    QFile file(withResults.filePath(QStringLiteral("tmp.txt")));
    if (!file.open(QIODevice::WriteOnly) || file.write(previous) != previous.size())
        return 2;
    file.close();

    Samples none;
    Samples full;
    // In turn, so both see the same load on the machine; the first round warms the disk cache.
    for (int i = -1; i < 15; ++i) {
        const double emptyMs = startOnce(program, empty.path());
        const double fullMs = startOnce(program, withResults.path());
        if (emptyMs < 0 || fullMs < 0)
            return 1;
        if (i >= 0) {
            none.add(emptyMs);
            full.add(fullMs);
        }
    }
    if (!file.open(QIODevice::ReadOnly) || file.readAll() != previous) {
        std::printf("the start-up changed the result file\n");
        return 1;
    }
    report({ QStringLiteral("startempty"),
               QStringLiteral("start-up to the window shown, no previous results"),
               QStringLiteral("ms"), {}, {} },
        none);
    report({ QStringLiteral("startup300"),
               QStringLiteral("start-up to the window shown with the previous 300 results"),
               QStringLiteral("ms"), QStringLiteral("<500,+30"), QStringLiteral("startempty") },
        full);
    return 0;
}
