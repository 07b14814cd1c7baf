// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "search/kept_search.h"

#include "reference/text_fields.h"
#include "resultfile/result_format.h"

namespace pellomar {

namespace {

constexpr std::string_view Format = "Pellomar kept search 1";
constexpr std::string_view LineEnd = "\r\n";

std::string oneLine(std::string value)
{
    for (char &c : value) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return value;
}

// The next line of `text`, which loses it; nothing when no line end follows.
std::optional<std::string_view> takeLine(std::string_view &text)
{
    const std::size_t end = text.find(LineEnd);
    if (end == std::string_view::npos)
        return std::nullopt;
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + LineEnd.size());
    return line;
}

} // namespace

std::string keptResultText(const KeptSearch &search)
{
    std::string text;
    for (const std::string &record : search.records)
        text.append(record).append("\r\n-\r\n");
    return text;
}

std::string encodeKeptSearch(const KeptSearch &search)
{
    std::string text(Format);
    text += LineEnd;
    const SearchFields &f = search.fields;
    for (const std::string *value : { &f.country, &f.city, &f.zip, &f.locationType, &f.accessType })
        text.append(oneLine(*value)).append(LineEnd);
    text.append(std::to_string(search.receivedMs)).append(LineEnd);
    const std::string records = keptResultText(search);
    text.append(std::to_string(search.records.size())).append(LineEnd);
    text.append(std::to_string(records.size())).append(LineEnd).append(LineEnd);
    return text + records;
}

std::optional<KeptSearch> decodeKeptSearch(std::string_view plain)
{
    if (takeLine(plain) != Format)
        return std::nullopt;
    KeptSearch search;
    SearchFields &f = search.fields;
    for (std::string *value : { &f.country, &f.city, &f.zip, &f.locationType, &f.accessType }) {
        const auto line = takeLine(plain);
        if (!line)
            return std::nullopt;
        *value = std::string(*line);
    }
    // A missing line reads as an empty one, which is no number.
    const auto received = wholeNumber<std::int64_t>(takeLine(plain).value_or(""));
    const auto rows = wholeNumber<int>(takeLine(plain).value_or(""));
    const auto bytes = wholeNumber<std::size_t>(takeLine(plain).value_or(""));
    // A file cut short, or grown, is not the search that was kept.
    if (!received || !rows || *rows < 0 || *rows > MaxResults || !bytes || takeLine(plain) != ""
        || plain.size() != *bytes)
        return std::nullopt;
    search.receivedMs = *received;
    ResultRecords records = readResultRecords(plain, MaxResults);
    if (int(records.lines.size()) != *rows)
        return std::nullopt;
    search.records = std::move(records.lines);
    return search;
}

} // namespace pellomar
