// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The demo directory server's figures on this machine, measured from outside as clients see
// them, with its reply cache warm:
//  1. ab -n 5000 -c 50 (Debian's apache2-utils) on a city search (London, 380 records) and
//     on the country search that fills a reply to its cap of 1,000 records (US): requests
//     per second and the 99th percentile;
//  2. a search answered while 4,000 connections from the same address hold request heads they
//     have not finished: more than the server's 1,000 slots, so it must make room.
// A failed request, a reply other than 200, a short ab run or an unanswered search fails the
// benchmark (exit status 1) and shows in the table.

#include "common/bench_figures.h"
#include "common/demo_server.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <cstdio>
#include <memory>
#include <sys/resource.h>
#include <vector>

using namespace pellomar::bench;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int Requests = 5000;
constexpr int Concurrency = 50;
constexpr int AbRuns = 3;
constexpr int SlowConnections = 4000;
constexpr int SearchesBesideSlowOnes = 20;
constexpr int SearchTimeoutMs = 5000;

const QByteArray CitySearch = "/browse-app.php?country=GB&city=London";
const QByteArray CountrySearch = "/browse-app.php?country=US";

// Milliseconds from connecting to the server's close for one search sent as the client sends
// it; -1 when it is not answered with 200 within the time-out.
double searchMs(quint16 port, const QByteArray &target)
{
    QElapsedTimer clock;
    clock.start();
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    if (!socket.waitForConnected(SearchTimeoutMs))
        return -1;
    socket.write("GET " + target + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
    QByteArray reply;
    const QDeadlineTimer deadline(SearchTimeoutMs);
    while (socket.state() == QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
        socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        reply += socket.readAll();
    }
    if (socket.state() == QAbstractSocket::ConnectedState || !reply.startsWith("HTTP/1.1 200"))
        return -1;
    return double(clock.nsecsElapsed()) / 1e6;
}

struct AbResult {
    double requestsPerSecond = 0;
    double p99Ms = 0;
    // Failed requests, replies other than 2xx, and requests ab never completed.
    int failures = 0;
};

AbResult runAb(quint16 port, const QByteArray &target)
{
    QProcess ab;
    ab.setProcessChannelMode(QProcess::MergedChannels);
    const QString url = u"http://127.0.0.1:%1"_s.arg(port) + QString::fromLatin1(target);
    ab.start(QStringLiteral("ab"),
        { QStringLiteral("-q"), QStringLiteral("-s"), QStringLiteral("30"), QStringLiteral("-n"),
            QString::number(Requests), QStringLiteral("-c"), QString::number(Concurrency), url });
    AbResult result;
    result.failures = Requests;
    if (!ab.waitForStarted(10000) || !ab.waitForFinished(600000)) {
        std::printf("ab did not run: %s\n", qPrintable(ab.errorString()));
        ab.kill();
        ab.waitForFinished(5000);
        return result;
    }
    const QString output = QString::fromLocal8Bit(ab.readAll());
    std::printf(
        "ab -n %d -c %d %s\n%s\n", Requests, Concurrency, qPrintable(url), qPrintable(output));
    const auto number = [&output](const QString &pattern) {
        const auto match
            = QRegularExpression(pattern, QRegularExpression::MultilineOption).match(output);
        return match.hasMatch() ? match.captured(1).toDouble() : -1.0;
    };
    const double complete = number(u"^Complete requests:\\s+(\\d+)"_s);
    const double failed = number(u"^Failed requests:\\s+(\\d+)"_s);
    const double non2xx = number(u"^Non-2xx responses:\\s+(\\d+)"_s);
    result.requestsPerSecond = qMax(0.0, number(u"^Requests per second:\\s+([0-9.]+)"_s));
    result.p99Ms = qMax(0.0, number(u"^\\s*99%\\s+(\\d+)"_s));
    if (ab.exitStatus() == QProcess::NormalExit && ab.exitCode() == 0 && complete == Requests
        && failed >= 0)
        result.failures = int(failed) + int(qMax(0.0, non2xx));
    return result;
}

// ab on one search, AbRuns times after a first request that fills the reply cache.
int benchSearch(quint16 port, const QByteArray &target, const QString &name, const QString &what,
    const QString &rateBudget, const QString &p99Budget)
{
    searchMs(port, target);
    Samples rate;
    Samples p99;
    int failures = 0;
    for (int i = 0; i < AbRuns; ++i) {
        const AbResult run = runAb(port, target);
        rate.add(run.requestsPerSecond);
        p99.add(run.p99Ms);
        failures += run.failures;
    }
    const QString label
        = u"demo directory, ab -n %1 -c %2, %3"_s.arg(Requests).arg(Concurrency).arg(what);
    report({ name + u"_rate"_s, label + u": requests per second"_s, u"req/s"_s, rateBudget, {} },
        rate);
    report({ name + u"_p99"_s, label + u": 99th percentile"_s, u"ms"_s, p99Budget, {} }, p99);
    return failures;
}

// Searches one after the other while SlowConnections connections hold half-sent request heads,
// as clients that send a byte every few seconds do. False when a search went unanswered.
bool benchSearchBesideSlowConnections(quint16 port)
{
    std::vector<std::unique_ptr<QTcpSocket>> slow;
    for (int i = 0; i < SlowConnections; ++i) {
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(QStringLiteral("127.0.0.1"), port);
        if (!socket->waitForConnected(5000)) {
            std::printf("slow connection %d: %s\n", i, qPrintable(socket->errorString()));
            return false;
        }
        socket->write("GET /browse-app.php?country=NZ HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow: ");
        socket->waitForBytesWritten(1000);
        slow.push_back(std::move(socket));
    }
    // The first search comes while the server is still making room: it counts too.
    Samples searches;
    bool answered = true;
    for (int i = 0; i < SearchesBesideSlowOnes && answered; ++i) {
        const double ms = searchMs(port, CitySearch);
        answered = ms >= 0;
        searches.add(answered ? ms : SearchTimeoutMs);
    }
    report({ u"directory_beside_slow"_s,
               u"demo directory, city search while %1 slow connections from one address are open"_s
                   .arg(QLocale(QLocale::English).toString(SlowConnections)),
               u"ms"_s, u"<50"_s, {} },
        searches);
    return answered;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // Thousands of connections: the soft limit on descriptors may be 1,024.
    rlimit files {};
    getrlimit(RLIMIT_NOFILE, &files);
    files.rlim_cur = files.rlim_max;
    setrlimit(RLIMIT_NOFILE, &files);
    pellomar::test::DemoServer server;
    if (!server.start()) {
        std::printf("%s\n", qPrintable(server.error()));
        return 1;
    }
    int failures = benchSearch(server.port(), CitySearch, u"directory_city"_s,
        u"city search (London, 380 records)"_s, u">2000"_s, u"<50"_s);
    failures += benchSearch(server.port(), CountrySearch, u"directory_country"_s,
        u"country search (US, 1,000 records)"_s, u">500"_s, u"<200"_s);
    report(
        { u"directory_failures"_s, u"demo directory, failed or non-200 requests in the ab runs"_s,
            u"requests"_s, u"<1"_s, {} },
        failures);
    const bool answered = benchSearchBesideSlowConnections(server.port());
    if (failures > 0 || !answered) {
        std::printf("%d failed requests; searches beside slow connections %s\n", failures,
            answered ? "answered" : "NOT answered");
        return 1;
    }
    return 0;
}
