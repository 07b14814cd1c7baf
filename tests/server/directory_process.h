#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

namespace pellomar::test {

// pellomar-directory from the build, started on a free loopback port.
class DirectoryProcess {
public:
    ~DirectoryProcess();

    static QString programPath();

    // Starts it with --listen 127.0.0.1:0 and the extra arguments, and reads the port from its
    // first line of output. False when no port was named within the time-out.
    bool start(const QStringList &extraArguments = {});
    // Stops it the way a user would (SIGTERM) and gives its exit code, -1 when it had to be killed.
    int stop();

    quint16 port() const { return m_port; }
    qint64 processId() const { return m_process.processId(); }
    // Everything written to standard error so far: the request log.
    QByteArray log();

private:
    QProcess m_process;
    quint16 m_port = 0;
    QByteArray m_log;
};

struct HttpReply {
    QByteArray raw;
    QByteArray head;
    QByteArray body;
    int status = 0;
    // The server closed the connection after its reply (and not our time-out).
    bool closedByServer = false;
};

// Sends the bytes as they are and reads until the server closes the connection.
HttpReply exchange(quint16 port, const QByteArray &request, int timeoutMs = 10000);

// The request exactly as the client sends it: request line, Host line, empty line.
HttpReply clientGet(quint16 port, const QByteArray &target, int timeoutMs = 10000);

} // namespace pellomar::test
