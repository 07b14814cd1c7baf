// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pellomar::directory {

// The demo directory's own map tiles, drawn on request: no map data of anyone else's.
inline constexpr int MaxTileZoom = 19;
inline constexpr int TileSide = 256;

struct TileRequest {
    int zoom = 0;
    int x = 0;
    int y = 0;
    int scale = 1; // 2 for the 512-pixel tiles of high-density screens
};

// The tile a path asks for: /tiles/Z/X/Y.png, or /tiles/Z/X/Y@2x.png; Z from 0 to MaxTileZoom,
// X and Y within the 2^Z tiles of a side at that zoom, numbers written without leading zeros.
std::optional<TileRequest> tileIn(std::string_view path);

// The tile as a PNG: a plain land colour, a light grid and the tile's Z/X/Y. Empty when
// encoding fails.
std::string drawTile(const TileRequest &tile);

} // namespace pellomar::directory
