#include "directory_server.h"

#include "directory_store.h"
#include "reference_table.h"
#include "rules/home_page.h"
#include "rules/search_request.h"
#include "rules/text_keys.h"
#include "rules/wire_format.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <httplib.h>
#include <iostream>
#include <mutex>
#include <sstream>

namespace pellomar::directory {

namespace {

namespace fs = std::filesystem;

constexpr auto TextType = "text/plain; charset=utf-8";
constexpr auto HtmlType = "text/html; charset=utf-8";
constexpr std::size_t MaxFormBytes = 64 * 1024;

std::optional<std::string> readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in.good() && !in.eof())
        return std::nullopt;
    return bytes.str();
}

FormValues formValues(const httplib::Params &params)
{
    FormValues values;
    // The first value of a key counts, as with the client's one value per key.
    for (const auto &[key, value] : params)
        values.emplace(key, value);
    return values;
}

// When the request now being answered on this thread started; unset for a request refused
// before routing (a malformed request line), which is logged with 0 ms.
thread_local std::optional<std::chrono::steady_clock::time_point> requestStarted;

} // namespace

std::string requestLogLine(std::string_view method, std::string_view target, int status,
    std::size_t bytes, double milliseconds)
{
    std::string line(method);
    line += ' ';
    for (char c : target) {
        const auto u = static_cast<unsigned char>(c);
        if (u > 0x20 && u < 0x7F) {
            line += c;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", u);
            line += escaped;
        }
    }
    char tail[64];
    std::snprintf(tail, sizeof tail, " %d %zu %.1fms", status, bytes, milliseconds);
    return line + tail;
}

struct DirectoryServer::Private {
    ServerSetup setup;
    std::unique_ptr<DirectoryStore> store;
    ReferenceFile countries { ReferenceTable(0), 0 };
    ReferenceFile locationTypes { ReferenceTable(0), 0 };
    httplib::Server http;
    std::mutex logMutex;

    // The name as written in locations.txt; the code itself for a type no longer listed.
    std::string locationTypeName(std::string_view code) const
    {
        for (const auto &row : locationTypes.table.rows()) {
            if (codeKey(row.code) == codeKey(code))
                return row.name;
        }
        return std::string(code);
    }

    void answerSearch(const httplib::Request &request, httplib::Response &response)
    {
        const auto query
            = searchQueryFrom(formValues(request.params), countries.table, locationTypes.table);
        if (const auto *message = std::get_if<std::string_view>(&query)) {
            response.set_content(std::string(*message) + "\r\n", TextType);
            return;
        }
        const auto found = store->search(std::get<SearchQuery>(query), MaxRecordsPerReply);
        if (found.empty()) {
            response.set_content(std::string(messages::NoMatch) + "\r\n", TextType);
            return;
        }
        std::vector<RecordFields> records;
        records.reserve(found.size());
        for (const auto &hotspot : found)
            records.push_back(recordFields(hotspot, locationTypeName(hotspot.locationTypeCode)));
        response.set_content(encodeRecords(records), TextType);
    }

    void answerPicture(const httplib::Request &request, httplib::Response &response)
    {
        const std::string name = request.matches[1];
        const std::string extension = request.matches[2];
        const auto bytes = readFile(setup.datasetDir / "images" / (name + "." + extension));
        if (!bytes) {
            response.status = 404;
            return;
        }
        response.set_content(*bytes, extension == "gif" ? "image/gif" : "image/jpeg");
    }

    HomePage homePage()
    {
        HomePage page;
        page.figures = store->figures();
        page.countries = &countries.table.rows();
        page.locationTypes = &locationTypes.table.rows();
        return page;
    }

    void answerSubmission(const httplib::Request &request, httplib::Response &response)
    {
        const FormValues form = formValues(request.params);
        auto check = checkSubmission(form, countries.table, locationTypes.table);
        std::string failure;
        std::optional<std::int64_t> id;
        if (check.hotspot)
            id = store->add(*check.hotspot, failure);
        HomePage page = homePage();
        if (id) {
            page.notice = "Thank you! \"" + check.hotspot->locationName
                + "\" is now in the directory as hotspot " + std::to_string(*id) + ".";
        } else {
            // The visitor gets the form back as typed, so nothing is lost.
            for (const auto &[key, value] : form)
                page.values[key] = utf8FromRequestBytes(value);
            page.errors = std::move(check.errors);
            if (!failure.empty())
                page.errors.push_back("The directory could not store the hotspot: " + failure);
            response.status = failure.empty() ? 400 : 500;
        }
        response.set_content(renderHomePage(page), HtmlType);
    }

    void log(const httplib::Request &request, const httplib::Response &response)
    {
        const auto now = std::chrono::steady_clock::now();
        const auto elapsed
            = std::chrono::duration<double, std::milli>(now - requestStarted.value_or(now));
        requestStarted.reset();
        const std::string line = requestLogLine(
            request.method, request.target, response.status, response.body.size(), elapsed.count());
        std::lock_guard lock(logMutex);
        std::cerr << line << std::endl;
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

    const auto countriesText = readFile(setup.referenceDir / "countries.txt");
    const auto locationsText = readFile(setup.referenceDir / "locations.txt");
    if (!countriesText || !locationsText) {
        error = "cannot read countries.txt and locations.txt in " + setup.referenceDir.string();
        return nullptr;
    }
    p.countries = ParseCountries(*countriesText);
    p.locationTypes = ParseLocationTypes(*locationsText);

    p.store
        = DirectoryStore::open(setup.databasePath.empty() ? ":memory:" : setup.databasePath, error);
    if (!p.store)
        return nullptr;
    if (p.store->isEmpty()) {
        const fs::path tablePath = setup.datasetDir / "hotspots.txt";
        const auto table = readFile(tablePath);
        if (!table) {
            error = "cannot read the dataset " + tablePath.string();
            return nullptr;
        }
        std::vector<Hotspot> hotspots;
        int lineNumber = 0;
        for (std::string_view line : SplitLines(*table)) {
            if (++lineNumber == 1 || line.empty())
                continue;
            auto hotspot = parseDatasetLine(line);
            if (!hotspot) {
                error = tablePath.string() + ": line " + std::to_string(lineNumber)
                    + " is not a hotspot";
                return nullptr;
            }
            hotspots.push_back(std::move(*hotspot));
        }
        if (!p.store->load(hotspots, error))
            return nullptr;
    }

    httplib::Server &http = p.http;
    // One request per connection: the client reads a reply until the server closes.
    http.set_keep_alive_max_count(1);
    http.set_payload_max_length(MaxFormBytes);
    http.set_read_timeout(10);
    http.set_write_timeout(10);
    http.set_pre_routing_handler([](const httplib::Request &, httplib::Response &) {
        requestStarted = std::chrono::steady_clock::now();
        return httplib::Server::HandlerResponse::Unhandled;
    });
    http.Get("/browse-app.php", [&p](const httplib::Request &request, httplib::Response &response) {
        p.answerSearch(request, response);
    });
    http.Get(R"(/images/([0-9A-Za-z_-]{1,64})\.(jpg|gif))",
        [&p](const httplib::Request &request, httplib::Response &response) {
            p.answerPicture(request, response);
        });
    http.Get("/", [&p](const httplib::Request &, httplib::Response &response) {
        response.set_content(renderHomePage(p.homePage()), HtmlType);
    });
    http.Post(std::string(SubmitPath),
        [&p](const httplib::Request &request, httplib::Response &response) {
            p.answerSubmission(request, response);
        });
    http.set_error_handler([](const httplib::Request &, httplib::Response &response) {
        if (response.body.empty()) {
            const std::string text = response.status == 404 ? "Not found." : "Request refused.";
            response.set_content(text + "\r\n", TextType);
        }
    });
    http.set_logger([&p](const httplib::Request &request, const httplib::Response &response) {
        p.log(request, response);
    });
    return server;
}

int DirectoryServer::bind(const std::string &host, int port)
{
    if (port == 0)
        return d->http.bind_to_any_port(host);
    return d->http.bind_to_port(host, port) ? port : -1;
}

bool DirectoryServer::run()
{
    return d->http.listen_after_bind();
}

void DirectoryServer::stop()
{
    d->http.stop();
}

} // namespace pellomar::directory
