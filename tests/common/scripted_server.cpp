// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "common/scripted_server.h"

#include <QTest>
#include <QTimer>
#include <sys/socket.h>

namespace pellomar::test {

Script Script::reply(const QByteArray &bytes, Ending ending)
{
    return Script { { Piece { bytes, 0 } }, ending };
}

Script Script::inPieces(const QByteArray &bytes, int pieceSize, int delayMs, Ending ending)
{
    Script script { {}, ending };
    for (qsizetype at = 0; at < bytes.size(); at += pieceSize)
        script.pieces.append(Piece { bytes.mid(at, pieceSize), delayMs });
    return script;
}

QByteArray Script::httpReply(const QByteArray &body, const QByteArray &status)
{
    return "HTTP/1.0 " + status + "\r\nContent-Type: text/plain; charset=utf-8\r\n\r\n" + body;
}

ScriptedServer::ScriptedServer()
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            const int index = int(m_connections.size());
            m_connections.append(
                { socket, {}, m_queue.isEmpty() ? m_defaultScript : m_queue.takeFirst() });
            const auto read = [this, index] {
                Conn &conn = m_connections[index];
                conn.received += conn.socket->readAll();
                if (!conn.started && conn.received.contains("\r\n\r\n")) {
                    conn.started = true;
                    play(index, 0);
                }
            };
            connect(socket, &QTcpSocket::readyRead, this, read);
            read(); // the request may have come with the connection
        }
    });
}

ScriptedServer::~ScriptedServer()
{
    for (const Conn &conn : std::as_const(m_connections)) {
        if (conn.socket) {
            conn.socket->disconnect(this);
            conn.socket->abort();
        }
    }
}

bool ScriptedServer::listen()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
}

bool ScriptedServer::waitForConnections(int count, int timeoutMs)
{
    return QTest::qWaitFor([&] { return connectionCount() >= count; }, timeoutMs);
}

quint16 ScriptedServer::unusedPort()
{
    // The system hands out a free port and does not hand it out again right away once closed.
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

void ScriptedServer::play(int index, int piece)
{
    const Conn &conn = m_connections.at(index);
    const bool ended = piece >= conn.script.pieces.size();
    QTimer::singleShot(ended ? conn.script.endDelayMs : conn.script.pieces.at(piece).delayMs, this,
        [this, index, piece, ended] {
            QTcpSocket *socket = m_connections.at(index).socket;
            const Script &script = m_connections.at(index).script;
            if (!socket)
                return;
            if (!ended) {
                socket->write(script.pieces.at(piece).bytes);
                socket->flush();
                play(index, piece + 1);
            } else if (script.ending == Ending::Close) {
                socket->disconnectFromHost(); // sends what is still buffered before the FIN
            } else if (script.ending == Ending::Reset) {
                socket->flush();
                // A zero linger time makes the close a reset instead of an orderly FIN.
                const linger hard { 1, 0 };
                ::setsockopt(
                    int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
                socket->abort();
            }
        });
}

} // namespace pellomar::test
