#pragma once

#include <optional>
#include <vector>

namespace pellomar::directory {

// A point in degrees: x is the longitude, y the latitude. Areas are small enough, and the
// questions asked of them (inside or not, a point inside) plain enough, for flat geometry.
struct GeoPoint {
    double x = 0;
    double y = 0;
};

// An area as OpenStreetMap draws it: outer rings and holes, each closed (last point equal to
// the first). A point is inside when a line from it crosses the rings an odd number of times.
class Polygon {
public:
    void addRing(std::vector<GeoPoint> ring, bool hole);

    bool contains(GeoPoint point) const;
    // The area in square degrees, holes taken away; a measure to compare areas with.
    double area() const;
    // A point inside the area: its centroid when that lies inside, otherwise the middle of
    // the widest stretch of a horizontal line through the middle of its height that runs
    // inside it (the centroid of a C or a ring of buildings lies outside). Nothing for an
    // area without surface.
    std::optional<GeoPoint> interiorPoint() const;

    double minX() const { return m_minX; }
    double maxX() const { return m_maxX; }
    double minY() const { return m_minY; }
    double maxY() const { return m_maxY; }
    bool isEmpty() const { return m_rings.empty(); }

private:
    std::optional<GeoPoint> pointOnLine(double y) const;

    struct Ring {
        std::vector<GeoPoint> points;
        bool hole = false;
    };
    std::vector<Ring> m_rings;
    double m_minX = 0, m_maxX = 0, m_minY = 0, m_maxY = 0;
};

} // namespace pellomar::directory
