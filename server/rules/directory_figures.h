#pragma once

#include <cstddef>

namespace pellomar::directory {

// What the directory holds, counted by the store and shown on the home page.
struct DirectoryFigures {
    std::size_t hotspots = 0;
    std::size_t countries = 0;
    std::size_t cities = 0;
};

} // namespace pellomar::directory
