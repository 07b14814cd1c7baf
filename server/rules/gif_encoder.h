#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace pellomar::directory {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

// A GIF89a file of one image: `pixels` holds width * height palette indexes, row by row;
// the palette holds 1 to 256 colours. The result is empty when the sizes do not fit or an
// index lies outside the palette.
std::string encodeGif(
    int width, int height, std::span<const Rgb> palette, std::span<const std::uint8_t> pixels);

} // namespace pellomar::directory
