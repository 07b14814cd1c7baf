#include "map/tile_loader.h"

#include "details/picture.h"

#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QNetworkReply>
#include <QSet>
#include <QStandardPaths>

namespace pellomar {

namespace {

using namespace Qt::Literals::StringLiterals;

// The disk cache's size; the tile usage policies ask clients to keep what they fetch.
constexpr qint64 DiskCacheBytes = 50 * 1024 * 1024;
constexpr qint64 RetryAfterMs = 30'000;
// A tile on the wire, at most: a 512-pixel PNG is well under a megabyte, and a server that
// sends more is not let fill the memory.
constexpr qint64 MaxTileWireBytes = 4 * 1024 * 1024;

QString failureReason(QNetworkReply *reply)
{
    if (reply->property("tooLarge").toBool())
        return u"a tile was larger than %1 MB"_s.arg(MaxTileWireBytes / (1024 * 1024));
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 300)
        return u"the tile server answered %1 %2"_s.arg(status).arg(
            reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    switch (reply->error()) {
    case QNetworkReply::NoError:
        return u"a tile was not a picture the map can show"_s;
    case QNetworkReply::ConnectionRefusedError:
        return u"the tile server refused the connection"_s;
    case QNetworkReply::HostNotFoundError:
        return u"the tile server's name was not found"_s;
    // Only the transfer time-out cancels a download that was still wanted.
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::TimeoutError:
        return u"the tile server did not answer in time"_s;
    default:
        return reply->errorString();
    }
}

} // namespace

TileLoader::TileLoader(const TileSource &source, QObject *parent)
    : QObject(parent)
    , m_source(source)
    , m_network(new QNetworkAccessManager(this))
    , m_tiles(int(MaxTileBytes / 1024))
{
    auto *cache = new QNetworkDiskCache(m_network);
    cache->setCacheDirectory(
        QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + u"/tiles"_s);
    cache->setMaximumCacheSize(DiskCacheBytes);
    m_network->setCache(cache);
    m_clock.start();
}

quint64 TileLoader::key(TileIndex index) const
{
    return quint64(highDensity()) << 56 | quint64(index.zoom) << 48 | quint64(index.x) << 24
        | quint64(index.y);
}

void TileLoader::setWanted(const QList<TileIndex> &tiles)
{
    m_wanted = tiles;
    QSet<quint64> wanted;
    for (const TileIndex &tile : tiles)
        wanted.insert(key(tile));
    // A tile's cost is counted in KiB; a view bigger than the bound must still fit in it.
    const qint64 tileKiB = highDensity() ? 1024 : 256;
    m_tiles.setMaxCost(int(qMax(MaxTileBytes / 1024, tileKiB * tiles.size() * 5 / 4)));
    for (auto it = m_downloads.begin(); it != m_downloads.end();) {
        if (wanted.contains(it.key())) {
            ++it;
            continue;
        }
        QNetworkReply *reply = it.value();
        it = m_downloads.erase(it);
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
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
        request.setAttribute(
            QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::PreferCache);
        request.setTransferTimeout(m_timeoutMs);
        QNetworkReply *reply = m_network->get(request);
        m_downloads.insert(k, reply);
        connect(
            reply, &QNetworkReply::downloadProgress, this, [reply](qint64 received, qint64 total) {
                if (qMax(received, total) > MaxTileWireBytes) {
                    reply->setProperty("tooLarge", true);
                    reply->abort();
                }
            });
        connect(reply, &QNetworkReply::finished, this, [this, reply, k] { onFinished(reply, k); });
    }
}

void TileLoader::onFinished(QNetworkReply *reply, quint64 k)
{
    reply->deleteLater();
    m_downloads.remove(k);
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    std::optional<QImage> image;
    if (reply->error() == QNetworkReply::NoError && status < 300)
        image = DecodePicture(reply->readAll());
    if (image) {
        m_failedAt.remove(k);
        // Drawn as it is kept: converted once, not at every paint; a 512-pixel tile covers the
        // 256 pixels of a tile at twice the density.
        auto *kept = new QImage(image->convertToFormat(QImage::Format_ARGB32_Premultiplied));
        kept->setDevicePixelRatio(qMax(1.0, kept->width() / double(TileSize)));
        m_tiles.insert(k, kept, int(kept->sizeInBytes() / 1024));
        Q_EMIT tileArrived();
    } else {
        m_failedAt.insert(k, m_clock.elapsed());
        Q_EMIT tileFailed(failureReason(reply));
    }
    startDownloads();
}

} // namespace pellomar
