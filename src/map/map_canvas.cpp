// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/map_canvas.h"

#include "map/tile_loader.h"
#include "platform/look.h"
#include "platform/tool_tip.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace pellomar {

namespace {

// Outside the world square, and a tile that is missing: a plain square with a light grid.
const QColor OutsideColour(214, 218, 222);
const QColor BlankColour(244, 243, 240);
const QColor GridColour(222, 220, 215);
const QColor OutlineColour(60, 60, 60);
// The result list frames its chosen row in this colour.
const QColor FrameColour(255, 128, 128);
constexpr int MarkerHeight = 20;
constexpr int FitMargin = 24;
constexpr int ClusterSize = 26;
// A cluster's list at the deepest zoom stays within the screen, whatever the directory sent.
constexpr int MaxListed = 30;
constexpr int MaxListedName = 60;

} // namespace

MapCanvas::MapCanvas(TileLoader *tiles, QWidget *parent)
    : QWidget(parent)
    , m_tiles(tiles)
{
    setObjectName(QStringLiteral("mapCanvas"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::OpenHandCursor);
    setFont(verdana(8, true));
    connect(tiles, &TileLoader::tileArrived, this, qOverload<>(&QWidget::update));
}

void MapCanvas::setMarkers(const QList<Marker> &markers, const QString &emptyText)
{
    m_markers = markers;
    std::stable_sort(m_markers.begin(), m_markers.end(),
        [](const Marker &a, const Marker &b) { return a.row < b.row; });
    for (Marker &marker : m_markers)
        marker.width = std::max<qreal>(
            MarkerHeight, fontMetrics().horizontalAdvance(QString::number(marker.row)) + 10);
    m_sprites.clear();
    m_clustersZoom = -1;
    m_emptyText = emptyText;
    if (!markerOfRow(m_currentRow))
        m_currentRow = 0;
    fitToMarkers();
}

void MapCanvas::fitToMarkers()
{
    std::vector<WorldPoint> points;
    for (const Marker &marker : std::as_const(m_markers))
        points.push_back(marker.at);
    const FitView fit = fitPoints(points, width(), height(), FitMargin);
    m_zoom = fit.zoom;
    m_centre = fit.centre;
    m_fitted = true;
    viewChanged();
}

void MapCanvas::setCurrentRow(int row, bool bringIntoView)
{
    m_currentRow = markerOfRow(row) ? row : 0;
    if (bringIntoView && m_currentRow && !markerPosition(m_currentRow)) {
        m_centre = markerOfRow(m_currentRow)->at;
        m_fitted = false;
        viewChanged();
    }
    update();
}

std::optional<QPoint> MapCanvas::markerPosition(int row) const
{
    const Marker *marker = markerOfRow(row);
    if (!marker || !rect().contains(toCanvas(marker->at).toPoint()))
        return std::nullopt;
    return toCanvas(marker->at).toPoint();
}

QList<int> MapCanvas::clusterOf(int row) const
{
    if (!markerOfRow(row))
        return {};
    for (const MarkerCluster &cluster : clusters()) {
        QList<int> rows;
        for (const int member : cluster.members)
            rows.append(m_markers.at(member).row);
        if (rows.contains(row))
            return rows;
    }
    return { row };
}

const std::vector<MarkerCluster> &MapCanvas::clusters() const
{
    if (m_clustersZoom == m_zoom && m_clustersRow == m_currentRow)
        return m_clusters;
    // The current marker stays out of every cluster: it is drawn on its own, on top.
    std::vector<WorldPoint> points;
    std::vector<int> indexes;
    points.reserve(std::size_t(m_markers.size()));
    for (int i = 0; i < int(m_markers.size()); ++i) {
        if (m_markers.at(i).row != m_currentRow) {
            points.push_back(m_markers.at(i).at);
            indexes.push_back(i);
        }
    }
    m_clusters = clusterMarkers(points, m_zoom);
    for (MarkerCluster &cluster : m_clusters)
        for (int &member : cluster.members)
            member = indexes[std::size_t(member)];
    m_clustersZoom = m_zoom;
    m_clustersRow = m_currentRow;
    return m_clusters;
}

double MapCanvas::worldPixels() const
{
    return std::ldexp(double(TileSize), m_zoom);
}

QPointF MapCanvas::toCanvas(WorldPoint point) const
{
    const double scale = worldPixels();
    return QPointF((point.x - m_centre.x) * scale + width() / 2.0,
        (point.y - m_centre.y) * scale + height() / 2.0);
}

QRectF MapCanvas::markerRect(const Marker &marker) const
{
    const QPointF at = toCanvas(marker.at);
    return QRectF(
        at.x() - marker.width / 2, at.y() - MarkerHeight / 2.0, marker.width, MarkerHeight);
}

QRectF MapCanvas::clusterRect(const MarkerCluster &cluster) const
{
    const Marker &first = m_markers.at(cluster.members.front());
    if (cluster.members.size() == 1)
        return markerRect(first);
    const qreal width = std::max<qreal>(
        ClusterSize, fontMetrics().horizontalAdvance(QString::number(cluster.members.size())) + 12);
    const QPointF at = toCanvas(first.at);
    return QRectF(at.x() - width / 2, at.y() - ClusterSize / 2.0, width, ClusterSize);
}

std::optional<MarkerCluster> MapCanvas::clusterAt(const QPointF &at) const
{
    // The current marker is drawn last, on top of the others; then the later clusters.
    const auto current = std::find_if(m_markers.cbegin(), m_markers.cend(),
        [this](const Marker &marker) { return marker.row == m_currentRow; });
    if (current != m_markers.cend() && markerRect(*current).contains(at))
        return MarkerCluster { { int(current - m_markers.cbegin()) } };
    const std::vector<MarkerCluster> &all = clusters();
    for (auto it = all.crbegin(); it != all.crend(); ++it)
        if (clusterRect(*it).contains(at))
            return *it;
    return std::nullopt;
}

const MapCanvas::Marker *MapCanvas::markerOfRow(int row) const
{
    const auto it = std::lower_bound(m_markers.cbegin(), m_markers.cend(), row,
        [](const Marker &marker, int wanted) { return marker.row < wanted; });
    return it != m_markers.cend() && it->row == row ? &*it : nullptr;
}

void MapCanvas::panBy(const QPointF &pixels)
{
    const double scale = worldPixels();
    m_centre.x = std::clamp(m_centre.x + pixels.x() / scale, 0.0, 1.0);
    m_centre.y = std::clamp(m_centre.y + pixels.y() / scale, 0.0, 1.0);
    m_fitted = false;
    viewChanged();
}

void MapCanvas::zoomAbout(const QPointF &at, int steps)
{
    const int zoom = std::clamp(m_zoom + steps, MinZoom, MaxZoom);
    if (zoom == m_zoom)
        return;
    // The place under `at` stays under it.
    const QPointF fromCentre = at - QPointF(width() / 2.0, height() / 2.0);
    const double before = worldPixels();
    m_zoom = zoom;
    const double after = worldPixels();
    m_centre.x
        = std::clamp(m_centre.x + fromCentre.x() / before - fromCentre.x() / after, 0.0, 1.0);
    m_centre.y
        = std::clamp(m_centre.y + fromCentre.y() / before - fromCentre.y() / after, 0.0, 1.0);
    m_fitted = false;
    viewChanged();
}

void MapCanvas::openCluster(const MarkerCluster &cluster)
{
    std::vector<WorldPoint> points;
    for (const int member : cluster.members)
        points.push_back(m_markers.at(member).at);
    const int zoom = splittingZoom(points, m_zoom);
    // Only the centre of the fit is used: the middle of the cluster's hotspots.
    const FitView middle = fitPoints(points, 1, 1, 0, MaxZoom);
    m_zoom = std::min(zoom, MaxZoom);
    m_centre = middle.centre;
    m_fitted = false;
    viewChanged();
    if (zoom <= MaxZoom)
        return;
    // As close as the map goes and still one place: the user picks from a list instead.
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("mnuCluster"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const int member : cluster.members) {
        if (menu->actions().size() == MaxListed) {
            menu->addAction(tr("… and %1 more").arg(cluster.members.size() - MaxListed))
                ->setEnabled(false);
            break;
        }
        const Marker &marker = m_markers.at(member);
        QString name = marker.name.left(MaxListedName).simplified();
        // An ampersand in a name is shown, not taken as a shortcut.
        name.replace(u'&', QStringLiteral("&&"));
        const int row = marker.row;
        connect(menu->addAction(QStringLiteral("%1  %2").arg(QString::number(row), name)),
            &QAction::triggered, this, [this, row] {
                pick(row);
                Q_EMIT markerActivated(row);
            });
    }
    menu->popup(mapToGlobal(toCanvas(m_centre).toPoint()));
}

void MapCanvas::pick(int row)
{
    setCurrentRow(row);
    Q_EMIT markerPicked(row);
}

// Asks for the tiles in view, nearest the centre first, so a slow server fills the middle first.
void MapCanvas::viewChanged()
{
    update();
    if (!isVisible() || m_markers.isEmpty()) {
        m_tiles->setWanted({});
        return;
    }
    m_tiles->setHighDensity(devicePixelRatioF() > 1.4);
    const double scale = worldPixels();
    const WorldPoint topLeft { m_centre.x - width() / 2.0 / scale,
        m_centre.y - height() / 2.0 / scale };
    const WorldPoint bottomRight { m_centre.x + width() / 2.0 / scale,
        m_centre.y + height() / 2.0 / scale };
    const TileIndex first = tileAt(topLeft, m_zoom);
    const TileIndex last = tileAt(bottomRight, m_zoom);
    const TileIndex middle = tileAt(m_centre, m_zoom);
    QList<TileIndex> wanted;
    for (int y = first.y; y <= last.y; ++y)
        for (int x = first.x; x <= last.x; ++x)
            wanted.append({ m_zoom, x, y });
    std::stable_sort(wanted.begin(), wanted.end(), [&middle](TileIndex a, TileIndex b) {
        const auto distance = [&middle](TileIndex t) {
            return std::abs(t.x - middle.x) + std::abs(t.y - middle.y);
        };
        return distance(a) < distance(b);
    });
    m_tiles->setWanted(wanted);
}

void MapCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), OutsideColour);
    if (m_markers.isEmpty()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(
            rect().adjusted(16, 16, -16, -16), Qt::AlignCenter | Qt::TextWordWrap, m_emptyText);
        return;
    }
    const double scale = worldPixels();
    const TileIndex first = tileAt(
        { m_centre.x - width() / 2.0 / scale, m_centre.y - height() / 2.0 / scale }, m_zoom);
    const TileIndex last = tileAt(
        { m_centre.x + width() / 2.0 / scale, m_centre.y + height() / 2.0 / scale }, m_zoom);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int y = first.y; y <= last.y; ++y) {
        for (int x = first.x; x <= last.x; ++x) {
            const TileIndex index { m_zoom, x, y };
            // Whole pixels: a tile of the screen's density is then copied, not resampled.
            const QRectF cell(toCanvas(tileCorner(index)).toPoint(), QSizeF(TileSize, TileSize));
            if (const QImage *tile = m_tiles->tile(index)) {
                if (tile->devicePixelRatio() == devicePixelRatioF())
                    painter.drawImage(cell.topLeft(), *tile);
                else
                    painter.drawImage(cell, *tile);
                continue;
            }
            painter.fillRect(cell, BlankColour);
            painter.setPen(GridColour);
            for (int line = 0; line < TileSize; line += TileSize / 4) {
                painter.drawLine(
                    cell.topLeft() + QPointF(line, 0), cell.bottomLeft() + QPointF(line, 0));
                painter.drawLine(
                    cell.topLeft() + QPointF(0, line), cell.topRight() + QPointF(0, line));
            }
        }
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF view = QRectF(rect()).adjusted(-40, -MarkerHeight, 40, MarkerHeight);
    const qreal ratio = devicePixelRatioF();
    for (const MarkerCluster &cluster : clusters()) {
        const Marker &marker = m_markers.at(cluster.members.front());
        if (!view.contains(toCanvas(marker.at)))
            continue;
        if (cluster.members.size() > 1) {
            paintCluster(painter, cluster);
            continue;
        }
        QPixmap &sprite = m_sprites[marker.row];
        if (sprite.isNull() || sprite.devicePixelRatio() != ratio) {
            sprite = QPixmap((QSizeF(marker.width + 4, MarkerHeight + 4) * ratio).toSize());
            sprite.setDevicePixelRatio(ratio);
            sprite.fill(Qt::transparent);
            QPainter drawing(&sprite);
            drawing.setRenderHint(QPainter::Antialiasing);
            drawing.setFont(font());
            paintMarker(drawing, marker, QRectF(2, 2, marker.width, MarkerHeight));
        }
        painter.drawPixmap((markerRect(marker).topLeft() - QPointF(2, 2)).toPoint(), sprite);
    }
    if (const Marker *current = markerOfRow(m_currentRow))
        paintMarker(painter, *current, markerRect(*current));
}

void MapCanvas::paintMarker(QPainter &painter, const Marker &marker, const QRectF &box) const
{
    const bool current = marker.row == m_currentRow;
    if (current) {
        painter.setPen(QPen(FrameColour, 4));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(box.adjusted(-3, -3, 3, 3), 13, 13);
    }
    painter.setPen(QPen(OutlineColour, current ? 2 : 1.2));
    painter.setBrush(marker.colour);
    painter.drawRoundedRect(box, MarkerHeight / 2.0, MarkerHeight / 2.0);
    painter.setPen(qGray(marker.colour.rgb()) < 128 ? Qt::white : Qt::black);
    painter.drawText(box, Qt::AlignCenter, QString::number(marker.row));
    if (current && hasFocus()) {
        painter.setPen(QPen(OutlineColour, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(box.adjusted(-6, -6, 6, 6), 15, 15);
    }
}

// A cluster looks like a stack of markers, round where a lone one is long, with its count.
void MapCanvas::paintCluster(QPainter &painter, const MarkerCluster &cluster) const
{
    const QColor colour = m_markers.at(cluster.members.front()).colour;
    const QRectF box = clusterRect(cluster);
    const qreal radius = ClusterSize / 2.0;
    painter.setPen(QPen(OutlineColour, 1.2));
    painter.setBrush(colour.darker(115));
    painter.drawRoundedRect(box.translated(3, 3), radius, radius);
    painter.setBrush(colour);
    painter.drawRoundedRect(box, radius, radius);
    painter.setPen(QPen(OutlineColour, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(box.adjusted(3, 3, -3, -3), radius - 3, radius - 3);
    painter.setPen(qGray(colour.rgb()) < 128 ? Qt::white : Qt::black);
    painter.drawText(box, Qt::AlignCenter, QString::number(cluster.members.size()));
}

bool MapCanvas::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        if (const auto cluster = clusterAt(help->pos())) {
            const QString &first = m_markers.at(cluster->members.front()).name;
            const qsizetype count = qsizetype(cluster->members.size());
            QToolTip::showText(help->globalPos(),
                plainToolTip(count == 1
                        ? first
                        : tr("%1 hotspots: %2 and %3 more")
                              .arg(QString::number(count), first, QString::number(count - 1))),
                this, clusterRect(*cluster).toAlignedRect());
        } else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

bool MapCanvas::focusNextPrevChild(bool next)
{
    // Tab goes through the markers in row order, then on to the window's other controls.
    const auto it = std::lower_bound(m_markers.cbegin(), m_markers.cend(), m_currentRow,
        [](const Marker &marker, int row) { return marker.row < row; });
    const bool onMarker = it != m_markers.cend() && it->row == m_currentRow;
    const qsizetype at = it - m_markers.cbegin();
    const qsizetype to = next ? (onMarker ? at + 1 : at) : at - 1;
    if (m_markers.isEmpty() || to < 0 || to >= m_markers.size())
        return QWidget::focusNextPrevChild(next);
    pick(m_markers.at(to).row);
    return true;
}

void MapCanvas::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (!m_markers.isEmpty() && !markerOfRow(m_currentRow)
        && (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason))
        pick((event->reason() == Qt::TabFocusReason ? m_markers.first() : m_markers.last()).row);
}

void MapCanvas::keyPressEvent(QKeyEvent *event)
{
    const QPointF middle(width() / 2.0, height() / 2.0);
    const qreal step = std::max(width(), height()) / 4.0;
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        return zoomAbout(middle, 1);
    case Qt::Key_Minus:
        return zoomAbout(middle, -1);
    case Qt::Key_Left:
        return panBy({ -step, 0 });
    case Qt::Key_Right:
        return panBy({ step, 0 });
    case Qt::Key_Up:
        return panBy({ 0, -step });
    case Qt::Key_Down:
        return panBy({ 0, step });
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (markerOfRow(m_currentRow))
            return Q_EMIT markerActivated(m_currentRow);
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void MapCanvas::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_pressed = true;
    m_dragging = false;
    m_pressAt = m_lastMouse = event->position();
    const auto cluster = clusterAt(event->position());
    m_pressedRow = cluster ? m_markers.at(cluster->members.front()).row : 0;
}

void MapCanvas::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressed) {
        setCursor(clusterAt(event->position()) ? Qt::PointingHandCursor : Qt::OpenHandCursor);
        return;
    }
    if (!m_dragging
        && (event->position() - m_pressAt).manhattanLength() >= QApplication::startDragDistance()) {
        m_dragging = true;
        setCursor(Qt::ClosedHandCursor);
    }
    if (m_dragging) {
        panBy(m_lastMouse - event->position());
        m_lastMouse = event->position();
    }
}

void MapCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return QWidget::mouseReleaseEvent(event);
    m_pressed = false;
    const auto cluster = clusterAt(event->position());
    if (!m_dragging && cluster && m_markers.at(cluster->members.front()).row == m_pressedRow) {
        if (cluster->members.size() > 1)
            return openCluster(*cluster);
        pick(m_pressedRow);
        Q_EMIT markerActivated(m_pressedRow);
    }
    setCursor(cluster ? Qt::PointingHandCursor : Qt::OpenHandCursor);
}

void MapCanvas::wheelEvent(QWheelEvent *event)
{
    // One step of a wheel is 120; touchpads send it in smaller parts.
    m_wheel += event->angleDelta().y();
    const int steps = m_wheel / 120;
    m_wheel -= steps * 120;
    if (steps != 0)
        zoomAbout(event->position(), steps);
    event->accept();
}

void MapCanvas::resizeEvent(QResizeEvent *)
{
    if (m_fitted)
        fitToMarkers();
    else
        viewChanged();
}

void MapCanvas::showEvent(QShowEvent *)
{
    viewChanged();
}

void MapCanvas::hideEvent(QHideEvent *)
{
    m_tiles->setWanted({});
}

} // namespace pellomar
