#include "results/export_rules.h"

#include "reference/text_encoding.h"
#include "reference/text_fields.h"
#include "results/hotspot_record.h"

#include <array>
#include <charconv>
#include <cmath>

namespace pellomar {

namespace {

std::string trimmedField(const HotspotRecord &record, HotspotField field)
{
    return std::string(Trim(record.field(field)));
}

// A code point of valid UTF-8 starting at `text[i]`, and its length.
char32_t codePointAt(std::string_view text, std::size_t i, std::size_t &length)
{
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
        length = 1;
        return byte;
    }
    length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
    char32_t value = byte & (0x3F >> (length - 1));
    for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
        value = (value << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    return value;
}

void appendWaypointLike(std::string &out, std::string_view element, std::string_view text)
{
    out += '<';
    out += element;
    out += '>';
    out += XmlText(text);
    out += "</";
    out += element;
    out += '>';
}

} // namespace

const std::vector<std::string> &ExportFieldNames()
{
    static const std::vector<std::string> names { "LocationName", "HotspotType", "Operator",
        "WebsiteURL", "PhoneNumber", "EmailAddress", "LocationType", "Address", "ZIP", "City",
        "CountryCode", "Latitude", "Longitude", "TechnologyCode", "SSidInfo", "Description",
        "ImagePath" };
    return names;
}

std::string CsvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

ExportedFile ExportCsv(const std::vector<std::string> &records)
{
    ExportedFile file;
    auto appendLine = [&file](const auto &fields) {
        bool first = true;
        for (const std::string &field : fields) {
            if (!first)
                file.bytes += ',';
            first = false;
            file.bytes += CsvField(field);
        }
        file.bytes += "\r\n";
    };
    appendLine(ExportFieldNames());
    std::array<std::string, HotspotFieldCount> fields;
    for (const std::string &line : records) {
        const HotspotRecord record(line);
        for (int n = 1; n <= HotspotFieldCount; ++n)
            fields[std::size_t(n - 1)] = AsUtf8(record.field(static_cast<HotspotField>(n)));
        appendLine(fields);
        ++file.written;
    }
    return file;
}

std::string XmlText(std::string_view text)
{
    const std::string utf8 = AsUtf8(text);
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t length = 1;
        const char32_t c = codePointAt(utf8, i, length);
        const std::string_view bytes = std::string_view(utf8).substr(i, length);
        i += length;
        // XML 1.0 allows tab, LF and CR among the controls, and neither U+FFFE nor U+FFFF.
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0xFFFE || c == 0xFFFF)
            continue;
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        case '\r':
            out += "&#13;"; // kept as written, where a parser would turn it into LF
            break;
        default:
            out += bytes;
        }
    }
    return out;
}

std::optional<Position> RecordPosition(std::string_view record)
{
    const HotspotRecord hotspot { std::string(record) };
    return ParsePosition(hotspot.Latitude(), hotspot.Longitude());
}

std::string CoordinateText(double value)
{
    std::array<char, 32> buffer {};
    const auto result = std::to_chars(
        buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    return std::string(buffer.data(), result.ptr);
}

std::string PlaceDescription(std::string_view record)
{
    const HotspotRecord hotspot { std::string(record) };
    // "1 Road, 12345 Town": a ZIP of 0 stands for none, as in the detail window.
    std::string zip = trimmedField(hotspot, HotspotField::ZIP);
    if (zip == "0")
        zip.clear();
    const std::string city = trimmedField(hotspot, HotspotField::City);
    const std::string place = zip.empty() || city.empty() ? zip + city : zip + " " + city;
    std::string address = trimmedField(hotspot, HotspotField::Address);
    if (!address.empty() && !place.empty())
        address += ", ";
    address += place;
    const std::array<std::pair<const char *, std::string>, 3> lines { {
        { "Type: ", trimmedField(hotspot, HotspotField::HotspotType) },
        { "Operator: ", trimmedField(hotspot, HotspotField::Operator) },
        { "Address: ", address },
    } };
    std::string text;
    for (const auto &[label, value] : lines) {
        if (value.empty())
            continue;
        if (!text.empty())
            text += '\n';
        text += label;
        text += value;
    }
    return text;
}

ExportedFile ExportGpx(const std::vector<std::string> &records)
{
    ExportedFile file;
    file.bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                 "<gpx version=\"1.1\" creator=\"Pellomar\" "
                 "xmlns=\"http://www.topografix.com/GPX/1/1\">\n";
    for (const std::string &line : records) {
        const auto where = RecordPosition(line);
        if (!where) {
            ++file.skipped;
            continue;
        }
        const HotspotRecord hotspot(line);
        file.bytes += "  <wpt lat=\"" + CoordinateText(where->latitude.value) + "\" lon=\""
            + CoordinateText(where->longitude.value) + "\">";
        appendWaypointLike(file.bytes, "name", Trim(hotspot.LocationName()));
        appendWaypointLike(file.bytes, "desc", PlaceDescription(line));
        // The schema wants the elements in this order: name, desc, type.
        appendWaypointLike(file.bytes, "type", Trim(hotspot.LocationType()));
        file.bytes += "</wpt>\n";
        ++file.written;
    }
    file.bytes += "</gpx>\n";
    return file;
}

ExportedFile ExportKml(const std::vector<std::string> &records)
{
    ExportedFile file;
    file.bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                 "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n"
                 "<name>Pellomar hotspots</name>\n";
    for (const std::string &line : records) {
        const auto where = RecordPosition(line);
        if (!where) {
            ++file.skipped;
            continue;
        }
        const HotspotRecord hotspot(line);
        file.bytes += "  <Placemark>";
        appendWaypointLike(file.bytes, "name", Trim(hotspot.LocationName()));
        appendWaypointLike(file.bytes, "description", PlaceDescription(line));
        // KML writes longitude first.
        file.bytes += "<Point><coordinates>" + CoordinateText(where->longitude.value) + ","
            + CoordinateText(where->latitude.value) + "</coordinates></Point></Placemark>\n";
        ++file.written;
    }
    file.bytes += "</Document>\n</kml>\n";
    return file;
}

ExportedFile ExportRecords(ExportFormat format, const std::vector<std::string> &records)
{
    switch (format) {
    case ExportFormat::Csv:
        return ExportCsv(records);
    case ExportFormat::Gpx:
        return ExportGpx(records);
    case ExportFormat::Kml:
        return ExportKml(records);
    }
    return {};
}

std::string_view FormatExtension(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Csv:
        return ".csv";
    case ExportFormat::Gpx:
        return ".gpx";
    case ExportFormat::Kml:
        return ".kml";
    }
    return {};
}

std::optional<ExportFormat> FormatForFileName(std::string_view fileName)
{
    const std::size_t dot = fileName.rfind('.');
    const std::size_t slash = fileName.find_last_of("/\\");
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return std::nullopt;
    const std::string extension = LowerTrim(fileName.substr(dot));
    for (const ExportFormat format : { ExportFormat::Csv, ExportFormat::Gpx, ExportFormat::Kml }) {
        if (extension == FormatExtension(format))
            return format;
    }
    return std::nullopt;
}

} // namespace pellomar
