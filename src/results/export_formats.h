// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <string>
#include <vector>

// Writing the hotspots of the list to files other programs read: a spreadsheet (CSV), GPS
// devices (GPX 1.1 waypoints) and map programs (KML placemarks). Record lines in, file bytes
// out, always UTF-8 whatever the directory sent.
namespace pellomar {

enum class ExportFormat { Csv, Gpx, Kml };

struct ExportedFile {
    QByteArray bytes;
    int written = 0; // hotspots in the file
    int skipped = 0; // hotspots left out for want of valid coordinates (GPX and KML only)
};

// CSV: all 17 fields of every record, a heading line first, RFC 4180 quoting, CR LF line ends.
// GPX and KML: one waypoint or placemark per hotspot with valid coordinates, with its name and
// a description of its type, operator and address (GPX adds the location type).
ExportedFile exportRecords(ExportFormat format, const std::vector<std::string> &records);

} // namespace pellomar
