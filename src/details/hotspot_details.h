#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace pellomar {

// What a detail window shows of one hotspot record: each field trimmed and tidied for
// display. The values stay byte strings as received, so that saving writes them unchanged.
struct HotspotDetails {
    std::string title;
    std::string lblName;
    std::string lblType;
    std::string lblLocType;
    std::string lblOperator;
    std::string lblPhone;
    std::string lblURL;
    std::string lblEmail;
    std::string lblAddress;
    std::string lblZIP;
    std::string lblCity;
    std::string lblCountry;
    std::string lblTechnology;
    std::string lblSSInfo;
    std::string lblInfo;
    std::string lblLatitude;
    std::string lblLongitude;
    // The record's image field, trimmed; "/" in front when it names a picture.
    std::string ImageURL;
    bool hasImage = false;

    bool operator==(const HotspotDetails &) const = default;
};

// Country code -> country name (upper-cased), "" when the code is unknown.
using CountryNameLookup = std::function<std::string(std::string_view code)>;

// Fills and tidies the values of a detail window from one record line of the result table.
// Pure: the same record always gives the same values.
HotspotDetails ReadHotspotDetails(std::string_view record, const CountryNameLookup &countryName);

// The tidying rules, each on a value already trimmed of spaces; comparisons are exact and
// case-sensitive.
std::string TidyCoordinate(std::string_view value); // "" -> "-"
std::string TidyHotspotType(std::string_view value); // comm/free/reg capitalised everywhere
std::string TechnologyName(std::string_view code); // "1", "2", "3" -> the 802.11 names
std::string TidyNumber(std::string_view value); // ZIP and phone: "0" or "" -> "-"
std::string TidyWebsite(std::string_view value); // "www...." -> "http://www...."
std::string TidyDescription(std::string_view value); // "-" or "0" -> ""

// Every occurrence of `from` replaced by `to`, scanning left to right without overlaps.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

} // namespace pellomar
