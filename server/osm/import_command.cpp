// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "osm/import_command.h"

#include "directory_store.h"
#include "osm/osm_import.h"
#include "reference/reference_table.h"
#include "reference/text_fields.h"
#include "rules/search_keys.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <unistd.h>

namespace pellomar::directory {

namespace {

std::optional<std::string> readText(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The most memory the import has held, from the kernel's own count; 0 when unknown.
long peakResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("VmHWM:"))
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return 0;
}

} // namespace

bool isExtractName(const std::string &path)
{
    for (const std::string_view suffix : { ".osm.pbf", ".osm", ".osm.bz2", ".osm.gz" }) {
        if (path.ends_with(suffix) && path.size() > suffix.size())
            return true;
    }
    return false;
}

int runOsmImport(const ImportSetup &setup)
{
    const auto countriesText = readText(setup.referenceDir / "countries.txt");
    const auto locationsText = readText(setup.referenceDir / "locations.txt");
    if (!countriesText || !locationsText) {
        std::cerr << "pellomar-directory: cannot read countries.txt and locations.txt in "
                  << setup.referenceDir.string() << "\n";
        return 1;
    }
    const ReferenceFile countries = parseCountries(*countriesText);
    const ReferenceFile locationTypes = parseLocationTypes(*locationsText);
    const std::string country = codeKey(setup.defaultCountry);
    if (!country.empty() && !countries.table.nameForCode(country)) {
        std::cerr << "pellomar-directory: --country " << setup.defaultCountry
                  << " is not a country code of countries.txt\n";
        return 2;
    }

    const auto started = std::chrono::steady_clock::now();
    // The database is opened first: a file that cannot be written is told before a long read.
    std::string error;
    auto store = DirectoryStore::open(setup.databasePath, DirectoryStore::Access::ReadWrite, error);
    if (!store) {
        std::cerr << "pellomar-directory: " << error << "\n";
        return 1;
    }

    OsmImport reader(countries.table, locationTypes.table, country);
    const bool terminal = isatty(STDOUT_FILENO) == 1;
    if (terminal) {
        reader.setProgress([](std::uint64_t objects, std::uint64_t hotspots) {
            std::cout << "\rread " << objects << " objects, found " << hotspots << " hotspots"
                      << std::flush;
        });
    }
    const bool read = reader.read(setup.extractPath, error);
    if (terminal)
        std::cout << "\r\033[K"; // the progress line goes
    if (!read) {
        std::cerr << "pellomar-directory: " << error << "\n";
        return 1;
    }
    ImportReport &report = reader.report();
    const auto counts = store->replaceImported(reader.places(), report.extractDate, error);
    if (!counts) {
        std::cerr << "pellomar-directory: cannot write the database " << setup.databasePath << ": "
                  << error << "\n";
        return 1;
    }
    report.added = counts->added;
    report.updated = counts->updated;
    report.unchanged = counts->unchanged;
    report.removed = counts->removed;
    report.seconds
        = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << formatImportReport(report) << "peak memory: " << (peakResidentKiB() + 512) / 1024
              << " MiB" << std::endl;
    return 0;
}

} // namespace pellomar::directory
