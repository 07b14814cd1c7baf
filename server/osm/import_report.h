#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace pellomar::directory {

// What an import did, for its report on standard output.
struct ImportReport {
    std::uint64_t objectsRead = 0;
    // Hotspots imported from nodes, closed ways and multipolygon relations.
    std::array<std::uint64_t, 3> byKind {};
    // By access type code: unknown, free, free with registration, commercial.
    std::array<std::uint64_t, 4> byAccess {};
    // Of those imported, how many said only internet_access=yes.
    std::uint64_t accessYes = 0;

    std::uint64_t skippedPrivate = 0;
    std::uint64_t skippedNotWifi = 0; // internet_access no, wired, terminal or another value
    std::uint64_t skippedNotArea = 0; // an open way, a relation that is no multipolygon
    std::uint64_t skippedNoPosition = 0; // nodes or member ways missing from the extract
    std::uint64_t skippedNoCountry = 0;

    std::uint64_t textsMadeSafe = 0;
    std::uint64_t valuesCut = 0;

    std::uint64_t added = 0;
    std::uint64_t updated = 0;
    std::uint64_t unchanged = 0;
    std::uint64_t removed = 0;

    std::string extractDate;
    double seconds = 0;

    std::uint64_t imported() const { return byKind[0] + byKind[1] + byKind[2]; }
};

// The report as lines of text, one figure a line.
std::string formatImportReport(const ImportReport &report);

} // namespace pellomar::directory
