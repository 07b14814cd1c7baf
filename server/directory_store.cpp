// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "directory_store.h"

#include "file_bytes.h"
#include "reference/reference_table.h"
#include "reference/text_fields.h"
#include "rules/search_keys.h"

#include <sqlite3.h>
#include <unordered_map>
#include <utility>

namespace pellomar::directory {

namespace {

constexpr const char *Schema = R"(
CREATE TABLE IF NOT EXISTS hotspot (
  id INTEGER PRIMARY KEY,
  location_name TEXT NOT NULL,
  access_type INTEGER NOT NULL CHECK (access_type BETWEEN 0 AND 3),
  operator TEXT NOT NULL,
  website TEXT NOT NULL,
  phone TEXT NOT NULL,
  email TEXT NOT NULL,
  location_type TEXT NOT NULL,
  address TEXT NOT NULL,
  zip TEXT NOT NULL,
  zip_key TEXT NOT NULL,
  city TEXT NOT NULL,
  city_key TEXT NOT NULL,
  country TEXT NOT NULL,
  latitude TEXT NOT NULL,
  longitude TEXT NOT NULL,
  technology INTEGER NOT NULL CHECK (technology BETWEEN 0 AND 3),
  ssid TEXT NOT NULL,
  description TEXT NOT NULL,
  image_path TEXT NOT NULL
);
CREATE INDEX IF NOT EXISTS hotspot_by_place ON hotspot (country, city_key);
CREATE TABLE IF NOT EXISTS osm_place (
  osm_type TEXT NOT NULL CHECK (osm_type IN ('n', 'w', 'r')),
  osm_id INTEGER NOT NULL,
  hotspot_id INTEGER NOT NULL UNIQUE,
  PRIMARY KEY (osm_type, osm_id)
);
CREATE TABLE IF NOT EXISTS osm_import (
  id INTEGER PRIMARY KEY CHECK (id = 1),
  extract_date TEXT NOT NULL,
  hotspots INTEGER NOT NULL,
  imported_at TEXT NOT NULL
);
CREATE TABLE IF NOT EXISTS data_version (
  id INTEGER PRIMARY KEY CHECK (id = 1),
  version INTEGER NOT NULL
);
INSERT OR IGNORE INTO data_version (id, version) VALUES (1, 1);
)";

// Every change of the hotspots bumps it in its own transaction, so the version read beside the
// rows always names them.
constexpr const char *BumpVersion = "UPDATE data_version SET version = version + 1 WHERE id = 1";

constexpr const char *Columns
    = "id, location_name, access_type, operator, website, phone, email, location_type, "
      "address, zip, city, country, latitude, longitude, technology, ssid, description, "
      "image_path";

// Owns a prepared statement for the length of one call, or borrows one the store keeps for
// many calls and leaves it ready for the next.
class Statement {
public:
    Statement(sqlite3 *db, const char *sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr) != SQLITE_OK)
            m_statement = nullptr;
    }
    explicit Statement(sqlite3_stmt *kept)
        : m_statement(kept)
        , m_owned(false)
    {
    }
    ~Statement()
    {
        if (m_owned) {
            sqlite3_finalize(m_statement);
        } else if (m_statement) {
            sqlite3_reset(m_statement);
            sqlite3_clear_bindings(m_statement);
        }
    }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    explicit operator bool() const { return m_statement != nullptr; }
    sqlite3_stmt *get() const { return m_statement; }

    void bind(int index, std::string_view text)
    {
        sqlite3_bind_text(
            m_statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    void bind(int index, std::int64_t value) { sqlite3_bind_int64(m_statement, index, value); }
    void bindOptional(int index, const std::optional<std::string> &text)
    {
        if (text)
            bind(index, *text);
        else
            sqlite3_bind_null(m_statement, index);
    }

    std::string text(int column) const
    {
        const auto *bytes = sqlite3_column_text(m_statement, column);
        const int size = sqlite3_column_bytes(m_statement, column);
        return bytes
            ? std::string(reinterpret_cast<const char *>(bytes), static_cast<std::size_t>(size))
            : std::string();
    }
    std::int64_t integer(int column) const { return sqlite3_column_int64(m_statement, column); }

private:
    sqlite3_stmt *m_statement = nullptr;
    bool m_owned = true;
};

bool execute(sqlite3 *db, const char *sql, std::string &error)
{
    char *message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    error = message ? message : sqlite3_errmsg(db);
    sqlite3_free(message);
    return false;
}

Hotspot hotspotFrom(const Statement &row)
{
    Hotspot h;
    h.id = row.integer(0);
    h.locationName = row.text(1);
    h.accessType = static_cast<int>(row.integer(2));
    h.operatorName = row.text(3);
    h.websiteUrl = row.text(4);
    h.phoneNumber = row.text(5);
    h.emailAddress = row.text(6);
    h.locationTypeCode = row.text(7);
    h.address = row.text(8);
    h.zip = row.text(9);
    h.city = row.text(10);
    h.countryCode = row.text(11);
    h.latitude = row.text(12);
    h.longitude = row.text(13);
    h.technologyCode = static_cast<int>(row.integer(14));
    h.ssidInfo = row.text(15);
    h.description = row.text(16);
    h.imagePath = row.text(17);
    return h;
}

} // namespace

DirectoryStore::DirectoryStore(sqlite3 *db)
    : m_db(db)
{
}

DirectoryStore::~DirectoryStore()
{
    for (const auto &[sql, statement] : m_kept)
        sqlite3_finalize(statement);
    sqlite3_close(m_db);
}

sqlite3_stmt *DirectoryStore::kept(const char *sql)
{
    // Preparing costs more than running an insert: an import of 20,000 places spent most of
    // its writing time there.
    sqlite3_stmt *&statement = m_kept[sql];
    if (!statement
        && sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr)
            != SQLITE_OK) {
        sqlite3_finalize(statement);
        statement = nullptr;
    }
    return statement;
}

std::unique_ptr<DirectoryStore> DirectoryStore::open(
    const std::string &path, Access access, std::string &error)
{
    sqlite3 *db = nullptr;
    const int flags = access == Access::ReadOnly ? SQLITE_OPEN_READONLY
                                                 : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
        error = "cannot open the database " + path + ": " + sqlite3_errmsg(db);
        sqlite3_close(db);
        return nullptr;
    }
    // Several directories may serve one file: a writer holds it for one submission or one
    // import, and the others wait for it rather than fail.
    sqlite3_busy_timeout(db, 5000);
    std::string why;
    // In write-ahead mode readers go on from the last commit while one process writes, however
    // long an import takes, and never see half of it. The mode stays with the file; a database
    // in memory keeps its own.
    const bool ready = access == Access::ReadOnly
        ? execute(db, "SELECT version FROM data_version; SELECT 1 FROM hotspot LIMIT 1", why)
        : execute(db, "PRAGMA journal_mode = WAL", why) && execute(db, Schema, why);
    if (!ready) {
        error = "cannot use " + path + " as the directory's database: " + why;
        sqlite3_close(db);
        return nullptr;
    }
    return std::unique_ptr<DirectoryStore>(new DirectoryStore(db));
}

bool DirectoryStore::isEmpty()
{
    // An import that found nothing still fills the database: it is not the demo's to seed.
    Statement query(m_db, "SELECT 1 FROM hotspot UNION ALL SELECT 1 FROM osm_import LIMIT 1");
    return !query || sqlite3_step(query.get()) != SQLITE_ROW;
}

bool DirectoryStore::insert(const Hotspot &h, bool keepId, std::int64_t &id, std::string &error)
{
    Statement insert(kept("INSERT INTO hotspot (id, location_name, access_type, operator, "
                          "website, phone, email, location_type, address, zip, zip_key, city, "
                          "city_key, country, latitude, longitude, technology, ssid, "
                          "description, image_path) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, "
                          "?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, ?19, ?20)"));
    if (!insert) {
        error = sqlite3_errmsg(m_db);
        return false;
    }
    const SearchKeys keys = keysOf(h);
    if (keepId)
        insert.bind(1, h.id);
    insert.bind(2, h.locationName);
    insert.bind(3, std::int64_t { h.accessType });
    insert.bind(4, h.operatorName);
    insert.bind(5, h.websiteUrl);
    insert.bind(6, h.phoneNumber);
    insert.bind(7, h.emailAddress);
    insert.bind(8, keys.locationTypeCode);
    insert.bind(9, h.address);
    insert.bind(10, h.zip);
    insert.bind(11, keys.zipKey);
    insert.bind(12, h.city);
    insert.bind(13, keys.cityKey);
    insert.bind(14, keys.countryCode);
    insert.bind(15, h.latitude);
    insert.bind(16, h.longitude);
    insert.bind(17, std::int64_t { h.technologyCode });
    insert.bind(18, h.ssidInfo);
    insert.bind(19, h.description);
    insert.bind(20, h.imagePath);
    if (sqlite3_step(insert.get()) != SQLITE_DONE) {
        error = sqlite3_errmsg(m_db);
        return false;
    }
    id = sqlite3_last_insert_rowid(m_db);
    return true;
}

bool DirectoryStore::load(const std::vector<Hotspot> &hotspots, std::string &error)
{
    if (!execute(m_db, "BEGIN IMMEDIATE", error))
        return false;
    // Two directories starting on a new file at once: the second finds it filled.
    if (!isEmpty())
        return execute(m_db, "COMMIT", error);
    for (const auto &hotspot : hotspots) {
        std::int64_t id = 0;
        if (!insert(hotspot, true, id, error)) {
            error = "hotspot " + std::to_string(hotspot.id) + ": " + error;
            std::string ignored;
            execute(m_db, "ROLLBACK", ignored);
            return false;
        }
    }
    return execute(m_db, BumpVersion, error) && execute(m_db, "COMMIT", error);
}

bool DirectoryStore::seedFrom(const std::filesystem::path &table, std::string &error)
{
    if (!isEmpty())
        return true;
    const auto text = readFileBytes(table);
    if (!text) {
        error = "cannot read the dataset " + table.string();
        return false;
    }
    std::vector<Hotspot> hotspots;
    int lineNumber = 0;
    for (std::string_view line : splitLines(*text)) {
        if (++lineNumber == 1 || line.empty())
            continue;
        auto hotspot = parseDatasetLine(line);
        if (!hotspot) {
            error = table.string() + ": line " + std::to_string(lineNumber) + " is not a hotspot";
            return false;
        }
        hotspots.push_back(std::move(*hotspot));
    }
    return load(hotspots, error);
}

std::vector<Hotspot> DirectoryStore::search(const SearchQuery &query, std::size_t limit)
{
    // Only the filters given go into the statement: with "(?2 IS NULL OR city_key = ?2)" SQLite
    // cannot use the index on country and city, and a city search in a country of a million
    // imported places read every one of them (150 ms).
    std::string sql = std::string("SELECT ") + Columns + " FROM hotspot WHERE country = ?1";
    sql += query.cityKey ? " AND city_key = ?2" : "";
    sql += query.zipKey ? " AND zip_key = ?3" : "";
    sql += query.locationTypeCode ? " AND location_type = ?4" : "";
    sql += query.accessType ? " AND access_type = ?5" : "";
    sql += " ORDER BY city_key, location_name, id LIMIT ?6";
    Statement select(kept(sql.c_str()));
    std::vector<Hotspot> found;
    if (!select)
        return found;
    select.bind(1, query.countryCode);
    select.bindOptional(2, query.cityKey);
    select.bindOptional(3, query.zipKey);
    select.bindOptional(4, query.locationTypeCode);
    if (query.accessType)
        select.bind(5, std::int64_t { *query.accessType });
    select.bind(6, static_cast<std::int64_t>(limit));
    while (sqlite3_step(select.get()) == SQLITE_ROW)
        found.push_back(hotspotFrom(select));
    return found;
}

std::optional<std::int64_t> DirectoryStore::add(const Hotspot &hotspot, std::string &error)
{
    std::int64_t id = 0;
    if (!execute(m_db, "BEGIN IMMEDIATE", error))
        return std::nullopt;
    if (!insert(hotspot, false, id, error) || !execute(m_db, BumpVersion, error)
        || !execute(m_db, "COMMIT", error)) {
        std::string ignored;
        execute(m_db, "ROLLBACK", ignored);
        return std::nullopt;
    }
    return id;
}

std::optional<std::int64_t> DirectoryStore::dataVersion()
{
    // Asked before every search.
    sqlite3_stmt *query = kept("SELECT version FROM data_version WHERE id = 1");
    if (!query)
        return std::nullopt;
    std::optional<std::int64_t> version;
    if (sqlite3_step(query) == SQLITE_ROW)
        version = sqlite3_column_int64(query, 0);
    sqlite3_reset(query);
    return version;
}

bool DirectoryStore::beginReading()
{
    std::string ignored;
    return execute(m_db, "BEGIN", ignored);
}

void DirectoryStore::endReading()
{
    std::string ignored;
    execute(m_db, "COMMIT", ignored);
}

DirectoryFigures DirectoryStore::figures()
{
    Statement count(m_db,
        "SELECT count(*), count(DISTINCT country), "
        "(SELECT count(*) FROM (SELECT DISTINCT country, city_key FROM hotspot)) "
        "FROM hotspot");
    DirectoryFigures figures;
    if (count && sqlite3_step(count.get()) == SQLITE_ROW) {
        figures.hotspots = static_cast<std::size_t>(count.integer(0));
        figures.countries = static_cast<std::size_t>(count.integer(1));
        figures.cities = static_cast<std::size_t>(count.integer(2));
    }
    return figures;
}

std::optional<DirectoryStore::ImportCounts> DirectoryStore::replaceImported(
    const std::vector<ImportedPlace> &places, const std::string &extractDate, std::string &error)
{
    // IMMEDIATE: a server reading the file meanwhile goes on answering from the old rows, and
    // a second import waits instead of failing half-way.
    if (!execute(m_db, "BEGIN IMMEDIATE", error))
        return std::nullopt;
    ImportCounts counts;
    const auto fail = [this, &error](std::string why) {
        error = std::move(why);
        std::string ignored;
        execute(m_db, "ROLLBACK", ignored);
        return std::nullopt;
    };
    // A database made before imports existed accepts no unknown access type or technology:
    // its table is rebuilt with the wider checks, inside the same transaction.
    Statement oldTable(m_db,
        "SELECT 1 FROM sqlite_master WHERE name = 'hotspot' AND sql LIKE "
        "'%access_type BETWEEN 1 AND 3%'");
    if (oldTable && sqlite3_step(oldTable.get()) == SQLITE_ROW) {
        std::string schema = Schema;
        schema.replace(schema.find("IF NOT EXISTS hotspot ("), 23, "hotspot_wider (");
        schema = schema.substr(0, schema.find("CREATE INDEX"));
        const std::string rebuild = schema
            + "INSERT INTO hotspot_wider SELECT * FROM hotspot; DROP TABLE hotspot; "
              "ALTER TABLE hotspot_wider RENAME TO hotspot;"
            + std::string(Schema).substr(std::string(Schema).find("CREATE INDEX"));
        if (!execute(m_db, rebuild.c_str(), error))
            return fail("cannot widen the hotspot table: " + error);
    }

    static const std::string ByIdSql
        = std::string("SELECT ") + Columns + " FROM hotspot WHERE id = ?1";
    std::unordered_map<std::string, std::int64_t> previous;
    Statement known(m_db, "SELECT osm_type || osm_id, hotspot_id FROM osm_place");
    while (known && sqlite3_step(known.get()) == SQLITE_ROW)
        previous.emplace(known.text(0), known.integer(1));

    for (const ImportedPlace &place : places) {
        const std::string key = place.osmType + std::to_string(place.osmId);
        const auto before = previous.find(key);
        std::int64_t id = 0;
        if (before != previous.end()) {
            Hotspot hotspot = place.hotspot;
            if (before->second < 0)
                continue; // the same object twice in a damaged extract
            hotspot.id = id = std::exchange(before->second, -1);
            Statement current(kept(ByIdSql.c_str()));
            current.bind(1, id);
            if (current && sqlite3_step(current.get()) == SQLITE_ROW
                && hotspotFrom(current) == hotspot) {
                ++counts.unchanged;
                continue;
            }
            // The row goes and comes back under its own id, so clients' ids stay valid.
            Statement drop(kept("DELETE FROM hotspot WHERE id = ?1"));
            drop.bind(1, id);
            if (!drop || sqlite3_step(drop.get()) != SQLITE_DONE
                || !insert(hotspot, true, id, error))
                return fail(key + ": " + sqlite3_errmsg(m_db));
            ++counts.updated;
            continue;
        }
        if (!insert(place.hotspot, false, id, error))
            return fail(key + ": " + error);
        Statement link(
            kept("INSERT INTO osm_place (osm_type, osm_id, hotspot_id) VALUES (?1, ?2, ?3)"));
        link.bind(1, std::string_view(&place.osmType, 1));
        link.bind(2, place.osmId);
        link.bind(3, id);
        if (!link || sqlite3_step(link.get()) != SQLITE_DONE)
            return fail(key + ": " + sqlite3_errmsg(m_db));
        previous.emplace(key, -1);
        ++counts.added;
    }
    for (const auto &[key, id] : previous) {
        if (id < 0)
            continue;
        Statement drop(kept("DELETE FROM hotspot WHERE id = ?1"));
        Statement unlink(kept("DELETE FROM osm_place WHERE hotspot_id = ?1"));
        drop.bind(1, id);
        unlink.bind(1, id);
        if (!drop || !unlink || sqlite3_step(drop.get()) != SQLITE_DONE
            || sqlite3_step(unlink.get()) != SQLITE_DONE)
            return fail(key + ": " + sqlite3_errmsg(m_db));
        ++counts.removed;
    }
    Statement credit(m_db,
        "INSERT OR REPLACE INTO osm_import (id, extract_date, hotspots, imported_at) "
        "VALUES (1, ?1, ?2, datetime('now'))");
    credit.bind(1, extractDate);
    credit.bind(2, static_cast<std::int64_t>(places.size()));
    if (!credit || sqlite3_step(credit.get()) != SQLITE_DONE)
        return fail(sqlite3_errmsg(m_db));
    if (!execute(m_db, BumpVersion, error) || !execute(m_db, "COMMIT", error))
        return fail(error);
    return counts;
}

std::optional<DataCredit> DirectoryStore::importCredit()
{
    Statement last(m_db, "SELECT extract_date, hotspots FROM osm_import WHERE id = 1");
    if (!last || sqlite3_step(last.get()) != SQLITE_ROW)
        return std::nullopt;
    return DataCredit { last.text(0), static_cast<std::size_t>(last.integer(1)) };
}

} // namespace pellomar::directory
