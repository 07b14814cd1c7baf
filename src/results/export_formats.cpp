// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/export_formats.h"

#include "platform/display_text.h"
#include "reference/coordinates.h"
#include "reference/text_fields.h"
#include "results/hotspot_record.h"

#include <QXmlStreamWriter>
#include <array>
#include <charconv>

namespace pellomar {

namespace {

using namespace Qt::StringLiterals;

QByteArray csvField(const QByteArray &text)
{
    if (!text.contains(',') && !text.contains('"') && !text.contains('\r') && !text.contains('\n'))
        return text;
    QByteArray quoted = text;
    return '"' + quoted.replace('"', "\"\"") + '"';
}

ExportedFile exportCsv(const std::vector<std::string> &records)
{
    ExportedFile file;
    auto appendLine = [&file](const QList<QByteArray> &fields) {
        for (qsizetype i = 0; i < fields.size(); ++i)
            file.bytes += (i > 0 ? ","_ba : QByteArray()) + csvField(fields[i]);
        file.bytes += "\r\n";
    };
    QList<QByteArray> fields;
    for (const std::string_view name : HotspotFieldNames)
        fields << QByteArray(name.data(), qsizetype(name.size()));
    appendLine(fields);
    for (const std::string &line : records) {
        const HotspotRecord record(line);
        fields.clear();
        for (int n = 1; n <= HotspotFieldCount; ++n)
            fields << displayText(record.field(static_cast<HotspotField>(n))).toUtf8();
        appendLine(fields);
        ++file.written;
    }
    return file;
}

// The shortest decimal text that reads back as the same number.
QString coordinateText(double value)
{
    std::array<char, 32> buffer {};
    const auto result = std::to_chars(
        buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    return QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
}

QString trimmedField(const HotspotRecord &hotspot, HotspotField field)
{
    return displayText(trim(hotspot.field(field)));
}

// The description of a hotspot on a map: its type, operator and address, one per line,
// leaving out what the record does not say.
QString placeDescription(const HotspotRecord &hotspot)
{
    // "1 Road, 12345 Town": a ZIP of 0 stands for none, as in the detail window.
    std::string zip(trim(hotspot.ZIP()));
    if (zip == "0")
        zip.clear();
    const std::string city(trim(hotspot.City()));
    const std::string place = zip.empty() || city.empty() ? zip + city : zip + " " + city;
    std::string address(trim(hotspot.Address()));
    if (!address.empty() && !place.empty())
        address += ", ";
    address += place;
    const std::array<std::pair<const char *, std::string>, 3> lines { {
        { "Type: ", std::string(trim(hotspot.HotspotType())) },
        { "Operator: ", std::string(trim(hotspot.Operator())) },
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
    return displayText(text);
}

// Character data as written: a CR goes as a reference, where a reader would turn a plain one
// into a line feed. Characters XML 1.0 forbids are left out by the writer.
void writeTextElement(QXmlStreamWriter &xml, const QString &name, const QString &text)
{
    xml.writeStartElement(name);
    const QStringList pieces = text.split(u'\r');
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            xml.writeEntityReference(u"#13"_s);
        xml.writeCharacters(pieces[i]);
    }
    xml.writeEndElement();
}

ExportedFile exportMap(ExportFormat format, const std::vector<std::string> &records)
{
    const bool gpx = format == ExportFormat::Gpx;
    ExportedFile file;
    QXmlStreamWriter xml(&file.bytes);
    xml.writeStartDocument();
    xml.writeCharacters(u"\n"_s);
    if (gpx) {
        xml.writeStartElement(u"gpx"_s);
        xml.writeAttribute(u"version"_s, u"1.1"_s);
        xml.writeAttribute(u"creator"_s, u"Pellomar"_s);
        xml.writeAttribute(u"xmlns"_s, u"http://www.topografix.com/GPX/1/1"_s);
    } else {
        xml.writeStartElement(u"kml"_s);
        xml.writeAttribute(u"xmlns"_s, u"http://www.opengis.net/kml/2.2"_s);
        xml.writeCharacters(u"\n"_s);
        xml.writeStartElement(u"Document"_s);
        xml.writeCharacters(u"\n"_s);
        xml.writeTextElement(u"name"_s, u"Pellomar hotspots"_s);
    }
    for (const std::string &line : records) {
        const HotspotRecord hotspot(line);
        const auto where = parsePosition(hotspot.Latitude(), hotspot.Longitude());
        if (!where) {
            ++file.skipped;
            continue;
        }
        const QString latitude = coordinateText(where->latitude.value);
        const QString longitude = coordinateText(where->longitude.value);
        xml.writeCharacters(u"\n  "_s);
        xml.writeStartElement(gpx ? u"wpt"_s : u"Placemark"_s);
        if (gpx) {
            xml.writeAttribute(u"lat"_s, latitude);
            xml.writeAttribute(u"lon"_s, longitude);
        }
        writeTextElement(xml, u"name"_s, trimmedField(hotspot, HotspotField::LocationName));
        writeTextElement(xml, gpx ? u"desc"_s : u"description"_s, placeDescription(hotspot));
        if (gpx) {
            // The schema wants the elements in this order: name, desc, type.
            writeTextElement(xml, u"type"_s, trimmedField(hotspot, HotspotField::LocationType));
        } else {
            // KML writes longitude first.
            xml.writeStartElement(u"Point"_s);
            xml.writeTextElement(u"coordinates"_s, longitude + u',' + latitude);
            xml.writeEndElement();
        }
        xml.writeEndElement();
        ++file.written;
    }
    xml.writeCharacters(u"\n"_s);
    if (!gpx) {
        xml.writeEndElement();
        xml.writeCharacters(u"\n"_s);
    }
    // Closes the root and ends the file with a line end.
    xml.writeEndDocument();
    return file;
}

} // namespace

ExportedFile exportRecords(ExportFormat format, const std::vector<std::string> &records)
{
    return format == ExportFormat::Csv ? exportCsv(records) : exportMap(format, records);
}

} // namespace pellomar
