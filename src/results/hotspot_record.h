// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "reference/record_format.h"

#include <string>
#include <string_view>

namespace pellomar {

// One record line of the result file. Fields are cut out on demand with GetField, the one
// parser of the format: missing fields read as empty, and fields are not trimmed.
class HotspotRecord {
public:
    explicit HotspotRecord(std::string line)
        : m_line(std::move(line))
    {
    }

    std::string field(HotspotField which) const;

    std::string LocationName() const { return field(HotspotField::LocationName); }
    std::string HotspotType() const { return field(HotspotField::HotspotType); }
    std::string Operator() const { return field(HotspotField::Operator); }
    std::string LocationType() const { return field(HotspotField::LocationType); }
    std::string Address() const { return field(HotspotField::Address); }
    std::string ZIP() const { return field(HotspotField::ZIP); }
    std::string City() const { return field(HotspotField::City); }
    std::string CountryCode() const { return field(HotspotField::CountryCode); }
    std::string Latitude() const { return field(HotspotField::Latitude); }
    std::string Longitude() const { return field(HotspotField::Longitude); }
    std::string ImagePath() const { return field(HotspotField::ImagePath); }

private:
    std::string m_line;
};

} // namespace pellomar
