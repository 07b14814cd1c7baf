// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/app_context.h"
#include "shell/frm_main.h"

#include <QByteArray>
#include <functional>
#include <memory>

class QWidget;

namespace pellomar::bench {

// A search of the demo directory: its request path, and the country to pick for it.
struct DirectorySearch {
    QByteArray path;
    QString countryName;
    qsizetype records = 0;
};
// The country search whose reply comes closest to the list's 300 records.
DirectorySearch searchNear300(const ServerAddress &server, const ReferenceTable &countries);
// Picks the search's country and presses "Search hotspots!" down, painting both as the user
// would see them before letting go; the search starts when the button is let go.
void pressSearchButton(frmMain &window, const DirectorySearch &search);
// Lets the pressed "Search hotspots!" go (the click), paints the rows as soon as the window
// has them (`painted` runs right after) and waits until the result file is written; false
// when the search failed or took more than 10 s.
bool searchAndPaint(frmMain &window, const std::function<void()> &painted = {});

// The folder of the executable, which holds the reference files and the other programs.
QString binDir();

// The main window on the reference files of the build, shown and exposed, after its start-up
// reload of the result file in `dataDir` has passed.
std::unique_ptr<frmMain> showMainWindow(const ServerAddress &server, const QString &dataDir);

// Paints what changed, as the next turn of the event loop would.
void paintNow(QWidget &window);

// Record `n` as the directory sends it: 17 fields, about 330 bytes, ended by "END", with a
// line break at a place of no meaning. Its country is one of US, DE and FR.
QByteArray directoryRecord(int n);
// A whole reply of `records` records, headers included.
QByteArray directoryReply(int records);
// The result file the program keeps for `records` records: one a line, "-" after each,
// scrambled.
QByteArray resultFile(int records);

} // namespace pellomar::bench
