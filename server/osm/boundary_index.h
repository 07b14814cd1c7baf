#pragma once

#include "osm/polygon.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace pellomar::directory {

// The administrative boundaries of an extract, to name the city and the country a place lies
// in when its own tags do not.
class BoundaryIndex {
public:
    // Levels other than 2 (countries) and 7 to 10 (cities, districts) are not kept.
    void add(Polygon polygon, int adminLevel, std::string name, std::string countryCode);

    // The name of the smallest boundary of level 8 around the point, else of level 7, 9 or
    // 10 (in that order, the levels that name cities in most countries); empty when none.
    std::string cityAt(GeoPoint point) const;
    // The code of the smallest country boundary around the point; empty when none.
    std::string countryAt(GeoPoint point) const;

    std::size_t size() const { return m_boundaries.size(); }

private:
    struct Boundary {
        Polygon polygon;
        int level = 0;
        double area = 0;
        std::string name; // or the country code, for level 2
    };
    const Boundary *smallestAt(GeoPoint point, int level) const;

    std::vector<Boundary> m_boundaries;
    // Boundaries by the one-degree cells their bounding boxes touch, so a lookup tests only
    // the few boundaries near the point, even for the whole planet's.
    std::unordered_map<long, std::vector<std::size_t>> m_cells;
};

} // namespace pellomar::directory
