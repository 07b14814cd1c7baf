// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "search/recent_searches.h"

#include "platform/display_text.h"
#include "platform/file_io.h"
#include "resultfile/result_format.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace pellomar {

namespace {

// Named by arrival time, zero-padded, so that names sort as the searches came.
QString fileNameFor(qint64 receivedMs, int clash)
{
    return QStringLiteral("%1-%2.txt")
        .arg(receivedMs, 15, 10, QLatin1Char('0'))
        .arg(clash, 2, 10, QLatin1Char('0'));
}

QFileInfoList keptFiles(const QString &folder)
{
    // Only regular files the program wrote: a link or a FIFO put there is not read.
    return QDir(folder).entryInfoList({ QStringLiteral("*.txt") },
        QDir::Files | QDir::NoSymLinks | QDir::Hidden, QDir::Name | QDir::Reversed);
}

} // namespace

RecentSearches::RecentSearches(const QString &dataDir)
    : m_folder(dataDir + QStringLiteral("/recent"))
{
}

RecentSearches::Listing RecentSearches::list() const
{
    Listing listing;
    for (const QFileInfo &file : keptFiles(m_folder)) {
        const FileRead read = readWholeFile(file.filePath(), MaxBytes);
        std::optional<KeptSearch> search;
        if (read.ok())
            search = decodeKeptSearch(scrambled(asView(read.data)));
        if (search)
            listing.searches.push_back(std::move(*search));
        else
            listing.damaged << file.fileName();
    }
    return listing;
}

QString RecentSearches::keep(const KeptSearch &search) const
{
    if (!QDir().mkpath(m_folder))
        return QCoreApplication::translate("pellomar::RecentSearches", "%1 cannot be made")
            .arg(QDir::toNativeSeparators(m_folder));
    const std::string plain = encodeKeptSearch(search);
    if (qint64(plain.size()) > MaxBytes)
        return QCoreApplication::translate("pellomar::RecentSearches", "it is larger than %1 MiB")
            .arg(MaxBytes >> 20);
    QString path;
    for (int clash = 0; path.isEmpty() || QFileInfo::exists(path); ++clash)
        path = m_folder + u'/' + fileNameFor(search.receivedMs, clash);
    const std::string onDisk = scrambled(plain);
    if (const QString error = writeFileAtomically(
            path, QByteArray(onDisk.data(), qsizetype(onDisk.size())), FileOwner::Program);
        !error.isEmpty())
        return error;
    // The newest first: what is past either limit goes.
    qint64 bytes = 0;
    int kept = 0;
    for (const QFileInfo &file : keptFiles(m_folder)) {
        bytes += file.size();
        if (++kept > MaxKept || bytes > MaxBytes)
            QFile::remove(file.filePath());
    }
    return {};
}

QString RecentSearches::forgetAll() const
{
    for (const QFileInfo &file : keptFiles(m_folder)) {
        if (!QFile::remove(file.filePath()))
            return QCoreApplication::translate("pellomar::RecentSearches", "%1 cannot be removed")
                .arg(QDir::toNativeSeparators(file.filePath()));
    }
    return {};
}

} // namespace pellomar
