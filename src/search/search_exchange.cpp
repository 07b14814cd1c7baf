// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "search/search_exchange.h"

#include "platform/display_text.h"
#include "platform/file_io.h"
#include "resultfile/result_file.h"
#include "resultfile/result_format.h"
#include "search/search_reply.h"

#include <QCoreApplication>

namespace pellomar {

// The reply rules' fixed messages, for lupdate: the rules hold no Qt, and their messages are
// translated where they are shown. Messages that carry the server's own words stay English.
[[maybe_unused]] constexpr const char *TranslatedReplyErrors[] = {
    QT_TRANSLATE_NOOP(
        "pellomar::SearchReply", "The directory server closed the connection without a reply"),
    QT_TRANSLATE_NOOP("pellomar::SearchReply",
        "The directory server's reply is incomplete: its headers never end"),
    QT_TRANSLATE_NOOP("pellomar::SearchReply", "The directory server's reply is not an HTTP reply"),
    QT_TRANSLATE_NOOP("pellomar::SearchReply",
        "The directory server's reply is sent in a transfer coding this program cannot read"),
    QT_TRANSLATE_NOOP("pellomar::SearchReply",
        "The reply was not a hotspot directory's: the network may need a sign-in in the browser "
        "first"),
};

SearchExchange::SearchExchange(QObject *parent)
    : QObject(parent)
{
    m_writer.setMaxThreadCount(1);
    m_writer.setExpiryTimeout(-1);
    connect(&m_connection, &Connection::requestSent, this, [this] {
        // Meanwhile the writer makes ready to replace the result file.
        m_writer.start([this, path = m_resultFilePath] {
            m_pendingReplace = std::make_unique<PendingReplace>(path);
        });
        Q_EMIT statusChanged(tr("Requesting Data..."));
    });
    connect(&m_connection, &Connection::finished, this, &SearchExchange::onFinished);
    connect(&m_connection, &Connection::failed, this, [this](const QString &reason) {
        dropPendingReplace();
        Q_EMIT failed(reason);
    });
}

SearchExchange::~SearchExchange()
{
    m_writer.waitForDone();
}

std::string_view SearchExchange::replyText() const
{
    return m_storedText ? std::string_view(*m_storedText) : std::string_view();
}

void SearchExchange::start(
    const ServerAddress &server, const QString &resultFilePath, std::string_view requestPath)
{
    m_resultFilePath = resultFilePath;
    m_storedText.reset();
    // Before the start: a connection that fails at once reports its reason from inside it.
    Q_EMIT statusChanged(tr("Connecting..."));
    startGet(m_connection, server, requestPath);
}

void SearchExchange::abort()
{
    m_connection.abort();
    dropPendingReplace();
}

// Where the system cannot make a temporary file without a name, the one made ready would
// otherwise stay beside the result file until the next search.
void SearchExchange::dropPendingReplace()
{
    m_writer.start([this] { m_pendingReplace.reset(); });
}

CheckedReply checkSearchReply(const QByteArray &reply)
{
    CheckedReply outcome;
    SearchReply processed = processReply(asView(reply));
    if (!processed.ok()) {
        outcome.error
            = QCoreApplication::translate("pellomar::SearchReply", processed.error.c_str());
        return outcome;
    }
    std::string &bytes = processed.body;
    // The loader would refuse it, and the previous results would be gone for nothing.
    if (longestLine(bytes) > MaxRecordLineBytes) {
        outcome.error = QCoreApplication::translate("pellomar::SearchReply",
            "The directory server's reply is no list of hotspots: it "
            "holds a line of more than %1 KiB")
                            .arg(MaxRecordLineBytes / 1024);
        return outcome;
    }
    outcome.isMessage = IsMessageReply(bytes);
    if (outcome.isMessage)
        outcome.message = displayText(bytes);
    bytes += "\r\n";
    outcome.text = std::move(bytes);
    return outcome;
}

CheckedReply storeSearchReply(const QByteArray &reply, const QString &path)
{
    CheckedReply outcome = checkSearchReply(reply);
    if (outcome.error.isEmpty())
        outcome.error = storeResultText(outcome.text, path);
    return outcome;
}

void SearchExchange::onFinished(const QByteArray &reply)
{
    CheckedReply outcome = checkSearchReply(reply);
    if (!outcome.error.isEmpty()) {
        dropPendingReplace();
        Q_EMIT failed(outcome.error);
        return;
    }
    auto text = std::make_shared<const std::string>(std::move(outcome.text));
    m_storedText = text;
    const quint64 handedOut = ++m_replies;
    m_writer.start([this, text, path = m_resultFilePath, handedOut, isMessage = outcome.isMessage,
                       message = outcome.message] {
        std::unique_ptr<PendingReplace> replace = std::exchange(m_pendingReplace, nullptr);
        if (!replace || replace->path() != path)
            replace = std::make_unique<PendingReplace>(path);
        const QString error = storeResultText(*text, *replace);
        QMetaObject::invokeMethod(
            this,
            [this, handedOut, error, isMessage, message] {
                onStoreFinished(handedOut, error, isMessage, message);
            },
            Qt::QueuedConnection);
        // The window has its rows; freeing the replaced file waits for no one here.
        replace->releaseReplacedNow();
    });
    Q_EMIT statusChanged(tr("Data Downloaded - Loading Results..."));
    Q_EMIT replyReady(outcome.isMessage, outcome.message);
}

void SearchExchange::onStoreFinished(
    quint64 reply, const QString &error, bool isMessage, const QString &message)
{
    // A later reply has been handed out meanwhile: its own store decides what the list shows.
    if (reply != m_replies)
        return;
    if (!error.isEmpty()) {
        m_storedText.reset();
        Q_EMIT notStored(error);
        Q_EMIT failed(error);
        return;
    }
    Q_EMIT stored(isMessage, message);
}

} // namespace pellomar
