// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "search/search_request.h"

#include "reference/text_fields.h"

namespace pellomar {

namespace {

bool isSet(std::string_view fieldText)
{
    const std::string t = LowerTrim(fieldText);
    return !t.empty() && t != "all";
}

bool isUnreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-'
        || c == '.' || c == '_' || c == '~';
}

void appendParameter(std::string &path, std::string_view key, std::string_view value)
{
    path += path.find('=') == std::string::npos ? '?' : '&';
    path += key;
    path += percentEncoded(trim(value));
}

} // namespace

SearchRequest buildRequestPath(
    const SearchFields &fields, const CodeLookup &countryCode, const CodeLookup &locationTypeCode)
{
    SearchRequest request { "/browse-app.php", SearchStop::None };
    if (!isSet(fields.country)) {
        request.stop = SearchStop::NoCountry;
        return request;
    }
    // A code that cannot be found would go out empty and match nothing useful.
    const std::string country = countryCode(LowerTrim(fields.country));
    if (trim(country).empty()) {
        request.stop = SearchStop::UnknownCountry;
        return request;
    }
    appendParameter(request.path, "country=", country);
    if (isSet(fields.city))
        appendParameter(request.path, "city=", fields.city);
    if (isSet(fields.zip))
        appendParameter(request.path, "zipcode=", fields.zip);
    if (isSet(fields.locationType)) {
        const std::string locationType = locationTypeCode(fields.locationType);
        if (trim(locationType).empty()) {
            request.stop = SearchStop::UnknownLocationType;
            return request;
        }
        appendParameter(request.path, "loctype=", locationType);
    }
    if (isSet(fields.accessType))
        appendParameter(request.path, "type=", GetTypeCode(fields.accessType));
    return request;
}

std::string GetTypeCode(std::string_view accessType)
{
    const std::string t = LowerTrim(accessType);
    if (t == "free")
        return "1";
    if (t.find("regis") != std::string::npos)
        return "2";
    return "3";
}

std::string percentEncoded(std::string_view value, std::string_view alsoKept)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    const auto isHex = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    };
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char ch = value[i];
        const auto c = static_cast<unsigned char>(ch);
        const bool kept = ch == '%' ? alsoKept.find('%') != std::string_view::npos
                && i + 2 < value.size() && isHex(value[i + 1]) && isHex(value[i + 2])
                                    : alsoKept.find(ch) != std::string_view::npos;
        if (isUnreserved(c) || kept) {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0x0F];
        }
    }
    return out;
}

std::string requestBytes(std::string_view path, std::string_view hostHeader)
{
    std::string request;
    request.reserve(path.size() + hostHeader.size() + 32);
    request += "GET ";
    request += path;
    request += " HTTP/1.0\r\nHost: ";
    request += hostHeader;
    request += "\r\n\r\n";
    return request;
}

} // namespace pellomar
