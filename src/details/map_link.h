// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pellomar {

// The OpenStreetMap address that centres a map on a hotspot, from the latitude and longitude
// a detail window shows; nothing when they are no position (parsePosition).
std::optional<std::string> mapAddress(std::string_view latitude, std::string_view longitude);

} // namespace pellomar
