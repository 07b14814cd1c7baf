#include "details/saved_hotspot.h"

namespace pellomar {

std::string SavedHotspotText(const HotspotDetails &d)
{
    std::string text;
    text.reserve(512);
    const auto line = [&text](std::string_view label, std::string_view value) {
        text.append(label);
        text.append(value);
        text.append("\r\n");
    };
    line("Location Name: ", d.lblName);
    line("Type: ", d.lblType);
    line("Location Type: ", d.lblLocType);
    line({}, {});
    line("Operator: ", d.lblOperator);
    line("Website URL: ", d.lblURL);
    line("Phone Number: ", d.lblPhone);
    line("Email Address: ", d.lblEmail);
    line({}, {});
    line("Address: ", d.lblAddress);
    line("City: ", d.lblCity);
    line("ZIP: ", d.lblZIP);
    line("Country: ", d.lblCountry);
    line({}, {});
    line("Technology: ", d.lblTechnology);
    line("SSid Info: ", d.lblSSInfo);
    line({}, {});
    // No space after this one colon: the format has always been written this way.
    line("Latitude:", d.lblLatitude);
    line("Longitude: ", d.lblLongitude);
    line({}, {});
    line("Notes: ", d.lblInfo);
    text.append("\r\n");
    return text;
}

} // namespace pellomar
