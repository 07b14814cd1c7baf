// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace pellomar::directory {

class DirectoryStore;

// Threads that read the database for the server's loop, each through its own read-only
// connection to the file: a search of a large directory takes milliseconds, and on the loop's
// one thread every other client would wait for it. The loop keeps the sockets.
class SearchWorkers {
public:
    using Task = std::function<void(DirectoryStore &)>;

    // `count` threads on the database file at `path`; nothing, with the reason in `error`,
    // when a connection to it cannot be opened.
    static std::unique_ptr<SearchWorkers> start(
        const std::string &path, unsigned count, std::string &error);
    // Waits for the tasks being run; those not yet taken are dropped unrun.
    ~SearchWorkers();
    SearchWorkers(const SearchWorkers &) = delete;
    SearchWorkers &operator=(const SearchWorkers &) = delete;

    // Runs `task` on the first thread free, with that thread's connection.
    void post(Task task);

private:
    SearchWorkers() = default;
    void work(DirectoryStore &store);

    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<Task> m_tasks;
    bool m_stopping = false;
    std::vector<std::unique_ptr<DirectoryStore>> m_stores;
    std::vector<std::thread> m_threads;
};

} // namespace pellomar::directory
