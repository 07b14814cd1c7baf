#pragma once

#include <cstddef>
#include <string>

namespace pellomar::directory {

// What the directory holds, counted by the store and shown on the home page.
struct DirectoryFigures {
    std::size_t hotspots = 0;
    std::size_t countries = 0;
    std::size_t cities = 0;
};

// The last OpenStreetMap import: the extract's date (as its file gives it) and the hotspots
// it brought.
struct DataCredit {
    std::string extractDate;
    std::size_t hotspots = 0;
};

} // namespace pellomar::directory
