// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "map/tile_source.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QWidget>
#include <string>

class QLabel;

namespace pellomar {

class MapCanvas;
class TileLoader;

// One row of the result list, as the map shows it.
struct MapHotspot {
    int row = 0; // as the list numbers it, from 1
    QString name;
    std::string latitude; // the record's text
    std::string longitude;
    QColor colour; // the row's colour in the list
};

// The map of the results: a numbered marker per hotspot with a position, in its row's colour,
// over tiles from a tile server. Its size and place are kept between runs.
class MapWindow : public QWidget {
    Q_OBJECT

public:
    explicit MapWindow(
        const TileSource &source = TileSource::fromSettings(), QWidget *parent = nullptr);
    ~MapWindow() override;

    // The hotspots of the list as it stands (after a search, a load, a filter, a sort); the view
    // is fitted to them again.
    void setHotspots(const QList<MapHotspot> &hotspots);
    // A source with a problem (from the settings) is read again each time the window is shown,
    // so mending the settings file is enough to see tiles.
    void setVisible(bool visible) override;

public Q_SLOTS:
    // Frames the marker of the list's chosen row, and brings it into view.
    void setCurrentRow(int row);
    // Frames the marker of the list's framed row where it is: the view stays.
    void frameRow(int row);

Q_SIGNALS:
    // A marker clicked, or Enter on the marker chosen with the keyboard.
    void hotspotActivated(int row);
    // The user chose a marker.
    void currentRowChanged(int row);

protected:
    void hideEvent(QHideEvent *event) override;

private:
    void keepGeometry();
    void useSource(const TileSource &source);
    // A line under the map, hidden when empty.
    void showProblem(const QString &text);

    TileSource m_source;
    // What the problem line says while no tile fails.
    QString m_standingProblem;
    TileLoader *m_tiles;
    MapCanvas *m_canvas;
    QLabel *m_unplaced;
    QLabel *m_tileProblem;
    QLabel *m_attribution;
};

} // namespace pellomar
