#include "osm/boundary_index.h"

#include <cmath>

namespace pellomar::directory {

namespace {

long cellOf(long column, long row)
{
    return column * 1000 + row;
}

long degreeCell(double degrees)
{
    return static_cast<long>(std::floor(degrees));
}

} // namespace

void BoundaryIndex::add(Polygon polygon, int adminLevel, std::string name, std::string countryCode)
{
    const bool country = adminLevel == 2;
    if ((!country && (adminLevel < 7 || adminLevel > 10)) || polygon.isEmpty())
        return;
    std::string label = country ? std::move(countryCode) : std::move(name);
    if (label.empty())
        return;
    const std::size_t index = m_boundaries.size();
    for (long column = degreeCell(polygon.minX()); column <= degreeCell(polygon.maxX()); ++column) {
        for (long row = degreeCell(polygon.minY()); row <= degreeCell(polygon.maxY()); ++row)
            m_cells[cellOf(column, row)].push_back(index);
    }
    const double area = polygon.area();
    m_boundaries.push_back({ std::move(polygon), adminLevel, area, std::move(label) });
}

const BoundaryIndex::Boundary *BoundaryIndex::smallestAt(GeoPoint point, int level) const
{
    const auto cell = m_cells.find(cellOf(degreeCell(point.x), degreeCell(point.y)));
    if (cell == m_cells.end())
        return nullptr;
    const Boundary *smallest = nullptr;
    for (const std::size_t index : cell->second) {
        const Boundary &b = m_boundaries[index];
        if (b.level == level && (!smallest || b.area < smallest->area) && b.polygon.contains(point))
            smallest = &b;
    }
    return smallest;
}

std::string BoundaryIndex::cityAt(GeoPoint point) const
{
    for (const int level : { 8, 7, 9, 10 }) {
        if (const Boundary *b = smallestAt(point, level))
            return b->name;
    }
    return {};
}

std::string BoundaryIndex::countryAt(GeoPoint point) const
{
    const Boundary *b = smallestAt(point, 2);
    return b ? b->name : std::string();
}

} // namespace pellomar::directory
