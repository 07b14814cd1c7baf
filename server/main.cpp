// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// pellomar-directory: the demo hotspot directory server.
#include "directory_server.h"
#include "osm/import_command.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <optional>
#include <pthread.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using pellomar::directory::DirectoryServer;
using pellomar::directory::isExtractName;
using pellomar::directory::runOsmImport;
using pellomar::directory::ServerSetup;

namespace {

constexpr std::string_view Usage
    = R"(usage: pellomar-directory [--listen ADDR:PORT] [--database FILE] [--dataset DIR]
                          [--read-only]
       pellomar-directory --database FILE --import-osm EXTRACT [--country CC]

Serves the demo hotspot directory over HTTP, or imports the public Wi-Fi places of an
OpenStreetMap extract into a directory's database.

  --listen ADDR:PORT  where to listen (default 127.0.0.1:8080); port 0 picks a free
                      port. The first line of output names the address in use:
                      "listening on ADDR:PORT".
  --database FILE     keep the hotspots in this SQLite file, filled from the dataset
                      when it is new; submitted hotspots stay in it. Default: a
                      database in memory, built from the dataset at every start.
  --dataset DIR       the dataset folder (hotspots.txt, images/); default: the
                      "directory" folder next to the program or in its share folder.
  --read-only         answer searches only: the home page says submissions are closed
                      here, and FILE, which another directory fills, is only read.
                      Several directories may serve one FILE at once.
  --import-osm EXTRACT
                      import the Wi-Fi places of EXTRACT (.osm.pbf, .osm, .osm.bz2 or
                      .osm.gz, as Geofabrik or planet.openstreetmap.org publish them)
                      into FILE, created when missing, print a report and exit. A new
                      extract of the same area imported over the old updates, adds and
                      removes its places; submitted hotspots stay. A directory serving
                      FILE answers from the new data without a restart. Exit status 0
                      when done, 1 when the extract or the database fails, 2 for a
                      usage error. The data are (c) OpenStreetMap contributors, ODbL.
  --country CC        the country of imported places outside every country boundary
                      in the extract (a code of countries.txt); without it they are
                      left out.
  --help              show this text.

Each request is logged to standard error: method, target (its first 300 characters),
status, bytes, milliseconds. When standard error does not keep up, lines are dropped and
counted; when it is closed, the server goes on without a log.
)";

struct Options {
    std::string host = "127.0.0.1";
    int port = 8080;
    std::string database;
    std::optional<fs::path> dataset;
    bool readOnly = false;
    std::string importOsm;
    std::optional<std::string> country;
    bool help = false;
};

std::optional<Options> parseOptions(int argc, char **argv, std::string &error)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        if (arg == "--read-only") {
            options.readOnly = true;
            continue;
        }
        if (arg != "--listen" && arg != "--database" && arg != "--dataset" && arg != "--import-osm"
            && arg != "--country") {
            error = "unknown option " + std::string(arg);
            return std::nullopt;
        }
        if (i + 1 >= argc) {
            error = std::string(arg) + " needs a value";
            return std::nullopt;
        }
        const std::string value = argv[++i];
        if (arg == "--database") {
            options.database = value;
        } else if (arg == "--dataset") {
            options.dataset = value;
        } else if (arg == "--import-osm") {
            if (!isExtractName(value)) {
                error = "--import-osm needs an .osm.pbf, .osm, .osm.bz2 or .osm.gz file, not "
                    + value;
                return std::nullopt;
            }
            options.importOsm = value;
        } else if (arg == "--country") {
            options.country = value;
        } else {
            const auto colon = value.rfind(':');
            std::string host = colon == std::string::npos ? std::string() : value.substr(0, colon);
            if (host.size() > 2 && host.front() == '[' && host.back() == ']')
                host = host.substr(1, host.size() - 2);
            const std::string port = colon == std::string::npos ? "" : value.substr(colon + 1);
            const bool digitsOnly = !port.empty() && port.size() <= 5
                && port.find_first_not_of("0123456789") == std::string::npos;
            if (host.empty() || !digitsOnly || std::stoi(port) > 65535) {
                error = "--listen needs ADDR:PORT, such as 127.0.0.1:8080, not " + value;
                return std::nullopt;
            }
            options.host = host;
            options.port = std::stoi(port);
        }
    }
    if (!options.importOsm.empty() && options.database.empty()) {
        error = "--import-osm needs --database FILE to import into";
        return std::nullopt;
    }
    if (options.readOnly && !options.importOsm.empty()) {
        error = "--read-only serves a database; an import writes one";
        return std::nullopt;
    }
    if (options.country && options.importOsm.empty()) {
        error = "--country goes with --import-osm";
        return std::nullopt;
    }
    return options;
}

// The program's data sits next to it in the build tree, or in the share folder when installed.
fs::path findDataDir(const fs::path &programDir, const fs::path &relative)
{
    const fs::path beside = programDir / relative;
    if (fs::exists(beside))
        return beside;
    return programDir / ".." / "share" / "pellomar" / relative;
}

} // namespace

int main(int argc, char **argv)
{
    // A standard descriptor closed by whoever started the server would be reused by the
    // database or a socket, and the log written into it.
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) < 0 && errno == EBADF && open("/dev/null", O_RDWR) != fd)
            return 1;
    }
    std::string error;
    const auto options = parseOptions(argc, argv, error);
    if (!options) {
        std::cerr << "pellomar-directory: " << error << "\n" << Usage;
        return 2;
    }
    if (options->help) {
        std::cout << Usage;
        return 0;
    }

    std::error_code ignored;
    const fs::path programDir = fs::read_symlink("/proc/self/exe", ignored).parent_path();
    ServerSetup setup;
    setup.referenceDir = findDataDir(programDir, "countries.txt").parent_path();
    if (!options->importOsm.empty())
        return runOsmImport({ options->database, options->importOsm,
            options->country.value_or(std::string()), setup.referenceDir });
    setup.datasetDir = options->dataset ? *options->dataset : findDataDir(programDir, "directory");
    setup.databasePath = options->database;
    setup.readOnly = options->readOnly;

    // SIGINT and SIGTERM are taken by one thread that stops the server, so the server's own
    // threads never see them and the database is closed cleanly.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    auto server = DirectoryServer::create(setup, error);
    if (!server) {
        std::cerr << "pellomar-directory: " << error << "\n";
        return 1;
    }
    const int port = server->bind(options->host, options->port);
    if (port < 0) {
        std::cerr << "pellomar-directory: cannot listen on " << options->host << ":"
                  << options->port << " (address in use or not available)\n";
        return 1;
    }
    std::cout << "listening on " << options->host << ":" << port << std::endl;

    std::thread stopper([&stopSignals, &server] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        server->stop();
    });
    const bool served = server->run();
    // Wakes the stopper when the server ended on its own.
    pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
    return served ? 0 : 1;
}
