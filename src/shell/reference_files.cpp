// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/reference_files.h"

#include "platform/display_text.h"
#include "platform/file_io.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace pellomar {

namespace {

// Far beyond any real reference file; a larger file is a mistake, not data.
constexpr qint64 MaxReferenceBytes = qint64(4) << 20;

const QString CountriesFile = QStringLiteral("countries.txt");
const QString LocationsFile = QStringLiteral("locations.txt");

} // namespace

QStringList referenceFolders(const QString &executableDir)
{
    const QDir here(executableDir);
    return { QDir::cleanPath(here.absolutePath()),
        QDir::cleanPath(here.absoluteFilePath(QStringLiteral("../share/pellomar"))) };
}

QString chooseReferenceFolder(const QStringList &folders)
{
    for (const QString &folder : folders) {
        if (QFileInfo::exists(QDir(folder).filePath(CountriesFile)))
            return folder;
    }
    return folders.value(0);
}

ReferenceLoad loadReferenceFiles(const QString &folder)
{
    ReferenceLoad load;
    const QDir dir(folder);
    const auto read = [&](const QString &name) -> std::optional<QByteArray> {
        const FileRead file = readWholeFile(dir.filePath(name), MaxReferenceBytes);
        if (!file.ok()) {
            load.error = QCoreApplication::translate(
                "pellomar::ReferenceFiles", "The reference file %1 cannot be read: %2.")
                             .arg(name, file.error);
            return std::nullopt;
        }
        return file.data;
    };
    const auto countryBytes = read(CountriesFile);
    if (!countryBytes)
        return load;
    const auto locationBytes = read(LocationsFile);
    if (!locationBytes)
        return load;

    ReferenceFile countries = parseCountries(asView(*countryBytes));
    ReferenceFile locations = parseLocationTypes(asView(*locationBytes));
    for (const auto &[name, file] :
        { std::pair { &CountriesFile, &countries }, std::pair { &LocationsFile, &locations } }) {
        if (file->linesIgnored == 0)
            continue;
        load.warnings << QCoreApplication::translate("pellomar::ReferenceFiles",
            "%1: only the first %2 entries are used; %3 further "
            "lines were ignored.")
                             .arg(QDir::toNativeSeparators(dir.filePath(*name)))
                             .arg(file->table.capacity())
                             .arg(file->linesIgnored);
    }
    load.data = ReferenceData { std::move(countries.table), std::move(locations.table) };
    return load;
}

} // namespace pellomar
