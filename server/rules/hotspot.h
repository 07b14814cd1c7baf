#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pellomar::directory {

// One hotspot as the directory stores it: codes for the access type (1 free, 2 free with
// registration, 3 commercial, 0 unknown), the location type and the country; everything else is
// display text in UTF-8.
struct Hotspot {
    std::int64_t id = 0;
    std::string locationName;
    int accessType = 1;
    std::string operatorName;
    std::string websiteUrl;
    std::string phoneNumber;
    std::string emailAddress;
    std::string locationTypeCode;
    std::string address;
    std::string zip;
    std::string city;
    std::string countryCode;
    std::string latitude;
    std::string longitude;
    int technologyCode = 1;
    std::string ssidInfo;
    std::string description;
    std::string imagePath;

    bool operator==(const Hotspot &) const = default;
};

// OpenStreetMap often does not say whether a place charges for its Wi-Fi, nor which radio it
// uses. Such a place is stored with these codes: no search for a particular access type asks
// for them, so only an "All" search finds it, and its record says "unknown".
inline constexpr int UnknownAccessType = 0;
inline constexpr int UnknownTechnology = 0;

// The directory's own wording of an access type: "free", "free (with registration)",
// "commercial", and "unknown" for a place imported without it (code 0); empty for any other.
std::string_view accessTypeText(int code);

// An access type or radio technology code: "1", "2" or "3", spaces around allowed; nothing
// for anything else.
std::optional<int> parseTypeCode(std::string_view text);

// The dataset file: a header line, then one hotspot a line, fields separated by tabs (no
// value holds a tab or a line break), lines ending in LF.
inline constexpr std::string_view DatasetHeader
    = "id\tlocation_name\taccess_type\toperator\twebsite\tphone\temail\tlocation_type\t"
      "address\tzip\tcity\tcountry\tlatitude\tlongitude\ttechnology\tssid\tdescription\t"
      "image_path";
std::string formatDatasetLine(const Hotspot &hotspot);
// Nothing when the line does not have the dataset's columns or its codes are not numbers.
std::optional<Hotspot> parseDatasetLine(std::string_view line);

} // namespace pellomar::directory
