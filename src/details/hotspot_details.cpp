#include "details/hotspot_details.h"

#include "details/image_request.h"
#include "reference/text_fields.h"

namespace pellomar {

namespace {

std::string fieldOf(std::string_view record, int index)
{
    return std::string(Trim(GetField(record, index, ",")));
}

} // namespace

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to)
{
    if (from.empty())
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t hit = text.find(from); hit != std::string_view::npos;
         hit = text.find(from, start)) {
        out.append(text.substr(start, hit - start));
        out.append(to);
        start = hit + from.size();
    }
    out.append(text.substr(start));
    return out;
}

std::string TidyCoordinate(std::string_view value)
{
    return Trim(value).empty() ? std::string("-") : std::string(value);
}

std::string TidyHotspotType(std::string_view value)
{
    std::string text = ReplaceAll(value, "comm", "Comm");
    text = ReplaceAll(text, "free", "Free");
    return ReplaceAll(text, "reg", "Reg");
}

std::string TechnologyName(std::string_view code)
{
    const std::string_view key = Trim(code);
    if (key == "1")
        return "802.11B";
    if (key == "2")
        return "802.11B/G";
    if (key == "3")
        return "802.11G";
    return std::string(code);
}

std::string TidyNumber(std::string_view value)
{
    const std::string_view key = Trim(value);
    return key.empty() || key == "0" ? std::string("-") : std::string(value);
}

std::string TidyWebsite(std::string_view value)
{
    return Trim(value).starts_with("www.") ? "http://" + std::string(Trim(value))
                                           : std::string(value);
}

std::string TidyDescription(std::string_view value)
{
    const std::string_view key = Trim(value);
    return key == "-" || key == "0" ? std::string() : std::string(value);
}

HotspotDetails ReadHotspotDetails(std::string_view record, const CountryNameLookup &countryName)
{
    HotspotDetails d;
    d.title = fieldOf(record, 1);
    d.lblName = fieldOf(record, 1);
    d.lblType = fieldOf(record, 2);
    d.lblLocType = fieldOf(record, 7);
    d.lblOperator = fieldOf(record, 3);
    d.lblPhone = fieldOf(record, 5);
    d.lblURL = fieldOf(record, 4);
    d.lblEmail = fieldOf(record, 6);
    d.lblAddress = fieldOf(record, 8);
    d.lblZIP = fieldOf(record, 9);
    d.lblCity = fieldOf(record, 10);
    if (countryName)
        d.lblCountry = std::string(Trim(countryName(GetField(record, 11, ","))));
    d.lblTechnology = fieldOf(record, 14);
    d.lblSSInfo = fieldOf(record, 15);
    d.lblInfo = fieldOf(record, 16);
    d.lblLatitude = fieldOf(record, 12);
    d.lblLongitude = fieldOf(record, 13);

    d.lblLatitude = TidyCoordinate(d.lblLatitude);
    d.lblLongitude = TidyCoordinate(d.lblLongitude);
    d.lblType = TidyHotspotType(d.lblType);
    d.lblTechnology = TechnologyName(d.lblTechnology);
    d.lblZIP = TidyNumber(d.lblZIP);
    d.lblPhone = TidyNumber(d.lblPhone);
    d.lblURL = TidyWebsite(d.lblURL);
    d.lblInfo = TidyDescription(d.lblInfo);

    d.ImageURL = fieldOf(record, 17);
    if (const auto path = ImagePathOf(d.ImageURL)) {
        d.ImageURL = *path;
        d.hasImage = true;
    }
    return d;
}

} // namespace pellomar
