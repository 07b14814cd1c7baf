// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The result file "tmp.txt": the last search's reply, one record a line with a line "-" after
// each, resting on disk scrambled. The search writes it and the result list reads it.
namespace pellomar {

// The result file rests on disk with the top bit of every byte flipped. The flip is its own
// inverse: the same call scrambles and unscrambles.
void scramble(std::span<char> bytes);
std::string scrambled(std::string_view bytes);

// The list never shows more hotspots than this; reading stops at this record.
inline constexpr int MaxResults = 300;

// No hotspot record comes near this length; a longer line is damage or garbage, and reading
// it whole would only fill memory.
inline constexpr std::size_t MaxRecordLineBytes = std::size_t(1) << 20;

// The length of the longest line of `text` as the result file reads it (lines end at a CR).
std::size_t longestLine(std::string_view text);

// Turns the plain text of the result file into record lines, piece by piece, so that a
// large file is read only up to the record that fills the list. Lines end at CR LF or a lone
// CR (a lone LF is part of its line); each line is trimmed of spaces; empty and "-" lines only
// separate records.
class ResultFileReader {
public:
    explicit ResultFileReader(int limit = MaxResults);

    // Takes the next piece of the file and returns how many of its bytes were used: all of
    // them, unless the line that completed the last wanted record ended inside the piece.
    std::size_t feed(std::string_view piece);
    // The file has ended; its last line needs no line end.
    void finish();

    // The limit's record has been read; nothing further is taken.
    bool full() const { return m_count >= m_limit; }
    int count() const { return m_count; }
    // Records completed since the last call, in file order.
    std::vector<std::string> takeRecords();

private:
    void endLine();

    int m_limit;
    int m_count = 0;
    bool m_afterCr = false; // a CR ended the previous piece; an LF opening this one is its pair
    std::string m_line;
    std::vector<std::string> m_records;
};

struct ResultRecords {
    std::vector<std::string> lines;
    bool limitReached = false;
    // Bytes of the text looked at; the rest was never read.
    std::size_t consumed = 0;
};

// The whole plain text at once.
ResultRecords readResultRecords(std::string_view text, int limit = MaxResults);

} // namespace pellomar
