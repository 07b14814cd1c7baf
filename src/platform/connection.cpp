#include "connection.h"

#include <QTcpSocket>

#if defined(Q_OS_LINUX)
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace pellomar {

Connection::Connection(QObject *parent)
    : QObject(parent)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(DefaultIdleTimeoutMs);
    connect(&m_idle, &QTimer::timeout, this, [this] {
        fail(QStringLiteral("No answer from the directory server %1 for %2 seconds")
                 .arg(m_server.hostHeader())
                 .arg(m_idle.interval() / 1000.0));
    });
}

Connection::~Connection()
{
    drop();
}

void Connection::start(const ServerAddress &server, const QByteArray &request)
{
    drop();
    m_server = server;
    m_request = request;
    m_reply.clear();
    // A fresh socket per exchange: nothing of a dropped exchange can reach the new one.
    auto *socket = new QTcpSocket(this);
    m_socket = socket;
    connect(socket, &QTcpSocket::connected, this, &Connection::onConnected);
    connect(socket, &QTcpSocket::readyRead, this, &Connection::onReadyRead);
    connect(socket, &QTcpSocket::disconnected, this, &Connection::onDisconnected);
    connect(socket, &QTcpSocket::errorOccurred, this, &Connection::onError);
    m_idle.start();
    socket->connectToHost(server.host, server.port);
}

void Connection::abort()
{
    drop();
}

void Connection::drop()
{
    m_idle.stop();
#if defined(Q_OS_LINUX)
    if (m_watch >= 0)
        ::close(m_watch);
#endif
    m_watch = -1;
    if (QTcpSocket *socket = m_socket) {
        m_socket = nullptr;
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
}

void Connection::onConnected()
{
    m_idle.start();
#if defined(Q_OS_LINUX)
    m_watch = ::dup(int(m_socket->socketDescriptor()));
#endif
    m_socket->write(m_request);
    Q_EMIT requestSent();
}

void Connection::onReadyRead()
{
    if (!m_socket)
        return;
    m_idle.start();
    const qint64 available = m_socket->bytesAvailable();
    if (m_reply.size() + available > m_maxReplyBytes) {
        fail(QStringLiteral("The reply of %1 is larger than %2 MiB")
                 .arg(m_server.hostHeader())
                 .arg(m_maxReplyBytes / (1024 * 1024)));
        return;
    }
    m_reply += m_socket->readAll();
    Q_EMIT received(m_reply.size());
}

void Connection::onDisconnected()
{
    if (!m_socket)
        return;
    onReadyRead();
    if (!m_socket)
        return; // the last piece was too large
    // Qt reports a reset like an orderly close; a reply cut off by one must not pass as whole,
    // above all one cut right after its headers, which would look like an empty result.
    if (resetByServer()) {
        fail(QStringLiteral("The connection to %1 broke after %2 bytes of the reply: the "
                            "server reset it")
                 .arg(m_server.hostHeader())
                 .arg(m_reply.size()));
        return;
    }
    drop();
    Q_EMIT finished(std::exchange(m_reply, {}));
}

bool Connection::resetByServer() const
{
#if defined(Q_OS_LINUX)
    // An orderly close leaves the connection half open (CLOSE_WAIT) while a descriptor is
    // held; a reset closes it outright.
    tcp_info info {};
    socklen_t size = sizeof info;
    return m_watch >= 0 && ::getsockopt(m_watch, IPPROTO_TCP, TCP_INFO, &info, &size) == 0
        && info.tcpi_state == TCP_CLOSE;
#else
    return false;
#endif
}

void Connection::onError()
{
    if (!m_socket)
        return;
    // The server closing the connection is how every reply ends; disconnected() follows.
    if (m_socket->error() == QAbstractSocket::RemoteHostClosedError)
        return;
    QString reason;
    switch (m_socket->error()) {
    case QAbstractSocket::ConnectionRefusedError:
        reason = QStringLiteral("The directory server %1 refused the connection");
        break;
    case QAbstractSocket::HostNotFoundError:
        reason = QStringLiteral("The directory server %1 was not found");
        break;
    case QAbstractSocket::NetworkError:
        reason = QStringLiteral("The network to %1 is unreachable");
        break;
    case QAbstractSocket::SocketTimeoutError:
        reason = QStringLiteral("The connection to %1 timed out");
        break;
    default:
        reason = QStringLiteral("The connection to %1 failed: ") + m_socket->errorString();
        break;
    }
    fail(reason.arg(m_server.hostHeader()));
}

void Connection::fail(const QString &reason)
{
    drop();
    m_reply.clear();
    Q_EMIT failed(reason);
}

} // namespace pellomar
