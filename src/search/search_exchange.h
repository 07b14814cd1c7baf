// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/app_context.h"
#include "platform/connection.h"
#include "platform/file_io.h"

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <memory>
#include <string>
#include <string_view>

namespace pellomar {

// What became of a reply handed to checkSearchReply() or storeSearchReply().
struct CheckedReply {
    QString error; // empty when the reply is usable (and, from storeSearchReply, stored)
    bool isMessage = false;
    QString message; // the reply's text when it is a message for the user
    std::string text; // the result file's plain text
};

// Checks and reduces a whole reply (status, header cut, records to lines, no line the loader
// would refuse); `text` is the result file's plain text. Nothing is written.
CheckedReply checkSearchReply(const QByteArray &reply);
// Both in turn: checks a whole reply and replaces the result file with it.
CheckedReply storeSearchReply(const QByteArray &reply, const QString &path);

// One search at a time: sends the request, checks the reply once the server has closed the
// connection, and stores it scrambled as the result file in one atomic replace, or nothing.
// The file is written on a thread of its own while `replyReady` lets the window show the rows;
// if that write fails, `notStored` tells the window to go back to what the file holds.
class SearchExchange : public QObject {
    Q_OBJECT

public:
    explicit SearchExchange(QObject *parent = nullptr);
    ~SearchExchange() override;

    // Drops a running search and starts a new one for `requestPath` (path and query).
    void start(
        const ServerAddress &server, const QString &resultFilePath, std::string_view requestPath);
    // Drops the running search without a signal.
    void abort();
    bool isRunning() const { return m_connection.isRunning(); }

    // Time-out and size limit of the exchange (tests shorten them).
    Connection &connection() { return m_connection; }
    // The thread that stores replies; tests hold it to see the window before a store ends.
    QThreadPool &writer() { return m_writer; }
    // The plain text of the reply from `replyReady` until the next search starts: the list is
    // filled from it without reading the file back. Empty after a failure.
    std::string_view replyText() const;

Q_SIGNALS:
    // "Connecting...", "Requesting Data...", "Data Downloaded - Loading Results...".
    void statusChanged(const QString &text);
    // A usable reply has come and is being stored: its rows may be shown now (replyText()).
    // `message` is the reply's text when the reply is a message for the user rather than
    // records, else empty.
    void replyReady(bool isMessage, const QString &message);
    // The result file holds the reply of the last replyReady (the arguments repeat its own).
    void stored(bool isMessage, const QString &message);
    // The reply of the last replyReady could not be stored; the result file still holds the
    // results before it. `failed` follows with the same reason.
    void notStored(const QString &reason);
    // The search ended without a usable reply, or its reply could not be stored; the result
    // file is untouched.
    void failed(const QString &reason);

private:
    void onFinished(const QByteArray &reply);
    void onStoreFinished(
        quint64 reply, const QString &error, bool isMessage, const QString &message);
    void dropPendingReplace();

    Connection m_connection;
    QString m_resultFilePath;
    std::shared_ptr<const std::string> m_storedText;
    // Replies handed out by replyReady so far; only the last one's store is reported.
    quint64 m_replies = 0;
    // One thread, kept: result files are written one after another, and no thread is started
    // while the user waits for the rows.
    QThreadPool m_writer;
    // The result file's replace, begun on the writer thread while the server works on the
    // request; touched only by the writer's jobs.
    std::unique_ptr<PendingReplace> m_pendingReplace;
};

} // namespace pellomar
