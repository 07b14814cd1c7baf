// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/app_context.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

namespace pellomar::test {

// How a scripted connection ends once its script has been played.
enum class Ending {
    Close, // an orderly close (FIN)
    Reset, // a hard reset (RST): the connection breaks
    StayOpen, // the server never closes; the client has to give up on its own
};

// What a scripted server answers once a request's empty line (CR LF CR LF) has arrived:
// pieces of bytes, each after its delay, then the ending (after `endDelayMs`).
struct Script {
    struct Piece {
        QByteArray bytes;
        int delayMs = 0;
    };
    QList<Piece> pieces;
    Ending ending = Ending::Close;
    int endDelayMs = 0;

    static Script reply(const QByteArray &bytes, Ending ending = Ending::Close);
    // The reply cut into pieces of `pieceSize` bytes, `delayMs` apart.
    static Script inPieces(
        const QByteArray &bytes, int pieceSize, int delayMs = 0, Ending ending = Ending::Close);
    // An HTTP/1.0 status line and header, then `body`.
    static QByteArray httpReply(const QByteArray &body, const QByteArray &status = "200 OK");
};

// A TCP server on 127.0.0.1 (a free port) that answers each connection with the next queued
// script, or the default one, and records what each client sent.
class ScriptedServer : public QObject {
    Q_OBJECT

public:
    ScriptedServer();
    ~ScriptedServer() override;

    bool listen();
    quint16 port() const { return m_server.serverPort(); }
    ServerAddress address() const { return { QStringLiteral("127.0.0.1"), port() }; }
    void setDefaultScript(Script script) { m_defaultScript = std::move(script); }
    void enqueue(Script script) { m_queue.append(std::move(script)); }

    int connectionCount() const { return int(m_connections.size()); }
    QByteArray request(int connection = 0) const
    {
        return m_connections.value(connection).received;
    }
    // Runs the event loop until `count` connections were accepted; false on the time-out.
    bool waitForConnections(int count, int timeoutMs = 5000);
    // A loopback port on which nothing listens: connecting to it is refused.
    static quint16 unusedPort();

private:
    struct Conn {
        QPointer<QTcpSocket> socket;
        QByteArray received;
        Script script;
        bool started = false;
    };
    void play(int index, int piece);

    QTcpServer m_server;
    Script m_defaultScript;
    QList<Script> m_queue;
    QList<Conn> m_connections;
};

} // namespace pellomar::test

Q_DECLARE_METATYPE(pellomar::test::Script)
