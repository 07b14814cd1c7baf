// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pellomar::directory {

// The tag of a reply made from the data of one version: every process serving the same data
// gives the same tag, so a front's or a browser's copy stays good whichever answered it.
std::string dataEntityTag(std::int64_t version);

// True when an If-None-Match value names `tag` (weakly, as that header compares) or is "*":
// the asker's copy is current and a 304 does.
bool ifNoneMatchHolds(std::string_view ifNoneMatch, std::string_view tag);

} // namespace pellomar::directory
