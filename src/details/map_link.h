#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pellomar {

// The OpenStreetMap address that centres a map on a hotspot, from the latitude and longitude
// a detail window shows. Nothing when they are no position on Earth: a value that is not a
// plain decimal number ("-", empty, "n/a", "1e3", "52,5"), a latitude beyond 90 or a longitude
// beyond 180 degrees either way, or 0/0, which directories write for "unknown".
std::optional<std::string> MapAddress(std::string_view latitude, std::string_view longitude);

} // namespace pellomar
