// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "details/map_link.h"

#include "reference/coordinates.h"

namespace pellomar {

std::optional<std::string> mapAddress(std::string_view latitude, std::string_view longitude)
{
    const auto position = parsePosition(latitude, longitude);
    if (!position)
        return std::nullopt;
    const std::string &lat = position->latitude.text;
    const std::string &lon = position->longitude.text;
    return "https://www.openstreetmap.org/?mlat=" + lat + "&mlon=" + lon + "#map=17/" + lat + '/'
        + lon;
}

} // namespace pellomar
