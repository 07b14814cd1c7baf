// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>
#include <optional>

class QSettings;

namespace pellomar {

// The directory server in use: its host and TCP port.
struct ServerAddress {
    QString host;
    quint16 port = 80;

    // "HOST" or "HOST:PORT"; nothing when the text is not a usable address.
    static std::optional<ServerAddress> parse(const QString &text);
    // Why `text` is not a usable address, in a sentence; empty when it is one.
    static QString problemWith(const QString &text);

    // What the "Host:" header carries: the host, with the port when it is not 80.
    QString hostHeader() const;
    // The directory web site's home address, e.g. "http://hotspots.example" (no path).
    QString siteUrl() const;
};

// What every window needs to know about where things are; made once at start-up.
struct AppContext {
    ServerAddress server;
    QString dataDir; // holds "tmp.txt" and "img.dat"
    QString referenceDir; // holds "countries.txt" and "locations.txt"
    QString tileServer; // the map's tile address template; empty: the settings' own
    bool serverFromCommandLine = false; // --server named it: the settings do not change it

    QString resultFilePath() const { return dataDir + QStringLiteral("/tmp.txt"); }
    QString imageFilePath() const { return dataDir + QStringLiteral("/img.dat"); }
};

// Settings files larger than this are not read: QSettings reads a file whole, and nothing the
// program keeps there comes near it.
inline constexpr qint64 MaxSettingsBytes = 1024 * 1024;

// The program's settings. While the program names no organisation, its own name stands for
// one, so the file is ~/.config/pellomar/pellomar.conf beside the program's other folders
// rather than under "Unknown Organization". Nothing, with the reason in `problem`, when the
// file is larger than MaxSettingsBytes or not a regular file: it is then neither read nor
// written.
std::unique_ptr<QSettings> openSettings(QString *problem = nullptr);

} // namespace pellomar
