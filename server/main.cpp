// pellomar-directory: the demo hotspot directory server.
#include "directory_server.h"

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
using pellomar::directory::ServerSetup;

namespace {

constexpr std::string_view Usage
    = R"(usage: pellomar-directory [--listen ADDR:PORT] [--database FILE] [--dataset DIR]
                          [--read-only]

Serves the demo hotspot directory over HTTP.

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
        if (arg != "--listen" && arg != "--database" && arg != "--dataset") {
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
