// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The OpenStreetMap import's figures on this machine:
//  1. the import of a synthetic extract the benchmark writes (2 million nodes, 20,000 of them
//     Wi-Fi cafes, 100,000 roads, 1,000 Wi-Fi buildings, a country boundary and 100 city
//     boundaries) as PBF, beside osmium tags-filter (Debian's osmium-tool) reading the same file
//     for the same tags with the objects they need: the floor for reading it. Its peak memory,
//     as the import reports it.
//  2. a directory of 1,000,000 imported hotspots in 10,000 towns: city searches from 50
//     concurrent clients, each for a town not asked before so the reply cache never answers:
//     the 99th percentile; and the database's size per hotspot.
// An import or a tool that fails, or a search not answered, fails the benchmark (exit status 1).

#include "common/bench_figures.h"
#include "common/demo_server.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <netinet/in.h>
#include <numeric>
#include <optional>
#include <poll.h>
#include <span>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

using namespace pellomar::bench;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int Runs = 3;
constexpr int Nodes = 2'000'000;
constexpr int HotspotEvery = 100; // 20,000 hotspots
constexpr int Roads = 100'000;
constexpr int Buildings = 1'000;
constexpr int Side = 1414; // nodes on a grid of about Side x Side
constexpr int Directory = 1'000'000;
constexpr int Towns = 10'000;
constexpr int Clients = 50;
// Three rounds of searches, each for towns no round asked before: the figure is their median.
constexpr int SearchRounds = 3;
constexpr int Searches = 3'000;
static_assert(SearchRounds * Searches <= Towns);

QByteArray nodeAt(qint64 id, double lat, double lon, const QByteArray &tags = {})
{
    const QByteArray head = "<node id=\"" + QByteArray::number(id) + "\" lat=\""
        + QByteArray::number(lat, 'f', 7) + "\" lon=\"" + QByteArray::number(lon, 'f', 7) + '"';
    return tags.isEmpty() ? head + "/>\n" : head + '>' + tags + "</node>\n";
}

QByteArray tag(const QByteArray &key, const QByteArray &value)
{
    return "<tag k=\"" + key + "\" v=\"" + value + "\"/>";
}

QByteArray way(qint64 id, const std::vector<qint64> &refs, const QByteArray &tags)
{
    QByteArray xml = "<way id=\"" + QByteArray::number(id) + "\">";
    for (const qint64 ref : refs)
        xml += "<nd ref=\"" + QByteArray::number(ref) + "\"/>";
    return xml + tags + "</way>\n";
}

double latOf(int i)
{
    return 47.0 + (i % Side) * (1.0 / Side);
}
double lonOf(int i)
{
    return 9.0 + (i / Side) * (1.0 / Side);
}

// The 2-million-node extract, in OpenStreetMap's XML.
bool writeCountry(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<osm version=\"0.6\">\n");
    for (int i = 1; i <= Nodes; ++i) {
        const QByteArray tags = i % HotspotEvery
            ? QByteArray()
            : tag("name", "Cafe " + QByteArray::number(i)) + tag("amenity", "cafe")
                + tag("internet_access", "wlan") + tag("internet_access:fee", i % 3 ? "no" : "yes");
        file.write(nodeAt(i, latOf(i), lonOf(i), tags));
    }
    // The boundaries' corners: the country around the grid, 10 x 10 towns inside it.
    qint64 id = Nodes;
    std::vector<std::vector<qint64>> rings;
    const auto square = [&](double lat0, double lon0, double lat1, double lon1) {
        std::vector<qint64> ring;
        for (const auto &[lat, lon] :
            { std::pair { lat0, lon0 }, { lat0, lon1 }, { lat1, lon1 }, { lat1, lon0 } }) {
            file.write(nodeAt(++id, lat, lon));
            ring.push_back(id);
        }
        ring.push_back(ring.front());
        rings.push_back(ring);
    };
    square(46.99, 8.99, 48.01, 10.01);
    for (int t = 0; t < 100; ++t)
        square(47.0 + t % 10 * 0.1, 9.0 + t / 10 * 0.1, 47.1 + t % 10 * 0.1, 9.1 + t / 10 * 0.1);
    for (int w = 1; w <= Roads; ++w) {
        std::vector<qint64> refs(10);
        std::iota(refs.begin(), refs.end(), qint64 { w } * 19 % (Nodes - 20) + 1);
        file.write(way(w, refs, tag("highway", "residential")));
    }
    for (int b = 0; b < Buildings; ++b) {
        qint64 a = qint64 { b } * 1999 % (Nodes - 2 * Side) + 1;
        a -= (a % Side == Side - 1) ? 1 : 0; // a square of the grid, not one across its edge
        file.write(way(Roads + 1 + b, { a, a + Side, a + Side + 1, a + 1, a },
            tag("building", "yes") + tag("amenity", "library") + tag("internet_access", "wlan")));
    }
    file.write(way(Roads + Buildings + 1, rings[0], {}));
    for (int t = 1; t <= 100; ++t)
        file.write(way(Roads + Buildings + 1 + t, rings[std::size_t(t)],
            tag("boundary", "administrative") + tag("admin_level", "8")
                + tag("name", "Town " + QByteArray::number(t))));
    file.write("<relation id=\"1\"><member type=\"way\" ref=\""
        + QByteArray::number(Roads + Buildings + 1) + "\" role=\"outer\"/>"
        + tag("type", "boundary") + tag("boundary", "administrative") + tag("admin_level", "2")
        + tag("ISO3166-1", "LI") + "</relation>\n</osm>\n");
    return file.error() == QFile::NoError;
}

// A million Wi-Fi cafes, a hundred in each of Towns towns.
bool writeDirectory(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<osm version=\"0.6\">\n");
    for (int i = 1; i <= Directory; ++i) {
        file.write(nodeAt(i, latOf(i), lonOf(i),
            tag("name", "Cafe " + QByteArray::number(i)) + tag("amenity", "cafe")
                + tag("internet_access", "wlan") + tag("addr:country", "LI")
                + tag("addr:street", "Street " + QByteArray::number(i % 97))
                + tag("addr:city", "Town " + QByteArray::number(i % Towns))));
    }
    file.write("</osm>\n");
    return file.error() == QFile::NoError;
}

// Runs a program to its end: its milliseconds and output, or a negative time when it failed.
std::pair<double, QByteArray> run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    const bool ran = process.waitForFinished(1'800'000)
        && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    const QByteArray output = process.readAll();
    if (!ran)
        std::printf("%s failed:\n%s\n", qPrintable(program), output.constData());
    return { ran ? ms : -1, output };
}

// City searches for `towns`, each asked once, from Clients connections at once: the
// 99th percentile of their milliseconds, from the connect to the reply's last byte, or nothing
// when one was not answered in full. Plain non-blocking sockets under one poll() rather than a
// QTcpSocket and its signals a search: the client shares the processors with the server, and
// Qt's objects a connection cost it more than the server spends on a search.
std::optional<double> searchTowns(quint16 port, std::span<const int> towns)
{
    struct Client {
        int fd = -1;
        bool sent = false;
        QByteArray request, reply;
        QElapsedTimer clock;
    };
    std::vector<Client> clients(Clients);
    std::vector<pollfd> polled(Clients);
    std::vector<double> ms;
    int next = 0;
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const auto start = [&](Client &c) {
        c.fd = -1;
        if (next >= Searches)
            return true;
        c.request = "GET /browse-app.php?country=LI&city=Town%20"
            + QByteArray::number(towns[std::size_t(next++)]) + " HTTP/1.0\r\n\r\n";
        c.reply.clear();
        c.sent = false;
        c.clock.start();
        c.fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        return c.fd >= 0
            && (connect(c.fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0
                || errno == EINPROGRESS);
    };
    for (auto &c : clients)
        if (!start(c))
            return std::nullopt;
    QElapsedTimer overall;
    overall.start();
    char buffer[65536];
    bool failed = false;
    while (!failed && ms.size() < std::size_t(Searches) && overall.elapsed() < 300'000) {
        for (std::size_t i = 0; i < clients.size(); ++i)
            polled[i] = { clients[i].fd, short(clients[i].sent ? POLLIN : POLLOUT), 0 };
        if (poll(polled.data(), polled.size(), 1000) < 0 && errno != EINTR)
            return std::nullopt;
        for (std::size_t i = 0; i < clients.size() && !failed; ++i) {
            Client &c = clients[i];
            if (c.fd < 0 || !polled[i].revents)
                continue;
            if (!c.sent) {
                // The request is a few dozen bytes: one write takes it whole or the search fails.
                failed = write(c.fd, c.request.constData(), std::size_t(c.request.size()))
                    != c.request.size();
                c.sent = true;
                continue;
            }
            const auto got = read(c.fd, buffer, sizeof buffer);
            if (got > 0) {
                c.reply.append(buffer, got);
                continue;
            }
            if (got < 0 && errno == EAGAIN)
                continue;
            close(c.fd);
            // Records end in "<>END", with a line break anywhere between records' fields.
            failed = got < 0 || !c.reply.startsWith("HTTP/1.1 200")
                || c.reply.replace("\r\n", "").count("<>END") != 100;
            ms.push_back(double(c.clock.nsecsElapsed()) / 1e6);
            failed = failed || !start(c);
        }
    }
    for (const auto &c : clients)
        if (c.fd >= 0)
            close(c.fd);
    if (failed || ms.size() != std::size_t(Searches))
        return std::nullopt;
    const double seconds = double(overall.nsecsElapsed()) / 1e9;
    std::sort(ms.begin(), ms.end());
    std::fprintf(stderr, "city searches: %.0f a second, mean %.1f ms, median %.1f ms\n",
        Searches / seconds, std::accumulate(ms.begin(), ms.end(), 0.0) / Searches,
        ms[std::size_t(Searches / 2)]);
    return ms[std::size_t(Searches * 99 / 100 - 1)];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString program = pellomar::test::DemoServer::programPath();
    const QString xml = dir.filePath(u"country.osm"_s), pbf = dir.filePath(u"country.osm.pbf"_s);
    if (!writeCountry(xml) || run(u"osmium"_s, { u"cat"_s, xml, u"-o"_s, pbf }).first < 0)
        return 1;
    QFile::remove(xml);

    Samples imports, osmium, memory;
    for (int i = 0; i < Runs; ++i) {
        const QString db = dir.filePath(u"country%1.db"_s.arg(i));
        const auto [ms, report] = run(program, { u"--database"_s, db, u"--import-osm"_s, pbf });
        const auto peak
            = QRegularExpression(u"peak memory: (\\d+) MiB"_s).match(QString::fromUtf8(report));
        if (ms < 0 || !report.contains("hotspots imported: 21000\n") || !peak.hasMatch()) {
            std::printf("%s\n", report.constData());
            return 1;
        }
        imports.add(ms);
        memory.add(peak.captured(1).toDouble());
        const double floor = run(u"osmium"_s,
            { u"tags-filter"_s, u"--overwrite"_s, pbf, u"nwr/internet_access"_s,
                u"nwr/boundary=administrative"_s, u"-o"_s, dir.filePath(u"filtered.osm.pbf"_s) })
                                 .first;
        if (floor < 0)
            return 1;
        osmium.add(floor);
    }
    report({ u"osm_filter"_s, u"osmium tags-filter, 2 million nodes (PBF)"_s, u"ms"_s, {}, {} },
        osmium);
    report({ u"osm_import"_s, u"import of 2 million nodes, 21,000 hotspots (PBF)"_s, u"ms"_s,
               u"x2"_s, u"osm_filter"_s },
        imports);
    report({ u"osm_import_memory"_s, u"import of 2 million nodes: peak memory"_s, u"MiB"_s,
               u"<200"_s, {} },
        memory);

    const QString many = dir.filePath(u"directory.osm"_s), db = dir.filePath(u"directory.db"_s);
    if (!writeDirectory(many)
        || run(program, { u"--database"_s, db, u"--import-osm"_s, many }).first < 0)
        return 1;
    pellomar::test::DemoServer server;
    if (!server.start({ u"--database"_s, db })) {
        std::printf("%s\n", qPrintable(server.error()));
        return 1;
    }
    std::vector<int> towns(Towns);
    std::iota(towns.begin(), towns.end(), 0);
    std::shuffle(towns.begin(), towns.end(), *QRandomGenerator::global());
    Samples searches;
    for (int round = 0; round < SearchRounds; ++round) {
        const auto p99 = searchTowns(server.port(),
            std::span<const int>(towns).subspan(std::size_t(round * Searches), Searches));
        if (!p99) {
            std::printf("a city search of the million hotspots failed or was not answered\n");
            return 1;
        }
        searches.add(*p99);
    }
    server.stop();
    report(
        { u"osm_directory_p99"_s,
            u"1,000,000 imported hotspots, city searches by 50 clients, reply cache cold: 99th percentile"_s,
            u"ms"_s, u"<20"_s, {} },
        searches);
    report({ u"osm_directory_bytes"_s, u"1,000,000 imported hotspots: database bytes per hotspot"_s,
               u"bytes"_s, {}, {} },
        double(QFileInfo(db).size()) / Directory);
    return 0;
}
