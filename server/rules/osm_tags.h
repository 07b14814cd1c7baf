#pragma once

#include "rules/hotspot.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pellomar {
class ReferenceTable;
}

namespace pellomar::directory {

// The location type of a place that fits none of the others; a row of locations.txt.
inline constexpr std::string_view OtherLocationType = "OTHER";

// One object's tags as the extract gives them, in the extract's order.
using OsmTags = std::vector<std::pair<std::string_view, std::string_view>>;

// What an object's tags say about public Wi-Fi. "wifi" is a common misspelling of "wlan";
// "yes" is mostly Wi-Fi too and is counted apart; "no", "wired", "terminal" and anything
// else is not a hotspot, nor is a place whose access is private.
enum class WifiTag { Absent, Wlan, Yes, NotWifi, Private };
WifiTag wifiTagOf(const OsmTags &tags);

// The code of the first location type (in the table's order) whose tag the place has, else
// OtherLocationType.
std::string_view locationTypeOf(const OsmTags &tags);

// Text from an extract made fit to travel inside a record, and whether it had to change.
struct SafeText {
    std::string text;
    bool madeSafe = false; // markers or control characters replaced
    bool cut = false; // longer than MaxValueBytes
};
inline constexpr std::size_t MaxValueBytes = 255;
SafeText safeText(std::string_view value);

// A place as its tags describe it. City and country are empty when the tags name none (or a
// country code countries.txt does not list): the import then looks for the boundaries around
// the place.
struct OsmHotspot {
    Hotspot hotspot;
    int textsMadeSafe = 0;
    int valuesCut = 0;
};
OsmHotspot hotspotFromTags(const OsmTags &tags, double latitude, double longitude,
    const ReferenceTable &countries, const ReferenceTable &locationTypes);

// A hotspot read from an extract, with the object it came from: its kind ('n' node, 'w' way,
// 'r' relation) and id, which a later import of the same area matches it by.
struct ImportedPlace {
    char osmType = 'n';
    std::int64_t osmId = 0;
    Hotspot hotspot;
};

// A coordinate with at most 7 decimals (about a centimetre), without trailing zeros.
std::string coordinateText(double degrees);

} // namespace pellomar::directory
