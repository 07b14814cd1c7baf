// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "rules/hotspot.h"

#include <string>
#include <string_view>

namespace pellomar::directory {

// The forms in which a search compares a place with a query. The store keeps a place's keys
// beside its text, and a query is turned into keys by the same function, so that a place is
// found however either side was typed: if the two sides made their keys apart and one changed,
// searches would silently find nothing.
struct SearchKeys {
    std::string countryCode;
    std::string locationTypeCode;
    std::string cityKey;
    std::string zipKey;

    bool operator==(const SearchKeys &) const = default;
};

// The texts a search compares, as typed in a form, a query, a dataset or an extract (UTF-8).
struct KeyedText {
    std::string_view countryCode;
    std::string_view locationTypeCode;
    std::string_view city;
    std::string_view zip;
};

// Codes upper-cased and trimmed, the city accent- and case-blind (searchKey), the postal code
// without spaces (postalKey).
SearchKeys keysOf(const KeyedText &text);
SearchKeys keysOf(const Hotspot &hotspot);

// A country or location type code in its compared form, for places made with a code alone.
std::string codeKey(std::string_view code);

} // namespace pellomar::directory
