// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/map_window.h"

#include "map/map_canvas.h"
#include "map/tile_loader.h"
#include "platform/app_context.h"
#include "platform/browser.h"
#include "reference/coordinates.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>

namespace pellomar {

namespace {

using namespace Qt::Literals::StringLiterals;

const QString GeometryKey = u"map/geometry"_s;

QLabel *makeLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

MapWindow::MapWindow(const TileSource &source, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_source(source)
    , m_tiles(new TileLoader(source, this))
    , m_canvas(new MapCanvas(m_tiles, this))
    , m_unplaced(makeLabel(u"lblNoPosition"_s, this))
    , m_tileProblem(makeLabel(u"lblTileProblem"_s, this))
    , m_attribution(new QLabel(this))
{
    setObjectName(u"frmMap"_s);
    setWindowTitle(tr("Hotspot map"));

    auto *fit = new QPushButton(tr("Fit"), this);
    fit->setObjectName(u"cmdFit"_s);
    fit->setToolTip(tr("Show every marker"));
    connect(fit, &QPushButton::clicked, m_canvas, &MapCanvas::fitToMarkers);

    // The credit the tile server's maker asks for, always in view.
    m_attribution->setObjectName(u"lblAttribution"_s);
    m_attribution->setTextFormat(Qt::RichText);
    m_attribution->setTextInteractionFlags(
        Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(m_attribution, &QLabel::linkActivated, this,
        [](const QString &url) { OpenInBrowser(url); });

    // Wrapped within the window's width whatever it says: a server's long text never widens it.
    m_tileProblem->setWordWrap(true);
    m_tileProblem->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    useSource(source);
    connect(m_tiles, &TileLoader::tileFailed, this, [this](const QString &reason) {
        showProblem(tr("The map tiles are unavailable: %1.").arg(reason));
    });
    connect(m_tiles, &TileLoader::tileArrived, this, [this] { showProblem(m_standingProblem); });
    connect(m_canvas, &MapCanvas::markerPicked, this, &MapWindow::currentRowChanged);
    connect(m_canvas, &MapCanvas::markerActivated, this, &MapWindow::hotspotActivated);

    auto *bar = new QHBoxLayout;
    bar->addWidget(fit);
    bar->addWidget(m_unplaced, 1);
    bar->addWidget(m_attribution);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_canvas, 1);
    layout->addWidget(m_tileProblem);
    layout->addLayout(bar);
    bar->setContentsMargins(4, 0, 4, 4);
    m_tileProblem->setContentsMargins(4, 0, 4, 0);

    const auto settings = openSettings();
    if (!settings || !restoreGeometry(settings->value(GeometryKey).toByteArray()))
        resize(800, 600);
    setHotspots({});
}

MapWindow::~MapWindow()
{
    if (isVisible())
        keepGeometry();
}

void MapWindow::setHotspots(const QList<MapHotspot> &hotspots)
{
    QList<MapCanvas::Marker> markers;
    for (const MapHotspot &hotspot : hotspots) {
        if (const auto position = parsePosition(hotspot.latitude, hotspot.longitude))
            markers.append({ hotspot.row, hotspot.name, hotspot.colour,
                toWorld({ position->latitude.value, position->longitude.value }) });
    }
    const qsizetype unplaced = hotspots.size() - markers.size();
    m_unplaced->setText(unplaced == 0 ? QString()
            : unplaced == 1           ? tr("1 hotspot has no position")
                                      : tr("%n hotspots have no position", nullptr, int(unplaced)));
    m_canvas->setMarkers(markers,
        hotspots.isEmpty() ? tr("There are no hotspots to show.")
                           : tr("None of these hotspots has a position to show on a map."));
}

void MapWindow::setCurrentRow(int row)
{
    m_canvas->setCurrentRow(row);
}

void MapWindow::frameRow(int row)
{
    m_canvas->setCurrentRow(row, false);
}

void MapWindow::setVisible(bool visible)
{
    // Before the canvas is shown and asks for its tiles.
    if (visible && !isVisible() && !m_source.problem.isEmpty())
        useSource(TileSource::fromSettings());
    QWidget::setVisible(visible);
}

void MapWindow::useSource(const TileSource &source)
{
    m_source = source;
    m_tiles->setSource(source);
    // Escaped, so a credit from the settings shows as it stands.
    m_attribution->setText(u"<a href=\"%1\">%2</a>"_s.arg(
        source.attributionUrl.toHtmlEscaped(), source.attribution.toHtmlEscaped()));
    m_standingProblem = source.problem.isEmpty()
        ? m_tiles->diskCacheProblem()
        : tr("The map shows no tiles: %1.").arg(source.problem);
    showProblem(m_standingProblem);
}

void MapWindow::showProblem(const QString &text)
{
    m_tileProblem->setText(text);
    m_tileProblem->setVisible(!text.isEmpty());
}

void MapWindow::hideEvent(QHideEvent *event)
{
    keepGeometry();
    QWidget::hideEvent(event);
}

void MapWindow::keepGeometry()
{
    // A settings file that was refused is left as it is.
    if (const auto settings = openSettings())
        settings->setValue(GeometryKey, QWidget::saveGeometry());
}

} // namespace pellomar
