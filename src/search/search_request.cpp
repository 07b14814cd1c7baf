// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "search/search_request.h"

#include "reference/http_message.h"
#include "reference/text_fields.h"

namespace pellomar {

namespace {

bool isSet(std::string_view fieldText)
{
    const std::string t = LowerTrim(fieldText);
    return !t.empty() && t != "all";
}

void appendParameter(std::string &path, std::string_view key, std::string_view value)
{
    path += path.find('=') == std::string::npos ? '?' : '&';
    path += key;
    path += percentEncoded(trim(value));
}

} // namespace

SearchRequest buildRequestPath(
    const SearchFields &fields, const CodeLookup &countryCode, const CodeLookup &locationTypeCode)
{
    SearchRequest request { "/browse-app.php", SearchStop::None };
    if (!isSet(fields.country)) {
        request.stop = SearchStop::NoCountry;
        return request;
    }
    // A code that cannot be found would go out empty and match nothing useful.
    const std::string country = countryCode(LowerTrim(fields.country));
    if (trim(country).empty()) {
        request.stop = SearchStop::UnknownCountry;
        return request;
    }
    appendParameter(request.path, "country=", country);
    if (isSet(fields.city))
        appendParameter(request.path, "city=", fields.city);
    if (isSet(fields.zip))
        appendParameter(request.path, "zipcode=", fields.zip);
    if (isSet(fields.locationType)) {
        const std::string locationType = locationTypeCode(fields.locationType);
        if (trim(locationType).empty()) {
            request.stop = SearchStop::UnknownLocationType;
            return request;
        }
        appendParameter(request.path, "loctype=", locationType);
    }
    if (isSet(fields.accessType))
        appendParameter(request.path, "type=", GetTypeCode(fields.accessType));
    return request;
}

std::string GetTypeCode(std::string_view accessType)
{
    const std::string t = LowerTrim(accessType);
    if (t == "free")
        return "1";
    if (t.find("regis") != std::string::npos)
        return "2";
    return "3";
}

} // namespace pellomar
