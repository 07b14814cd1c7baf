// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <vector>

namespace pellomar::directory {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

// A picture in palette form: at most 32 colours, so it can be written as a GIF unchanged.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> pixels;

    Rgb at(int x, int y) const { return palette[pixels[static_cast<std::size_t>(y * width + x)]]; }
};

// A street scene of the hotspot's location with a Wi-Fi badge: sky, buildings with windows,
// trees. The seed decides everything, so a dataset paints the same pictures every time.
IndexedPicture paintLocationPicture(int width, int height, std::uint64_t seed);

} // namespace pellomar::directory
