#pragma once

namespace pellomar {

// Parses the command line, loads the reference files, opens the main window and runs the
// event loop; returns the program's exit status.
int runApplication(int argc, char *argv[]);

} // namespace pellomar
