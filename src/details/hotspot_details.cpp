// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "details/hotspot_details.h"

#include "details/image_request.h"
#include "reference/record_format.h"
#include "reference/text_fields.h"

namespace pellomar {

namespace {

std::string fieldOf(std::string_view record, HotspotField field)
{
    return std::string(trim(GetField(record, fieldNumber(field), ",")));
}

// Every occurrence, left to right without overlaps; the comparison is exact and case-sensitive.
std::string replaceAll(std::string text, std::string_view from, std::string_view to)
{
    for (std::size_t hit = text.find(from); hit != std::string::npos;
         hit = text.find(from, hit + to.size()))
        text.replace(hit, from.size(), to);
    return text;
}

std::string orDash(std::string value, bool zeroToo)
{
    return value.empty() || (zeroToo && value == "0") ? std::string("-") : value;
}

std::string technologyName(std::string code)
{
    if (code == "1")
        return "802.11B";
    if (code == "2")
        return "802.11B/G";
    if (code == "3")
        return "802.11G";
    // Places imported from OpenStreetMap do not say which radio they use.
    if (code == "unknown")
        return "Unknown";
    return code;
}

} // namespace

HotspotDetails readHotspotDetails(std::string_view record, const CountryNameLookup &countryName)
{
    using F = HotspotField;
    HotspotDetails d;
    d.locationName = fieldOf(record, F::LocationName);
    // "unknown": a place imported from OpenStreetMap whose fee the data do not tell.
    d.hotspotType = replaceAll(
        replaceAll(
            replaceAll(replaceAll(fieldOf(record, F::HotspotType), "comm", "Comm"), "free", "Free"),
            "reg", "Reg"),
        "unknown", "Unknown");
    d.operatorName = fieldOf(record, F::Operator);
    d.websiteUrl = fieldOf(record, F::WebsiteURL);
    if (d.websiteUrl.starts_with("www."))
        d.websiteUrl.insert(0, "http://");
    d.phoneNumber = orDash(fieldOf(record, F::PhoneNumber), true);
    d.emailAddress = fieldOf(record, F::EmailAddress);
    d.locationType = fieldOf(record, F::LocationType);
    d.address = fieldOf(record, F::Address);
    d.zip = orDash(fieldOf(record, F::ZIP), true);
    d.city = fieldOf(record, F::City);
    if (countryName)
        d.countryName
            = std::string(trim(countryName(GetField(record, fieldNumber(F::CountryCode), ","))));
    d.latitude = orDash(fieldOf(record, F::Latitude), false);
    d.longitude = orDash(fieldOf(record, F::Longitude), false);
    d.technology = technologyName(fieldOf(record, F::TechnologyCode));
    d.ssidInfo = fieldOf(record, F::SSidInfo);
    d.description = fieldOf(record, F::Description);
    if (d.description == "-" || d.description == "0")
        d.description.clear();
    d.imagePath = fieldOf(record, F::ImagePath);
    if (const auto path = imagePathOf(d.imagePath)) {
        d.imagePath = *path;
        d.hasImage = true;
    }
    return d;
}

} // namespace pellomar
