// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "dataset/world_table.h"
#include "rules/hotspot.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pellomar {
class ReferenceTable;
}

namespace pellomar::directory {

enum class PictureFormat { Jpeg, Gif };

// A location picture to be painted for one hotspot; `path` is the hotspot's image path.
struct PictureOrder {
    std::string path;
    PictureFormat format = PictureFormat::Jpeg;
    int width = 0;
    int height = 0;
    std::uint64_t seed = 0;
};

struct GeneratedDataset {
    std::vector<Hotspot> hotspots;
    std::vector<PictureOrder> pictures;
    // Values the client could not read and references to unknown codes; a dataset with
    // problems must not be written.
    std::vector<std::string> problems;
};

// The demo directory's hotspots: the same input always gives the same hotspots, byte for
// byte, on every machine. Every location type of `locationTypes` is used.
GeneratedDataset generateDataset(const WorldTable &world, const WordLists &words,
    const ReferenceTable &countries, const ReferenceTable &locationTypes);

} // namespace pellomar::directory
