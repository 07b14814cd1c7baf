// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reference/reference_table.h"

#include "reference/text_encoding.h"
#include "reference/text_fields.h"

namespace pellomar {

bool ReferenceTable::append(ReferenceRow row)
{
    if (m_rows.size() >= m_capacity)
        return false;
    const std::size_t index = m_rows.size();
    // try_emplace keeps an earlier row: the first of a name or code given twice wins. A name
    // without a code (a line missing its separator) is not in the list: it cannot be searched.
    std::string name = LowerTrim(row.name);
    std::string code = LowerTrim(row.code);
    if (!name.empty() && !code.empty())
        m_rowByName.try_emplace(std::move(name), index);
    if (!code.empty())
        m_rowByCode.try_emplace(std::move(code), index);
    m_answers.push_back({ upperTrim(row.name), upperTrim(row.code) });
    m_rows.push_back(std::move(row));
    return true;
}

// An empty name or code is no key: a line without its separator leaves one column empty, and
// that row must not answer for a blank search field or a record without a country.
std::optional<std::string> ReferenceTable::codeForName(std::string_view name) const
{
    const auto found = m_rowByName.find(LowerTrim(asUtf8(name)));
    if (found == m_rowByName.end())
        return std::nullopt;
    return m_answers[found->second].upperCode;
}

std::optional<std::string> ReferenceTable::nameForCode(std::string_view code) const
{
    const auto found = m_rowByCode.find(LowerTrim(asUtf8(code)));
    if (found == m_rowByCode.end())
        return std::nullopt;
    return m_answers[found->second].upperName;
}

const ReferenceRow *ReferenceTable::rowForCode(std::string_view code) const
{
    const auto found = m_rowByCode.find(LowerTrim(asUtf8(code)));
    return found == m_rowByCode.end() ? nullptr : &m_rows[found->second];
}

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

namespace {

template<typename RowOf>
ReferenceFile parseReference(std::string_view fileBytes, std::size_t capacity, RowOf rowOf)
{
    ReferenceFile file { ReferenceTable(capacity), 0 };
    for (std::string_view line : splitLines(fileBytes)) {
        line = trim(line);
        if (line.empty())
            continue;
        if (file.table.rows().size() >= capacity) {
            ++file.linesIgnored;
            continue;
        }
        // Stored as UTF-8 whatever the file's encoding, so that a name picked from the list
        // (which comes back from the window as UTF-8) finds its row.
        ReferenceRow row = rowOf(line);
        file.table.append({ asUtf8(row.name), asUtf8(row.code) });
    }
    return file;
}

} // namespace

ReferenceFile parseCountries(std::string_view fileBytes)
{
    return parseReference(fileBytes, ReferenceTable::CountryCapacity, [](std::string_view line) {
        return ReferenceRow { std::string(trim(GetField(line, 2, "|"))),
            std::string(trim(GetField(line, 1, "|"))) };
    });
}

ReferenceFile parseLocationTypes(std::string_view fileBytes)
{
    return parseReference(
        fileBytes, ReferenceTable::LocationTypeCapacity, [](std::string_view line) {
            return ReferenceRow { std::string(trim(GetCommaField(line, 1))),
                std::string(trim(GetCommaField(line, 2))) };
        });
}

} // namespace pellomar
