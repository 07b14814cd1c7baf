#include "rules/search_request.h"

#include "reference/reference_table.h"
#include "rules/hotspot.h"
#include "rules/text_keys.h"

namespace pellomar::directory {

namespace {

std::optional<std::string> given(const FormValues &query, std::string_view key)
{
    const auto it = query.find(key);
    if (it == query.end())
        return std::nullopt;
    std::string value = utf8FromRequestBytes(it->second);
    const auto first = value.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    return value.substr(first, value.find_last_not_of(' ') - first + 1);
}

bool knowsCode(const ReferenceTable &table, std::string_view code)
{
    for (const auto &row : table.rows()) {
        if (codeKey(row.code) == code)
            return true;
    }
    return false;
}

} // namespace

std::variant<SearchQuery, std::string_view> searchQueryFrom(
    const FormValues &query, const ReferenceTable &countries, const ReferenceTable &locationTypes)
{
    SearchQuery search;
    const auto country = given(query, "country");
    if (!country)
        return messages::NoCountry;
    search.countryCode = codeKey(*country);
    if (!knowsCode(countries, search.countryCode))
        return messages::UnknownCountry;

    if (const auto city = given(query, "city"))
        search.cityKey = searchKey(*city);
    if (const auto zip = given(query, "zipcode"))
        search.zipKey = postalKey(*zip);
    if (const auto type = given(query, "loctype")) {
        search.locationTypeCode = codeKey(*type);
        if (!knowsCode(locationTypes, *search.locationTypeCode))
            return messages::UnknownLocationType;
    }
    if (const auto access = given(query, "type")) {
        search.accessType = parseAccessTypeCode(*access);
        if (!search.accessType)
            return messages::UnknownAccessType;
    }
    return search;
}

} // namespace pellomar::directory
