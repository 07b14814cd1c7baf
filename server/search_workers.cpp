// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "search_workers.h"

#include "directory_store.h"

#include <utility>

namespace pellomar::directory {

std::unique_ptr<SearchWorkers> SearchWorkers::start(
    const std::string &path, unsigned count, std::string &error)
{
    std::unique_ptr<SearchWorkers> workers(new SearchWorkers());
    for (unsigned i = 0; i < count; ++i) {
        auto store = DirectoryStore::open(path, DirectoryStore::Access::ReadOnly, error);
        if (!store)
            return nullptr;
        workers->m_stores.push_back(std::move(store));
    }
    for (auto &store : workers->m_stores)
        workers->m_threads.emplace_back(&SearchWorkers::work, workers.get(), std::ref(*store));
    return workers;
}

SearchWorkers::~SearchWorkers()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_posted.notify_all();
    for (auto &thread : m_threads)
        thread.join();
}

void SearchWorkers::post(Task task)
{
    {
        const std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    m_posted.notify_one();
}

void SearchWorkers::work(DirectoryStore &store)
{
    for (;;) {
        Task task;
        {
            std::unique_lock lock(m_mutex);
            m_posted.wait(lock, [this] { return m_stopping || !m_tasks.empty(); });
            if (m_stopping)
                return;
            task = std::move(m_tasks.front());
            m_tasks.pop_front();
        }
        task(store);
    }
}

} // namespace pellomar::directory
