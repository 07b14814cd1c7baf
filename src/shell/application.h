// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace pellomar {

// Parses the command line, loads the reference files, opens the main window and runs the
// event loop; returns the program's exit status.
int runApplication(int argc, char *argv[]);

} // namespace pellomar
