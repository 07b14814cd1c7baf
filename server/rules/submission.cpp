// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rules/submission.h"

#include "reference/reference_table.h"
#include "reference/text_encoding.h"
#include "reference/text_fields.h"
#include "rules/wire_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace pellomar::directory {

namespace {

std::string valueOf(const FormValues &form, std::string_view key)
{
    const auto it = form.find(key);
    if (it == form.end())
        return {};
    // A description typed over several lines of the form's text area is stored as one line.
    const std::string text = asUtf8(it->second);
    std::string joined;
    for (char c : text) {
        const bool lineBreak = c == '\r' || c == '\n' || c == '\t';
        if (!lineBreak)
            joined += c;
        else if (!joined.empty() && joined.back() != ' ')
            joined += ' ';
    }
    return std::string(trim(joined));
}

// Characters, not bytes: the form's limits are what a visitor can type.
std::size_t characterCount(std::string_view utf8Text)
{
    return static_cast<std::size_t>(std::count_if(utf8Text.begin(), utf8Text.end(),
        [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::optional<double> parseCoordinate(std::string_view text)
{
    double value = 0;
    const auto [end, ec]
        = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool isPhoneText(std::string_view text)
{
    for (char c : text) {
        const bool allowed = (c >= '0' && c <= '9') || c == ' ' || c == '+' || c == '-' || c == '('
            || c == ')' || c == '/' || c == '.';
        if (!allowed)
            return false;
    }
    return true;
}

bool isEmailText(std::string_view text)
{
    const auto at = text.find('@');
    if (at == 0 || at == std::string_view::npos || text.find('@', at + 1) != std::string_view::npos)
        return false;
    const auto domain = text.substr(at + 1);
    const auto dot = domain.find('.');
    return text.find(' ') == std::string_view::npos && dot != std::string_view::npos && dot > 0
        && dot + 1 < domain.size();
}

bool isWebsiteText(std::string_view text)
{
    if (text.find(' ') != std::string_view::npos)
        return false;
    for (std::string_view prefix : { "www.", "http://", "https://" }) {
        if (text.size() > prefix.size() && text.substr(0, prefix.size()) == prefix)
            return true;
    }
    return false;
}

// "www.@127.0.0.1/" reads as a host to a person and as a user name to a browser, which then
// goes to the host after the '@'.
bool namesUserInWebsite(std::string_view text)
{
    const auto scheme = text.find("://");
    const auto start = scheme == std::string_view::npos ? 0 : scheme + 3;
    const auto authority = text.substr(start, text.find_first_of("/?#", start) - start);
    return authority.find('@') != std::string_view::npos;
}

// Marks that turn the direction of the text around (Unicode's Bidi_Control: U+061C, U+200E,
// U+200F, U+202A-202E, U+2066-2069) make a name read differently from what it holds.
bool holdsDirectionControl(std::string_view utf8Text)
{
    const auto *bytes = reinterpret_cast<const std::uint8_t *>(utf8Text.data());
    const auto length = static_cast<std::int32_t>(utf8Text.size());
    for (std::int32_t i = 0; i < length;) {
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c >= 0 && u_hasBinaryProperty(c, UCHAR_BIDI_CONTROL))
            return true;
    }
    return false;
}

} // namespace

const std::vector<FormField> &submissionFields()
{
    static const std::vector<FormField> fields = {
        { "name", "Location name", 80, true },
        { "type", "Access", 1, true },
        { "operator", "Operator", 80, false },
        { "website", "Web site", 120, false },
        { "phone", "Phone number", 40, false },
        { "email", "E-mail address", 100, false },
        { "loctype", "Location type", 20, true },
        { "address", "Address", 120, true },
        { "zipcode", "ZIP code", 16, false },
        { "city", "City", 60, true },
        { "country", "Country", 2, true },
        { "latitude", "Latitude", 12, false },
        { "longitude", "Longitude", 12, false },
        { "technology", "Technology", 1, true },
        { "ssid", "SSID information", 100, false },
        { "description", "Description", 500, false },
    };
    return fields;
}

SubmissionCheck checkSubmission(
    const FormValues &form, const ReferenceTable &countries, const ReferenceTable &locationTypes)
{
    SubmissionCheck check;
    auto &errors = check.errors;
    FormValues values;
    for (const auto &field : submissionFields()) {
        std::string value = valueOf(form, field.key);
        const std::string label(field.label);
        if (value.empty()) {
            if (field.required)
                errors.push_back(label + " is required.");
        } else if (characterCount(value) > field.maxLength) {
            errors.push_back(label + " is too long: at most " + std::to_string(field.maxLength)
                + " characters.");
        } else {
            switch (unsafeTextIn(value)) {
            case UnsafeText::AngleBracket:
                errors.push_back(label + " must not contain the characters < and >.");
                break;
            case UnsafeText::EndMarker:
                errors.push_back(label
                    + " must not contain the capital letters END (the directory "
                      "uses them to end a record): write the word in lower case.");
                break;
            case UnsafeText::ControlCharacter:
                errors.push_back(label + " must not contain control characters.");
                break;
            case UnsafeText::None:
                if (holdsDirectionControl(value))
                    errors.push_back(
                        label + " must not contain marks that change the direction of the text.");
                break;
            }
        }
        values.emplace(std::string(field.key), std::move(value));
    }
    const auto at = [&values](std::string_view key) -> const std::string & {
        return values.find(key)->second;
    };

    const auto access = parseTypeCode(at("type"));
    if (!at("type").empty() && !access)
        errors.push_back("Access must be free, free with registration or commercial.");
    const auto technology = parseTypeCode(at("technology"));
    if (!at("technology").empty() && !technology)
        errors.push_back("Technology must be 802.11b, 802.11b/g or 802.11g.");
    if (!at("loctype").empty() && !locationTypes.nameForCode(at("loctype")))
        errors.push_back("Location type is not one of the directory's location types.");
    if (!at("country").empty() && !countries.nameForCode(at("country")))
        errors.push_back("Country is not one of the directory's countries.");
    const auto latitude = parseCoordinate(at("latitude"));
    if (!at("latitude").empty() && (!latitude || std::abs(*latitude) > 90))
        errors.push_back(
            "Latitude must be a number of degrees between -90 and 90, such as 51.5074.");
    const auto longitude = parseCoordinate(at("longitude"));
    if (!at("longitude").empty() && (!longitude || std::abs(*longitude) > 180))
        errors.push_back(
            "Longitude must be a number of degrees between -180 and 180, such as -0.1278.");
    if (!at("website").empty() && !isWebsiteText(at("website")))
        errors.push_back("Web site must start with www., http:// or https:// and hold no spaces.");
    else if (namesUserInWebsite(at("website")))
        errors.push_back("Web site must not hold an @ before its path.");
    if (!at("phone").empty() && !isPhoneText(at("phone")))
        errors.push_back("Phone number may hold only digits, spaces and + - ( ) / .");
    if (!at("email").empty() && !isEmailText(at("email")))
        errors.push_back("E-mail address must look like name@example.org.");

    if (!errors.empty())
        return check;

    Hotspot h;
    h.locationName = at("name");
    h.accessType = *access;
    h.operatorName = at("operator");
    h.websiteUrl = at("website");
    h.phoneNumber = at("phone");
    h.emailAddress = at("email");
    h.locationTypeCode = at("loctype");
    h.address = at("address");
    h.zip = at("zipcode");
    h.city = at("city");
    h.countryCode = at("country");
    h.latitude = at("latitude");
    h.longitude = at("longitude");
    h.technologyCode = *technology;
    h.ssidInfo = at("ssid");
    h.description = at("description");
    check.hotspot = std::move(h);
    return check;
}

} // namespace pellomar::directory
