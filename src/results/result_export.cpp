// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/result_export.h"

#include "platform/message_box.h"
#include "platform/save_dialog.h"
#include "results/export_formats.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <array>

namespace pellomar {

namespace {

struct FileType {
    ExportFormat format;
    const char *filter;
    const char *suffix;
};

const std::array<FileType, 3> FileTypes { {
    { ExportFormat::Csv, QT_TRANSLATE_NOOP("pellomar::ResultExport", "CSV Files (*.csv)"), "csv" },
    { ExportFormat::Gpx, QT_TRANSLATE_NOOP("pellomar::ResultExport", "GPX Files (*.gpx)"), "gpx" },
    { ExportFormat::Kml, QT_TRANSLATE_NOOP("pellomar::ResultExport", "KML Files (*.kml)"), "kml" },
} };

QString hotspots(int count)
{
    return count == 1
        ? QCoreApplication::translate("pellomar::ResultExport", "1 hotspot")
        : QCoreApplication::translate("pellomar::ResultExport", "%n hotspots", nullptr, count);
}

} // namespace

void exportResults(QWidget *parent, const std::vector<std::string> &records)
{
    if (records.empty()) {
        MessageBox::show(parent, QMessageBox::Information, QString(),
            QCoreApplication::translate(
                "pellomar::ResultExport", "There are no results to export."));
        return;
    }
    QStringList filters;
    for (const FileType &type : FileTypes)
        filters << QLatin1String(type.filter);
    QString chosenFilter;
    QString fileName
        = SaveDialog::getSaveFileName(parent, filters.join(QStringLiteral(";;")), &chosenFilter);
    if (fileName.trimmed().isEmpty())
        return;
    const QString suffix = QFileInfo(fileName).suffix().trimmed().toLower();
    auto type = std::find_if(FileTypes.begin(), FileTypes.end(),
        [&](const FileType &t) { return suffix == QLatin1String(t.suffix); });
    if (type == FileTypes.end()) {
        // Other programs know these files by their extension.
        type = std::find_if(FileTypes.begin(), FileTypes.end(),
            [&](const FileType &t) { return chosenFilter == QLatin1String(t.filter); });
        if (type == FileTypes.end())
            type = FileTypes.begin();
        fileName += u'.' + QLatin1String(type->suffix);
    }

    const ExportedFile file = exportRecords(type->format, records);
    QString text = QCoreApplication::translate("pellomar::ResultExport", "%1 exported to\r\n\r\n%2")
                       .arg(hotspots(file.written),
                           QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath()));
    if (file.skipped > 0) {
        text += QCoreApplication::translate(
            "pellomar::ResultExport", "\r\n\r\n%1 without valid coordinates left out.")
                    .arg(hotspots(file.skipped));
    }
    saveChosenFile(parent, fileName, file.bytes,
        QCoreApplication::translate("pellomar::ResultExport", "Exported"), text,
        QCoreApplication::translate(
            "pellomar::ResultExport", "The results could not be exported.\r\n\r\n"));
}

} // namespace pellomar
