// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "search/search_request.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pellomar {

// A search kept for use without the network: what the form held, when the reply arrived, and
// the records the list showed (at most 300).
struct KeptSearch {
    SearchFields fields;
    std::int64_t receivedMs = 0; // since 1970, UTC
    std::vector<std::string> records;
};

// Its file's plain text: a first line naming the format, one line for each of the five form
// values, the time, the record count and the records' length in bytes, an empty line, then the
// records as the result file holds them. Line breaks inside a form value become spaces.
std::string encodeKeptSearch(const KeptSearch &search);

// The kept search back from its plain text; nothing when the text is damaged (another format, a
// value missing, a record count that does not match).
std::optional<KeptSearch> decodeKeptSearch(std::string_view plain);

// The records as the result file's plain text, for the list's loader.
std::string keptResultText(const KeptSearch &search);

} // namespace pellomar
