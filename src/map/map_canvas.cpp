// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/map_canvas.h"

#include "map/tile_loader.h"
#include "platform/display_text.h"
#include "platform/look.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
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
    const FitView fit = FitPoints(points, width(), height(), FitMargin);
    m_zoom = fit.zoom;
    m_centre = fit.centre;
    m_fitted = true;
    viewChanged();
}

void MapCanvas::setCurrentRow(int row)
{
    m_currentRow = markerOfRow(row) ? row : 0;
    if (m_currentRow && !markerPosition(m_currentRow)) {
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

const MapCanvas::Marker *MapCanvas::markerAt(const QPointF &at) const
{
    // The current marker is drawn last, on top of the others; then the higher rows.
    if (const Marker *current = markerOfRow(m_currentRow))
        if (markerRect(*current).contains(at))
            return current;
    for (auto it = m_markers.crbegin(); it != m_markers.crend(); ++it)
        if (markerRect(*it).contains(at))
            return &*it;
    return nullptr;
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
    const TileIndex first = TileAt(topLeft, m_zoom);
    const TileIndex last = TileAt(bottomRight, m_zoom);
    const TileIndex middle = TileAt(m_centre, m_zoom);
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
    const TileIndex first = TileAt(
        { m_centre.x - width() / 2.0 / scale, m_centre.y - height() / 2.0 / scale }, m_zoom);
    const TileIndex last = TileAt(
        { m_centre.x + width() / 2.0 / scale, m_centre.y + height() / 2.0 / scale }, m_zoom);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int y = first.y; y <= last.y; ++y) {
        for (int x = first.x; x <= last.x; ++x) {
            const TileIndex index { m_zoom, x, y };
            // Whole pixels: a tile of the screen's density is then copied, not resampled.
            const QRectF cell(toCanvas(TileCorner(index)).toPoint(), QSizeF(TileSize, TileSize));
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
    for (const Marker &marker : std::as_const(m_markers)) {
        if (marker.row == m_currentRow || !view.contains(toCanvas(marker.at)))
            continue;
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

bool MapCanvas::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        if (const Marker *marker = markerAt(help->pos()))
            QToolTip::showText(help->globalPos(), plainToolTip(marker->name), this,
                markerRect(*marker).toAlignedRect());
        else
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
    const Marker *marker = markerAt(event->position());
    m_pressedRow = marker ? marker->row : 0;
}

void MapCanvas::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressed) {
        setCursor(markerAt(event->position()) ? Qt::PointingHandCursor : Qt::OpenHandCursor);
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
    const Marker *marker = markerAt(event->position());
    if (!m_dragging && marker && marker->row == m_pressedRow) {
        const int row = marker->row;
        pick(row);
        Q_EMIT markerActivated(row);
    }
    setCursor(marker ? Qt::PointingHandCursor : Qt::OpenHandCursor);
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
