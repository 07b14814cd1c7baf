// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dataset/world_table.h"

#include "reference/reference_table.h"

#include <charconv>

namespace pellomar::directory {

namespace {

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const auto at = text.find(separator, start);
        if (at == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
}

template<typename T> bool parseNumber(std::string_view text, T &value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

} // namespace

const WorldCountry *WorldTable::country(std::string_view code) const
{
    for (const auto &c : countries) {
        if (c.code == code)
            return &c;
    }
    return nullptr;
}

std::optional<WorldTable> parseWorldTable(std::string_view text, std::string &error)
{
    WorldTable table;
    int lineNumber = 0;
    const auto fail = [&](std::string_view what) {
        error = "line " + std::to_string(lineNumber) + ": " + std::string(what);
        return std::nullopt;
    };
    for (std::string_view line : splitLines(text)) {
        ++lineNumber;
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '@') {
            const auto parts = split(line.substr(1), '|');
            if (parts.size() != 3 || parts[0].size() != 2)
                return fail(
                    "a country line needs a two-letter code, a dialling code and a language");
            table.countries.push_back(
                { std::string(parts[0]), std::string(parts[1]), std::string(parts[2]) });
            continue;
        }
        const auto parts = split(line, '|');
        if (parts.size() != 6)
            return fail("a city line needs six columns");
        WorldCity city;
        city.countryCode = parts[0];
        city.name = parts[1];
        if (!table.country(city.countryCode))
            return fail("the city's country has no country line before it");
        if (!parseNumber(parts[2], city.latitude) || !parseNumber(parts[3], city.longitude)
            || city.latitude < -90 || city.latitude > 90 || city.longitude < -180
            || city.longitude > 180)
            return fail("latitude and longitude must be degrees");
        if (!parts[4].empty()) {
            for (auto code : split(parts[4], ';'))
                city.postalCodes.emplace_back(code);
        }
        if (!parseNumber(parts[5], city.hotspots) || city.hotspots < 1)
            return fail("the number of hotspots must be a positive number");
        table.cities.push_back(std::move(city));
    }
    return table;
}

std::span<const std::string> WordLists::list(
    const std::string &section, const std::string &name) const
{
    const auto it = lists.find({ section, name });
    return it == lists.end() ? std::span<const std::string>() : it->second;
}

std::optional<WordLists> parseWordLists(std::string_view text, std::string &error)
{
    WordLists words;
    std::string section;
    int lineNumber = 0;
    for (std::string_view line : splitLines(text)) {
        ++lineNumber;
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const auto parts = split(line, '|');
        if (section.empty() || parts.size() < 2) {
            error = "line " + std::to_string(lineNumber)
                + ": a list needs a section before it, a name and at least one entry";
            return std::nullopt;
        }
        words.lists[{ section, std::string(parts[0]) }].assign(parts.begin() + 1, parts.end());
    }
    return words;
}

} // namespace pellomar::directory
