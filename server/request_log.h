// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <string_view>

namespace pellomar::directory {

// The request log on standard error, one line a request, written by a thread of its own so
// that a reader who is slow, stopped or gone never holds the server up: lines that find its
// buffer full are dropped and counted, and the count is logged once the reader catches up. When
// standard error is closed or its reader has gone, logging ends and serving goes on.
class RequestLog {
public:
    RequestLog();
    ~RequestLog();
    RequestLog(const RequestLog &) = delete;
    RequestLog &operator=(const RequestLog &) = delete;

    // Never waits for standard error.
    void write(std::string_view line);

private:
    struct Buffer;
    std::shared_ptr<Buffer> m_buffer;
};

} // namespace pellomar::directory
