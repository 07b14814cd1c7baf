// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "search/search_reply.h"

#include "reference/http_message.h"
#include "reference/record_format.h"
#include "reference/text_fields.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace pellomar {

namespace {

constexpr std::string_view HeaderEnd = "\r\n\r\n";
constexpr std::string_view RecordEnd = "\r\n-\r\n";
// normalisedBody scans for the marker's last letter and looks back for the other two.
static_assert(RecordEndMarker == "END");

std::string_view trimmedOfBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    }
    return true;
}

// The value of the first header called `name` (letter case aside); nothing when there is none.
std::optional<std::string_view> headerValue(std::string_view headers, std::string_view name)
{
    while (!headers.empty()) {
        const std::size_t eol = headers.find("\r\n");
        const std::string_view line = headers.substr(0, eol);
        headers.remove_prefix(eol == std::string_view::npos ? headers.size() : eol + 2);
        const std::size_t colon = line.find(':');
        if (colon != std::string_view::npos
            && equalsIgnoringCase(trimmedOfBlanks(line.substr(0, colon)), name))
            return trimmedOfBlanks(line.substr(colon + 1));
    }
    return std::nullopt;
}

// The Content-Length the headers announce; nothing when they name none or an unreadable one.
std::optional<std::size_t> contentLength(std::string_view headers)
{
    const auto value = headerValue(headers, "content-length");
    return value ? wholeNumber<std::size_t>(*value) : std::nullopt;
}

// What the user is shown of a status line: printable ASCII, kept short.
std::string shownStatus(std::string_view statusText)
{
    std::string shown;
    for (const char c : statusText.substr(0, 60))
        shown += (c >= ' ' && c <= '~') ? c : '?';
    return shown;
}

// Markup: a tag or a declaration opening, which no record or message of the directory holds.
bool holdsMarkup(std::string_view text)
{
    for (std::size_t at = text.find('<'); at != std::string_view::npos && at + 1 < text.size();
         at = text.find('<', at + 1)) {
        const char next = text[at + 1];
        if ((next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z') || next == '/'
            || next == '!' || next == '?')
            return true;
    }
    return false;
}

std::string_view trimmedOfLineEnds(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// A directory answers with records or with one line of plain text. A network that wants a
// sign-in first (a hotel's captive portal) answers a search with a page of its own, empty or
// of markup, which must not replace the stored results.
bool isDirectoryReply(std::string_view headers, std::string_view body, std::string_view reduced)
{
    if (reduced.find(FieldSeparator) != std::string_view::npos)
        return true;
    if (!IsMessageReply(reduced) || holdsMarkup(body))
        return false;
    // text/html, application/xhtml+xml: a page, whatever it says.
    if (const auto type = headerValue(headers, "content-type")) {
        std::string lower(*type);
        std::transform(lower.begin(), lower.end(), lower.begin(), lowerAscii);
        if (lower.find("html") != std::string::npos)
            return false;
    }
    // One line of at least two characters: none inside the body, and no record end cutting it
    // into several.
    const std::string_view line = trimmedOfLineEnds(reduced);
    return line.size() >= 2
        && trimmedOfLineEnds(body).find_first_of("\r\n") == std::string_view::npos
        && line.find_first_of("\r\n") == std::string_view::npos;
}

} // namespace

SearchReply processReply(std::string_view reply)
{
    SearchReply result;
    const std::size_t headerEnd = reply.find(HeaderEnd);
    if (headerEnd == std::string_view::npos) {
        result.error = reply.empty() ? "The directory server closed the connection without a reply"
                                     : "The directory server's reply is incomplete: its headers "
                                       "never end";
        return result;
    }
    const std::string_view head = reply.substr(0, headerEnd);
    const std::size_t statusEnd = head.find("\r\n");
    const std::string_view statusLine = head.substr(0, statusEnd);
    const std::string_view headers
        = statusEnd == std::string_view::npos ? std::string_view() : head.substr(statusEnd + 2);

    const auto status = statusCode(statusLine);
    if (!status) {
        result.error = "The directory server's reply is not an HTTP reply";
        return result;
    }
    result.status = *status;
    if (result.status < 200 || result.status > 299) {
        result.error = "The directory server answered \""
            + shownStatus(trim(statusLine.substr(statusLine.find(' ') + 1))) + "\"";
        return result;
    }

    // The request is HTTP/1.0, which knows no transfer codings: a body sent in chunks would be
    // stored with its chunk sizes inside the records.
    if (headerValue(headers, "transfer-encoding")) {
        result.error = "The directory server's reply is sent in a transfer coding this program "
                       "cannot read";
        return result;
    }
    const std::string_view body = reply.substr(headerEnd + HeaderEnd.size());
    // A connection reset after the headers reaches us like an orderly close; only the
    // announced length shows that the body is cut short.
    if (const auto announced = contentLength(headers); announced && body.size() < *announced) {
        result.error = "The connection to the directory server broke after "
            + std::to_string(body.size()) + " of " + std::to_string(*announced)
            + " bytes of the reply";
        return result;
    }
    result.body = normalisedBody(body);
    if (!isDirectoryReply(headers, body, result.body)) {
        result.error = "The reply was not a hotspot directory's: the network may need a sign-in "
                       "in the browser first";
        result.body.clear();
    }
    return result;
}

std::string normalisedBody(std::string_view body)
{
    std::string out;
    // Each record end grows by two bytes; records are far longer than 32 bytes.
    out.reserve(body.size() + body.size() / 32 + 16);
    const char *p = body.data();
    const char *const end = p + body.size();
    // Only CR and D need a decision; the runs between them are copied whole. The next of each
    // is looked up with memchr and kept until passed, so every byte is looked at about once.
    auto next = [end](const char *from, char c) {
        const void *found = std::memchr(from, c, std::size_t(end - from));
        return found ? static_cast<const char *>(found) : end;
    };
    const char *nextCr = next(p, '\r');
    const char *nextD = next(p, 'D');
    while (p < end) {
        if (nextCr < p)
            nextCr = next(p, '\r');
        if (nextD < p)
            nextD = next(p, 'D');
        const char *stop = std::min(nextCr, nextD);
        out.append(p, std::size_t(stop - p));
        if (stop == end)
            break;
        p = stop + 1;
        if (*stop == '\r') {
            if (p < end && *p == '\n')
                ++p; // a CR LF pair goes
            else
                out += '\r';
            continue;
        }
        // The marker is matched after the line breaks are gone, so "EN" CR LF "D" ends a record
        // too; the inserted text holds no E, N or D, so no match can straddle it.
        if (out.size() >= 2 && out[out.size() - 1] == 'N' && out[out.size() - 2] == 'E') {
            out.resize(out.size() - 2);
            out += RecordEnd;
        } else {
            out += 'D';
        }
    }
    std::size_t last = out.size();
    while (last > 0 && out[last - 1] == ' ')
        --last;
    out.resize(last);
    std::size_t first = 0;
    while (first < out.size() && out[first] == ' ')
        ++first;
    out.erase(0, first);
    return out;
}

bool IsMessageReply(std::string_view body)
{
    if (body.find(FieldSeparator) != std::string_view::npos)
        return false;
    // At least two characters once the CR LF pairs are gone and the ends trimmed: that is,
    // two characters other than a space that are not part of a CR LF pair.
    int found = 0;
    const std::size_t n = body.size();
    for (std::size_t i = 0; i < n && found < 2; ++i) {
        if (body[i] == '\r' && i + 1 < n && body[i + 1] == '\n') {
            ++i;
            continue;
        }
        if (body[i] != ' ')
            ++found;
    }
    return found >= 2;
}

} // namespace pellomar
