// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dataset/location_picture.h"

#include <algorithm>
#include <cmath>

namespace pellomar::directory {

namespace {

enum Colour : std::uint8_t {
    SkyFirst = 0, // eight bands, top to bottom
    Sun = 8,
    Cloud = 9,
    GroundFirst = 10, // three shades
    BuildingFirst = 13, // six facades
    WindowLit = 19,
    WindowDark = 20,
    BadgeBack = 21,
    BadgeSign = 22,
    Foliage = 23,
    Trunk = 24,
    ColourCount = 25,
};

class Rng {
public:
    explicit Rng(std::uint64_t seed)
        : m_state(seed | 1)
    {
    }
    int below(int bound)
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return static_cast<int>(m_state % static_cast<std::uint64_t>(bound));
    }

private:
    std::uint64_t m_state;
};

std::uint8_t mix(int a, int b, int step, int steps)
{
    return static_cast<std::uint8_t>(a + (b - a) * step / steps);
}

std::vector<Rgb> paletteFor(Rng &rng)
{
    struct Sky {
        Rgb top;
        Rgb bottom;
        Rgb sun;
    };
    static constexpr Sky skies[] = {
        { { 40, 110, 200 }, { 170, 210, 240 }, { 255, 230, 120 } }, // day
        { { 60, 40, 110 }, { 250, 160, 90 }, { 255, 200, 90 } }, // dusk
        { { 90, 140, 190 }, { 210, 220, 230 }, { 240, 240, 220 } }, // overcast
        { { 15, 25, 60 }, { 60, 70, 120 }, { 230, 230, 210 } }, // night, with moon
    };
    const Sky &sky = skies[rng.below(4)];
    std::vector<Rgb> palette(ColourCount);
    for (int i = 0; i < 8; ++i)
        palette[SkyFirst + i] = { mix(sky.top.r, sky.bottom.r, i, 7),
            mix(sky.top.g, sky.bottom.g, i, 7), mix(sky.top.b, sky.bottom.b, i, 7) };
    palette[Sun] = sky.sun;
    palette[Cloud] = { 235, 238, 242 };
    palette[GroundFirst] = { 90, 150, 70 };
    palette[GroundFirst + 1] = { 120, 120, 125 };
    palette[GroundFirst + 2] = { 70, 70, 75 };
    static constexpr Rgb facades[]
        = { { 200, 180, 150 }, { 170, 90, 70 }, { 150, 160, 170 }, { 230, 220, 200 },
              { 110, 120, 140 }, { 210, 150, 100 }, { 190, 200, 210 }, { 160, 130, 110 } };
    for (int i = 0; i < 6; ++i)
        palette[BuildingFirst + i] = facades[(i + rng.below(8)) % 8];
    palette[WindowLit] = { 255, 220, 110 };
    palette[WindowDark] = { 50, 70, 100 };
    palette[BadgeBack] = { 255, 255, 255 };
    palette[BadgeSign] = rng.below(2) == 0 ? Rgb { 230, 110, 20 } : Rgb { 20, 100, 200 };
    palette[Foliage] = { 40, 110, 50 };
    palette[Trunk] = { 100, 70, 40 };
    return palette;
}

} // namespace

IndexedPicture paintLocationPicture(int width, int height, std::uint64_t seed)
{
    IndexedPicture picture;
    if (width < 16 || height < 16)
        return picture;
    picture.width = width;
    picture.height = height;
    Rng rng(seed);
    picture.palette = paletteFor(rng);
    picture.pixels.assign(static_cast<std::size_t>(width * height), SkyFirst);
    const auto set = [&picture](int x, int y, std::uint8_t colour) {
        if (x >= 0 && y >= 0 && x < picture.width && y < picture.height)
            picture.pixels[static_cast<std::size_t>(y * picture.width + x)] = colour;
    };
    const auto rect = [&set](int x0, int y0, int x1, int y1, std::uint8_t colour) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                set(x, y, colour);
    };
    const auto disc = [&set](int cx, int cy, int r, std::uint8_t colour) {
        for (int y = cy - r; y <= cy + r; ++y)
            for (int x = cx - r; x <= cx + r; ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
                    set(x, y, colour);
    };

    const int horizon = height * (55 + rng.below(15)) / 100;
    for (int y = 0; y < horizon; ++y)
        rect(0, y, width, y + 1, static_cast<std::uint8_t>(SkyFirst + y * 8 / horizon));
    disc(
        width / 8 + rng.below(width / 2), height / 8 + rng.below(height / 5), height / 12 + 2, Sun);
    for (int c = rng.below(4); c > 0; --c) {
        const int cx = rng.below(width);
        const int cy = height / 10 + rng.below(height / 4);
        const int r = height / 20 + 2;
        for (int k = -2; k <= 2; ++k)
            disc(cx + k * r, cy + (k % 2 == 0 ? 0 : -r / 2), r, Cloud);
    }
    rect(0, horizon, width, height, GroundFirst + static_cast<std::uint8_t>(rng.below(2)));
    rect(0, horizon + (height - horizon) / 2, width, horizon + (height - horizon) / 2 + height / 14,
        GroundFirst + 2);

    // Buildings along the street, each with a grid of windows, some of them lit.
    for (int x = -rng.below(width / 6); x < width;) {
        const int w = width / 8 + rng.below(width / 5);
        const int top = horizon - height / 8 - rng.below(horizon * 3 / 4);
        const auto facade = static_cast<std::uint8_t>(BuildingFirst + rng.below(6));
        rect(x, top, x + w - 2, horizon + 2, facade);
        const int cell = std::max(5, width / 40);
        for (int wy = top + cell; wy + cell < horizon; wy += cell * 2)
            for (int wx = x + cell / 2 + 1; wx + cell < x + w - 2; wx += cell * 2)
                rect(wx, wy, wx + cell, wy + cell, rng.below(3) == 0 ? WindowLit : WindowDark);
        x += w + rng.below(width / 20 + 1);
    }
    for (int t = rng.below(4); t > 0; --t) {
        const int tx = rng.below(width);
        const int r = height / 14 + 2;
        rect(tx - r / 4, horizon - r / 2, tx + r / 4 + 1, horizon + r, Trunk);
        disc(tx, horizon - r, r, Foliage);
    }

    // The Wi-Fi badge: a white disc in the top right corner with a dot and three arcs.
    const int br = std::max(8, std::min(width, height) / 7);
    const int bx = width - br - 4;
    const int by = br + 4;
    disc(bx, by, br, BadgeBack);
    const int ox = bx;
    const int oy = by + br * 6 / 10;
    disc(ox, oy, std::max(1, br / 8), BadgeSign);
    for (int y = by - br; y <= by + br; ++y) {
        for (int x = bx - br; x <= bx + br; ++x) {
            const double dx = x - ox;
            const double dy = oy - y;
            if (dy <= 0 || std::abs(dx) > dy)
                continue;
            const double d = std::sqrt(dx * dx + dy * dy) / br;
            const bool onArc
                = (d > 0.28 && d < 0.40) || (d > 0.55 && d < 0.67) || (d > 0.82 && d < 0.94);
            if (onArc)
                set(x, y, BadgeSign);
        }
    }
    return picture;
}

} // namespace pellomar::directory
