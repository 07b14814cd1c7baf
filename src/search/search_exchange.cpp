#include "search_exchange.h"

#include "display_text.h"
#include "file_io.h"
#include "scramble.h"
#include "search_reply.h"
#include "search_request.h"

namespace pellomar {

SearchExchange::SearchExchange(QObject *parent)
    : QObject(parent)
{
    connect(&m_connection, &Connection::requestSent, this,
        [this] { Q_EMIT statusChanged(QStringLiteral("Requesting Data...")); });
    connect(&m_connection, &Connection::finished, this, &SearchExchange::onFinished);
    connect(&m_connection, &Connection::failed, this, &SearchExchange::failed);
}

void SearchExchange::start(
    const ServerAddress &server, const QString &resultFilePath, std::string_view requestPath)
{
    m_resultFilePath = resultFilePath;
    const std::string request = RequestBytes(requestPath, toBytes(server.hostHeader()));
    // Before the start: a connection that fails at once reports its reason from inside it.
    Q_EMIT statusChanged(QStringLiteral("Connecting..."));
    m_connection.start(server, QByteArray(request.data(), qsizetype(request.size())));
}

void SearchExchange::abort()
{
    m_connection.abort();
}

StoredReply storeSearchReply(const QByteArray &reply, const QString &path)
{
    StoredReply outcome;
    SearchReply processed = ProcessReply(asView(reply));
    if (!processed.ok()) {
        outcome.error = QString::fromUtf8(processed.error);
        return outcome;
    }
    std::string &bytes = processed.body;
    // The loader would refuse it, and the previous results would be gone for nothing.
    if (LongestLine(bytes) > MaxRecordLineBytes) {
        outcome.error = QStringLiteral("The directory server's reply is no list of hotspots: it "
                                       "holds a line of more than %1 KiB")
                            .arg(MaxRecordLineBytes / 1024);
        return outcome;
    }
    outcome.isMessage = IsMessageReply(bytes);
    if (outcome.isMessage)
        outcome.message = displayText(bytes);

    // The file rests scrambled; it is never on disk in plain text, not even for a moment.
    bytes += "\r\n";
    Scramble(bytes);
    const QString error = writeFileAtomically(
        path, QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size())), Durability::Unsynced);
    if (!error.isEmpty()) {
        outcome.error = QStringLiteral("The search results could not be stored: ") + error;
        return outcome;
    }
    Scramble(bytes);
    outcome.text = std::move(bytes);
    return outcome;
}

void SearchExchange::onFinished(const QByteArray &reply)
{
    StoredReply outcome = storeSearchReply(reply, m_resultFilePath);
    m_storedText = std::move(outcome.text);
    if (!outcome.error.isEmpty()) {
        Q_EMIT failed(outcome.error);
        return;
    }
    Q_EMIT statusChanged(QStringLiteral("Data Downloaded - Loading Results..."));
    Q_EMIT stored(outcome.isMessage, outcome.message);
}

} // namespace pellomar
