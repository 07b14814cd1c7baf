// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "resultfile/result_format.h"

#include "reference/text_fields.h"

#include <algorithm>

namespace pellomar {

void scramble(std::span<char> bytes)
{
    for (char &c : bytes)
        c = static_cast<char>(static_cast<unsigned char>(c) ^ 0x80u);
}

std::string scrambled(std::string_view bytes)
{
    std::string out(bytes);
    scramble(out);
    return out;
}

std::size_t longestLine(std::string_view text)
{
    std::size_t longest = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\r', start);
        if (end == std::string_view::npos)
            end = text.size();
        longest = std::max(longest, end - start);
        start = end + 1;
    }
    return longest;
}

ResultFileReader::ResultFileReader(int limit)
    : m_limit(limit)
{
}

std::size_t ResultFileReader::feed(std::string_view piece)
{
    std::size_t pos = 0;
    if (m_afterCr && !piece.empty()) {
        m_afterCr = false;
        if (piece.front() == '\n')
            pos = 1;
    }
    while (pos < piece.size() && !full()) {
        // A LF on its own is part of the line: a value may hold one.
        const std::size_t end = piece.find('\r', pos);
        if (end == std::string_view::npos) {
            m_line.append(piece.substr(pos));
            return piece.size();
        }
        m_line.append(piece.substr(pos, end - pos));
        pos = end + 1;
        if (pos == piece.size())
            m_afterCr = true;
        else if (piece[pos] == '\n')
            ++pos;
        endLine();
    }
    return pos;
}

void ResultFileReader::finish()
{
    if (!full() && !m_line.empty())
        endLine();
    m_afterCr = false;
}

std::vector<std::string> ResultFileReader::takeRecords()
{
    std::vector<std::string> taken;
    taken.swap(m_records);
    return taken;
}

void ResultFileReader::endLine()
{
    const std::string_view line = trim(m_line);
    if (!line.empty() && line != "-") {
        m_records.emplace_back(line);
        ++m_count;
    }
    m_line.clear();
}

ResultRecords readResultRecords(std::string_view text, int limit)
{
    ResultFileReader reader(limit);
    ResultRecords result;
    result.consumed = reader.feed(text);
    if (result.consumed == text.size())
        reader.finish();
    result.limitReached = reader.full();
    result.lines = reader.takeRecords();
    return result;
}

} // namespace pellomar
