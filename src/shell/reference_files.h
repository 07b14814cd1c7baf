// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "reference/reference_table.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace pellomar {

// The two reference files, read and parsed at start-up.
struct ReferenceData {
    ReferenceTable countries { ReferenceTable::CountryCapacity };
    ReferenceTable locationTypes { ReferenceTable::LocationTypeCapacity };
};

struct ReferenceLoad {
    std::optional<ReferenceData> data;
    QString error; // names the file and the reason when data is missing
    QStringList warnings; // lines that did not fit into a table
};

// Where the reference files are looked for: next to the executable (the build tree copies
// them there), else the installed share folder beside the executable's folder.
QStringList referenceFolders(const QString &executableDir);

// The first of `folders` that holds "countries.txt"; the first folder when none does, so that
// the error names the place the program looked first.
QString chooseReferenceFolder(const QStringList &folders);

// Reads "countries.txt" and "locations.txt" from `folder`.
ReferenceLoad loadReferenceFiles(const QString &folder);

} // namespace pellomar
