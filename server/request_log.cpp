// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "request_log.h"

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <pthread.h>
#include <signal.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <utility>

namespace pellomar::directory {

namespace {

// Thousands of lines: enough for a reader that is briefly slow, little for a server.
constexpr std::size_t MaxBufferedBytes = 256 * 1024;
// Lines are gathered this long, or up to this size, and written at once: a wake of the writer
// for every line would cost a busy server more than the writing.
constexpr auto GatherTime = std::chrono::milliseconds(20);
constexpr std::size_t GatherBytes = 16 * 1024;
// At the server's end, a reader that takes no more in this long keeps the rest.
constexpr auto FinalFlushTime = std::chrono::seconds(1);

// False when standard error takes no more: closed, or its reader gone.
bool writeAll(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(STDERR_FILENO, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

struct RequestLog::Buffer {
    std::mutex mutex;
    std::condition_variable changed;
    std::string lines;
    std::size_t dropped = 0;
    bool ending = false;
    bool ended = false; // standard error is gone, or the log has been written out at the end
};

RequestLog::RequestLog()
    : m_buffer(std::make_shared<Buffer>())
{
    // The writer holds the buffer too: at the end it may still be waiting on a reader that
    // never comes, and is left to go with the process.
    std::thread([buffer = m_buffer] {
        // A reader that has gone makes the write fail instead of ending the process.
        sigset_t brokenPipe;
        sigemptyset(&brokenPipe);
        sigaddset(&brokenPipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &brokenPipe, nullptr);
        std::unique_lock lock(buffer->mutex);
        for (bool open = true; open;) {
            buffer->changed.wait(
                lock, [&buffer] { return !buffer->lines.empty() || buffer->ending; });
            if (buffer->lines.empty())
                break;
            buffer->changed.wait_for(lock, GatherTime,
                [&buffer] { return buffer->lines.size() >= GatherBytes || buffer->ending; });
            std::string lines = std::move(buffer->lines);
            buffer->lines.clear();
            if (const std::size_t dropped = std::exchange(buffer->dropped, 0))
                lines += std::to_string(dropped)
                    + " request log lines dropped: standard error did not keep up\n";
            lock.unlock();
            open = writeAll(lines);
            lock.lock();
        }
        buffer->ended = true;
        buffer->lines.clear();
        buffer->changed.notify_all();
    }).detach();
}

RequestLog::~RequestLog()
{
    std::unique_lock lock(m_buffer->mutex);
    m_buffer->ending = true;
    m_buffer->changed.notify_all();
    m_buffer->changed.wait_for(lock, FinalFlushTime, [this] { return m_buffer->ended; });
}

void RequestLog::write(std::string_view line)
{
    const std::lock_guard lock(m_buffer->mutex);
    if (m_buffer->ended)
        return;
    if (m_buffer->lines.size() + line.size() + 1 > MaxBufferedBytes) {
        ++m_buffer->dropped;
        return;
    }
    const bool wasEmpty = m_buffer->lines.empty();
    m_buffer->lines.append(line);
    m_buffer->lines += '\n';
    if (wasEmpty || m_buffer->lines.size() >= GatherBytes)
        m_buffer->changed.notify_all();
}

} // namespace pellomar::directory
