// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pellomar {

// No picture path comes near this length; a longer one is garbage, and no picture.
inline constexpr std::size_t MaxImagePathBytes = 2048;

// The server path of a record's picture: "/" and the trimmed image field when that is longer
// than 5 characters; nothing when the record names no picture.
std::optional<std::string> imagePathOf(std::string_view imageField);

// The path a picture is requested by: commas taken out first, then every byte that may not
// stand in a request target (a space, a control byte, a byte beyond ASCII) percent-encoded.
std::string imageRequestPath(std::string_view imagePath);

// The body of a picture reply: everything after the first CR LF CR LF, when the status is 2xx.
// A reply without that separator, or with another status, has no picture.
std::optional<std::string_view> imageReplyBody(std::string_view reply);

} // namespace pellomar
