// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

namespace pellomar {

// The record lines of the list on screen: entry i is row i. Entries past the count, and
// indexes outside 1..Capacity, read as empty.
class ResultTable {
public:
    static constexpr int Capacity = 2000;

    // Stores the line as entry count() + 1; false when the table is full.
    bool append(std::string line);
    const std::string &entry(int index) const;
    int count() const { return static_cast<int>(m_entries.size()); }
    void clear() { m_entries.clear(); }

private:
    std::vector<std::string> m_entries;
};

} // namespace pellomar
