// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/download_caption.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <optional>
#include <utility>

namespace pellomar {

namespace {

// The locale's own 12- or 24-hour clock, to the minute (some locales' short format, the C
// locale's among them, carries seconds). Worked out once per locale: every load shows it.
QString clockFormat(const QLocale &locale)
{
    thread_local std::optional<std::pair<QLocale, QString>> last;
    if (!last || last->first != locale) {
        static const QRegularExpression seconds(QStringLiteral("[:.]ss?"));
        last.emplace(locale, locale.timeFormat(QLocale::ShortFormat).remove(seconds));
    }
    return last->second;
}

} // namespace

QString downloadedCaption(const QDateTime &downloaded, const QLocale &locale)
{
    if (!downloaded.isValid())
        return {};
    const QDateTime local = downloaded.toLocalTime();
    // Day, month name and year read the same way everywhere, where a numeric date (6/12 or
    // 12/6) does not.
    const QString clock = clockFormat(locale);
    return QCoreApplication::translate("pellomar::DownloadCaption", "Downloaded %1 %2")
        .arg(locale.toString(local.date(),
                 QCoreApplication::translate("pellomar::DownloadCaption", "d MMM yyyy",
                     "the date's format in QLocale's letters")),
            locale.toString(local.time(), clock));
}

QString resultFileCaption(const QString &path, const QLocale &locale)
{
    const QFileInfo file(path);
    if (!file.isFile())
        return {};
    return downloadedCaption(file.lastModified(), locale);
}

} // namespace pellomar
