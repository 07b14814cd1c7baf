#pragma once

#include "app_context.h"
#include "connection.h"

#include <QObject>
#include <QString>
#include <string>
#include <string_view>
#include <utility>

namespace pellomar {

// What became of a reply handed to storeSearchReply().
struct StoredReply {
    QString error; // empty when the result file now holds the reply
    bool isMessage = false;
    QString message; // the reply's text when it is a message for the user
    std::string text; // the result file's plain text, once stored
};

// Checks and reduces a whole reply and replaces the result file at `path` with it, scrambled,
// in one step. On any failure the file stays as it was.
StoredReply storeSearchReply(const QByteArray &reply, const QString &path);

// One search at a time with the directory server: sends the request, and when the server
// has closed the connection checks and reduces the reply and stores it as the result file,
// already scrambled, in one atomic replace. Nothing is stored when anything fails, so the
// previous result file stays as it was.
class SearchExchange : public QObject {
    Q_OBJECT

public:
    explicit SearchExchange(QObject *parent = nullptr);

    // Drops a running search and starts a new one for `requestPath` (path and query).
    void start(
        const ServerAddress &server, const QString &resultFilePath, std::string_view requestPath);
    // Drops the running search without a signal.
    void abort();
    bool isRunning() const { return m_connection.isRunning(); }

    // Time-out and size limit of the exchange (tests shorten them).
    Connection &connection() { return m_connection; }
    // The plain text of the result file as the last `stored` left it, handed over once, so the
    // list is filled without reading the file back. Empty after a failure.
    std::string takeStoredText() { return std::exchange(m_storedText, {}); }

Q_SIGNALS:
    // "Connecting...", "Requesting Data...", "Data Downloaded - Loading Results...".
    void statusChanged(const QString &text);
    // The result file holds the new reply. `message` is the reply's text when the reply is a
    // message for the user rather than records, else empty.
    void stored(bool isMessage, const QString &message);
    // The search ended without a usable reply; the result file is untouched.
    void failed(const QString &reason);

private:
    void onFinished(const QByteArray &reply);

    Connection m_connection;
    QString m_resultFilePath;
    std::string m_storedText;
};

} // namespace pellomar
