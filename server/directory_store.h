// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "rules/directory_figures.h"
#include "rules/hotspot.h"
#include "rules/osm_tags.h"
#include "rules/search_request.h"

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace pellomar::directory {

// The directory's hotspots in SQLite: one connection, used by one thread at a time. Other
// processes may use the same file at once.
class DirectoryStore {
public:
    enum class Access { ReadWrite, ReadOnly };

    ~DirectoryStore();
    DirectoryStore(const DirectoryStore &) = delete;
    DirectoryStore &operator=(const DirectoryStore &) = delete;

    // Opens (or creates) the database file; ":memory:" keeps it in memory. Read-only, the file
    // must be a directory database already. Nothing and a message in `error` when it cannot be
    // opened or is not a directory database.
    static std::unique_ptr<DirectoryStore> open(
        const std::string &path, Access access, std::string &error);

    // True until the first hotspot has been stored.
    bool isEmpty();

    // Stores the dataset's hotspots with their own ids, all or none.
    bool load(const std::vector<Hotspot> &hotspots, std::string &error);

    // Fills a store that holds no hotspot yet from the dataset's table (hotspots.txt), all or
    // none; a store already filled is left as it is. False with the reason in `error` when the
    // table cannot be read, a line of it is not a hotspot, or the store cannot keep them.
    bool seedFrom(const std::filesystem::path &table, std::string &error);

    // Matching hotspots ordered by city, name and id, at most `limit` of them.
    std::vector<Hotspot> search(const SearchQuery &query, std::size_t limit);

    // Stores a new hotspot and gives its id.
    std::optional<std::int64_t> add(const Hotspot &hotspot, std::string &error);

    DirectoryFigures figures();

    // The version of the data, the same in every process using the file, raised by every
    // change; nothing when the database does not answer.
    std::optional<std::int64_t> dataVersion();
    // Between these, every read sees the data of one version, whatever other processes commit.
    bool beginReading();
    void endReading();

    // What an import changed.
    struct ImportCounts {
        std::uint64_t added = 0;
        std::uint64_t updated = 0;
        std::uint64_t unchanged = 0;
        std::uint64_t removed = 0;
    };
    // Puts an extract's places in place of those the previous import stored, matched by their
    // OpenStreetMap object: changed ones updated (keeping their hotspot ids), new ones added,
    // those no longer in the extract removed. Submitted hotspots are not touched. All or
    // nothing: nothing and the reason in `error` when it cannot be done.
    std::optional<ImportCounts> replaceImported(const std::vector<ImportedPlace> &places,
        const std::string &extractDate, std::string &error);
    // The last import, when there was one.
    std::optional<DataCredit> importCredit();

private:
    explicit DirectoryStore(sqlite3 *db);
    bool insert(const Hotspot &hotspot, bool keepId, std::int64_t &id, std::string &error);

    // A statement prepared once and kept, by its SQL, for what runs once per place.
    sqlite3_stmt *kept(const char *sql);

    sqlite3 *m_db;
    std::map<std::string, sqlite3_stmt *> m_kept;
};

} // namespace pellomar::directory
