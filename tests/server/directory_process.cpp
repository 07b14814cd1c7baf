#include "server/directory_process.h"

#include <QDeadlineTimer>
#include <QTcpSocket>

namespace pellomar::test {

DirectoryProcess::~DirectoryProcess()
{
    stop();
}

QString DirectoryProcess::programPath()
{
    return qEnvironmentVariable("PELLOMAR_BIN_DIR") + QStringLiteral("/pellomar-directory");
}

bool DirectoryProcess::start(const QStringList &extraArguments)
{
    m_process.start(programPath(),
        QStringList { QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0") } + extraArguments);
    if (!m_process.waitForStarted(10000))
        return false;
    const QDeadlineTimer deadline(20000);
    while (!m_process.canReadLine()) {
        if (deadline.hasExpired() || !m_process.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    }
    const QByteArray line = m_process.readLine().trimmed();
    const QByteArray prefix = "listening on 127.0.0.1:";
    if (!line.startsWith(prefix))
        return false;
    m_port = quint16(line.mid(prefix.size()).toUInt());
    return m_port != 0;
}

int DirectoryProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return m_process.exitCode();
    m_process.terminate();
    if (!m_process.waitForFinished(10000)) {
        m_process.kill();
        m_process.waitForFinished(10000);
        return -1;
    }
    m_log += m_process.readAllStandardError();
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

QByteArray DirectoryProcess::log()
{
    m_log += m_process.readAllStandardError();
    return m_log;
}

HttpReply exchange(quint16 port, const QByteArray &request, int timeoutMs)
{
    HttpReply reply;
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    if (!socket.waitForConnected(timeoutMs))
        return reply;
    socket.write(request);
    const QDeadlineTimer deadline(timeoutMs);
    while (socket.state() == QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
        socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        reply.raw += socket.readAll();
    }
    reply.raw += socket.readAll();
    reply.closedByServer = socket.state() != QAbstractSocket::ConnectedState;
    const qsizetype split = reply.raw.indexOf("\r\n\r\n");
    if (split >= 0) {
        reply.head = reply.raw.left(split);
        reply.body = reply.raw.mid(split + 4);
        const QList<QByteArray> statusLine = reply.head.left(reply.head.indexOf("\r\n")).split(' ');
        if (statusLine.size() >= 2)
            reply.status = statusLine[1].toInt();
    }
    return reply;
}

HttpReply clientGet(quint16 port, const QByteArray &target, int timeoutMs)
{
    return exchange(
        port, "GET " + target + " HTTP/1.0\r\nHost: hotspots.pellomar.example\r\n\r\n", timeoutMs);
}

} // namespace pellomar::test
