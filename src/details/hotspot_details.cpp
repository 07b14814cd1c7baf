#include "details/hotspot_details.h"

#include "details/image_request.h"
#include "reference/text_fields.h"

namespace pellomar {

namespace {

std::string fieldOf(std::string_view record, int index)
{
    return std::string(Trim(GetField(record, index, ",")));
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

HotspotDetails ReadHotspotDetails(std::string_view record, const CountryNameLookup &countryName)
{
    HotspotDetails d;
    d.locationName = fieldOf(record, 1);
    // "unknown": a place imported from OpenStreetMap whose fee the data do not tell.
    d.hotspotType = replaceAll(
        replaceAll(replaceAll(replaceAll(fieldOf(record, 2), "comm", "Comm"), "free", "Free"),
            "reg", "Reg"),
        "unknown", "Unknown");
    d.operatorName = fieldOf(record, 3);
    d.websiteUrl = fieldOf(record, 4);
    if (d.websiteUrl.starts_with("www."))
        d.websiteUrl.insert(0, "http://");
    d.phoneNumber = orDash(fieldOf(record, 5), true);
    d.emailAddress = fieldOf(record, 6);
    d.locationType = fieldOf(record, 7);
    d.address = fieldOf(record, 8);
    d.zip = orDash(fieldOf(record, 9), true);
    d.city = fieldOf(record, 10);
    if (countryName)
        d.countryName = std::string(Trim(countryName(GetField(record, 11, ","))));
    d.latitude = orDash(fieldOf(record, 12), false);
    d.longitude = orDash(fieldOf(record, 13), false);
    d.technology = technologyName(fieldOf(record, 14));
    d.ssidInfo = fieldOf(record, 15);
    d.description = fieldOf(record, 16);
    if (d.description == "-" || d.description == "0")
        d.description.clear();
    d.imagePath = fieldOf(record, 17);
    if (const auto path = ImagePathOf(d.imagePath)) {
        d.imagePath = *path;
        d.hasImage = true;
    }
    return d;
}

} // namespace pellomar
