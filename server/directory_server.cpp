// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "directory_server.h"

#include "directory_store.h"
#include "file_bytes.h"
#include "reference/reference_table.h"
#include "reference/text_encoding.h"
#include "reference/text_fields.h"
#include "reply_cache.h"
#include "request_log.h"
#include "rules/connection_room.h"
#include "rules/entity_tag.h"
#include "rules/home_page.h"
#include "rules/request_log_line.h"
#include "rules/search_request.h"
#include "rules/wire_format.h"
#include "search_workers.h"
#include "tiles/demo_tile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <climits>
#include <cstring>
#include <malloc.h>
#include <map>
#include <microhttpd.h>
#include <mutex>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <strings.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <unordered_set>
#include <utility>

namespace pellomar::directory {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto TextType = "text/plain; charset=utf-8";
constexpr auto HtmlType = "text/html; charset=utf-8";
constexpr std::size_t MaxFormBytes = 64 * 1024;

// Every client is taken as hostile. A request head (request line and header lines) over
// 16 KB or with more than 100 header lines is refused with 431, a request target over 8 KB
// with 414: within nginx's default (lines of at most 8 KB, 32 KB in all) and Apache's (lines
// of at most 8 KB, 100 of them).
constexpr std::size_t MaxHeadBytes = 16 * 1024;
constexpr int MaxHeaderLines = 100;
constexpr std::size_t MaxTargetBytes = 8 * 1024;
// A connection's head is read into memory of its own: twice the largest head leaves room for
// the library's record of each header line. A head that outgrows it is refused by the library
// itself (431, or 414 for a request line alone), and the memory goes with the connection.
// libmicrohttpd 0.9.75 takes up to 32 KB of it from malloc, and maps anything larger afresh
// for every connection (no option changes that): faulting in, zeroing and unmapping 128 KB a
// connection cost a new search more than SQLite did, and made a cold directory 2-3 times
// slower. Hence heads of 16 KB, not the 64 KB such memory would allow.
constexpr std::size_t ConnectionMemory = 2 * MaxHeadBytes;
static_assert(ConnectionMemory <= 32 * 1024);
constexpr unsigned MaxConnections = 1000;
// One address holds at most this many of them, so that one host cannot take every slot;
// libmicrohttpd refuses its connections beyond.
constexpr unsigned MaxConnectionsPerAddress = 128;
// Slots kept free for newcomers, of all and of each address (see ConnectionRoom).
// libmicrohttpd accepts at most 10 connections a turn and closes a dropped one a turn later,
// so it never finds 32 free slots all taken and never refuses a newcomer itself.
constexpr unsigned FreeSlots = 32;
// Dropped connections are logged as counts, at most once in this time.
constexpr auto DropReportInterval = std::chrono::seconds(1);
// The whole request, head and form, must have arrived this long after the connection was
// accepted, however steadily it trickles in; a reply being sent is closed after this long
// without progress.
constexpr auto RequestDeadline = std::chrono::seconds(10);
constexpr unsigned IdleSeconds = 10;
// Search replies kept at once: a few hundred queries are most of what a directory is asked.
constexpr std::size_t MaxCachedReplies = 256;
constexpr std::size_t MaxCachedBytes = 64 * 1024 * 1024;
// The map tiles drawn, at most; a tile of the demo's is a few kilobytes.
constexpr std::size_t MaxCachedTiles = 4096;
constexpr std::size_t MaxCachedTileBytes = 32 * 1024 * 1024;
// Searches and the home page may be kept a minute by a front or a browser without asking: the
// longest a copy further on lags new data. A tile never changes: a day, as tile servers ask;
// its tag names the drawing, raised when the drawing changes.
constexpr auto DataCacheControl = "public, max-age=60";
constexpr auto TileCacheControl = "public, max-age=86400";
constexpr auto TileTag = "\"tile-1\"";
// Threads reading the database for searches: one a processor but the one left to the loop,
// which accepts, reads and sends for every connection. On two processors two workers took the
// loop's processor and finished searches out of their order: in six pairs of runs of cold
// searches from 50 clients, one worker gave the lower 99th percentile five times (33 ms against
// 39 on average), at 1.6-2.1 times the mean latency against 1.9-2.9.
// At most eight connections to the file.
constexpr unsigned MinSearchThreads = 1;
constexpr unsigned MaxSearchThreads = 8;
constexpr int SearchMemoryKept = 16 * 1024 * 1024;

// The name and extension of the picture a path asks for: /images/NAME.jpg or /images/NAME.gif,
// NAME of 1 to 64 letters, digits, _ and -.
std::optional<std::pair<std::string, std::string>> pictureIn(std::string_view path)
{
    constexpr std::string_view folder = "/images/";
    const auto dot = path.rfind('.');
    if (!path.starts_with(folder) || dot == std::string_view::npos || dot <= folder.size()
        || dot - folder.size() > 64)
        return std::nullopt;
    const std::string_view name = path.substr(folder.size(), dot - folder.size());
    const std::string_view extension = path.substr(dot + 1);
    const auto nameCharacter = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')
            || c == '_' || c == '-';
    };
    if (!std::all_of(name.begin(), name.end(), nameCharacter)
        || (extension != "jpg" && extension != "gif"))
        return std::nullopt;
    return std::pair(std::string(name), std::string(extension));
}

// One connection and its one request, from the connection's acceptance to its close.
struct Exchange {
    std::uint64_t serial = 0; // in the order of acceptance
    Clock::time_point accepted;
    MHD_socket socket = MHD_INVALID_SOCKET;
    bool dropped = false; // its socket shut down by the server
    std::string target; // as the request line has it, for the log
    std::string method;
    std::optional<Clock::time_point> headReceived;
    int status = 0; // set once a reply is queued
    std::size_t replyBytes = 0;
    MHD_PostProcessor *form = nullptr;
    FormValues formValues;
    std::string *formValue = nullptr; // the value being read, unless its key came before
    std::size_t formBytes = 0;
    // A search a worker runs while the connection waits, suspended: its key in the reply cache
    // and, once done, its reply and the data version it was read at.
    bool searching = false;
    std::string searchKey;
    std::optional<std::int64_t> searchVersion;
    Reply searchReply;

    ~Exchange()
    {
        if (form)
            MHD_destroy_post_processor(form);
        if (searchReply.response)
            MHD_destroy_response(searchReply.response);
    }
};

// The peer's address without its port, as bytes: what the per-address limit counts.
std::string addressKey(MHD_Connection *connection)
{
    const auto *info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
    const sockaddr *peer = info ? info->client_addr : nullptr;
    if (peer && peer->sa_family == AF_INET) {
        const auto *in = reinterpret_cast<const sockaddr_in *>(peer);
        return std::string(reinterpret_cast<const char *>(&in->sin_addr), sizeof in->sin_addr);
    }
    if (peer && peer->sa_family == AF_INET6) {
        const auto *in6 = reinterpret_cast<const sockaddr_in6 *>(peer);
        return std::string(reinterpret_cast<const char *>(&in6->sin6_addr), sizeof in6->sin6_addr);
    }
    return {};
}

Exchange *exchangeOf(MHD_Connection *connection)
{
    const auto *info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_SOCKET_CONTEXT);
    return info ? static_cast<Exchange *>(info->socket_context) : nullptr;
}

// The headers on which the end of a request depends, and its host: a front (proxy, cache)
// reading them otherwise than the directory could send one client's bytes as another's request.
struct FramingHeaders {
    int contentLength = 0;
    int transferEncoding = 0;
    int host = 0;
};

MHD_Result countFramingHeader(void *counts, MHD_ValueKind, const char *key, const char *)
{
    auto &c = *static_cast<FramingHeaders *>(counts);
    c.contentLength += strcasecmp(key, MHD_HTTP_HEADER_CONTENT_LENGTH) == 0;
    c.transferEncoding += strcasecmp(key, MHD_HTTP_HEADER_TRANSFER_ENCODING) == 0;
    c.host += strcasecmp(key, MHD_HTTP_HEADER_HOST) == 0;
    return MHD_YES;
}

// A request that fronts may read otherwise: a NUL in its target, which cuts the path short
// where the front sees it whole; two lengths, or a length with chunks; HTTP/1.1 without its
// one Host.
bool isAmbiguous(MHD_Connection *connection, std::string_view target, std::string_view version)
{
    FramingHeaders counts;
    MHD_get_connection_values(connection, MHD_HEADER_KIND, &countFramingHeader, &counts);
    return target.find("%00") != std::string_view::npos || counts.contentLength > 1
        || (counts.contentLength > 0 && counts.transferEncoding > 0) || counts.host > 1
        || (version == MHD_HTTP_VERSION_1_1 && counts.host == 0);
}

MHD_Result collectArgument(void *values, MHD_ValueKind, const char *key, std::size_t keySize,
    const char *value, std::size_t valueSize)
{
    // The first value of a key counts, as with the client's one value per key.
    static_cast<FormValues *>(values)->emplace(
        std::string(key, keySize), value ? std::string(value, valueSize) : std::string());
    return MHD_YES;
}

MHD_Result collectFormField(void *exchange, MHD_ValueKind, const char *key, const char *,
    const char *, const char *, const char *data, std::uint64_t offset, std::size_t size)
{
    auto &e = *static_cast<Exchange *>(exchange);
    if (offset == 0) {
        const auto [it, added] = e.formValues.emplace(key, std::string());
        e.formValue = added ? &it->second : nullptr;
    }
    if (e.formValue && data)
        e.formValue->append(data, size);
    return MHD_YES;
}

} // namespace

// The server's connections are served on one thread, the caller of run() (the request log
// has a writer of its own): libmicrohttpd's event loop on epoll, driven from here, with every
// callback on this thread, so a slow client holds a connection but no thread. A search the
// reply cache cannot answer is the one slow task: its connection is suspended while a worker
// reads the database and makes the reply, and resumed by the loop to send it; the reply cache
// and every connection's record stay the loop's alone. libmicrohttpd's own time-out
// restarts with every byte received, so the deadline for a whole request is the server's: each
// connection's acceptance is noted, and the loop wakes at the earliest deadline to drop the
// connections still receiving, and after every turn that brought new connections to make room
// for more. On the loop's thread, between two of its turns, that needs no lock and no
// libmicrohttpd thread.
struct DirectoryServer::Private {
    ServerSetup setup;
    std::unique_ptr<DirectoryStore> store;
    ReferenceFile countries { ReferenceTable(0), 0 };
    ReferenceFile locationTypes { ReferenceTable(0), 0 };
    MHD_Daemon *daemon = nullptr;
    int wake = -1; // an eventfd that stop() makes readable
    // Searches of a database file run on these, with their own connections; a database in
    // memory is searched by the loop itself.
    std::unique_ptr<SearchWorkers> workers;
    int searched = -1; // an eventfd the workers make readable when a search is done
    std::mutex searchedMutex;
    std::vector<MHD_Connection *> searchedConnections; // done, still suspended
    std::unordered_set<MHD_Connection *> suspended;
    ReplyCache cache { MaxCachedReplies, MaxCachedBytes };
    // The data version the kept search replies were made from.
    std::optional<std::int64_t> cachedVersion;
    ReplyCache tiles { MaxCachedTiles, MaxCachedTileBytes };
    RequestLog requestLog;
    // Connections whose request has not fully arrived, oldest first: the first reaches its
    // deadline first, and the first without a head is the one dropped to make room.
    std::map<std::uint64_t, Exchange *> receiving;
    std::uint64_t accepted = 0;
    ConnectionRoom room { { MaxConnections, MaxConnectionsPerAddress, FreeSlots } };
    std::size_t droppedForRoom = 0;
    std::size_t droppedLate = 0;
    Clock::time_point dropsReported;

    ~Private()
    {
        stopDaemon();
        if (wake >= 0)
            close(wake);
        if (searched >= 0)
            close(searched);
    }

    // The workers end first: their searches hold connections the library would free.
    // libmicrohttpd must not be stopped with connections still suspended.
    void stopDaemon()
    {
        workers.reset();
        if (!daemon)
            return;
        for (MHD_Connection *connection : suspended)
            MHD_resume_connection(connection);
        suspended.clear();
        MHD_stop_daemon(daemon);
        daemon = nullptr;
    }

    // The name as written in locations.txt; the code itself for a type no longer listed.
    std::string locationTypeName(const std::string &code) const
    {
        const ReferenceRow *row = locationTypes.table.rowForCode(code);
        return row ? row->name : code;
    }

    MHD_Result queue(MHD_Connection *connection, Exchange &e, int status, const Reply &reply)
    {
        if (!reply.response)
            return MHD_NO;
        e.status = status;
        e.replyBytes = status == MHD_HTTP_NOT_MODIFIED ? 0 : reply.bytes;
        receiving.erase(e.serial);
        return MHD_queue_response(connection, static_cast<unsigned>(status), reply.response);
    }

    // A reply made for this request alone.
    MHD_Result answer(
        MHD_Connection *connection, Exchange &e, int status, std::string body, const char *type)
    {
        const Reply reply = makeReply(std::move(body), type);
        const MHD_Result queued = queue(connection, e, status, reply);
        if (reply.response)
            MHD_destroy_response(reply.response);
        return queued;
    }

    static void addValidators(const Reply &reply, const std::string &tag, const char *cacheControl)
    {
        MHD_add_response_header(reply.response, MHD_HTTP_HEADER_ETAG, tag.c_str());
        MHD_add_response_header(reply.response, MHD_HTTP_HEADER_CACHE_CONTROL, cacheControl);
    }

    // 304 when the asker holds the reply already: libmicrohttpd then sends the head of the
    // whole reply alone, its length the whole reply's, as a 304 must.
    static int statusFor(MHD_Connection *connection, const std::string &tag)
    {
        const char *asked = MHD_lookup_connection_value(
            connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_IF_NONE_MATCH);
        return asked && ifNoneMatchHolds(asked, tag) ? MHD_HTTP_NOT_MODIFIED : MHD_HTTP_OK;
    }

    // Kept replies go once another process (an import, a submission to another replica) has
    // changed the data.
    void keepRepliesOf(std::int64_t version)
    {
        if (cachedVersion != version)
            cache.clear();
        cachedVersion = version;
    }

    MHD_Result refuse(MHD_Connection *connection, Exchange &e, int status)
    {
        return answer(connection, e, status,
            status == MHD_HTTP_NOT_FOUND ? "Not found.\r\n" : "Request refused.\r\n", TextType);
    }

    MHD_Result answerSearch(MHD_Connection *connection, Exchange &e)
    {
        FormValues arguments;
        MHD_get_connection_values_n(
            connection, MHD_GET_ARGUMENT_KIND, &collectArgument, &arguments);
        const auto query = searchQueryFrom(arguments, countries.table, locationTypes.table);
        if (const auto *message = std::get_if<std::string_view>(&query))
            return answer(connection, e, MHD_HTTP_OK, std::string(*message) + "\r\n", TextType);
        const auto &search = std::get<SearchQuery>(query);
        const auto version = store->dataVersion();
        if (!version)
            return refuse(connection, e, MHD_HTTP_SERVICE_UNAVAILABLE);
        keepRepliesOf(*version);
        std::string key = cacheKey(search);
        if (const Reply *kept = cache.find(key))
            return queue(connection, e, statusFor(connection, dataEntityTag(*version)), *kept);
        if (!workers) {
            std::optional<std::int64_t> readVersion;
            const Reply reply = searchReply(*store, search, readVersion);
            return answerSearched(connection, e, std::move(key), readVersion, reply);
        }
        // The connection waits, its request whole, while a worker searches; the loop goes on.
        e.searching = true;
        e.searchKey = std::move(key);
        receiving.erase(e.serial);
        MHD_suspend_connection(connection);
        suspended.insert(connection);
        workers->post([this, connection, &e, search](DirectoryStore &reader) {
            e.searchReply = searchReply(reader, search, e.searchVersion);
            {
                const std::lock_guard lock(searchedMutex);
                searchedConnections.push_back(connection);
            }
            const std::uint64_t once = 1;
            [[maybe_unused]] const auto written = write(searched, &once, sizeof once);
        });
        return MHD_YES;
    }

    // A search's rows read as of one moment, and their reply tagged with the version they carry;
    // no version when the database did not answer. On a worker's thread too: it touches
    // nothing but `reader` and what never changes.
    Reply searchReply(DirectoryStore &reader, const SearchQuery &search,
        std::optional<std::int64_t> &readVersion) const
    {
        reader.beginReading();
        readVersion = reader.dataVersion();
        const auto found = reader.search(search, MaxRecordsPerReply);
        reader.endReading();
        if (!readVersion)
            return {};
        std::string body;
        if (found.empty()) {
            body = std::string(messages::NoMatch) + "\r\n";
        } else {
            std::vector<RecordFields> records;
            records.reserve(found.size());
            for (const auto &hotspot : found)
                records.push_back(
                    recordFields(hotspot, locationTypeName(hotspot.locationTypeCode)));
            body = encodeRecords(records);
        }
        const Reply reply = makeReply(std::move(body), TextType);
        if (reply.response)
            addValidators(reply, dataEntityTag(*readVersion), DataCacheControl);
        return reply;
    }

    // Queues a search's reply, taking its hold on it, and keeps it for the next asker unless
    // newer data have been seen since it was read.
    MHD_Result answerSearched(MHD_Connection *connection, Exchange &e, std::string key,
        std::optional<std::int64_t> readVersion, const Reply &reply)
    {
        if (!readVersion)
            return refuse(connection, e, MHD_HTTP_SERVICE_UNAVAILABLE);
        if (!reply.response)
            return MHD_NO;
        const int status = statusFor(connection, dataEntityTag(*readVersion));
        if (cachedVersion && *readVersion < *cachedVersion) {
            const MHD_Result queued = queue(connection, e, status, reply);
            MHD_destroy_response(reply.response);
            return queued;
        }
        keepRepliesOf(*readVersion);
        return queue(connection, e, status, cache.keep(std::move(key), reply));
    }

    // Hands the searches the workers have done back to the library, which then asks onRequest
    // for their replies.
    void resumeSearched()
    {
        std::uint64_t count = 0;
        [[maybe_unused]] const auto read = ::read(searched, &count, sizeof count);
        std::vector<MHD_Connection *> done;
        {
            const std::lock_guard lock(searchedMutex);
            done.swap(searchedConnections);
        }
        for (MHD_Connection *connection : done) {
            suspended.erase(connection);
            MHD_resume_connection(connection);
        }
    }

    MHD_Result answerPicture(MHD_Connection *connection, Exchange &e, const std::string &name,
        const std::string &extension)
    {
        auto bytes = readFileBytes(setup.datasetDir / "images" / (name + "." + extension));
        if (!bytes)
            return refuse(connection, e, MHD_HTTP_NOT_FOUND);
        return answer(connection, e, MHD_HTTP_OK, std::move(*bytes),
            extension == "gif" ? "image/gif" : "image/jpeg");
    }

    MHD_Result answerTile(MHD_Connection *connection, Exchange &e, const TileRequest &tile)
    {
        std::string key = std::to_string(tile.zoom) + '/' + std::to_string(tile.x) + '/'
            + std::to_string(tile.y) + '@' + std::to_string(tile.scale);
        if (const Reply *kept = tiles.find(key))
            return queue(connection, e, statusFor(connection, TileTag), *kept);
        const Reply reply = makeReply(drawTile(tile), "image/png");
        if (!reply.response)
            return MHD_NO;
        addValidators(reply, TileTag, TileCacheControl);
        return queue(
            connection, e, statusFor(connection, TileTag), tiles.keep(std::move(key), reply));
    }

    HomePage homePage()
    {
        HomePage page;
        page.figures = store->figures();
        page.credit = store->importCredit();
        page.countries = &countries.table.rows();
        page.locationTypes = &locationTypes.table.rows();
        page.submissionsClosed = setup.readOnly;
        return page;
    }

    // The tag names the page's kind too: a replica closed to submissions shows another form.
    MHD_Result answerHomePage(MHD_Connection *connection, Exchange &e)
    {
        const auto version = store->dataVersion();
        if (!version)
            return refuse(connection, e, MHD_HTTP_SERVICE_UNAVAILABLE);
        std::string tag = dataEntityTag(*version);
        if (setup.readOnly)
            tag.insert(tag.size() - 1, "-closed");
        const Reply reply = makeReply(renderHomePage(homePage()), HtmlType);
        if (reply.response)
            addValidators(reply, tag, DataCacheControl);
        const MHD_Result queued = queue(connection, e, statusFor(connection, tag), reply);
        if (reply.response)
            MHD_destroy_response(reply.response);
        return queued;
    }

    // For a front: whether this process and its database answer.
    MHD_Result answerHealth(MHD_Connection *connection, Exchange &e)
    {
        const auto version = store->dataVersion();
        const Reply reply = makeReply(
            version ? "ok " + std::to_string(*version) + "\r\n" : "database not answering\r\n",
            TextType);
        if (reply.response)
            MHD_add_response_header(reply.response, MHD_HTTP_HEADER_CACHE_CONTROL, "no-store");
        const MHD_Result queued
            = queue(connection, e, version ? MHD_HTTP_OK : MHD_HTTP_SERVICE_UNAVAILABLE, reply);
        if (reply.response)
            MHD_destroy_response(reply.response);
        return queued;
    }

    MHD_Result answerSubmission(MHD_Connection *connection, Exchange &e)
    {
        const FormValues &form = e.formValues;
        if (setup.readOnly) {
            HomePage page = homePage();
            page.errors.push_back(
                "This copy of the directory only answers searches: submissions are closed here.");
            return answer(connection, e, MHD_HTTP_FORBIDDEN, renderHomePage(page), HtmlType);
        }
        auto check = checkSubmission(form, countries.table, locationTypes.table);
        std::string failure;
        std::optional<std::int64_t> id;
        if (check.hotspot)
            id = store->add(*check.hotspot, failure);
        HomePage page = homePage();
        int status = MHD_HTTP_OK;
        if (id) {
            cache.clear();
            page.notice = "Thank you! \"" + check.hotspot->locationName
                + "\" is now in the directory as hotspot " + std::to_string(*id) + ".";
        } else {
            // The visitor gets the form back as typed, so nothing is lost.
            for (const auto &[key, value] : form)
                page.values[key] = asUtf8(value);
            page.errors = std::move(check.errors);
            if (!failure.empty())
                page.errors.push_back("The directory could not store the hotspot: " + failure);
            status = failure.empty() ? MHD_HTTP_BAD_REQUEST : MHD_HTTP_INTERNAL_SERVER_ERROR;
        }
        return answer(connection, e, status, renderHomePage(page), HtmlType);
    }

    // The head has arrived: refuse it, answer it, or wait for the form.
    MHD_Result route(
        MHD_Connection *connection, Exchange &e, std::string_view path, std::string_view version)
    {
        const auto *head
            = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_REQUEST_HEADER_SIZE);
        if ((head && head->header_size > MaxHeadBytes)
            || MHD_get_connection_values(connection, MHD_HEADER_KIND, nullptr, nullptr)
                > MaxHeaderLines)
            return refuse(connection, e, MHD_HTTP_REQUEST_HEADER_FIELDS_TOO_LARGE);
        if (e.target.size() > MaxTargetBytes)
            return refuse(connection, e, MHD_HTTP_URI_TOO_LONG);
        if (isAmbiguous(connection, e.target, version))
            return refuse(connection, e, MHD_HTTP_BAD_REQUEST);

        if (e.method == MHD_HTTP_METHOD_POST && path == SubmitPath) {
            const char *length
                = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Content-Length");
            std::size_t announced = 0;
            if (length)
                std::from_chars(length, length + std::strlen(length), announced);
            if (announced > MaxFormBytes)
                return refuse(connection, e, MHD_HTTP_CONTENT_TOO_LARGE);
            // Nothing when the body is not a form: every field then counts as missing.
            e.form = MHD_create_post_processor(connection, 1024, &collectFormField, &e);
            return MHD_YES;
        }
        if (e.method != MHD_HTTP_METHOD_GET && e.method != MHD_HTTP_METHOD_HEAD)
            return refuse(connection, e, MHD_HTTP_NOT_FOUND);
        if (path == "/browse-app.php")
            return answerSearch(connection, e);
        if (path == "/")
            return answerHomePage(connection, e);
        if (path == "/health")
            return answerHealth(connection, e);
        if (const auto picture = pictureIn(path))
            return answerPicture(connection, e, picture->first, picture->second);
        if (const auto tile = tileIn(path))
            return answerTile(connection, e, *tile);
        return refuse(connection, e, MHD_HTTP_NOT_FOUND);
    }

    static MHD_Result onRequest(void *self, MHD_Connection *connection, const char *url,
        const char *method, const char *version, const char *uploadData, std::size_t *uploadSize,
        void **)
    {
        auto &p = *static_cast<Private *>(self);
        Exchange *e = exchangeOf(connection);
        if (!e)
            return MHD_NO;
        if (!e->headReceived) {
            e->headReceived = Clock::now();
            e->method = method;
            p.room.headArrived(e->serial);
            return p.route(connection, *e, url, version);
        }
        if (*uploadSize > 0) {
            e->formBytes += *uploadSize;
            // A body longer than announced, or sent in chunks, ends here without a reply.
            if (e->formBytes > MaxFormBytes)
                return MHD_NO;
            if (e->form)
                MHD_post_process(e->form, uploadData, *uploadSize);
            *uploadSize = 0;
            return MHD_YES;
        }
        if (e->status)
            return MHD_YES;
        if (std::exchange(e->searching, false))
            return p.answerSearched(connection, *e, std::move(e->searchKey), e->searchVersion,
                std::exchange(e->searchReply, {}));
        // Ending the form's reading hands over a last value still held back.
        if (e->form)
            MHD_destroy_post_processor(std::exchange(e->form, nullptr));
        return p.answerSubmission(connection, *e);
    }

    static void *onRequestLine(void *, const char *uri, MHD_Connection *connection)
    {
        if (Exchange *e = exchangeOf(connection))
            e->target = uri;
        return nullptr;
    }

    static void onConnection(
        void *self, MHD_Connection *connection, void **context, MHD_ConnectionNotificationCode code)
    {
        auto &p = *static_cast<Private *>(self);
        if (code == MHD_CONNECTION_NOTIFY_STARTED) {
            auto *e = new Exchange;
            e->serial = ++p.accepted;
            e->accepted = Clock::now();
            if (const auto *info
                = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD))
                e->socket = info->connect_fd;
            *context = e;
            p.receiving.emplace(e->serial, e);
            p.room.opened(e->serial, addressKey(connection));
            return;
        }
        auto *e = static_cast<Exchange *>(*context);
        *context = nullptr;
        if (!e)
            return;
        p.receiving.erase(e->serial);
        if (!e->dropped)
            p.room.closed(e->serial);
        if (e->status)
            p.log(*e);
        delete e;
    }

    // The library has no call to close a connection; shutting its socket down makes its next
    // read see the end, and it closes the connection itself. The library tells of a closed
    // connection before it closes the socket, and works only inside MHD_run: between two turns
    // of the loop, every socket still listed is its connection's own.
    void drop(std::map<std::uint64_t, Exchange *>::iterator it)
    {
        shutdown(it->second->socket, SHUT_RDWR);
        it->second->dropped = true;
        receiving.erase(it);
    }

    // Drops the connections whose request is still arriving at its deadline.
    void dropLateRequests()
    {
        const auto now = Clock::now();
        while (!receiving.empty() && receiving.begin()->second->accepted + RequestDeadline <= now) {
            room.closed(receiving.begin()->first);
            drop(receiving.begin());
            ++droppedLate;
        }
    }

    // Drops the connections the room rule gives up for newcomers.
    void makeRoom()
    {
        for (const std::uint64_t serial : room.toDrop()) {
            if (const auto it = receiving.find(serial); it != receiving.end()) {
                drop(it);
                ++droppedForRoom;
            }
        }
    }

    // Drops are counted, not logged one by one: an attacker would fill the log with them.
    void reportDrops()
    {
        const auto now = Clock::now();
        if ((droppedForRoom == 0 && droppedLate == 0) || now < dropsReported + DropReportInterval)
            return;
        dropsReported = now;
        requestLog.write("dropped " + std::to_string(droppedForRoom + droppedLate)
            + " connections still sending their request: " + std::to_string(droppedForRoom)
            + " to make room for others, " + std::to_string(droppedLate) + " at the deadline");
        droppedForRoom = 0;
        droppedLate = 0;
    }

    // How long the loop may sleep: until the library's next time-out, the next deadline or the
    // next report of drops.
    int waitMs() const
    {
        long long wait = -1;
        MHD_UNSIGNED_LONG_LONG libraryWait = 0;
        if (MHD_get_timeout(daemon, &libraryWait) == MHD_YES)
            wait = static_cast<long long>(std::min<MHD_UNSIGNED_LONG_LONG>(libraryWait, INT_MAX));
        std::optional<Clock::time_point> wake;
        if (!receiving.empty())
            wake = receiving.begin()->second->accepted + RequestDeadline;
        if (droppedForRoom > 0 || droppedLate > 0)
            wake = std::min(
                wake.value_or(Clock::time_point::max()), dropsReported + DropReportInterval);
        if (wake) {
            const auto untilWake
                = std::chrono::ceil<std::chrono::milliseconds>(*wake - Clock::now());
            const long long ms = std::max<long long>(0, untilWake.count());
            wait = wait < 0 ? ms : std::min(wait, ms);
        }
        return static_cast<int>(std::min<long long>(wait, INT_MAX));
    }

    void log(const Exchange &e)
    {
        const auto now = Clock::now();
        const auto elapsed
            = std::chrono::duration<double, std::milli>(now - e.headReceived.value_or(now));
        requestLog.write(
            requestLogLine(e.method, e.target, e.status, e.replyBytes, elapsed.count()));
    }
};

DirectoryServer::DirectoryServer()
    : d(std::make_unique<Private>())
{
}

DirectoryServer::~DirectoryServer() = default;

std::unique_ptr<DirectoryServer> DirectoryServer::create(
    const ServerSetup &setup, std::string &error)
{
    std::unique_ptr<DirectoryServer> server(new DirectoryServer());
    Private &p = *server->d;
    p.setup = setup;

    const auto countriesText = readFileBytes(setup.referenceDir / "countries.txt");
    const auto locationsText = readFileBytes(setup.referenceDir / "locations.txt");
    if (!countriesText || !locationsText) {
        error = "cannot read countries.txt and locations.txt in " + setup.referenceDir.string();
        return nullptr;
    }
    p.countries = parseCountries(*countriesText);
    p.locationTypes = parseLocationTypes(*locationsText);

    // A read-only replica serves a file another process fills; in memory, it has its own copy.
    const bool readOnlyFile = setup.readOnly && !setup.databasePath.empty();
    p.store = DirectoryStore::open(setup.databasePath.empty() ? ":memory:" : setup.databasePath,
        readOnlyFile ? DirectoryStore::Access::ReadOnly : DirectoryStore::Access::ReadWrite, error);
    if (!p.store)
        return nullptr;
    if (!readOnlyFile && !p.store->seedFrom(setup.datasetDir / "hotspots.txt", error))
        return nullptr;
    if (!setup.databasePath.empty()) {
        // A search's rows and reply are a few hundred kilobytes made and freed on a worker:
        // the allocator would give them back to the system after every search, and unmapping
        // memory in a process of several threads stops every processor (a tenth of the time).
        // It keeps up to this much free for the next search instead.
        mallopt(M_TRIM_THRESHOLD, SearchMemoryKept);
        mallopt(M_MMAP_THRESHOLD, SearchMemoryKept / 4);
        p.workers = SearchWorkers::start(setup.databasePath,
            std::clamp(std::max(std::thread::hardware_concurrency(), 1u) - 1, MinSearchThreads,
                MaxSearchThreads),
            error);
        if (!p.workers)
            return nullptr;
    }
    p.wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    p.searched = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (p.wake < 0 || p.searched < 0) {
        error = "cannot make an eventfd";
        return nullptr;
    }
    return server;
}

int DirectoryServer::bind(const std::string &host, int port)
{
    addrinfo hints {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo *found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0)
        return -1;
    Private &p = *d;
    for (const addrinfo *address = found; address && !p.daemon; address = address->ai_next) {
        const unsigned flags = MHD_USE_EPOLL | MHD_ALLOW_SUSPEND_RESUME
            | (address->ai_family == AF_INET6 ? MHD_USE_IPv6 : 0);
        p.daemon = MHD_start_daemon(flags, 0, nullptr, nullptr, &Private::onRequest, &p,
            MHD_OPTION_SOCK_ADDR, address->ai_addr,
            // The system's longest queue of connections waiting to be accepted.
            MHD_OPTION_LISTEN_BACKLOG_SIZE, static_cast<unsigned>(SOMAXCONN),
            MHD_OPTION_CONNECTION_LIMIT, MaxConnections, MHD_OPTION_PER_IP_CONNECTION_LIMIT,
            MaxConnectionsPerAddress, MHD_OPTION_CONNECTION_MEMORY_LIMIT, ConnectionMemory,
            MHD_OPTION_CONNECTION_TIMEOUT, IdleSeconds, MHD_OPTION_NOTIFY_CONNECTION,
            &Private::onConnection, &p, MHD_OPTION_URI_LOG_CALLBACK, &Private::onRequestLine, &p,
            MHD_OPTION_END);
    }
    freeaddrinfo(found);
    if (!p.daemon)
        return -1;
    const auto *bound = MHD_get_daemon_info(p.daemon, MHD_DAEMON_INFO_BIND_PORT);
    return bound ? bound->port : -1;
}

bool DirectoryServer::run()
{
    Private &p = *d;
    const auto *epoll
        = p.daemon ? MHD_get_daemon_info(p.daemon, MHD_DAEMON_INFO_EPOLL_FD) : nullptr;
    if (!epoll)
        return false;
    pollfd events[]
        = { { epoll->epoll_fd, POLLIN, 0 }, { p.wake, POLLIN, 0 }, { p.searched, POLLIN, 0 } };
    for (;;) {
        if (poll(events, 3, p.waitMs()) < 0 && errno != EINTR)
            return false;
        if (events[1].revents != 0)
            break;
        if (events[2].revents != 0)
            p.resumeSearched();
        if (MHD_run(p.daemon) != MHD_YES)
            return false;
        p.dropLateRequests();
        p.makeRoom();
        p.reportDrops();
    }
    p.stopDaemon();
    return true;
}

void DirectoryServer::stop()
{
    const std::uint64_t once = 1;
    [[maybe_unused]] const auto written = write(d->wake, &once, sizeof once);
}

} // namespace pellomar::directory
