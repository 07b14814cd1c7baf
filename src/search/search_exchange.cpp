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
    m_connection.start(server, QByteArray(request.data(), qsizetype(request.size())));
    Q_EMIT statusChanged(QStringLiteral("Connecting..."));
}

void SearchExchange::abort()
{
    m_connection.abort();
}

void SearchExchange::onFinished(const QByteArray &reply)
{
    SearchReply processed = ProcessReply(asView(reply));
    if (!processed.ok()) {
        Q_EMIT failed(QString::fromUtf8(processed.error));
        return;
    }
    std::string &bytes = processed.body;
    const bool isMessage = IsMessageReply(bytes);
    const QString message = isMessage ? displayText(bytes) : QString();

    // The file rests scrambled; it is never on disk in plain text, not even for a moment.
    bytes += "\r\n";
    Scramble(bytes);
    const QString error = writeFileAtomically(
        m_resultFilePath, QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size())));
    if (!error.isEmpty()) {
        Q_EMIT failed(QStringLiteral("The search results could not be stored: ") + error);
        return;
    }
    Q_EMIT statusChanged(QStringLiteral("Data Downloaded - Loading Results..."));
    Q_EMIT stored(isMessage, message);
}

} // namespace pellomar
