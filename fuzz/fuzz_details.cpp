// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A record line as a detail window reads, tidies and saves it, and its picture request.
#include "details/hotspot_details.h"
#include "details/image_request.h"
#include "details/saved_hotspot.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view record(reinterpret_cast<const char *>(data), size);
    const auto country = [](std::string_view code) { return std::string(code); };
    const pellomar::HotspotDetails details = pellomar::readHotspotDetails(record, country);
    // Reading is pure: a second activation shows exactly the same values.
    if (!(pellomar::readHotspotDetails(record, country) == details))
        std::abort();
    const std::string text = pellomar::savedHotspotText(details);
    if (text.size() < 4 || text.compare(text.size() - 4, 4, "\r\n\r\n") != 0)
        std::abort();
    // The picture's path goes into the request line: no comma, space or line break.
    if (const auto path = pellomar::imagePathOf(record)) {
        if (pellomar::imageRequestPath(*path).find_first_of(", \r\n") != std::string::npos)
            std::abort();
    }
    (void)pellomar::imageReplyBody(record);
    return 0;
}
