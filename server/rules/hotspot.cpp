#include "rules/hotspot.h"

#include <charconv>
#include <vector>

namespace pellomar::directory {

namespace {

constexpr std::size_t DatasetColumns = 18;

std::optional<int> parseSmallCode(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.size() != 1 || text[0] < '1' || text[0] > '3')
        return std::nullopt;
    return text[0] - '0';
}

std::vector<std::string_view> splitTabs(std::string_view line)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const auto tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            parts.push_back(line.substr(start));
            return parts;
        }
        parts.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

} // namespace

std::string_view accessTypeText(int code)
{
    switch (code) {
    case 1:
        return "free";
    case 2:
        return "free (with registration)";
    case 3:
        return "commercial";
    default:
        return {};
    }
}

std::optional<int> parseAccessTypeCode(std::string_view text)
{
    return parseSmallCode(text);
}

std::optional<int> parseTechnologyCode(std::string_view text)
{
    return parseSmallCode(text);
}

std::string datasetHeader()
{
    return "id\tlocation_name\taccess_type\toperator\twebsite\tphone\temail\tlocation_type\t"
           "address\tzip\tcity\tcountry\tlatitude\tlongitude\ttechnology\tssid\tdescription\t"
           "image_path";
}

std::string formatDatasetLine(const Hotspot &h)
{
    const std::string parts[DatasetColumns] = {
        std::to_string(h.id),
        h.locationName,
        std::to_string(h.accessType),
        h.operatorName,
        h.websiteUrl,
        h.phoneNumber,
        h.emailAddress,
        h.locationTypeCode,
        h.address,
        h.zip,
        h.city,
        h.countryCode,
        h.latitude,
        h.longitude,
        std::to_string(h.technologyCode),
        h.ssidInfo,
        h.description,
        h.imagePath,
    };
    std::string line;
    for (std::size_t i = 0; i < DatasetColumns; ++i) {
        if (i > 0)
            line += '\t';
        line += parts[i];
    }
    return line;
}

std::optional<Hotspot> parseDatasetLine(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    const auto parts = splitTabs(line);
    if (parts.size() != DatasetColumns)
        return std::nullopt;

    Hotspot h;
    const auto idText = parts[0];
    const auto [end, ec] = std::from_chars(idText.data(), idText.data() + idText.size(), h.id);
    if (ec != std::errc() || end != idText.data() + idText.size() || h.id <= 0)
        return std::nullopt;
    const auto access = parseAccessTypeCode(parts[2]);
    const auto technology = parseTechnologyCode(parts[14]);
    if (!access || !technology)
        return std::nullopt;

    h.locationName = parts[1];
    h.accessType = *access;
    h.operatorName = parts[3];
    h.websiteUrl = parts[4];
    h.phoneNumber = parts[5];
    h.emailAddress = parts[6];
    h.locationTypeCode = parts[7];
    h.address = parts[8];
    h.zip = parts[9];
    h.city = parts[10];
    h.countryCode = parts[11];
    h.latitude = parts[12];
    h.longitude = parts[13];
    h.technologyCode = *technology;
    h.ssidInfo = parts[15];
    h.description = parts[16];
    h.imagePath = parts[17];
    return h;
}

} // namespace pellomar::directory
