// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/mercator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pellomar {

WorldPoint toWorld(LatLon position)
{
    const double latitude
        = std::clamp(position.latitude, -MaxLatitude, MaxLatitude) * std::numbers::pi / 180;
    const double y = (1 - std::asinh(std::tan(latitude)) / std::numbers::pi) / 2;
    return { (position.longitude + 180) / 360, std::clamp(y, 0.0, 1.0) };
}

LatLon fromWorld(WorldPoint point)
{
    const double latitude = std::atan(std::sinh(std::numbers::pi * (1 - 2 * point.y)));
    return { latitude * 180 / std::numbers::pi, point.x * 360 - 180 };
}

TileIndex tileAt(WorldPoint point, int zoom)
{
    const double tiles = std::ldexp(1.0, zoom);
    const auto index
        = [tiles](double at) { return int(std::clamp(std::floor(at * tiles), 0.0, tiles - 1)); };
    return { zoom, index(point.x), index(point.y) };
}

WorldPoint tileCorner(TileIndex tile)
{
    const double tiles = std::ldexp(1.0, tile.zoom);
    return { tile.x / tiles, tile.y / tiles };
}

FitView fitPoints(
    const std::vector<WorldPoint> &points, int width, int height, int margin, int maxZoom)
{
    if (points.empty())
        return {};
    const auto [left, right] = std::minmax_element(points.begin(), points.end(),
        [](const WorldPoint &a, const WorldPoint &b) { return a.x < b.x; });
    const auto [top, bottom] = std::minmax_element(points.begin(), points.end(),
        [](const WorldPoint &a, const WorldPoint &b) { return a.y < b.y; });
    const double spanX = right->x - left->x;
    const double spanY = bottom->y - top->y;
    const double roomX = std::max(0, width - 2 * margin);
    const double roomY = std::max(0, height - 2 * margin);
    int zoom = std::max(MinZoom, maxZoom);
    while (zoom > MinZoom) {
        const double pixels = std::ldexp(double(TileSize), zoom);
        if (spanX * pixels <= roomX && spanY * pixels <= roomY)
            break;
        --zoom;
    }
    return { zoom, { (left->x + right->x) / 2, (top->y + bottom->y) / 2 } };
}

} // namespace pellomar
