#pragma once

#include <QString>

namespace pellomar {

// Flips the top bit of every byte of the file and replaces it in one step, so no reader
// ever sees a half-converted file. A missing file is created empty. Returns an empty
// string on success, otherwise the reason.
QString ScrambleFile(const QString &path);

} // namespace pellomar
