// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/result_table.h"

namespace pellomar {

bool ResultTable::append(std::string line)
{
    if (count() >= Capacity)
        return false;
    m_entries.push_back(std::move(line));
    return true;
}

const std::string &ResultTable::entry(int index) const
{
    static const std::string empty;
    if (index < 1 || index > count())
        return empty;
    return m_entries[static_cast<std::size_t>(index - 1)];
}

} // namespace pellomar
