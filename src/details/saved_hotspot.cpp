// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "details/saved_hotspot.h"

namespace pellomar {

std::string savedHotspotText(const HotspotDetails &d)
{
    std::string text;
    text.reserve(512);
    const auto line = [&text](std::string_view label, std::string_view value) {
        text.append(label);
        text.append(value);
        text.append("\r\n");
    };
    line("Location Name: ", d.locationName);
    line("Type: ", d.hotspotType);
    line("Location Type: ", d.locationType);
    line({}, {});
    line("Operator: ", d.operatorName);
    line("Website URL: ", d.websiteUrl);
    line("Phone Number: ", d.phoneNumber);
    line("Email Address: ", d.emailAddress);
    line({}, {});
    line("Address: ", d.address);
    line("City: ", d.city);
    line("ZIP: ", d.zip);
    line("Country: ", d.countryName);
    line({}, {});
    line("Technology: ", d.technology);
    line("SSid Info: ", d.ssidInfo);
    line({}, {});
    // No space after this one colon: the format has always been written this way.
    line("Latitude:", d.latitude);
    line("Longitude: ", d.longitude);
    line({}, {});
    line("Notes: ", d.description);
    text.append("\r\n");
    return text;
}

} // namespace pellomar
