#include "map/map_window.h"

#include "map/map_canvas.h"
#include "map/tile_loader.h"
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
{
    setObjectName(u"frmMap"_s);
    setWindowTitle(u"Hotspot map"_s);

    auto *fit = new QPushButton(u"Fit"_s, this);
    fit->setObjectName(u"cmdFit"_s);
    fit->setToolTip(u"Show every marker"_s);
    connect(fit, &QPushButton::clicked, m_canvas, &MapCanvas::fitToMarkers);

    // The credit the tile server's maker asks for, always in view; its text is escaped, so a
    // credit from the settings shows as it stands.
    auto *attribution = new QLabel(this);
    attribution->setObjectName(u"lblAttribution"_s);
    attribution->setTextFormat(Qt::RichText);
    attribution->setText(u"<a href=\"%1\">%2</a>"_s.arg(
        source.attributionUrl.toHtmlEscaped(), source.attribution.toHtmlEscaped()));
    attribution->setTextInteractionFlags(
        Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(
        attribution, &QLabel::linkActivated, this, [](const QString &url) { OpenInBrowser(url); });

    // Wrapped within the window's width whatever it says: a server's long text never widens it.
    m_tileProblem->setWordWrap(true);
    m_tileProblem->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // What stands while the window is open, shown again once a passing failure is over.
    const QString standing = source.problem.isEmpty()
        ? m_tiles->diskCacheProblem()
        : u"The map shows no tiles: %1."_s.arg(source.problem);
    const auto showProblem = [this](const QString &text) {
        m_tileProblem->setText(text);
        m_tileProblem->setVisible(!text.isEmpty());
    };
    showProblem(standing);
    connect(m_tiles, &TileLoader::tileFailed, this, [showProblem](const QString &reason) {
        showProblem(u"The map tiles are unavailable: %1."_s.arg(reason));
    });
    connect(m_tiles, &TileLoader::tileArrived, this,
        [showProblem, standing] { showProblem(standing); });
    connect(m_canvas, &MapCanvas::markerPicked, this, &MapWindow::currentRowChanged);
    connect(m_canvas, &MapCanvas::markerActivated, this, &MapWindow::hotspotActivated);

    auto *bar = new QHBoxLayout;
    bar->addWidget(fit);
    bar->addWidget(m_unplaced, 1);
    bar->addWidget(attribution);
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
        if (const auto position = ParsePosition(hotspot.latitude, hotspot.longitude))
            markers.append({ hotspot.row, hotspot.name, hotspot.colour,
                ToWorld({ position->latitude.value, position->longitude.value }) });
    }
    const qsizetype unplaced = hotspots.size() - markers.size();
    m_unplaced->setText(unplaced == 0 ? QString()
            : unplaced == 1           ? u"1 hotspot has no position"_s
                                      : u"%1 hotspots have no position"_s.arg(unplaced));
    m_canvas->setMarkers(markers,
        hotspots.isEmpty() ? u"There are no hotspots to show."_s
                           : u"None of these hotspots has a position to show on a map."_s);
}

void MapWindow::setCurrentRow(int row)
{
    m_canvas->setCurrentRow(row);
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
