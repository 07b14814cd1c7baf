// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/app_context.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

namespace pellomar::test {

// The demo directory server (build/bin/pellomar-directory) on a free loopback port, for tests
// and benchmarks that go through a real server. Stopped when the object goes.
class DemoServer {
public:
    DemoServer() = default;
    ~DemoServer();
    DemoServer(const DemoServer &) = delete;
    DemoServer &operator=(const DemoServer &) = delete;

    // $PELLOMAR_BIN_DIR/pellomar-directory, else the one beside the running program.
    static QString programPath();
    static bool programExists();

    // Starts the server with `--listen 127.0.0.1:0` (plus `extraArguments`) and waits for the
    // line on which it names the port it chose. False with error() set when that fails; stop()
    // then gives the exit code.
    bool start(const QStringList &extraArguments = {}, int timeoutMs = 15000);
    // From the next start() on, the server gets this descriptor as its standard error
    // (-1: closed) instead of the log file output() reads.
    void setStandardError(int fd) { m_standardError = fd; }
    // Stops it as a user would (SIGTERM) and gives its exit code, -1 when it had to be killed
    // or crashed.
    int stop();

    quint16 port() const { return m_port; }
    ServerAddress address() const { return { QStringLiteral("127.0.0.1"), m_port }; }
    qint64 processId() const { return m_process.processId(); }
    QString error() const { return m_error; }
    // What the server wrote so far: its standard output, then its request log (standard error,
    // kept in a file so that a busy server never waits for a reader).
    QString output();

private:
    QProcess m_process;
    QTemporaryDir m_logDir;
    quint16 m_port = 0;
    std::optional<int> m_standardError;
    QString m_error;
    QByteArray m_output;
};

} // namespace pellomar::test
