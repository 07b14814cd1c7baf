#include "osm/polygon.h"

#include <algorithm>
#include <cmath>

namespace pellomar::directory {

namespace {

// Twice the signed area of a ring, by the shoelace formula.
double twiceSignedArea(const std::vector<GeoPoint> &ring)
{
    double sum = 0;
    for (std::size_t i = 0; i + 1 < ring.size(); ++i)
        sum += ring[i].x * ring[i + 1].y - ring[i + 1].x * ring[i].y;
    return sum;
}

} // namespace

void Polygon::addRing(std::vector<GeoPoint> ring, bool hole)
{
    if (ring.size() < 4)
        return;
    const auto [left, right] = std::minmax_element(
        ring.begin(), ring.end(), [](GeoPoint a, GeoPoint b) { return a.x < b.x; });
    const auto [bottom, top] = std::minmax_element(
        ring.begin(), ring.end(), [](GeoPoint a, GeoPoint b) { return a.y < b.y; });
    const bool first = m_rings.empty();
    m_minX = first ? left->x : std::min(m_minX, left->x);
    m_maxX = first ? right->x : std::max(m_maxX, right->x);
    m_minY = first ? bottom->y : std::min(m_minY, bottom->y);
    m_maxY = first ? top->y : std::max(m_maxY, top->y);
    m_rings.push_back({ std::move(ring), hole });
}

bool Polygon::contains(GeoPoint point) const
{
    if (point.x < m_minX || point.x > m_maxX || point.y < m_minY || point.y > m_maxY)
        return false;
    bool inside = false;
    for (const auto &ring : m_rings) {
        const auto &r = ring.points;
        for (std::size_t i = 0, j = r.size() - 1; i < r.size(); j = i++) {
            if ((r[i].y > point.y) != (r[j].y > point.y)
                && point.x < (r[j].x - r[i].x) * (point.y - r[i].y) / (r[j].y - r[i].y) + r[i].x)
                inside = !inside;
        }
    }
    return inside;
}

double Polygon::area() const
{
    double total = 0;
    for (const auto &ring : m_rings) {
        const double a = std::abs(twiceSignedArea(ring.points)) / 2;
        total += ring.hole ? -a : a;
    }
    return total;
}

std::optional<GeoPoint> Polygon::interiorPoint() const
{
    double weighted = 0, cx = 0, cy = 0;
    for (const auto &ring : m_rings) {
        const auto &r = ring.points;
        // Rings wind either way in the data: each counts by the sign it should have.
        const double sign = (twiceSignedArea(r) < 0) != ring.hole ? -1 : 1;
        for (std::size_t i = 0; i + 1 < r.size(); ++i) {
            const double cross = sign * (r[i].x * r[i + 1].y - r[i + 1].x * r[i].y);
            weighted += cross;
            cx += (r[i].x + r[i + 1].x) * cross;
            cy += (r[i].y + r[i + 1].y) * cross;
        }
    }
    if (weighted != 0) {
        const GeoPoint centroid { cx / (3 * weighted), cy / (3 * weighted) };
        if (contains(centroid))
            return centroid;
    }
    if (const auto middle = pointOnLine((m_minY + m_maxY) / 2))
        return middle;
    // A line through a vertex can miss every stretch; a little off the middle cannot.
    return pointOnLine(m_minY + (m_maxY - m_minY) * 0.4999);
}

std::optional<GeoPoint> Polygon::pointOnLine(double y) const
{
    std::vector<double> crossings;
    for (const auto &ring : m_rings) {
        for (std::size_t i = 0; i + 1 < ring.points.size(); ++i) {
            const GeoPoint a = ring.points[i], b = ring.points[i + 1];
            if ((a.y > y) != (b.y > y))
                crossings.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
        }
    }
    std::sort(crossings.begin(), crossings.end());
    std::optional<GeoPoint> best;
    double widest = 0;
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
        if (crossings[i + 1] - crossings[i] > widest) {
            widest = crossings[i + 1] - crossings[i];
            best = GeoPoint { (crossings[i] + crossings[i + 1]) / 2, y };
        }
    }
    return best;
}

} // namespace pellomar::directory
