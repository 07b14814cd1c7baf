#pragma once

#include "platform/app_context.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

namespace pellomar::test {

// What a scripted connection does once its script has been played.
enum class Ending {
    Close, // an orderly close (FIN)
    Reset, // a hard reset (RST): the connection breaks
    StayOpen, // the server never closes; the client has to give up on its own
};

// One piece of the reply: wait `delayMs`, then send `bytes`.
struct Piece {
    QByteArray bytes;
    int delayMs = 0;
};

struct Script {
    QList<Piece> pieces;
    Ending ending = Ending::Close;
    // Start playing only once the request's empty line (CR LF CR LF) has arrived, as a real
    // HTTP server does; false plays right after the connection is accepted.
    bool waitForRequest = true;
    // Wait this long after the last piece before the ending, so the client has read it all.
    int endDelayMs = 0;

    // The whole reply in one piece, then the ending.
    static Script reply(const QByteArray &bytes, Ending ending = Ending::Close);
    // The reply cut into pieces of `pieceSize` bytes, `delayMs` apart.
    static Script inPieces(
        const QByteArray &bytes, int pieceSize, int delayMs = 0, Ending ending = Ending::Close);
    // Only the HTTP status line and headers, then `body`: a complete HTTP/1.0 reply.
    static QByteArray httpReply(const QByteArray &body, const QByteArray &status = "200 OK");
};

// A TCP server on 127.0.0.1 (a free port chosen by the system) that answers every accepted
// connection by playing a script, and records what each client sent. Connections take the
// queued scripts in order; when the queue is empty they get the default script.
class ScriptedServer : public QObject {
    Q_OBJECT

public:
    explicit ScriptedServer(QObject *parent = nullptr);
    ~ScriptedServer() override;

    // Listens on 127.0.0.1, port 0; false (and a QWARN) when that fails.
    bool listen();
    quint16 port() const { return m_server.serverPort(); }
    ServerAddress address() const;

    void setDefaultScript(Script script) { m_defaultScript = std::move(script); }
    void enqueue(Script script) { m_queue.append(std::move(script)); }

    // Every connection accepted so far, in order, with the bytes its client sent.
    int connectionCount() const { return int(m_connections.size()); }
    QByteArray request(int connection = 0) const;
    // How many of the accepted connections have had their script played to the end.
    int finishedCount() const { return m_finished; }

    // Waits (running the event loop) until `count` connections were accepted.
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

    void onNewConnection();
    void onReadyRead(int index);
    void play(int index, int pieceIndex);
    void end(int index);

    QTcpServer m_server;
    Script m_defaultScript;
    QList<Script> m_queue;
    QList<Conn> m_connections;
    int m_finished = 0;
};

} // namespace pellomar::test

Q_DECLARE_METATYPE(pellomar::test::Script)
