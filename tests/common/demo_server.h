#pragma once

#include "platform/app_context.h"

#include <QProcess>
#include <QString>
#include <QStringList>

namespace pellomar::test {

// The demo directory server (build/bin/pellomar-directory) on a free loopback port, for tests
// and benchmarks that go through a real server. Stopped when the object goes.
class DemoServer {
public:
    DemoServer() = default;
    ~DemoServer();
    DemoServer(const DemoServer &) = delete;
    DemoServer &operator=(const DemoServer &) = delete;

    // Where the server program is: $PELLOMAR_BIN_DIR/pellomar-directory.
    static QString programPath();
    static bool programExists();

    // Starts the server with `--listen 127.0.0.1:0` (plus `extraArguments`) and waits for the
    // line on which it names the port it chose. False with error() set when that fails.
    bool start(const QStringList &extraArguments = {}, int timeoutMs = 15000);
    void stop();

    quint16 port() const { return m_port; }
    ServerAddress address() const;
    QString error() const { return m_error; }
    // What the server wrote to stdout and stderr so far, for failure messages.
    QString output();

private:
    QProcess m_process;
    quint16 m_port = 0;
    QString m_error;
    QByteArray m_output;
};

// The port from the server's start-up line, e.g. "... listening on http://127.0.0.1:41234";
// 0 when the line names none.
quint16 portFromListenLine(const QByteArray &line);

} // namespace pellomar::test
