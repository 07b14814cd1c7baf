// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace pellomar {

// The caption beside the result count that tells when the listed hotspots were downloaded, so
// results reloaded at start-up or kept after a failed search are not taken for fresh ones:
// "Downloaded 6 Dec 2026 15:04", month name and clock in the user's locale. Empty for an
// invalid time.
QString downloadedCaption(const QDateTime &downloaded, const QLocale &locale = QLocale());

// The caption for the result file at `path`: a search writes the file whole and loading never
// writes it, so its modification time is the time of the download. Empty without a file.
QString resultFileCaption(const QString &path, const QLocale &locale = QLocale());

} // namespace pellomar
