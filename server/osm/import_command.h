#pragma once

#include <filesystem>
#include <string>

namespace pellomar::directory {

struct ImportSetup {
    std::string databasePath;
    std::string extractPath;
    // Given to places no boundary of the extract puts in a country; may be empty.
    std::string defaultCountry;
    // Holds countries.txt and locations.txt.
    std::filesystem::path referenceDir;
};

// `pellomar-directory --import-osm`: imports the extract into the database and prints the
// report. 0 when done; 1, with one line on standard error, when the extract cannot be read or
// the database not written; 2 for a country code countries.txt does not list.
int runOsmImport(const ImportSetup &setup);

// Whether a file name is one of the extract formats the import reads.
bool isExtractName(const std::string &path);

} // namespace pellomar::directory
