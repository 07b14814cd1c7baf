// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "rules/submission.h"

#include <optional>
#include <string>
#include <variant>

namespace pellomar {
class ReferenceTable;
}

namespace pellomar::directory {

// What a search asks the store for: the country always, the other filters when given.
// Text filters are held in their compared forms, made by keysOf as a place's are.
struct SearchQuery {
    std::string countryCode;
    std::optional<std::string> cityKey;
    std::optional<std::string> zipKey;
    std::optional<std::string> locationTypeCode;
    std::optional<int> accessType;

    bool operator==(const SearchQuery &) const = default;
};

// The one-line messages a search can get instead of records. None holds "<>" or the capital
// letters END, so the client shows them as they are.
namespace messages {
inline constexpr std::string_view NoCountry
    = "Please choose a country: the directory searches one country at a time.";
inline constexpr std::string_view UnknownCountry
    = "The directory does not know the country you asked for.";
inline constexpr std::string_view UnknownLocationType
    = "The directory does not know the location type you asked for.";
inline constexpr std::string_view UnknownAccessType
    = "The access type must be 1 (free), 2 (free with registration) or 3 (commercial).";
inline constexpr std::string_view NoMatch
    = "No hotspots match your search. Try again without the city, ZIP code or location type.";
} // namespace messages

// Most records one reply carries; the client shows the first 300 of them.
inline constexpr std::size_t MaxRecordsPerReply = 1000;

// Reads the search keys country, city, zipcode, loctype and type from the decoded query
// (values as bytes: UTF-8 or Latin-1). An empty value counts as not given, except for the
// country, which is required. Gives the query, or the message to answer with.
std::variant<SearchQuery, std::string_view> searchQueryFrom(
    const FormValues &query, const ReferenceTable &countries, const ReferenceTable &locationTypes);

// The query in its compared forms, so that equivalent searches share a reply.
std::string cacheKey(const SearchQuery &query);

} // namespace pellomar::directory
