// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "map/mercator.h"

#include <vector>

namespace pellomar {

// Markers closer on screen than a marker's size, at the zoom shown, are drawn as one cluster.
// Greedy, in the order given (the list's row order): each point joins the first cluster whose
// first point lies within `width` x `height` pixels of it, or starts a new one there. The
// clusters depend on the zoom only, so panning never regroups them.
struct ClusterBox {
    double width = 32;
    double height = 22;
};

struct MarkerCluster {
    std::vector<int> members; // indexes into the points, the first one the cluster's place
};

std::vector<MarkerCluster> clusterMarkers(
    const std::vector<WorldPoint> &points, int zoom, ClusterBox box = {});

// The closest zoom above `zoom` at which the points no longer make one cluster; MaxZoom + 1
// when even MaxZoom keeps them together (they are then listed rather than zoomed).
int splittingZoom(const std::vector<WorldPoint> &points, int zoom, ClusterBox box = {});

} // namespace pellomar
