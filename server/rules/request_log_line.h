// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pellomar::directory {

// A target is logged up to this many characters, then "..." stands for the rest: a client
// may send 8 KB targets all day, and the log must not grow with them.
inline constexpr std::size_t MaxLoggedTargetChars = 300;

// One line of the request log, without its line break: method, target (cut, bytes outside printable
// ASCII written as %XX, so that a line is one line of plain ASCII whatever a client sent),
// status, body bytes and milliseconds.
std::string requestLogLine(std::string_view method, std::string_view target, int status,
    std::size_t bytes, double milliseconds);

} // namespace pellomar::directory
