#pragma once

#include <QString>
#include <QUrl>
#include <memory>

class QSettings;

namespace pellomar {

// Where the map's tiles come from and the credit their maker asks for. The address template
// holds {z}, {x} and {y}; {r} is optional and becomes "@2x" on a high-density screen, for
// servers that offer tiles of 512 pixels under that name.
struct TileSource {
    QString urlTemplate;
    QString attribution; // shown as it stands, at the bottom right of the map
    QString attributionUrl; // where a click on it leads

    // OpenStreetMap's standard tile server, used within its tile usage policy.
    static TileSource openStreetMap();
    // The tiles the demo directory draws itself; `origin` is e.g. "http://127.0.0.1:8080".
    static TileSource demoDirectory(const QString &origin);
    // The source a template names: OpenStreetMap's or the demo directory's own credit when it
    // is theirs, otherwise a credit naming the tile server's host.
    static TileSource forTemplate(const QString &urlTemplate);
    // The settings map/tileServer, map/tileAttribution and map/tileAttributionUrl;
    // OpenStreetMap when no usable template is set.
    static TileSource fromSettings();

    // The address of one tile; `highDensity` picks the "@2x" tiles where {r} offers them.
    QUrl tileUrl(int zoom, int x, int y, bool highDensity) const;
    bool offersHighDensity() const;
};

// The program's settings. While the program names no organisation, its own name stands for
// one, so the file is ~/.config/pellomar/pellomar.conf beside the program's other folders
// rather than under "Unknown Organization".
std::unique_ptr<QSettings> openSettings();

// Why a tile server template cannot be used, in a sentence for the command line; empty when it
// can: an http:// or https:// address with a host, holding {z}, {x} and {y}.
QString tileTemplateProblem(const QString &urlTemplate);

} // namespace pellomar
