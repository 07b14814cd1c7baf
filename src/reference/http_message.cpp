// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reference/http_message.h"

namespace pellomar {

namespace {

bool isUnreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-'
        || c == '.' || c == '_' || c == '~';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

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

std::optional<int> statusCode(std::string_view statusLine)
{
    // "HTTP/" version, a space, three digits, optionally a space and a reason.
    const std::size_t space = statusLine.find(' ');
    if (!statusLine.starts_with("HTTP/") || space == std::string_view::npos
        || statusLine.size() < space + 4 || !isDigit(statusLine[space + 1])
        || !isDigit(statusLine[space + 2]) || !isDigit(statusLine[space + 3])
        || (statusLine.size() > space + 4 && statusLine[space + 4] != ' '))
        return std::nullopt;
    return (statusLine[space + 1] - '0') * 100 + (statusLine[space + 2] - '0') * 10
        + (statusLine[space + 3] - '0');
}

} // namespace pellomar
