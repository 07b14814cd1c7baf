// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "map/mercator.h"
#include "map/tile_source.h"

#include <QCache>
#include <QElapsedTimer>
#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>
#include <QSet>

class QNetworkAccessManager;
class QNetworkReply;

namespace pellomar {

// Fetches the map's tiles: only those in view, a few at a time, through a disk cache that keeps
// what the tile server allows to keep, and holds the decoded ones within a memory bound. Every
// download is asynchronous and bounded in time, so a tile server that fails blocks nothing.
class TileLoader : public QObject {
    Q_OBJECT

public:
    // Downloads under way at most, as tile servers ask of their users.
    static constexpr int MaxDownloads = 4;
    // Decoded tiles kept at most, in bytes, however large the view: a view wanting more than
    // this many tiles shows only those nearest its centre.
    static constexpr qint64 MaxTileBytes = 64 * 1024 * 1024;
    // A tile on the wire or in the disk cache, at most: a 512-pixel PNG is well under a
    // megabyte, and a server that sends more is not let fill the memory or the disk.
    static constexpr qint64 MaxTileWireBytes = 4 * 1024 * 1024;

    explicit TileLoader(const TileSource &source, QObject *parent = nullptr);

    // Tiles from `source` from now on; those held or under way are dropped.
    void setSource(const TileSource &source);
    // The tiles in view now, the most wanted first: downloads of any other tile are cancelled,
    // and the missing ones are fetched.
    void setWanted(const QList<TileIndex> &tiles);
    // A decoded tile, or nullptr while it is missing.
    const QImage *tile(TileIndex index) const;
    // Decoded tiles held now, in bytes.
    qint64 heldBytes() const { return qint64(m_tiles.totalCost()) * 1024; }
    void setTransferTimeout(int milliseconds) { m_timeoutMs = milliseconds; }
    // Tiles of 512 pixels for a high-density screen, where the tile server offers them.
    void setHighDensity(bool highDensity) { m_highDensity = highDensity; }
    bool highDensity() const { return m_highDensity && m_source.offersHighDensity(); }
    // What was wrong with the disk cache when the loader opened it, in sentences for the user;
    // empty when nothing was.
    QString diskCacheProblem() const { return m_diskCacheProblem; }

Q_SIGNALS:
    void tileArrived();
    // `reason` in a few words, e.g. "the tile server answered 404 Not Found".
    void tileFailed(const QString &reason);

private:
    struct Download {
        QNetworkReply *reply = nullptr;
        QByteArray body;
        bool tooLarge = false;
    };

    quint64 key(TileIndex index) const;
    void openDiskCache();
    void startDownloads();
    void onData(quint64 k, bool read);
    void onFinished(quint64 k);

    TileSource m_source;
    bool m_highDensity = false;
    int m_timeoutMs = 20'000;
    QNetworkAccessManager *m_network;
    QCache<quint64, QImage> m_tiles;
    QList<TileIndex> m_wanted;
    QHash<quint64, Download> m_downloads;
    // Tiles whose disk-cache copy was bad: asked for from the server once.
    QSet<quint64> m_fromNetwork;
    QString m_diskCacheProblem;
    // A tile that failed is asked for again only after a while, not at every move of the map.
    QHash<quint64, qint64> m_failedAt;
    QElapsedTimer m_clock;
};

} // namespace pellomar
