// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/app_context.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace pellomar {

// What the command line asks for when the program is to start.
struct StartOptions {
    ServerAddress server;
    bool serverGiven = false; // named by --server, not the default
    QString dataDir; // empty: the per-user data folder
    QString referenceDir; // empty: next to the executable, else the installed share folder
    bool noDialogs = false; // message boxes go to standard error and are not shown
    QString tileServer; // the map's tile address template; empty: the settings' own
    QString platform; // Qt's "-platform NAME"; empty: QT_QPA_PLATFORM or Qt's default
};

// The outcome of reading the command line: either options to start with, or an exit status
// with what to print first (help and version on standard output, errors on standard error).
struct CommandLine {
    std::optional<StartOptions> start;
    int exitStatus = 0;
    QString standardOutput;
    QString standardError;
};

// Exit status for a command line that cannot be used, as other Linux programs do.
constexpr int BadUsageStatus = 2;

// Reads the arguments (the program's name first). Qt's own options such as "-platform" or
// "-style" are accepted and left for QApplication.
CommandLine parseCommandLine(const QStringList &arguments, const ServerAddress &defaultServer);

} // namespace pellomar
