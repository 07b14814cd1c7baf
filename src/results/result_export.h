// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

class QWidget;

namespace pellomar {

// "Export results…": asks for a file in the Save As dialog and writes the `records` (the rows
// the list shows, in their order on screen) as CSV, GPX or KML by the file's extension (or
// the chosen filter when the name has none). Asks before replacing a file, writes
// atomically, and tells the user what was written, what was left out, or why it failed.
void exportResults(QWidget *parent, const std::vector<std::string> &records);

} // namespace pellomar
