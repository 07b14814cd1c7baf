// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

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
    constexpr std::string_view texts[]
        = { "unknown", "free", "free (with registration)", "commercial" };
    return code >= UnknownAccessType && code <= 3 ? texts[code] : std::string_view();
}

std::optional<int> parseTypeCode(std::string_view text)
{
    text = trim(text);
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
    std::int64_t id = 0;
    const auto [end, ec] = std::from_chars(parts[0].data(), parts[0].data() + parts[0].size(), id);
    const auto access = parseTypeCode(parts[2]);
    const auto technology = parseTypeCode(parts[14]);
    if (ec != std::errc() || end != parts[0].data() + parts[0].size() || id <= 0 || !access
        || !technology)
        return std::nullopt;
    const auto text = [&parts](std::size_t i) { return std::string(parts[i]); };
    return Hotspot { id, text(1), *access, text(3), text(4), text(5), text(6), text(7), text(8),
        text(9), text(10), text(11), text(12), text(13), *technology, text(15), text(16),
        text(17) };
}

} // namespace pellomar::directory
