#pragma once

#include "reference/coordinates.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Writing the hotspots of the list to files other programs read: a spreadsheet (CSV), GPS
// devices (GPX 1.1 waypoints) and map programs (KML placemarks). Pure: record lines in, file
// bytes out, always UTF-8 whatever the directory sent.
namespace pellomar {

enum class ExportFormat { Csv, Gpx, Kml };

struct ExportedFile {
    std::string bytes;
    int written = 0; // hotspots in the file
    int skipped = 0; // hotspots left out for want of valid coordinates (GPX and KML only)
};

// All 17 fields of every record, a heading line first, RFC 4180 quoting, CR LF line ends.
ExportedFile ExportCsv(const std::vector<std::string> &records);
// One waypoint per hotspot with valid coordinates: name, description and location type.
ExportedFile ExportGpx(const std::vector<std::string> &records);
// One placemark per hotspot with valid coordinates: name, description and point.
ExportedFile ExportKml(const std::vector<std::string> &records);
ExportedFile ExportRecords(ExportFormat format, const std::vector<std::string> &records);

// The heading line's field names, in record order.
const std::vector<std::string> &ExportFieldNames();

// One CSV field: quoted when it holds a comma, a quote, CR or LF, quotes doubled.
std::string CsvField(std::string_view text);
// Text for XML character data and attribute values: UTF-8, markup escaped, and the control
// characters XML 1.0 forbids left out.
std::string XmlText(std::string_view text);

// Where the record's hotspot is (ParsePosition); nothing without a valid position.
std::optional<Position> RecordPosition(std::string_view record);

// The shortest decimal text that reads back as the same number.
std::string CoordinateText(double value);

// The description of a hotspot on a map: its type, operator and address, one per line,
// leaving out what the record does not say.
std::string PlaceDescription(std::string_view record);

// The format a file name asks for by its extension (any case); nullopt when it names none.
std::optional<ExportFormat> FormatForFileName(std::string_view fileName);
std::string_view FormatExtension(ExportFormat format); // ".csv", ".gpx", ".kml"

} // namespace pellomar
