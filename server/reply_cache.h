// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>

struct MHD_Response;

namespace pellomar::directory {

// A reply ready to queue on any number of connections; libmicrohttpd counts its users.
struct Reply {
    MHD_Response *response = nullptr;
    std::size_t bytes = 0;
};

// A reply of `body` with its content type, closing its connection: the client reads a reply
// until the server closes. No response when libmicrohttpd could not make one.
Reply makeReply(std::string body, const char *type);

// Replies built once and kept under a key until the directory changes: reading 1,000 records
// and encoding them costs far more than sending them; a map tile once drawn never changes.
class ReplyCache {
public:
    ReplyCache(std::size_t maxReplies, std::size_t maxBytes);
    ~ReplyCache();
    ReplyCache(const ReplyCache &) = delete;
    ReplyCache &operator=(const ReplyCache &) = delete;

    const Reply *find(const std::string &key) const;
    // Takes the caller's hold on the reply; a full cache starts again empty.
    const Reply &keep(std::string key, Reply reply);
    void clear();

private:
    std::size_t m_maxReplies;
    std::size_t m_maxBytes;
    std::unordered_map<std::string, Reply> m_replies;
    std::size_t m_bytes = 0;
};

} // namespace pellomar::directory
