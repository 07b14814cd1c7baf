// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rules/search_request.h"

#include "reference/reference_table.h"
#include "reference/text_encoding.h"
#include "reference/text_fields.h"
#include "rules/hotspot.h"
#include "rules/search_keys.h"

namespace pellomar::directory {

namespace {

std::optional<std::string> given(const FormValues &query, std::string_view key)
{
    const auto it = query.find(key);
    if (it == query.end() || trim(it->second).empty())
        return std::nullopt;
    return asUtf8(trim(it->second));
}

} // namespace

std::variant<SearchQuery, std::string_view> searchQueryFrom(
    const FormValues &query, const ReferenceTable &countries, const ReferenceTable &locationTypes)
{
    const auto country = given(query, "country");
    if (!country)
        return messages::NoCountry;
    const auto city = given(query, "city");
    const auto zip = given(query, "zipcode");
    const auto type = given(query, "loctype");
    SearchKeys keys = keysOf(KeyedText { *country, type.value_or(std::string()),
        city.value_or(std::string()), zip.value_or(std::string()) });

    SearchQuery search;
    search.countryCode = std::move(keys.countryCode);
    if (!countries.nameForCode(search.countryCode))
        return messages::UnknownCountry;
    if (city)
        search.cityKey = std::move(keys.cityKey);
    if (zip)
        search.zipKey = std::move(keys.zipKey);
    if (type) {
        search.locationTypeCode = std::move(keys.locationTypeCode);
        if (!locationTypes.nameForCode(*search.locationTypeCode))
            return messages::UnknownLocationType;
    }
    if (const auto access = given(query, "type")) {
        search.accessType = parseTypeCode(*access);
        if (!search.accessType)
            return messages::UnknownAccessType;
    }
    return search;
}

std::string cacheKey(const SearchQuery &query)
{
    std::string key = query.countryCode;
    for (const auto &part : { query.cityKey, query.zipKey, query.locationTypeCode })
        key += part ? '\x1f' + *part : std::string("\x1e");
    return key + '\x1f' + std::to_string(query.accessType.value_or(0));
}

} // namespace pellomar::directory
