// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rules/osm_tags.h"

#include "reference/reference_table.h"
#include "reference/text_encoding.h"
#include "reference/text_fields.h"
#include "rules/search_keys.h"

#include <array>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <optional>

namespace pellomar::directory {

namespace {

struct TypeRule {
    std::string_view key;
    std::initializer_list<std::string_view> values;
    std::string_view code;
};

// Which tags make which location type of locations.txt. A place with tags of several types
// takes the first row here that matches.
const std::array<TypeRule, 25> TypeRules { {
    { "aeroway", { "aerodrome", "terminal" }, "AIR" },
    { "shop", { "books" }, "BOOK" },
    { "amenity", { "cafe" }, "CAFE" },
    { "tourism", { "camp_site", "caravan_site" }, "CAMP" },
    { "amenity", { "conference_centre" }, "CONV" },
    { "amenity", { "fast_food", "food_court" }, "FAST" },
    { "amenity", { "fuel" }, "GAS" },
    { "amenity", { "hospital", "clinic" }, "HOSP" },
    { "tourism", { "hotel", "hostel", "motel", "guest_house", "apartment" }, "HOTEL" },
    { "amenity", { "internet_cafe" }, "NETCAFE" },
    { "amenity", { "library" }, "LIB" },
    { "leisure", { "marina" }, "MARINA" },
    { "tourism", { "museum", "gallery" }, "MUSEUM" },
    { "leisure", { "park" }, "PARK" },
    { "amenity", { "pub", "bar", "biergarten" }, "PUB" },
    { "amenity", { "restaurant" }, "REST" },
    { "shop", { "mall", "department_store" }, "MALL" },
    { "leisure", { "stadium", "sports_centre" }, "STADIUM" },
    { "railway", { "station", "halt" }, "TRAIN" },
    { "amenity", { "bus_station" }, "BUS" },
    { "amenity", { "university", "college" }, "UNIV" },
    { "amenity", { "coworking_space" }, "COWORK" },
    { "office", { "coworking" }, "COWORK" },
    { "place", { "square" }, "SQUARE" },
    { "amenity", { "ferry_terminal" }, "FERRY" },
} };

std::optional<std::string_view> valueOf(const OsmTags &tags, std::string_view key)
{
    for (const auto &[k, v] : tags) {
        if (k == key)
            return v;
    }
    return std::nullopt;
}

// The value of the first of `keys` the place has with a value that is not empty.
std::string_view firstOf(const OsmTags &tags, std::initializer_list<std::string_view> keys)
{
    for (const auto key : keys) {
        if (const auto value = valueOf(tags, key); value && !trim(*value).empty())
            return *value;
    }
    return {};
}

bool isUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

WifiTag wifiTagOf(const OsmTags &tags)
{
    const auto access = valueOf(tags, "internet_access");
    if (!access)
        return WifiTag::Absent;
    if (valueOf(tags, "access") == "private")
        return WifiTag::Private;
    if (*access == "wlan" || *access == "wifi")
        return WifiTag::Wlan;
    return *access == "yes" ? WifiTag::Yes : WifiTag::NotWifi;
}

std::string_view locationTypeOf(const OsmTags &tags)
{
    for (const auto &rule : TypeRules) {
        const auto value = valueOf(tags, rule.key);
        for (const auto wanted : rule.values) {
            if (value == wanted)
                return rule.code;
        }
    }
    return OtherLocationType;
}

SafeText safeText(std::string_view value)
{
    SafeText safe;
    // An extract is UTF-8 by definition, but a damaged or hostile one need not be; read like
    // every other text of the directory, its bytes then stand for Latin-1 characters.
    const std::string utf8 = asUtf8(value);
    safe.madeSafe = utf8 != value;
    std::string &out = safe.text;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const bool c1Control = c == 0xC2 && i + 1 < utf8.size()
            && static_cast<unsigned char>(utf8[i + 1]) >= 0x80
            && static_cast<unsigned char>(utf8[i + 1]) <= 0x9F;
        if (c < 0x20 || c == 0x7F || c1Control) {
            // A line break or tab inside a name reads as a space.
            out += ' ';
            i += c1Control ? 1 : 0;
        } else if (c == '<') {
            // The record's separator is made of the two angle brackets; their single-angle
            // quotation marks look the same to a reader and are no separator.
            out += "\u2039";
        } else if (c == '>') {
            out += "\u203A";
        } else if (c == 'D' && out.ends_with("EN")) {
            // The client ends a record at every upper-case END ("WEEKEND BAR" is a real name).
            // A lower-case n keeps the word readable, and a search, blind to letter case,
            // still finds the place by its city.
            out.back() = 'n';
            out += 'D';
        } else {
            out += utf8[i];
            continue;
        }
        safe.madeSafe = true;
    }
    if (out.size() > MaxValueBytes) {
        std::size_t end = MaxValueBytes;
        while (end > 0 && isUtf8Continuation(out[end]))
            --end;
        out.resize(end);
        safe.cut = true;
    }
    return safe;
}

std::string coordinateText(double degrees)
{
    std::array<char, 32> buffer {};
    const double rounded = std::round(degrees * 1e7) / 1e7;
    const auto [end, ec] = std::to_chars(
        buffer.data(), buffer.data() + buffer.size(), rounded, std::chars_format::fixed, 7);
    std::string text(buffer.data(), ec == std::errc() ? end : buffer.data());
    while (text.ends_with('0'))
        text.pop_back();
    if (text.ends_with('.'))
        text.pop_back();
    return text == "-0" ? "0" : text;
}

OsmHotspot hotspotFromTags(const OsmTags &tags, double latitude, double longitude,
    const ReferenceTable &countries, const ReferenceTable &locationTypes)
{
    OsmHotspot place;
    const auto text = [&place](std::string_view value) {
        SafeText safe = safeText(trim(value));
        place.textsMadeSafe += safe.madeSafe ? 1 : 0;
        place.valuesCut += safe.cut ? 1 : 0;
        return std::move(safe.text);
    };
    Hotspot &h = place.hotspot;
    h.locationTypeCode = std::string(locationTypeOf(tags));
    h.locationName = text(firstOf(tags, { "name" }));
    if (h.locationName.empty()) {
        // The type's name as locations.txt writes it (nameForCode gives it upper-cased).
        const ReferenceRow *type = locationTypes.rowForCode(h.locationTypeCode);
        h.locationName = type ? type->name : h.locationTypeCode;
    }
    const auto fee = valueOf(tags, "internet_access:fee");
    h.accessType = fee == "no" || fee == "customers" ? 1 : fee == "yes" ? 3 : UnknownAccessType;
    h.operatorName = text(firstOf(tags, { "internet_access:operator", "operator", "brand" }));
    h.websiteUrl = text(firstOf(tags, { "website", "contact:website", "url" }));
    h.phoneNumber = text(firstOf(tags, { "phone", "contact:phone" }));
    h.emailAddress = text(firstOf(tags, { "email", "contact:email" }));
    // Street before number, as most of Europe writes it; addr:place names a place whose
    // houses are numbered without a street.
    std::string street(trim(firstOf(tags, { "addr:street", "addr:place" })));
    const auto number = trim(firstOf(tags, { "addr:housenumber" }));
    if (!number.empty())
        street += street.empty() ? std::string(number) : " " + std::string(number);
    h.address = text(street);
    h.zip = text(firstOf(tags, { "addr:postcode" }));
    h.city = text(firstOf(tags, { "addr:city" }));
    const auto country = codeKey(firstOf(tags, { "addr:country" }));
    if (countries.nameForCode(country))
        h.countryCode = country;
    h.latitude = coordinateText(latitude);
    h.longitude = coordinateText(longitude);
    h.technologyCode = UnknownTechnology;
    h.ssidInfo = text(firstOf(tags, { "internet_access:ssid" }));
    h.description = text(firstOf(tags, { "description" }));
    if (h.description.empty()) {
        if (const auto hours = firstOf(tags, { "opening_hours" }); !trim(hours).empty())
            h.description = text("Open: " + std::string(trim(hours)));
    }
    return place;
}

} // namespace pellomar::directory
