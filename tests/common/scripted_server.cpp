#include "common/scripted_server.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QTest>
#include <QTimer>
#include <sys/socket.h>

namespace pellomar::test {

Script Script::reply(const QByteArray &bytes, Ending ending)
{
    Script script;
    script.pieces.append(Piece { bytes, 0 });
    script.ending = ending;
    return script;
}

Script Script::inPieces(const QByteArray &bytes, int pieceSize, int delayMs, Ending ending)
{
    Script script;
    for (qsizetype at = 0; at < bytes.size(); at += pieceSize)
        script.pieces.append(Piece { bytes.mid(at, pieceSize), delayMs });
    script.ending = ending;
    return script;
}

QByteArray Script::httpReply(const QByteArray &body, const QByteArray &status)
{
    return "HTTP/1.0 " + status + "\r\nContent-Type: text/html\r\n\r\n" + body;
}

ScriptedServer::ScriptedServer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &ScriptedServer::onNewConnection);
}

ScriptedServer::~ScriptedServer()
{
    for (Conn &conn : m_connections) {
        if (QTcpSocket *socket = conn.socket) {
            socket->disconnect(this);
            socket->abort();
        }
    }
}

bool ScriptedServer::listen()
{
    if (m_server.listen(QHostAddress::LocalHost, 0))
        return true;
    qWarning("ScriptedServer: cannot listen on 127.0.0.1: %s", qPrintable(m_server.errorString()));
    return false;
}

ServerAddress ScriptedServer::address() const
{
    return ServerAddress { QStringLiteral("127.0.0.1"), port() };
}

QByteArray ScriptedServer::request(int connection) const
{
    if (connection < 0 || connection >= m_connections.size())
        return {};
    return m_connections.at(connection).received;
}

bool ScriptedServer::waitForConnections(int count, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (connectionCount() < count && !deadline.hasExpired())
        QTest::qWait(5);
    return connectionCount() >= count;
}

quint16 ScriptedServer::unusedPort()
{
    // The system hands out a free port; once it is closed again nothing listens there, and
    // the system does not hand the same port out again right away.
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

void ScriptedServer::onNewConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        const int index = int(m_connections.size());
        Conn conn;
        conn.socket = socket;
        conn.script = m_queue.isEmpty() ? m_defaultScript : m_queue.takeFirst();
        m_connections.append(conn);
        connect(socket, &QTcpSocket::readyRead, this, [this, index] { onReadyRead(index); });
        if (!m_connections[index].script.waitForRequest) {
            m_connections[index].started = true;
            play(index, 0);
        }
        // Data may have arrived together with the connection.
        onReadyRead(index);
    }
}

void ScriptedServer::onReadyRead(int index)
{
    Conn &conn = m_connections[index];
    if (!conn.socket)
        return;
    conn.received += conn.socket->readAll();
    if (!conn.started && conn.received.contains("\r\n\r\n")) {
        conn.started = true;
        play(index, 0);
    }
}

void ScriptedServer::play(int index, int pieceIndex)
{
    const Conn &conn = m_connections.at(index);
    if (!conn.socket)
        return;
    if (pieceIndex >= conn.script.pieces.size()) {
        QTimer::singleShot(conn.script.endDelayMs, this, [this, index] { end(index); });
        return;
    }
    const Piece &piece = conn.script.pieces.at(pieceIndex);
    auto send = [this, index, pieceIndex] {
        const Conn &current = m_connections.at(index);
        if (!current.socket)
            return;
        current.socket->write(current.script.pieces.at(pieceIndex).bytes);
        current.socket->flush();
        play(index, pieceIndex + 1);
    };
    if (piece.delayMs > 0)
        QTimer::singleShot(piece.delayMs, this, send);
    else
        send();
}

void ScriptedServer::end(int index)
{
    Conn &conn = m_connections[index];
    QTcpSocket *socket = conn.socket;
    if (!socket)
        return;
    ++m_finished;
    switch (conn.script.ending) {
    case Ending::Close:
        // disconnectFromHost() sends what is still buffered before the FIN.
        socket->disconnectFromHost();
        break;
    case Ending::Reset: {
        socket->flush();
        // A zero linger time makes the close a reset instead of an orderly FIN.
        const linger hard { 1, 0 };
        ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
        socket->abort();
        break;
    }
    case Ending::StayOpen:
        break;
    }
}

} // namespace pellomar::test
