// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rules/search_request.h"

#include "reference/reference_table.h"
#include "reference/text_encoding.h"
#include "reference/text_fields.h"
#include "rules/hotspot.h"
#include "rules/text_keys.h"

namespace pellomar::directory {

namespace {

std::optional<std::string> given(const FormValues &query, std::string_view key)
{
    const auto it = query.find(key);
    if (it == query.end() || Trim(it->second).empty())
        return std::nullopt;
    return AsUtf8(Trim(it->second));
}

} // namespace

std::variant<SearchQuery, std::string_view> searchQueryFrom(
    const FormValues &query, const ReferenceTable &countries, const ReferenceTable &locationTypes)
{
    SearchQuery search;
    const auto country = given(query, "country");
    if (!country)
        return messages::NoCountry;
    search.countryCode = UpperTrim(*country);
    if (!countries.nameForCode(search.countryCode))
        return messages::UnknownCountry;

    if (const auto city = given(query, "city"))
        search.cityKey = searchKey(*city);
    if (const auto zip = given(query, "zipcode"))
        search.zipKey = postalKey(*zip);
    if (const auto type = given(query, "loctype")) {
        search.locationTypeCode = UpperTrim(*type);
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

} // namespace pellomar::directory
