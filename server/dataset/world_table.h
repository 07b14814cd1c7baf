// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pellomar::directory {

struct WorldCountry {
    std::string code;
    std::string diallingCode;
    std::string language;
};

struct WorldCity {
    std::string countryCode;
    std::string name;
    double latitude = 0;
    double longitude = 0;
    std::vector<std::string> postalCodes;
    int hotspots = 0;
};

struct WorldTable {
    std::vector<WorldCountry> countries;
    std::vector<WorldCity> cities;

    const WorldCountry *country(std::string_view code) const;
};

// The table of real places the dataset is built on (dataset/world.txt). Nothing, with "line N:
// what is wrong" in `error`, when the table cannot be read.
std::optional<WorldTable> parseWorldTable(std::string_view text, std::string &error);

// The words names, addresses and descriptions are made of (dataset/words.txt): lists by
// section and name, such as "de" "streets" or "CAFE" "names".
struct WordLists {
    std::map<std::pair<std::string, std::string>, std::vector<std::string>> lists;

    // Empty when there is no such list.
    std::span<const std::string> list(const std::string &section, const std::string &name) const;
};

// Nothing, with "line N: what is wrong" in `error`, when the lists cannot be read.
std::optional<WordLists> parseWordLists(std::string_view text, std::string &error);

} // namespace pellomar::directory
