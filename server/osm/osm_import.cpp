// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "osm/osm_import.h"

#include "osm/boundary_index.h"
#include "reference/reference_table.h"
#include "reference/text_fields.h"
#include "rules/osm_tags.h"
#include "rules/search_keys.h"

#include <algorithm>
#include <chrono>
#include <osmium/area/assembler.hpp>
#include <osmium/area/multipolygon_manager.hpp>
#include <osmium/handler.hpp>
#include <osmium/index/id_set.hpp>
#include <osmium/index/map/sparse_mem_array.hpp>
#include <osmium/io/any_input.hpp>
#include <osmium/osm.hpp>
#include <osmium/tags/tags_filter.hpp>
#include <osmium/visitor.hpp>
#include <tuple>
#include <type_traits>
#include <unordered_set>
#include <utility>

namespace pellomar::directory {

namespace {

// Node locations are kept only for the nodes of the ways the import needs (Wi-Fi areas and
// administrative boundaries), found in the passes before: a few million at most even for a
// large country, where keeping every node (flex_mem, sparse_mem_array) would take gigabytes
// and a file-backed index would write one as large to disk. A sorted array of id and location,
// 16 bytes each, looked up by binary search.
using Locations
    = osmium::index::map::SparseMemArray<osmium::unsigned_object_id_type, osmium::Location>;
// The ids of the ways and nodes needed: sorted arrays, since in a country extract they are
// spread over the whole range of ids, where a bitmap would grow to a bit for every id.
using IdSet = osmium::index::IdSetSmall<osmium::unsigned_object_id_type>;
using AreaManager = osmium::area::MultipolygonManager<osmium::area::Assembler>;
using AreaHandler = decltype(std::declval<AreaManager &>().handler());

// Objects with ids of 0 or below (files edited by hand) cannot be members of anything kept.
void keep(IdSet &set, osmium::object_id_type id)
{
    if (id > 0)
        set.set(static_cast<osmium::unsigned_object_id_type>(id));
}

bool isIn(const IdSet &set, osmium::object_id_type id)
{
    return id > 0 && set.get_binary_search(static_cast<osmium::unsigned_object_id_type>(id));
}

OsmTags tagsOf(const osmium::TagList &list)
{
    OsmTags tags;
    tags.reserve(list.size());
    for (const auto &tag : list)
        tags.emplace_back(tag.key(), tag.value());
    return tags;
}

bool isClosed(const osmium::Way &way)
{
    return way.nodes().size() >= 4 && way.nodes().front().ref() == way.nodes().back().ref();
}

template<typename TRing> std::vector<GeoPoint> pointsOf(const TRing &ring)
{
    std::vector<GeoPoint> points;
    points.reserve(ring.size());
    for (const auto &node : ring) {
        if (node.location().valid())
            points.push_back({ node.location().lon(), node.location().lat() });
    }
    return points;
}

Polygon polygonOf(const osmium::Area &area)
{
    Polygon polygon;
    for (const auto &outer : area.outer_rings()) {
        polygon.addRing(pointsOf(outer), false);
        for (const auto &inner : area.inner_rings(outer))
            polygon.addRing(pointsOf(inner), true);
    }
    return polygon;
}

int adminLevelOf(const osmium::TagList &tags)
{
    const char *level = tags.get_value_by_key("admin_level");
    if (!level || !tags.has_tag("boundary", "administrative"))
        return 0;
    const std::string_view text = level;
    return text == "2"                                         ? 2
        : text.size() == 1 && text[0] >= '7' && text[0] <= '9' ? text[0] - '0'
        : text == "10"                                         ? 10
                                                               : 0;
}

// What the import keeps of a place found beside the place itself, until its city and country
// are looked up among the boundaries.
struct Found {
    GeoPoint at;
    bool accessYes;
    int textsMadeSafe;
    int valuesCut;
};

// The state of one import across its three passes.
class Collector {
public:
    Collector(
        const ReferenceTable &countries, const ReferenceTable &locationTypes, ImportReport &report)
        : m_countries(countries)
        , m_locationTypes(locationTypes)
        , m_report(report)
    {
    }

    // Whether the tags make a hotspot; the reason counted when they say no.
    bool wanted(WifiTag tag)
    {
        if (tag == WifiTag::Private)
            ++m_report.skippedPrivate;
        else if (tag == WifiTag::NotWifi)
            ++m_report.skippedNotWifi;
        return tag == WifiTag::Wlan || tag == WifiTag::Yes;
    }

    void found(char type, std::int64_t id, const OsmTags &tags, GeoPoint at)
    {
        OsmHotspot place = hotspotFromTags(tags, at.y, at.x, m_countries, m_locationTypes);
        m_places.push_back({ type, id, std::move(place.hotspot) });
        m_found.push_back(
            { at, wifiTagOf(tags) == WifiTag::Yes, place.textsMadeSafe, place.valuesCut });
    }

    void seen(const osmium::OSMObject &object)
    {
        ++m_report.objectsRead;
        if (object.timestamp() > m_newest)
            m_newest = object.timestamp();
    }

    // Pass 1, relations: the Wi-Fi multipolygons and the boundaries, and the ways they need.
    void relation(const osmium::Relation &relation)
    {
        seen(relation);
        const bool area = m_areas.new_relation(relation);
        if (area) {
            m_areas.relation(relation);
            for (const auto &member : relation.members()) {
                if (member.type() == osmium::item_type::way)
                    keep(m_memberWays, member.ref());
            }
        }
        if (!relation.tags().has_key("internet_access"))
            return;
        const OsmTags tags = tagsOf(relation.tags());
        if (!wanted(wifiTagOf(tags)))
            return;
        if (area)
            m_areasAwaited.insert(relation.id() * 2 + 1);
        else
            ++m_report.skippedNotArea;
    }

    // Pass 2, ways: the nodes whose locations the areas need.
    void way(const osmium::Way &way)
    {
        bool needed = isIn(m_memberWays, way.id());
        if (isClosed(way) && adminLevelOf(way.tags()) != 0)
            needed = true;
        if (way.tags().has_key("internet_access")) {
            const OsmTags tags = tagsOf(way.tags());
            if (wanted(wifiTagOf(tags))) {
                if (isClosed(way)) {
                    m_areasAwaited.insert(way.id() * 2);
                    needed = true;
                } else {
                    ++m_report.skippedNotArea;
                }
            }
        }
        if (!needed)
            return;
        keep(m_wantedWays, way.id());
        for (const auto &node : way.nodes())
            keep(m_wantedNodes, node.ref());
    }

    // Pass 3, nodes then ways: Wi-Fi nodes, and the ways completed with their locations.
    void node(const osmium::Node &node)
    {
        seen(node);
        if (isIn(m_wantedNodes, node.id()) && node.location().valid())
            m_locations.set(
                static_cast<osmium::unsigned_object_id_type>(node.id()), node.location());
        if (!node.tags().has_key("internet_access"))
            return;
        const OsmTags tags = tagsOf(node.tags());
        if (!wanted(wifiTagOf(tags)))
            return;
        if (!node.location().valid()) {
            ++m_report.skippedNoPosition;
            return;
        }
        found('n', node.id(), tags, { node.location().lon(), node.location().lat() });
    }

    void locatedWay(osmium::Way &way)
    {
        seen(way);
        if (!isIn(m_wantedWays, way.id()))
            return;
        if (!m_sorted) {
            // Nodes come before ways in an extract; from here on they are only looked up.
            m_locations.sort();
            m_sorted = true;
        }
        for (auto &node : way.nodes()) {
            if (node.ref() > 0)
                node.set_location(m_locations.get_noexcept(
                    static_cast<osmium::unsigned_object_id_type>(node.ref())));
        }
        m_areaHandler->way(way);
    }

    void area(const osmium::Area &area)
    {
        const int level = adminLevelOf(area.tags());
        const bool awaited = m_areasAwaited.erase(area.id()) > 0;
        if (level == 0 && !awaited)
            return;
        Polygon polygon = polygonOf(area);
        if (awaited) {
            const auto inside = polygon.interiorPoint();
            if (inside)
                found(area.from_way() ? 'w' : 'r', area.orig_id(), tagsOf(area.tags()), *inside);
            else
                ++m_report.skippedNoPosition;
        }
        if (level == 2) {
            // Country boundaries carry their code under either key.
            const char *code = area.tags().get_value_by_key("ISO3166-1");
            if (!code)
                code = area.tags().get_value_by_key("ISO3166-1:alpha2");
            const std::string upper = code ? codeKey(code) : std::string();
            if (m_countries.nameForCode(upper))
                m_boundaries.add(std::move(polygon), level, {}, upper);
        } else if (level != 0) {
            const char *name = area.tags().get_value_by_key("name");
            m_boundaries.add(std::move(polygon), level, safeText(name ? name : "").text, {});
        }
    }

    // After the last pass: cities and countries from the boundaries, and the tally.
    std::vector<ImportedPlace> finish(const std::string &defaultCountry)
    {
        m_report.skippedNoPosition += m_areasAwaited.size();
        if (m_report.extractDate.empty() && m_newest.valid())
            m_report.extractDate = m_newest.to_iso();
        // The places kept move forward in their own array: a second array of them would
        // double the import's memory, most of it these places.
        std::size_t kept = 0;
        for (std::size_t i = 0; i < m_places.size(); ++i) {
            const Found &f = m_found[i];
            Hotspot &h = m_places[i].hotspot;
            if (h.city.empty())
                h.city = m_boundaries.cityAt(f.at);
            if (h.countryCode.empty())
                h.countryCode = m_boundaries.countryAt(f.at);
            if (h.countryCode.empty())
                h.countryCode = defaultCountry;
            if (h.countryCode.empty()) {
                ++m_report.skippedNoCountry;
                continue;
            }
            const char type = m_places[i].osmType;
            ++m_report.byKind[type == 'n' ? 0 : type == 'w' ? 1 : 2];
            ++m_report.byAccess[static_cast<std::size_t>(h.accessType)];
            m_report.accessYes += f.accessYes ? 1 : 0;
            m_report.textsMadeSafe += static_cast<std::uint64_t>(f.textsMadeSafe);
            m_report.valuesCut += static_cast<std::uint64_t>(f.valuesCut);
            if (kept != i)
                m_places[kept] = std::move(m_places[i]);
            ++kept;
        }
        m_places.resize(kept);
        std::vector<ImportedPlace> places = std::move(m_places);
        // Stored in this order, a city's places share the file's pages, which a city search
        // then reads few of.
        std::sort(places.begin(), places.end(), [](const ImportedPlace &a, const ImportedPlace &b) {
            return std::tie(a.hotspot.countryCode, a.hotspot.city, a.osmType, a.osmId)
                < std::tie(b.hotspot.countryCode, b.hotspot.city, b.osmType, b.osmId);
        });
        return places;
    }

    // Between the passes, the id sets filled are sorted for looking up.
    void relationsRead()
    {
        m_areas.prepare_for_lookup();
        m_memberWays.sort_unique();
    }
    void waysRead()
    {
        m_wantedWays.sort_unique();
        m_wantedNodes.sort_unique();
    }

    std::size_t foundCount() const { return m_places.size(); }
    AreaManager &areas() { return m_areas; }
    void setAreaHandler(AreaHandler handler) { m_areaHandler = &handler; }

private:
    static osmium::TagsFilter areaFilter()
    {
        osmium::TagsFilter filter { false };
        filter.add_rule(true, osmium::TagMatcher { "internet_access" });
        filter.add_rule(true, osmium::TagMatcher { "boundary", "administrative" });
        return filter;
    }

    const ReferenceTable &m_countries;
    const ReferenceTable &m_locationTypes;
    ImportReport &m_report;
    AreaManager m_areas { osmium::area::Assembler::config_type {}, areaFilter() };
    std::remove_reference_t<AreaHandler> *m_areaHandler = nullptr;
    IdSet m_memberWays;
    IdSet m_wantedWays;
    IdSet m_wantedNodes;
    Locations m_locations;
    bool m_sorted = false;
    // Areas still to come from the assembler, by libosmium's area id (way id * 2, relation
    // id * 2 + 1); those never built are counted without a position.
    std::unordered_set<osmium::object_id_type> m_areasAwaited;
    BoundaryIndex m_boundaries;
    std::vector<ImportedPlace> m_places;
    std::vector<Found> m_found;
    osmium::Timestamp m_newest;
};

// libosmium calls handlers by the names of the object kinds; one per pass.
struct RelationPass : osmium::handler::Handler {
    Collector &c;
    void relation(const osmium::Relation &relation) { c.relation(relation); }
};
struct WayPass : osmium::handler::Handler {
    Collector &c;
    void way(const osmium::Way &way) { c.way(way); }
};
struct LocationPass : osmium::handler::Handler {
    Collector &c;
    std::function<void()> tick;
    void node(const osmium::Node &node)
    {
        c.node(node);
        tick();
    }
    void way(osmium::Way &way)
    {
        c.locatedWay(way);
        tick();
    }
};

} // namespace

OsmImport::OsmImport(const ReferenceTable &countries, const ReferenceTable &locationTypes,
    std::string defaultCountry)
    : m_countries(countries)
    , m_locationTypes(locationTypes)
    , m_defaultCountry(std::move(defaultCountry))
{
}

void OsmImport::setProgress(std::function<void(std::uint64_t, std::uint64_t)> progress)
{
    m_progress = std::move(progress);
}

bool OsmImport::read(const std::string &path, std::string &error)
{
    const auto started = std::chrono::steady_clock::now();
    m_report = {};
    Collector collector(m_countries, m_locationTypes, m_report);
    try {
        const osmium::io::File file(path);
        {
            // Only the last pass may need the objects' times (for the extract's date); skipping
            // the other metadata (versions, users) saves decoding it.
            osmium::io::Reader reader(
                file, osmium::osm_entity_bits::relation, osmium::io::read_meta::no);
            const osmium::io::Header header = reader.header();
            m_report.extractDate
                = header.get("osmosis_replication_timestamp", header.get("timestamp"));
            RelationPass pass { {}, collector };
            osmium::apply(reader, pass);
            reader.close();
        }
        collector.relationsRead();
        {
            osmium::io::Reader reader(
                file, osmium::osm_entity_bits::way, osmium::io::read_meta::no);
            WayPass pass { {}, collector };
            osmium::apply(reader, pass);
            reader.close();
        }
        collector.waysRead();
        auto &areaHandler
            = collector.areas().handler([&collector](osmium::memory::Buffer &&buffer) {
                  for (const auto &area : buffer.select<osmium::Area>())
                      collector.area(area);
              });
        collector.setAreaHandler(areaHandler);
        osmium::io::Reader reader(file,
            osmium::osm_entity_bits::node | osmium::osm_entity_bits::way,
            m_report.extractDate.empty() ? osmium::io::read_meta::yes : osmium::io::read_meta::no);
        std::uint64_t count = 0;
        auto lastTold = started;
        LocationPass pass { {}, collector, [&] {
                               if (!m_progress || ++count % 65536 != 0)
                                   return;
                               const auto now = std::chrono::steady_clock::now();
                               if (now - lastTold >= std::chrono::seconds(1)) {
                                   lastTold = now;
                                   m_progress(m_report.objectsRead, collector.foundCount());
                               }
                           } };
        osmium::apply(reader, pass);
        areaHandler.flush();
        reader.close();
    } catch (const std::exception &e) {
        error = "cannot read the extract " + path + ": " + e.what();
        return false;
    }
    m_places = collector.finish(m_defaultCountry);
    m_report.seconds
        = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return true;
}

} // namespace pellomar::directory
