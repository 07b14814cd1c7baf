// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/tile_loader.h"

#include "platform/picture.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QNetworkReply>
#include <QStandardPaths>

namespace pellomar {

namespace {

using namespace Qt::Literals::StringLiterals;

// The disk cache's size; the tile usage policies ask clients to keep what they fetch.
constexpr qint64 DiskCacheBytes = 50 * 1024 * 1024;
// A disk cache entry is a tile and the reply's headers ahead of it.
constexpr qint64 MaxCacheEntryBytes = TileLoader::MaxTileWireBytes + 64 * 1024;
constexpr qint64 RetryAfterMs = 30'000;
// The network reads this far ahead of the loader, so a tile's size is counted as it arrives.
constexpr qint64 ReadAheadBytes = 64 * 1024;
// A reason phrase is the server's to choose; a sentence's worth is shown.
constexpr int MaxReasonLength = 100;

QString cut(const QString &text, int length)
{
    return text.size() <= length ? text : text.left(length - 1) + u'…';
}

QString failureReason(QNetworkReply *reply, bool tooLarge)
{
    if (tooLarge)
        return QCoreApplication::translate("pellomar::TileLoader", "a tile was larger than %1 MB")
            .arg(TileLoader::MaxTileWireBytes / (1024 * 1024));
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 300)
        return QCoreApplication::translate("pellomar::TileLoader", "the tile server answered %1 %2")
            .arg(status)
            .arg(cut(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString(),
                MaxReasonLength));
    switch (reply->error()) {
    case QNetworkReply::NoError:
        return QCoreApplication::translate(
            "pellomar::TileLoader", "a tile was not a PNG picture of 256 or 512 pixels");
    case QNetworkReply::ConnectionRefusedError:
        return QCoreApplication::translate(
            "pellomar::TileLoader", "the tile server refused the connection");
    case QNetworkReply::HostNotFoundError:
        return QCoreApplication::translate(
            "pellomar::TileLoader", "the tile server's name was not found");
    // Only the transfer time-out cancels a download that was still wanted.
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::TimeoutError:
        return QCoreApplication::translate(
            "pellomar::TileLoader", "the tile server did not answer in time");
    default:
        return cut(reply->errorString(), 2 * MaxReasonLength);
    }
}

} // namespace

TileLoader::TileLoader(const TileSource &source, QObject *parent)
    : QObject(parent)
    , m_source(source)
    , m_network(new QNetworkAccessManager(this))
    , m_tiles(int(MaxTileBytes / 1024))
{
    openDiskCache();
    m_clock.start();
}

// QNetworkDiskCache opens and reads an entry whole, whatever it is: a FIFO would stop the
// program for good, and an entry grown to hundreds of megabytes would be read into memory.
// So every entry that is not a regular file of a tile's size is removed before the cache is
// used; when one cannot be, the map goes without a disk cache.
void TileLoader::openDiskCache()
{
    const QString folder
        = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + u"/tiles"_s;
    int removed = 0;
    bool kept = false;
    QDirIterator entries(folder,
        QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QFileInfo entry = entries.nextFileInfo();
        if (entry.isDir() && !entry.isSymLink())
            continue;
        if (entry.isFile() && !entry.isSymLink() && entry.size() <= MaxCacheEntryBytes)
            continue;
        if (QFile::remove(entry.filePath()))
            ++removed;
        else
            kept = true;
    }
    const QString shown = QDir::toNativeSeparators(folder);
    if (kept) {
        m_diskCacheProblem = tr("The tile cache %1 holds files that are not tiles and cannot be "
                                "removed: tiles are not kept on disk.")
                                 .arg(shown);
        return;
    }
    if (removed == 1)
        m_diskCacheProblem
            = tr("A file in the tile cache %1 was not a tile; it was removed.").arg(shown);
    else if (removed > 1)
        m_diskCacheProblem = tr("%1 files in the tile cache %2 were not tiles; they were removed.")
                                 .arg(QString::number(removed), shown);
    auto *cache = new QNetworkDiskCache(m_network);
    cache->setCacheDirectory(folder);
    cache->setMaximumCacheSize(DiskCacheBytes);
    m_network->setCache(cache);
}

void TileLoader::setSource(const TileSource &source)
{
    setWanted({});
    m_source = source;
    m_tiles.clear();
    m_failedAt.clear();
    m_fromNetwork.clear();
}

quint64 TileLoader::key(TileIndex index) const
{
    return quint64(highDensity()) << 56 | quint64(index.zoom) << 48 | quint64(index.x) << 24
        | quint64(index.y);
}

void TileLoader::setWanted(const QList<TileIndex> &tiles)
{
    // Tiles at the screen's density cost a fixed size each (larger ones are scaled down), so
    // only as many as fit in the bound are wanted: were more wanted, each arriving tile would
    // push out another one in view, which would be fetched again, for ever.
    const qint64 tileBytes = highDensity() ? 1024 * 1024 : 256 * 1024;
    m_wanted = m_source.problem.isEmpty()
        ? tiles.first(qMin(tiles.size(), qsizetype(MaxTileBytes / tileBytes)))
        : QList<TileIndex>();
    QSet<quint64> wanted;
    for (const TileIndex &tile : std::as_const(m_wanted))
        wanted.insert(key(tile));
    for (auto it = m_downloads.begin(); it != m_downloads.end();) {
        if (wanted.contains(it.key())) {
            ++it;
            continue;
        }
        QNetworkReply *reply = it->reply;
        it = m_downloads.erase(it);
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
        // Qt may keep what arrived of it as if it were whole.
        if (QAbstractNetworkCache *cache = m_network->cache())
            cache->remove(reply->request().url());
    }
    startDownloads();
}

const QImage *TileLoader::tile(TileIndex index) const
{
    return m_tiles.object(key(index));
}

void TileLoader::startDownloads()
{
    for (const TileIndex &index : std::as_const(m_wanted)) {
        if (m_downloads.size() >= MaxDownloads)
            return;
        const quint64 k = key(index);
        const auto failed = m_failedAt.constFind(k);
        if (m_tiles.contains(k) || m_downloads.contains(k)
            || (failed != m_failedAt.cend() && m_clock.elapsed() - *failed < RetryAfterMs))
            continue;
        QNetworkRequest request(m_source.tileUrl(index.zoom, index.x, index.y, highDensity()));
        request.setHeader(
            QNetworkRequest::UserAgentHeader, QStringLiteral("Pellomar/" PELLOMAR_VERSION));
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
            m_fromNetwork.contains(k) ? QNetworkRequest::AlwaysNetwork
                                      : QNetworkRequest::PreferCache);
        request.setTransferTimeout(m_timeoutMs);
        QNetworkReply *reply = m_network->get(request);
        reply->setReadBufferSize(ReadAheadBytes);
        m_downloads.insert(k, { reply, {}, false });
        connect(reply, &QNetworkReply::metaDataChanged, this, [this, k] { onData(k, false); });
        connect(reply, &QNetworkReply::readyRead, this, [this, k] { onData(k, true); });
        connect(reply, &QNetworkReply::finished, this, [this, k] { onFinished(k); });
    }
}

// The body is taken as it arrives and counted; a tile announced or grown beyond the limit is
// aborted there, before the rest is read. Nothing is read on the headers' arrival: a copy from
// the disk cache read then is never finished by Qt 6.4.
void TileLoader::onData(quint64 k, bool read)
{
    const auto download = m_downloads.find(k);
    if (download == m_downloads.end())
        return;
    QNetworkReply *reply = download->reply;
    const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
    if (read && reply->isOpen())
        download->body += reply->read(MaxTileWireBytes + 1 - download->body.size());
    if (download->body.size() > MaxTileWireBytes
        || (announced.isValid() && announced.toLongLong() > MaxTileWireBytes)) {
        download->tooLarge = true;
        reply->abort();
    }
}

void TileLoader::onFinished(quint64 k)
{
    // What is left in the read buffer, counted like the rest.
    onData(k, true);
    const auto download = m_downloads.find(k);
    if (download == m_downloads.end())
        return;
    QNetworkReply *reply = download->reply;
    const bool tooLarge = download->tooLarge;
    QByteArray body = std::move(download->body);
    m_downloads.erase(download);
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    std::optional<QImage> image;
    if (!tooLarge && reply->error() == QNetworkReply::NoError && status < 300)
        image = decodeTile(body);
    const bool fromCache = reply->attribute(QNetworkRequest::SourceIsFromCacheAttribute).toBool();
    auto *kept
        = image ? new QImage(image->convertToFormat(QImage::Format_ARGB32_Premultiplied)) : nullptr;
    const bool dense = k >> 56;
    if (kept && !dense && kept->width() > TileSize)
        *kept = kept->scaled(TileSize, TileSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (kept) {
        // A 512-pixel tile covers the 256 pixels of a tile at twice the density.
        kept->setDevicePixelRatio(kept->width() / double(TileSize));
    }
    // Drawn as it is kept: converted once, not at every paint. A tile the memory bound cannot
    // hold (QCache deletes it at once) has failed, or it would be fetched again without end.
    if (kept && m_tiles.insert(k, kept, int(kept->sizeInBytes() / 1024))) {
        m_failedAt.remove(k);
        m_fromNetwork.remove(k);
        Q_EMIT tileArrived();
    } else {
        // Nothing that failed stays in the disk cache. A bad copy from there is asked for from
        // the server at once, and only once.
        if (QAbstractNetworkCache *cache = m_network->cache())
            cache->remove(reply->request().url());
        if (fromCache && !m_fromNetwork.contains(k)) {
            m_fromNetwork.insert(k);
        } else {
            m_fromNetwork.remove(k);
            m_failedAt.insert(k, m_clock.elapsed());
            Q_EMIT tileFailed(failureReason(reply, tooLarge));
        }
    }
    startDownloads();
}

} // namespace pellomar
