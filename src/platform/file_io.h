#pragma once

#include <QByteArray>
#include <QString>

namespace pellomar {

struct FileRead {
    QByteArray data;
    QString error; // empty when the read succeeded
    bool missing = false; // the file does not exist (error is set too)

    bool ok() const { return error.isEmpty(); }
};

// Reads a whole regular file. A file larger than maxBytes is refused with an error, so that
// a damaged or hostile file cannot exhaust memory.
FileRead readWholeFile(const QString &path, qint64 maxBytes = qint64(1) << 30);

// Whether a replace waits until the new file is on the disk itself. Waiting (fdatasync) alone
// takes longer than a whole search on loopback; without it the replace is just as atomic, and
// only a power cut right after it could cost the new file.
enum class Durability { Synced, Unsynced };

// Replaces the file with `data` in one step (temporary file, then rename): a crash or a full
// disk never leaves a truncated file, and on failure the old file stays as it was.
// Returns an empty string on success, otherwise a readable reason.
QString writeFileAtomically(
    const QString &path, const QByteArray &data, Durability durability = Durability::Synced);

} // namespace pellomar
