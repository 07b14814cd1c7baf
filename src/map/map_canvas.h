// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "map/marker_clusters.h"
#include "map/mercator.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <optional>

namespace pellomar {

class TileLoader;

// The map itself: tiles, and a numbered marker per hotspot; markers that would overlap are drawn
// as one cluster with their count, which a click zooms into. The wheel zooms about the pointer,
// dragging pans, + and - zoom, the arrow keys pan, Tab and Shift+Tab go from marker to marker
// in row order, Enter (or a click) opens a marker's hotspot.
class MapCanvas : public QWidget {
    Q_OBJECT

public:
    struct Marker {
        int row = 0;
        QString name;
        QColor colour;
        WorldPoint at;
        qreal width = 0; // on the canvas, set by it
    };

    MapCanvas(TileLoader *tiles, QWidget *parent = nullptr);

    // Replaces the markers and fits the view to them; `emptyText` is shown when there are none.
    void setMarkers(const QList<Marker> &markers, const QString &emptyText);
    void fitToMarkers();
    // Frames the row's marker, apart from any cluster, and brings it into view unless told not
    // to; 0 for none.
    void setCurrentRow(int row, bool bringIntoView = true);
    int currentRow() const { return m_currentRow; }
    int zoom() const { return m_zoom; }
    // The centre of the row's marker on the canvas; nothing when it has none or is out of view.
    std::optional<QPoint> markerPosition(int row) const;
    // The rows drawn as one cluster with `row`'s marker (itself first); just `row` when it is
    // drawn alone, nothing when it has no marker.
    QList<int> clusterOf(int row) const;

Q_SIGNALS:
    void markerPicked(int row);
    void markerActivated(int row);

protected:
    bool event(QEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // A double click opens a marker once, as its first click did.
    void mouseDoubleClickEvent(QMouseEvent *) override { }
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    double worldPixels() const;
    QPointF toCanvas(WorldPoint point) const;
    QRectF markerRect(const Marker &marker) const;
    QRectF clusterRect(const MarkerCluster &cluster) const;
    // The clusters of the markers other than the current one, at the zoom shown.
    const std::vector<MarkerCluster> &clusters() const;
    // The cluster (or lone marker) under `at`; the current marker alone when it is there.
    std::optional<MarkerCluster> clusterAt(const QPointF &at) const;
    const Marker *markerOfRow(int row) const;
    void paintMarker(QPainter &painter, const Marker &marker, const QRectF &box) const;
    void paintCluster(QPainter &painter, const MarkerCluster &cluster) const;
    // Zooms in until the cluster splits; at the deepest zoom, lists its hotspots to pick from.
    void openCluster(const MarkerCluster &cluster);
    // A user's move: the view no longer follows the markers' fit.
    void panBy(const QPointF &pixels);
    void zoomAbout(const QPointF &at, int steps);
    void pick(int row);
    void viewChanged();

    TileLoader *m_tiles;
    QList<Marker> m_markers; // in row order
    // Each marker drawn once, for the frames of a pan; the current one is drawn afresh.
    mutable QHash<int, QPixmap> m_sprites;
    mutable std::vector<MarkerCluster> m_clusters;
    mutable int m_clustersZoom = -1; // with m_clustersRow, what m_clusters were made for
    mutable int m_clustersRow = -1;
    QString m_emptyText;
    int m_zoom = MinZoom;
    WorldPoint m_centre { 0.5, 0.5 };
    bool m_fitted = true;
    int m_currentRow = 0;
    int m_wheel = 0;
    QPointF m_pressAt;
    QPointF m_lastMouse;
    int m_pressedRow = 0;
    bool m_dragging = false;
    bool m_pressed = false;
};

} // namespace pellomar
