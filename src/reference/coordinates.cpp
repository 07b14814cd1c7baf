// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reference/coordinates.h"

#include "reference/text_fields.h"

#include <charconv>

namespace pellomar {

std::optional<Coordinate> parseCoordinate(std::string_view text, double range)
{
    // Far longer than any real coordinate; keeps a map address short.
    constexpr std::size_t MaxLength = 24;
    text = trim(text);
    if (text.empty() || text.size() > MaxLength)
        return std::nullopt;
    std::string_view body = text;
    const bool negative = body.front() == '-';
    if (body.front() == '+' || negative)
        body.remove_prefix(1);
    int digits = 0;
    int points = 0;
    for (const char c : body) {
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c != '.' || ++points > 1)
            return std::nullopt;
    }
    double magnitude = 0;
    const auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), magnitude);
    if (digits == 0 || error != std::errc() || end != body.data() + body.size()
        || magnitude > range)
        return std::nullopt;
    // No "-0" value: a sign on nothing means nothing.
    const double value = negative && magnitude != 0 ? -magnitude : magnitude;
    return Coordinate { value, (negative ? "-" : "") + std::string(body) };
}

std::optional<Position> parsePosition(std::string_view latitude, std::string_view longitude)
{
    auto lat = parseCoordinate(latitude, 90);
    auto lon = parseCoordinate(longitude, 180);
    if (!lat || !lon || (lat->value == 0 && lon->value == 0))
        return std::nullopt;
    return Position { std::move(*lat), std::move(*lon) };
}

} // namespace pellomar
