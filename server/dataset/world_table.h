#pragma once

#include <optional>
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

struct WorldTableResult {
    std::optional<WorldTable> table;
    // "line N: what is wrong" when the table could not be read.
    std::string error;
};

// The table of real places the dataset is built on (dataset/world.txt).
WorldTableResult parseWorldTable(std::string_view text);

} // namespace pellomar::directory
