// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rules/entity_tag.h"

namespace pellomar::directory {

std::string dataEntityTag(std::int64_t version)
{
    return "\"d" + std::to_string(version) + '"';
}

// libmicrohttpd hands the header over as it came and has no parser for its list of tags. Ours
// hold no comma, so a list cut at commas finds them; a tag of another's cut in two only ever
// earns its sender a 304.
bool ifNoneMatchHolds(std::string_view ifNoneMatch, std::string_view tag)
{
    const auto opaque = [](std::string_view t) { return t.starts_with("W/") ? t.substr(2) : t; };
    while (!ifNoneMatch.empty()) {
        const std::size_t comma = ifNoneMatch.find(',');
        std::string_view item = ifNoneMatch.substr(0, comma);
        ifNoneMatch
            = comma == std::string_view::npos ? std::string_view() : ifNoneMatch.substr(comma + 1);
        const std::size_t first = item.find_first_not_of(" \t");
        if (first == std::string_view::npos)
            continue;
        item = item.substr(first, item.find_last_not_of(" \t") + 1 - first);
        if (item == "*" || opaque(item) == opaque(tag))
            return true;
    }
    return false;
}

} // namespace pellomar::directory
