#include "rules/hotspot.h"

#include "reference/text_fields.h"

#include <array>
#include <charconv>

namespace pellomar::directory {

namespace {

constexpr std::size_t DatasetColumns = 18;

} // namespace

std::string_view accessTypeText(int code)
{
    constexpr std::string_view texts[] = { "free", "free (with registration)", "commercial" };
    return code >= 1 && code <= 3 ? texts[code - 1] : std::string_view();
}

std::optional<int> parseTypeCode(std::string_view text)
{
    text = Trim(text);
    if (text.size() != 1 || text[0] < '1' || text[0] > '3')
        return std::nullopt;
    return text[0] - '0';
}

std::string formatDatasetLine(const Hotspot &h)
{
    const std::string parts[DatasetColumns] = { std::to_string(h.id), h.locationName,
        std::to_string(h.accessType), h.operatorName, h.websiteUrl, h.phoneNumber, h.emailAddress,
        h.locationTypeCode, h.address, h.zip, h.city, h.countryCode, h.latitude, h.longitude,
        std::to_string(h.technologyCode), h.ssidInfo, h.description, h.imagePath };
    std::string line = parts[0];
    for (std::size_t i = 1; i < DatasetColumns; ++i)
        line += '\t' + parts[i];
    return line;
}

std::optional<Hotspot> parseDatasetLine(std::string_view line)
{
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    std::array<std::string_view, DatasetColumns> parts;
    for (std::size_t i = 0; i < DatasetColumns; ++i) {
        const auto tab = line.find('\t');
        if ((tab == std::string_view::npos) != (i + 1 == DatasetColumns))
            return std::nullopt;
        parts[i] = line.substr(0, tab);
        line.remove_prefix(tab == std::string_view::npos ? line.size() : tab + 1);
    }
    Hotspot h;
    const auto idText = parts[0];
    const auto [end, ec] = std::from_chars(idText.data(), idText.data() + idText.size(), h.id);
    const auto access = parseTypeCode(parts[2]);
    const auto technology = parseTypeCode(parts[14]);
    if (ec != std::errc() || end != idText.data() + idText.size() || h.id <= 0 || !access
        || !technology)
        return std::nullopt;
    h = { h.id, std::string(parts[1]), *access, std::string(parts[3]), std::string(parts[4]),
        std::string(parts[5]), std::string(parts[6]), std::string(parts[7]), std::string(parts[8]),
        std::string(parts[9]), std::string(parts[10]), std::string(parts[11]),
        std::string(parts[12]), std::string(parts[13]), *technology, std::string(parts[15]),
        std::string(parts[16]), std::string(parts[17]) };
    return h;
}

} // namespace pellomar::directory
