// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rules/connection_room.h"

#include <utility>

namespace pellomar::directory {

ConnectionRoom::ConnectionRoom(Limits limits)
    : m_limits(limits)
{
}

void ConnectionRoom::opened(std::uint64_t serial, std::string address)
{
    ++m_openByAddress[address];
    m_open.emplace(serial, Connection { std::move(address) });
    m_grown = true;
}

void ConnectionRoom::headArrived(std::uint64_t serial)
{
    if (const auto it = m_open.find(serial); it != m_open.end())
        it->second.headArrived = true;
}

void ConnectionRoom::closed(std::uint64_t serial)
{
    const auto it = m_open.find(serial);
    if (it == m_open.end())
        return;
    const auto address = m_openByAddress.find(it->second.address);
    if (--address->second == 0)
        m_openByAddress.erase(address);
    m_open.erase(it);
}

std::vector<std::uint64_t> ConnectionRoom::toDrop()
{
    std::vector<std::uint64_t> dropped;
    if (!std::exchange(m_grown, false))
        return dropped;
    const auto crowded = [this](const Connection &c) {
        return m_open.size() + m_limits.freeSlots > m_limits.connections
            || m_openByAddress[c.address] + m_limits.freeSlots > m_limits.perAddress;
    };
    for (auto it = m_open.begin(); it != m_open.end();) {
        const auto current = it++;
        if (!current->second.headArrived && crowded(current->second)) {
            dropped.push_back(current->first);
            closed(current->first);
        }
    }
    return dropped;
}

} // namespace pellomar::directory
