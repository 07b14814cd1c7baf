// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rules/request_log_line.h"

#include <cstdio>
#include <cstring>

namespace pellomar::directory {

namespace {

// A method is a short word; anything longer is a client's invention.
constexpr std::size_t MaxLoggedMethodChars = 16;

void appendEscaped(std::string &line, std::string_view text, std::size_t maxChars)
{
    const std::size_t end = line.size() + maxChars;
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        char escaped[4] = { c, '\0' };
        if (u <= 0x20 || u >= 0x7F)
            std::snprintf(escaped, sizeof escaped, "%%%02X", u);
        if (line.size() + std::strlen(escaped) > end) {
            line += "...";
            return;
        }
        line += escaped;
    }
}

} // namespace

std::string requestLogLine(std::string_view method, std::string_view target, int status,
    std::size_t bytes, double milliseconds)
{
    std::string line;
    appendEscaped(line, method, MaxLoggedMethodChars);
    line += ' ';
    appendEscaped(line, target, MaxLoggedTargetChars);
    char tail[64];
    std::snprintf(tail, sizeof tail, " %d %zu %.1fms", status, bytes, milliseconds);
    return line + tail;
}

} // namespace pellomar::directory
