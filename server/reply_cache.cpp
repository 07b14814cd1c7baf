// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reply_cache.h"

#include <microhttpd.h>
#include <utility>

namespace pellomar::directory {

Reply makeReply(std::string body, const char *type)
{
    auto *kept = new std::string(std::move(body));
    Reply reply { MHD_create_response_from_buffer_with_free_callback_cls(
                      kept->size(), kept->data(),
                      [](void *text) { delete static_cast<std::string *>(text); }, kept),
        kept->size() };
    if (!reply.response) {
        delete kept;
        return reply;
    }
    MHD_add_response_header(reply.response, MHD_HTTP_HEADER_CONTENT_TYPE, type);
    MHD_add_response_header(reply.response, MHD_HTTP_HEADER_CONNECTION, "close");
    return reply;
}

ReplyCache::ReplyCache(std::size_t maxReplies, std::size_t maxBytes)
    : m_maxReplies(maxReplies)
    , m_maxBytes(maxBytes)
{
}

ReplyCache::~ReplyCache()
{
    clear();
}

const Reply *ReplyCache::find(const std::string &key) const
{
    const auto it = m_replies.find(key);
    return it == m_replies.end() ? nullptr : &it->second;
}

const Reply &ReplyCache::keep(std::string key, Reply reply)
{
    if (m_replies.size() >= m_maxReplies || m_bytes + reply.bytes > m_maxBytes)
        clear();
    const auto [it, added] = m_replies.try_emplace(std::move(key), reply);
    if (added)
        m_bytes += reply.bytes;
    else
        MHD_destroy_response(reply.response);
    return it->second;
}

void ReplyCache::clear()
{
    for (const auto &[key, reply] : m_replies)
        MHD_destroy_response(reply.response);
    m_replies.clear();
    m_bytes = 0;
}

} // namespace pellomar::directory
