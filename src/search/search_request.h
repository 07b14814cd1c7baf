// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace pellomar {

// The five fields of the search form, as typed or chosen (bytes, UTF-8).
struct SearchFields {
    std::string country;
    std::string city;
    std::string zip;
    std::string locationType;
    std::string accessType;
};

// Looks a name up in a reference table and returns its code, or "" when the name is not in
// the table (the lookup tells the user itself).
using CodeLookup = std::function<std::string(std::string_view name)>;

// Why a search does not go out.
enum class SearchStop {
    None, // the request is ready
    NoCountry, // no country chosen: the form's own message
    UnknownCountry, // the country lookup missed (and has told the user)
    UnknownLocationType, // the location-type lookup missed (and has told the user)
};

struct SearchRequest {
    std::string path; // "/browse-app.php" and the query built so far
    SearchStop stop = SearchStop::None;
};

// The path and query of a search: the fields in the fixed order country, city, zipcode,
// loctype, type; a field that is empty or "all" adds nothing. Values are trimmed and
// percent-encoded, so that nothing typed can add a parameter of its own. The lookups are
// called only for fields that are set; the first miss stops the search.
SearchRequest buildRequestPath(
    const SearchFields &fields, const CodeLookup &countryCode, const CodeLookup &locationTypeCode);

// The access type's code: "1" free, "2" free with registration, "3" anything else.
std::string GetTypeCode(std::string_view accessType);

} // namespace pellomar
