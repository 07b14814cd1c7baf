#pragma once

#include "osm/import_report.h"
#include "rules/osm_tags.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace pellomar {
class ReferenceTable;
}

namespace pellomar::directory {

// Reads an OpenStreetMap extract (.osm.pbf, .osm, .osm.bz2 or .osm.gz) with libosmium and
// turns its Wi-Fi places into hotspots, naming their city and country from the tags, else from
// the administrative boundaries in the same extract, else `defaultCountry`.
class OsmImport {
public:
    OsmImport(const ReferenceTable &countries, const ReferenceTable &locationTypes,
        std::string defaultCountry);

    // Told now and then how many objects have been read and how many hotspots found.
    void setProgress(std::function<void(std::uint64_t objects, std::uint64_t hotspots)> progress);

    // False, with one line in `error`, when the extract cannot be read whole.
    bool read(const std::string &path, std::string &error);

    std::vector<ImportedPlace> &places() { return m_places; }
    ImportReport &report() { return m_report; }

private:
    const ReferenceTable &m_countries;
    const ReferenceTable &m_locationTypes;
    std::string m_defaultCountry;
    std::function<void(std::uint64_t, std::uint64_t)> m_progress;
    std::vector<ImportedPlace> m_places;
    ImportReport m_report;
};

} // namespace pellomar::directory
