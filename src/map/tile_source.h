// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QUrl>

namespace pellomar {

// Where the map's tiles come from and the credit their maker asks for. The address template
// holds {z}, {x} and {y}; {r} is optional and becomes "@2x" on a high-density screen, for
// servers that offer tiles of 512 pixels under that name.
struct TileSource {
    QString urlTemplate;
    QString attribution; // shown as it stands, at the bottom right of the map
    QString attributionUrl; // where a click on it leads
    // Why the map can show no tiles (a settings file or tile server that cannot be used),
    // in a sentence; empty when it can.
    QString problem;

    // OpenStreetMap's standard tile server, used within its tile usage policy.
    static TileSource openStreetMap();
    // The tiles the demo directory draws itself; `origin` is e.g. "http://127.0.0.1:8080".
    static TileSource demoDirectory(const QString &origin);
    // The source a template names: OpenStreetMap's or the demo directory's own credit when it
    // is theirs, otherwise a credit naming the tile server's host.
    static TileSource forTemplate(const QString &urlTemplate);
    // The settings map/tileServer, map/tileAttribution and map/tileAttributionUrl;
    // OpenStreetMap when no template is set. A template that cannot be used, or settings that
    // cannot be read, give a source with a `problem` and no tiles: the user's choice of tile
    // server is never replaced by another one behind their back.
    static TileSource fromSettings();

    // The address of one tile; `highDensity` picks the "@2x" tiles where {r} offers them.
    QUrl tileUrl(int zoom, int x, int y, bool highDensity) const;
    bool offersHighDensity() const;
};

// Why a tile server template cannot be used, in a sentence for the command line; empty when it
// can: an http:// or https:// address with a host, holding {z}, {x} and {y} (and {r}) only
// after its host and port.
QString tileTemplateProblem(const QString &urlTemplate);

} // namespace pellomar
