// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <string_view>

namespace pellomar {

// A hotspot record as the directory sends it and the result file keeps it: 17 fields in this
// order, "<>" between them, and in a reply "END" after each record. The program, the directory
// and the tests all read and write it through these names.
enum class HotspotField : int {
    LocationName = 1,
    HotspotType,
    Operator,
    WebsiteURL,
    PhoneNumber,
    EmailAddress,
    LocationType,
    Address,
    ZIP,
    City,
    CountryCode,
    Latitude,
    Longitude,
    TechnologyCode,
    SSidInfo,
    Description,
    ImagePath,
};
inline constexpr int HotspotFieldCount = 17;

// The field's number in the line, from 1, as GetField counts.
constexpr int fieldNumber(HotspotField field)
{
    return static_cast<int>(field);
}

// The fields' names, in their order: the heading of an exported list.
inline constexpr std::array<std::string_view, HotspotFieldCount> HotspotFieldNames { "LocationName",
    "HotspotType", "Operator", "WebsiteURL", "PhoneNumber", "EmailAddress", "LocationType",
    "Address", "ZIP", "City", "CountryCode", "Latitude", "Longitude", "TechnologyCode", "SSidInfo",
    "Description", "ImagePath" };

inline constexpr std::string_view FieldSeparator = "<>";
// Ends a record in a reply, wherever it stands: no value may hold these letters.
inline constexpr std::string_view RecordEndMarker = "END";

} // namespace pellomar
