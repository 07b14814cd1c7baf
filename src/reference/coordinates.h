// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pellomar {

// A latitude or longitude as a record holds it.
struct Coordinate {
    double value = 0;
    std::string text; // as written, without a '+' or the spaces around it
};

// Only what a person writes: an optional sign, digits, an optional point and digits (at least
// one digit in all), spaces around, at most 24 characters, no more than `range` degrees either
// way. No exponent, "inf", hexadecimal or comma as the point. Nothing for anything else.
std::optional<Coordinate> parseCoordinate(std::string_view text, double range);

// Where a hotspot is: both coordinates valid and not 0/0, which directories write for
// "unknown". The one answer the map link, the export and the map share.
struct Position {
    Coordinate latitude;
    Coordinate longitude;
};
std::optional<Position> parsePosition(std::string_view latitude, std::string_view longitude);

} // namespace pellomar
