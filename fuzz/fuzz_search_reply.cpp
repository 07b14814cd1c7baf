// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A directory reply as it comes off the wire: header cut, normalising, message test.
#include "search/search_reply.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view reply(reinterpret_cast<const char *>(data), size);
    const pellomar::SearchReply result = pellomar::processReply(reply);
    if (result.ok()) {
        // Every record end marker has become a line break: none may survive normalising.
        if (result.body.find("END") != std::string::npos)
            std::abort();
        // What is not records is one line of text for the message panel, never a page.
        const std::size_t first = result.body.find_first_not_of(" \t\r\n");
        const std::size_t last = result.body.find_last_not_of(" \t\r\n");
        if (result.body.find("<>") == std::string::npos
            && (first == std::string::npos || !pellomar::IsMessageReply(result.body)
                || result.body.substr(first, last - first + 1).find_first_of("\r\n")
                    != std::string::npos))
            std::abort();
    } else if (!result.body.empty()) {
        std::abort();
    }
    (void)pellomar::IsMessageReply(reply);
    return 0;
}
