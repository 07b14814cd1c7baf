// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QFile;
class QTemporaryFile;

namespace pellomar {

struct FileRead {
    QByteArray data;
    QString error; // empty when the read succeeded
    bool missing = false; // the file does not exist (error is set too)

    bool ok() const { return error.isEmpty(); }
};

// Opens the named `file` for reading when it is a regular file, without waiting on a FIFO.
// Returns the reason it cannot be read, else an empty string.
QString openRegularFile(QFile &file);

// Reads a whole regular file. A file larger than maxBytes is refused with an error, so that
// a damaged or hostile file cannot exhaust memory.
FileRead readWholeFile(const QString &path, qint64 maxBytes = qint64(1) << 30);

// Whose file a replace writes. A file the user picked is written where the user pointed (a
// symbolic link is followed) and waits until it is on the disk itself. The program's own files
// are replaced by renaming a new file over the name itself, never written through a link, and
// without waiting for the disk (fdatasync alone takes longer than a whole search on loopback;
// the replace is just as atomic, and only a power cut right after it could cost the new file).
enum class FileOwner { User, Program };

// Replaces the file with `data` in one step (temporary file, then rename): a crash or a full
// disk never leaves a truncated file, and on failure the old file stays as it was.
// Returns an empty string on success, otherwise a readable reason.
QString writeFileAtomically(
    const QString &path, const QByteArray &data, FileOwner owner = FileOwner::User);

// A replace of one of the program's own files begun before its content is known: the file it
// replaces is held open and the temporary file beside it created at once, so that commit() has only
// to write and rename. Without a commit nothing changes on disk (the temporary file gets its name
// only in commit() where the system allows).
class PendingReplace {
public:
    explicit PendingReplace(const QString &path);
    ~PendingReplace();
    PendingReplace(const PendingReplace &) = delete;
    PendingReplace &operator=(const PendingReplace &) = delete;

    const QString &path() const { return m_path; }
    // Writes `data` and renames it over the file; once. As writeFileAtomically, the reason of a
    // failure, else an empty string.
    QString commit(const QByteArray &data);
    // Frees the replaced file now, on this thread; otherwise a pool thread does it later.
    void releaseReplacedNow();

private:
    QString m_path;
    int m_replacedFd = -1;
    std::unique_ptr<QTemporaryFile> m_file;
    QString m_openError;
};

} // namespace pellomar
