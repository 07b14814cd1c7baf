// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "search/kept_search.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace pellomar {

// The searches kept in the data folder's "recent" folder, one file each, scrambled like the
// result file and replaced the same safe way. The newest are kept: at most MaxKept of them and
// at most MaxBytes in all.
class RecentSearches {
public:
    static constexpr int MaxKept = 20;
    static constexpr qint64 MaxBytes = qint64(64) << 20;

    explicit RecentSearches(const QString &dataDir);

    struct Listing {
        std::vector<KeptSearch> searches; // newest first
        QStringList damaged; // files that could not be read, by name
    };
    Listing list() const;

    // Keeps one more and drops the oldest past the limits. Returns why it could not be kept,
    // else an empty string.
    QString keep(const KeptSearch &search) const;
    // Removes every kept search; returns why one could not be removed, else an empty string.
    QString forgetAll() const;

    const QString &folder() const { return m_folder; }

private:
    QString m_folder;
};

} // namespace pellomar
