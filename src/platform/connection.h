// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/app_context.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <string_view>

namespace pellomar {

// One request/reply exchange over TCP in the directory's style: the request is sent as soon
// as the connection is up, and the reply ends when the server closes the connection.
// Exactly one of finished() or failed() ends every exchange that start() began, unless a
// later start() or abort() drops it first (then neither is emitted for it).
class Connection : public QObject {
    Q_OBJECT

public:
    static constexpr int DefaultIdleTimeoutMs = 30'000;
    static constexpr int DefaultOverallTimeoutMs = 120'000;
    static constexpr qint64 DefaultMaxReplyBytes = qint64(64) * 1024 * 1024;

    explicit Connection(QObject *parent = nullptr);
    ~Connection() override;

    // Drops any running exchange, then connects and sends `request` once connected.
    void start(const ServerAddress &server, const QByteArray &request);
    // Drops the running exchange without a signal.
    void abort();
    bool isRunning() const { return m_socket != nullptr; }
    // The last exchange got as far as a connection: a failure after that is the server's,
    // not a way to it that is missing.
    bool reachedServer() const { return m_reached; }

    // An exchange with no progress (connect, data) for this long fails with a time-out.
    void setIdleTimeout(int milliseconds) { m_idle.setInterval(milliseconds); }
    // An exchange still running this long after its start fails with a time-out, however
    // steadily a server trickles its reply.
    void setOverallTimeout(int milliseconds) { m_deadline.setInterval(milliseconds); }
    // A reply growing past this many bytes fails instead of filling memory.
    void setMaxReplyBytes(qint64 bytes) { m_maxReplyBytes = bytes; }

Q_SIGNALS:
    void requestSent();
    void received(qint64 totalBytes);
    void finished(const QByteArray &reply);
    void failed(const QString &reason);

private:
    void onConnected();
    void onReadyRead();
    void onDisconnected();
    void onError();
    void fail(const QString &reason);
    void drop();
    bool resetByServer() const;

    QPointer<QTcpSocket> m_socket;
    QByteArray m_request;
    QByteArray m_reply;
    ServerAddress m_server;
    QTimer m_idle;
    QTimer m_deadline;
    qint64 m_maxReplyBytes = DefaultMaxReplyBytes;
    // A second descriptor of the connected socket: it keeps the connection's state readable
    // after the socket has closed its own, which is the only place a reset still shows.
    int m_resetProbeFd = -1;
    bool m_reached = false;
};

// Starts one GET of `path` (path and query, in request form) on `connection`: the request
// line and the Host line of `server`, nothing else. The search and the picture download both
// go out this way; the reply ends with the connection's finished() or failed().
void startGet(Connection &connection, const ServerAddress &server, std::string_view path);

} // namespace pellomar
