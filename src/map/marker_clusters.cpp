// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/marker_clusters.h"

#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace pellomar {

std::vector<MarkerCluster> clusterMarkers(
    const std::vector<WorldPoint> &points, int zoom, ClusterBox box)
{
    // A grid of cells the size of the box: a cluster within reach lies in one of the nine cells
    // around a point, so each point looks at a few clusters rather than all of them.
    const double scale = std::ldexp(double(TileSize), zoom);
    const auto cellOf
        = [](double pixels, double size) { return std::int64_t(std::floor(pixels / size)); };
    const auto key = [](std::int64_t x, std::int64_t y) { return (x << 32) ^ (y & 0xffffffff); };
    std::unordered_map<std::int64_t, std::vector<int>> grid;
    grid.reserve(points.size());
    std::vector<MarkerCluster> clusters;
    std::vector<std::pair<double, double>> places; // each cluster's first point, in pixels
    for (int i = 0; i < int(points.size()); ++i) {
        const double x = points[std::size_t(i)].x * scale;
        const double y = points[std::size_t(i)].y * scale;
        const std::int64_t cellX = cellOf(x, box.width);
        const std::int64_t cellY = cellOf(y, box.height);
        int joined = -1;
        for (std::int64_t dy = -1; dy <= 1; ++dy) {
            for (std::int64_t dx = -1; dx <= 1; ++dx) {
                const auto cell = grid.find(key(cellX + dx, cellY + dy));
                if (cell == grid.end())
                    continue;
                for (const int c : cell->second) {
                    const auto [placeX, placeY] = places[std::size_t(c)];
                    if ((joined < 0 || c < joined) && std::abs(placeX - x) < box.width
                        && std::abs(placeY - y) < box.height)
                        joined = c;
                }
            }
        }
        if (joined < 0) {
            joined = int(clusters.size());
            clusters.emplace_back();
            places.emplace_back(x, y);
            grid[key(cellX, cellY)].push_back(joined);
        }
        clusters[std::size_t(joined)].members.push_back(i);
    }
    return clusters;
}

int splittingZoom(const std::vector<WorldPoint> &points, int zoom, ClusterBox box)
{
    int next = zoom + 1;
    while (next <= MaxZoom && clusterMarkers(points, next, box).size() < 2)
        ++next;
    return next;
}

} // namespace pellomar
