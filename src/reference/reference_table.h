// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pellomar {

// One row of a reference table: the name shown on the search form and the code the
// directory server understands, both trimmed and in UTF-8.
struct ReferenceRow {
    std::string name;
    std::string code;
};

// A fixed-capacity name/code table, filled once at start-up in file order.
class ReferenceTable {
public:
    static constexpr std::size_t CountryCapacity = 500;
    static constexpr std::size_t LocationTypeCapacity = 100;

    explicit ReferenceTable(std::size_t capacity)
        : m_capacity(capacity)
    {
    }

    // False when the table is full; the row is then not stored.
    bool append(ReferenceRow row);

    // Code of the first row whose name matches (case-blind, spaces around ignored),
    // upper-cased and trimmed; nothing on a miss. An empty name never matches.
    std::optional<std::string> codeForName(std::string_view name) const;

    // Name of the first row whose code matches, upper-cased and trimmed; nothing on a miss.
    // An empty code never matches.
    std::optional<std::string> nameForCode(std::string_view code) const;

    // The first row whose code matches, as the file writes it; nothing on a miss.
    const ReferenceRow *rowForCode(std::string_view code) const;

    const std::vector<ReferenceRow> &rows() const { return m_rows; }
    std::size_t capacity() const { return m_capacity; }

private:
    // What a lookup answers for a row, worked out once when the row is appended: every result
    // row names its country through nameForCode, so the table must not fold 500 rows per call.
    struct Answers {
        std::string upperName;
        std::string upperCode;
    };

    std::size_t m_capacity;
    std::vector<ReferenceRow> m_rows;
    std::vector<Answers> m_answers;
    // Folded name or code to the first row that has it.
    std::unordered_map<std::string, std::size_t> m_rowByName;
    std::unordered_map<std::string, std::size_t> m_rowByCode;
};

struct ReferenceFile {
    ReferenceTable table;
    // Non-empty lines that did not fit into the table.
    std::size_t linesIgnored = 0;
};

// "countries.txt": one country a line, code "|" name. Lines empty after trimming are skipped;
// a line that is not UTF-8 is read as Latin-1.
ReferenceFile parseCountries(std::string_view fileBytes);

// "locations.txt": one location type a line, name "," code.
ReferenceFile parseLocationTypes(std::string_view fileBytes);

// Splits text into lines ending in CR LF, a lone CR or a lone LF; the last line needs no end.
std::vector<std::string_view> splitLines(std::string_view text);

} // namespace pellomar
