// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace pellomar {

// What a detail window shows of one hotspot record: each field trimmed and tidied for
// display. The values stay byte strings as received, so that saving writes them unchanged.
struct HotspotDetails {
    std::string locationName;
    std::string hotspotType;
    std::string locationType;
    std::string operatorName;
    std::string phoneNumber;
    std::string websiteUrl;
    std::string emailAddress;
    std::string address;
    std::string zip;
    std::string city;
    std::string countryName;
    std::string technology;
    std::string ssidInfo;
    std::string description;
    std::string latitude;
    std::string longitude;
    // The record's image field, trimmed; "/" in front when it names a picture.
    std::string imagePath;
    bool hasImage = false;

    bool operator==(const HotspotDetails &) const = default;
};

// Country code -> country name (upper-cased), "" when the code is unknown.
using CountryNameLookup = std::function<std::string(std::string_view code)>;

// Fills and tidies the values of a detail window from one record line of the result table:
// "-" for an empty position, ZIP or phone number ("0" too for the last two), "Free", "Comm"
// and "Reg" capitalised in the type, the technology's name for its code, "http://" before a
// web site starting "www.", no description for "-" or "0". Pure: the same record always
// gives the same values.
HotspotDetails readHotspotDetails(std::string_view record, const CountryNameLookup &countryName);

} // namespace pellomar
