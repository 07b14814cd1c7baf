// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tiles/demo_tile.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <png.h>
#include <vector>

namespace pellomar::directory {

namespace {

struct Rgb {
    std::uint8_t r, g, b;
};
constexpr Rgb Land { 236, 238, 226 };
constexpr Rgb Grid { 218, 222, 204 };
constexpr Rgb Edge { 190, 196, 172 };
constexpr Rgb Ink { 96, 100, 84 };

// A 5 x 7 pixel font of the digits and '/', one row a byte, the leftmost pixel in bit 4: the
// tiles write nothing else, and no font library is worth linking for eleven glyphs.
constexpr std::array<std::array<std::uint8_t, 7>, 11> Glyphs { {
    { 0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E }, // 0
    { 0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E }, // 1
    { 0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F }, // 2
    { 0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E }, // 3
    { 0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02 }, // 4
    { 0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E }, // 5
    { 0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E }, // 6
    { 0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08 }, // 7
    { 0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E }, // 8
    { 0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C }, // 9
    { 0x01, 0x02, 0x02, 0x04, 0x08, 0x08, 0x10 }, // /
} };

// A decimal number from 0 to `max`, the whole text, without a sign or leading zeros.
std::optional<int> numberIn(std::string_view text, int max)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()
        || text.front() == '+' || text.front() == '-' || (text.size() > 1 && text.front() == '0')
        || value > max)
        return std::nullopt;
    return value;
}

class Canvas {
public:
    explicit Canvas(int side)
        : m_side(side)
        , m_pixels(std::size_t(side) * side * 3)
    {
    }

    void fill(int left, int top, int width, int height, Rgb colour)
    {
        for (int y = top; y < top + height && y < m_side; ++y)
            for (int x = left; x < left + width && x < m_side; ++x) {
                std::uint8_t *pixel = &m_pixels[(std::size_t(y) * m_side + x) * 3];
                pixel[0] = colour.r;
                pixel[1] = colour.g;
                pixel[2] = colour.b;
            }
    }

    // `text` of digits and '/', each font pixel `size` pixels wide.
    void write(std::string_view text, int left, int top, int size, Rgb colour)
    {
        for (const char c : text) {
            const auto &glyph = Glyphs[c == '/' ? 10 : std::size_t(c - '0')];
            for (int row = 0; row < 7; ++row)
                for (int column = 0; column < 5; ++column)
                    if (glyph[std::size_t(row)] & (0x10 >> column))
                        fill(left + column * size, top + row * size, size, size, colour);
            left += 6 * size;
        }
    }

    std::string png() const
    {
        png_image image {};
        image.version = PNG_IMAGE_VERSION;
        image.width = png_uint_32(m_side);
        image.height = png_uint_32(m_side);
        image.format = PNG_FORMAT_RGB;
        std::string bytes(PNG_IMAGE_PNG_SIZE_MAX(image), '\0');
        png_alloc_size_t size = bytes.size();
        if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, m_pixels.data(), 0, nullptr))
            return {};
        bytes.resize(size);
        return bytes;
    }

private:
    int m_side;
    std::vector<std::uint8_t> m_pixels;
};

} // namespace

std::optional<TileRequest> tileIn(std::string_view path)
{
    constexpr std::string_view folder = "/tiles/";
    if (!path.starts_with(folder))
        return std::nullopt;
    path.remove_prefix(folder.size());
    TileRequest tile;
    if (path.ends_with("@2x.png")) {
        tile.scale = 2;
        path.remove_suffix(7);
    } else if (path.ends_with(".png")) {
        path.remove_suffix(4);
    } else {
        return std::nullopt;
    }
    const auto slash = path.find('/');
    const auto second = path.find('/', slash == std::string_view::npos ? slash : slash + 1);
    if (second == std::string_view::npos)
        return std::nullopt;
    const auto zoom = numberIn(path.substr(0, slash), MaxTileZoom);
    if (!zoom)
        return std::nullopt;
    const int last = (1 << *zoom) - 1;
    const auto x = numberIn(path.substr(slash + 1, second - slash - 1), last);
    const auto y = numberIn(path.substr(second + 1), last);
    if (!x || !y)
        return std::nullopt;
    tile.zoom = *zoom;
    tile.x = *x;
    tile.y = *y;
    return tile;
}

std::string drawTile(const TileRequest &tile)
{
    const int s = tile.scale;
    const int side = TileSide * s;
    Canvas canvas(side);
    canvas.fill(0, 0, side, side, Land);
    for (int at = 32 * s; at < side; at += 32 * s) {
        canvas.fill(at, 0, s, side, Grid);
        canvas.fill(0, at, side, s, Grid);
    }
    // The tile's own edges, on its west and north sides: neighbours draw the others.
    canvas.fill(0, 0, s, side, Edge);
    canvas.fill(0, 0, side, s, Edge);
    const std::string name
        = std::to_string(tile.zoom) + '/' + std::to_string(tile.x) + '/' + std::to_string(tile.y);
    canvas.write(name, 8 * s, 8 * s, 2 * s, Ink);
    return canvas.png();
}

} // namespace pellomar::directory
