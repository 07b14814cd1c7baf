// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace pellomar::directory {

// Which connections the directory drops so that a whole request always finds a slot. The last
// free slots of all, and of each address, are kept free: once they are taken, the oldest
// connections still sending their request head go, so that slow clients, however many and from
// wherever, never leave a newcomer waiting. A connection whose head has arrived is never dropped
// for room.
class ConnectionRoom {
public:
    struct Limits {
        unsigned connections = 0; // of all
        unsigned perAddress = 0; // of one address
        unsigned freeSlots = 0; // kept free of each of those
    };

    explicit ConnectionRoom(Limits limits);

    // `serial` grows with every connection accepted; `address` names its peer.
    void opened(std::uint64_t serial, std::string address);
    void headArrived(std::uint64_t serial);
    // Closed, or dropped at its deadline.
    void closed(std::uint64_t serial);

    // The connections to drop now, oldest first; they count as closed from here on.
    std::vector<std::uint64_t> toDrop();

private:
    struct Connection {
        std::string address;
        bool headArrived = false;
    };

    Limits m_limits;
    std::map<std::uint64_t, Connection> m_open;
    std::unordered_map<std::string, unsigned> m_openByAddress;
    bool m_grown = false; // opened since the last look
};

} // namespace pellomar::directory
