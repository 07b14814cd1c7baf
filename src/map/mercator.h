// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

namespace pellomar {

// The slippy-map world of the tile servers: Web Mercator, cut into 256-pixel tiles, one tile
// at zoom 0 and 2^z x 2^z tiles at zoom z. Written here because Qt Location, which knows it,
// is not part of Debian 12's Qt 6.4; the formulas are a few lines.
inline constexpr int TileSize = 256;
inline constexpr int MinZoom = 0;
inline constexpr int MaxZoom = 19;
// Mercator runs to infinity at the poles; the tiles end where the world is square.
inline constexpr double MaxLatitude = 85.0511287798066;
// A view fitted to its markers comes no closer than street level.
inline constexpr int MaxFitZoom = 17;

// A place on the world square: x from 0 (180° W) to 1 (180° E), y from 0 (MaxLatitude N) to
// 1 (MaxLatitude S). Pixels at zoom z are these times TileSize * 2^z.
struct WorldPoint {
    double x = 0;
    double y = 0;
};

struct LatLon {
    double latitude = 0;
    double longitude = 0;
};

struct TileIndex {
    int zoom = 0;
    int x = 0;
    int y = 0;
    bool operator==(const TileIndex &) const = default;
};

// Latitudes beyond MaxLatitude are drawn at the edge.
WorldPoint toWorld(LatLon position);
LatLon fromWorld(WorldPoint point);

// The tile that holds the point; the east and south edges belong to the last tile.
TileIndex tileAt(WorldPoint point, int zoom);
// The tile's north-west corner.
WorldPoint tileCorner(TileIndex tile);

// The closest zoom (at most `maxZoom`) at which a view of `width` x `height` pixels holds every
// point with `margin` pixels to spare, and the centre of the points' bounding box.
struct FitView {
    int zoom = MinZoom;
    WorldPoint centre { 0.5, 0.5 };
};
FitView fitPoints(const std::vector<WorldPoint> &points, int width, int height, int margin,
    int maxZoom = MaxFitZoom);

} // namespace pellomar
