// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The result file as read at start-up: scrambled bytes, unscrambled, cut into records,
// both at once and in pieces of any size.
#include "resultfile/result_format.h"
#include "results/hotspot_record.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::size_t pieceSize = data[0] % 16 + 1;
    const std::string plain
        = pellomar::scrambled(std::string_view(reinterpret_cast<const char *>(data + 1), size - 1));

    const pellomar::ResultRecords whole = pellomar::readResultRecords(plain);
    if (whole.lines.size() > std::size_t(pellomar::MaxResults) || whole.consumed > plain.size())
        std::abort();
    for (const std::string &line : whole.lines) {
        if (line.empty() || line == "-" || line.front() == ' ' || line.back() == ' ')
            std::abort();
        for (int f = 1; f <= pellomar::HotspotFieldCount; ++f) {
            if (pellomar::HotspotRecord(line).field(pellomar::HotspotField(f)).size() > line.size())
                std::abort();
        }
    }

    // Fed in small pieces, the reader must find exactly the same records.
    pellomar::ResultFileReader reader;
    std::vector<std::string> pieces;
    std::string_view rest = plain;
    while (!rest.empty() && !reader.full()) {
        const std::string_view piece = rest.substr(0, pieceSize);
        const std::size_t used = reader.feed(piece);
        if (used > piece.size())
            std::abort();
        rest.remove_prefix(used);
        for (auto &r : reader.takeRecords())
            pieces.push_back(std::move(r));
        if (used < piece.size() && !reader.full())
            std::abort();
    }
    if (!reader.full())
        reader.finish();
    for (auto &r : reader.takeRecords())
        pieces.push_back(std::move(r));
    if (pieces != whole.lines)
        std::abort();
    return 0;
}
