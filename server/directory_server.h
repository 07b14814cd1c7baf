// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace pellomar::directory {

struct ServerSetup {
    // Holds hotspots.txt and images/.
    std::filesystem::path datasetDir;
    // Holds countries.txt and locations.txt.
    std::filesystem::path referenceDir;
    // SQLite file; empty for a database in memory, filled from the dataset at start.
    std::string databasePath;
    // A replica that only answers searches: the form is closed, a database file is only read.
    bool readOnly = false;
};

// The directory's HTTP front: the search, the pictures, the home page with its submission
// form. Every reply closes its connection, HTTP/1.0 or 1.1, because the client takes the
// end of the connection as the end of the reply.
class DirectoryServer {
public:
    // Nothing, with the reason in `error`, when the data cannot be read or the database opened.
    static std::unique_ptr<DirectoryServer> create(const ServerSetup &setup, std::string &error);
    ~DirectoryServer();

    // Binds to host:port (port 0: a free port) and gives the port bound, or -1.
    int bind(const std::string &host, int port);
    // Serves until stop(); false when serving could not start.
    bool run();
    // Safe from any thread.
    void stop();

private:
    DirectoryServer();
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace pellomar::directory
