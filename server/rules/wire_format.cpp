#include "rules/wire_format.h"

namespace pellomar::directory {

namespace {

constexpr std::string_view RecordEnd = RecordEndMarker;
constexpr std::string_view LineBreak = "\r\n";

bool isUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// A break point near the middle of a value that does not split a UTF-8 character.
std::optional<std::size_t> breakInside(std::string_view value)
{
    for (std::size_t at = value.size() / 2; at > 0; --at) {
        if (!isUtf8Continuation(value[at]))
            return at;
    }
    return std::nullopt;
}

} // namespace

RecordFields recordFields(const Hotspot &h, std::string_view locationTypeName)
{
    RecordFields fields;
    const auto set = [&fields](HotspotField field, std::string_view value) {
        fields[std::size_t(fieldNumber(field) - 1)] = value;
    };
    using F = HotspotField;
    set(F::LocationName, h.locationName);
    set(F::HotspotType, accessTypeText(h.accessType));
    set(F::Operator, h.operatorName);
    set(F::WebsiteURL, h.websiteUrl);
    set(F::PhoneNumber, h.phoneNumber);
    set(F::EmailAddress, h.emailAddress);
    set(F::LocationType, locationTypeName);
    set(F::Address, h.address);
    set(F::ZIP, h.zip);
    set(F::City, h.city);
    set(F::CountryCode, h.countryCode);
    set(F::Latitude, h.latitude);
    set(F::Longitude, h.longitude);
    // An imported place's radio is not known; the client shows the word as it stands.
    set(F::TechnologyCode,
        h.technologyCode == UnknownTechnology ? std::string("unknown")
                                              : std::to_string(h.technologyCode));
    set(F::SSidInfo, h.ssidInfo);
    set(F::Description, h.description);
    set(F::ImagePath, h.imagePath);
    return fields;
}

UnsafeText unsafeTextIn(std::string_view value)
{
    for (char c : value) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F)
            return UnsafeText::ControlCharacter;
        if (c == '<' || c == '>')
            return UnsafeText::AngleBracket;
    }
    if (value.find(RecordEnd) != std::string_view::npos)
        return UnsafeText::EndMarker;
    return UnsafeText::None;
}

std::string encodeRecords(const std::vector<RecordFields> &records)
{
    std::string body;
    for (std::size_t r = 0; r < records.size(); ++r) {
        // Each record gets one break after a separator and one inside a value; which ones
        // moves from record to record.
        const std::size_t afterField = (r * 7 + 3) % RecordFieldCount;
        const std::size_t insideField = (r * 11 + 5) % RecordFieldCount;
        const auto &fields = records[r];
        for (std::size_t f = 0; f < RecordFieldCount; ++f) {
            const std::string_view value = fields[f];
            const auto cut = f == insideField ? breakInside(value) : std::nullopt;
            if (cut) {
                body += value.substr(0, *cut);
                body += LineBreak;
                body += value.substr(*cut);
            } else {
                body += value;
            }
            if (f + 1 < RecordFieldCount) {
                body += FieldSeparator;
                if (f == afterField)
                    body += LineBreak;
            }
        }
        body += RecordEnd;
        // Most records end their line, some run on into the next record, some leave an
        // empty line behind.
        switch (r % 5) {
        case 1:
            break;
        case 3:
            body += LineBreak;
            body += LineBreak;
            break;
        default:
            body += LineBreak;
        }
    }
    return body;
}

} // namespace pellomar::directory
