// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/connection.h"

#include "platform/display_text.h"
#include "reference/http_message.h"

#include <QHostAddress>
#include <QTcpSocket>

#if defined(Q_OS_LINUX)
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace pellomar {

namespace {

// A server on the same computer (a loopback address) has accepted the connection by the time
// connect(2) returns. Taken up at once, the request goes out before the window repaints its
// status line rather than a turn of the event loop later. Anything else (a host name, another
// machine, a server that refuses) is left to QTcpSocket's own connect, which also reports the
// reason. True when `socket` holds the connection.
bool connectAtOnce(QTcpSocket &socket, const ServerAddress &server)
{
#if defined(Q_OS_LINUX)
    QHostAddress address;
    if (!address.setAddress(server.host) || !address.isLoopback() || !address.scopeId().isEmpty())
        return false;
    sockaddr_storage storage {};
    socklen_t length = 0;
    bool isIpv4 = false;
    const quint32 ipv4 = address.toIPv4Address(&isIpv4);
    if (isIpv4 && address.protocol() == QAbstractSocket::IPv4Protocol) {
        auto *in = reinterpret_cast<sockaddr_in *>(&storage);
        in->sin_family = AF_INET;
        in->sin_port = htons(server.port);
        in->sin_addr.s_addr = htonl(ipv4);
        length = sizeof(sockaddr_in);
    } else if (address.protocol() == QAbstractSocket::IPv6Protocol) {
        auto *in6 = reinterpret_cast<sockaddr_in6 *>(&storage);
        in6->sin6_family = AF_INET6;
        in6->sin6_port = htons(server.port);
        const Q_IPV6ADDR bytes = address.toIPv6Address();
        std::memcpy(&in6->sin6_addr, bytes.c, sizeof bytes.c);
        length = sizeof(sockaddr_in6);
    } else {
        return false;
    }
    const int fd = ::socket(storage.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    pollfd ready { fd, POLLOUT, 0 };
    int error = 0;
    socklen_t size = sizeof error;
    const bool connected = (::connect(fd, reinterpret_cast<const sockaddr *>(&storage), length) == 0
                               || errno == EINPROGRESS)
        && ::poll(&ready, 1, 0) == 1 && (ready.revents & (POLLERR | POLLHUP)) == 0
        && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
    if (!connected || !socket.setSocketDescriptor(fd)) {
        ::close(fd);
        return false;
    }
    return true;
#else
    Q_UNUSED(socket);
    Q_UNUSED(server);
    return false;
#endif
}

} // namespace

Connection::Connection(QObject *parent)
    : QObject(parent)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(DefaultIdleTimeoutMs);
    connect(&m_idle, &QTimer::timeout, this, [this] {
        fail(tr("No answer from the directory server %1 for %2 seconds")
                 .arg(m_server.hostHeader())
                 .arg(m_idle.interval() / 1000.0));
    });
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(DefaultOverallTimeoutMs);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        fail(tr("The directory server %1 did not finish its answer within %2 seconds")
                 .arg(m_server.hostHeader())
                 .arg(m_deadline.interval() / 1000.0));
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
    m_reached = false;
    // A fresh socket per exchange: nothing of a dropped exchange can reach the new one.
    auto *socket = new QTcpSocket(this);
    m_socket = socket;
    connect(socket, &QTcpSocket::connected, this, &Connection::onConnected);
    connect(socket, &QTcpSocket::readyRead, this, &Connection::onReadyRead);
    connect(socket, &QTcpSocket::disconnected, this, &Connection::onDisconnected);
    connect(socket, &QTcpSocket::errorOccurred, this, &Connection::onError);
    m_idle.start();
    m_deadline.start();
    if (connectAtOnce(*socket, server))
        onConnected();
    else
        socket->connectToHost(server.host, server.port);
}

void Connection::abort()
{
    drop();
}

void Connection::drop()
{
    m_idle.stop();
    m_deadline.stop();
#if defined(Q_OS_LINUX)
    if (m_resetProbeFd >= 0)
        ::close(m_resetProbeFd);
#endif
    m_resetProbeFd = -1;
    if (QTcpSocket *socket = m_socket) {
        m_socket = nullptr;
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
}

void Connection::onConnected()
{
    m_reached = true;
    m_idle.start();
#if defined(Q_OS_LINUX)
    m_resetProbeFd = ::dup(int(m_socket->socketDescriptor()));
#endif
    m_socket->write(m_request);
    // Out now rather than on the event loop's next turn, after the status line's repaint: the
    // server works on it while the window paints.
    m_socket->flush();
    Q_EMIT requestSent();
}

void Connection::onReadyRead()
{
    if (!m_socket)
        return;
    m_idle.start();
    const qint64 available = m_socket->bytesAvailable();
    if (m_reply.size() + available > m_maxReplyBytes) {
        fail(tr("The reply of %1 is larger than %2 MiB")
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
        fail(tr("The connection to %1 broke after %2 bytes of the reply: the "
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
    return m_resetProbeFd >= 0
        && ::getsockopt(m_resetProbeFd, IPPROTO_TCP, TCP_INFO, &info, &size) == 0
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
        reason = tr("The directory server %1 refused the connection");
        break;
    case QAbstractSocket::HostNotFoundError:
        reason = tr("The directory server %1 was not found");
        break;
    case QAbstractSocket::NetworkError:
        reason = tr("The network to %1 is unreachable");
        break;
    case QAbstractSocket::SocketTimeoutError:
        reason = tr("The connection to %1 timed out");
        break;
    default:
        reason = tr("The connection to %1 failed: ") + m_socket->errorString();
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

void startGet(Connection &connection, const ServerAddress &server, std::string_view path)
{
    const std::string request = requestBytes(path, toBytes(server.hostHeader()));
    connection.start(server, QByteArray(request.data(), qsizetype(request.size())));
}

} // namespace pellomar
