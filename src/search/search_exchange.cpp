#include "search_exchange.h"

#include "display_text.h"
#include "scramble.h"
#include "search_reply.h"
#include "search_request.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <filesystem>

namespace pellomar {

namespace {

// writeFileAtomically() without its wait for the disk (fdatasync), which alone takes longer
// here than a whole search on loopback. The replace stays atomic: a reader sees the old file
// or the new one, never a part; only a power cut right after a search could cost the file.
QString replaceResultFile(const QString &path, const QByteArray &data)
{
    const QString shownPath = QDir::toNativeSeparators(path);
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.open())
        return QStringLiteral("Cannot write %1: %2").arg(shownPath, file.errorString());
    if (file.write(data) != data.size() || !file.flush()) {
        return QStringLiteral("Cannot write %1: %2").arg(shownPath, file.errorString());
    }
    file.close();
    if (file.error() != QFileDevice::NoError)
        return QStringLiteral("Cannot write %1: %2").arg(shownPath, file.errorString());
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(file.fileName()).toStdString(),
        QFile::encodeName(path).toStdString(), error);
    if (error) {
        return QStringLiteral("Cannot write %1: %2")
            .arg(shownPath, QString::fromLocal8Bit(error.message().c_str()));
    }
    file.setAutoRemove(false);
    return {};
}

} // namespace

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
    const QString error
        = replaceResultFile(path, QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size())));
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
