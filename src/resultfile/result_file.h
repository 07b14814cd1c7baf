// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <string_view>

namespace pellomar {

class PendingReplace;

// Replaces the result file at `path` with the plain `text`, scrambled, in one step; on failure
// the file stays as it was. The file is never on disk in plain text, not even for a moment.
// Returns the reason of a failure, else an empty string.
QString storeResultText(std::string_view text, const QString &path);
QString storeResultText(std::string_view text, PendingReplace &replace);

// Reads the result file as it rests on disk, scrambled, and hands out its plain text piece by
// piece, unscrambled in memory. The file itself is never written: it stays scrambled on disk
// whatever happens to the program while it reads.
class ResultFileInput {
public:
    static constexpr qint64 PieceSize = 64 * 1024;

    explicit ResultFileInput(const QString &path);

    // "" when the file can be read; a missing file reads as empty. Otherwise the reason.
    QString open();
    // The next piece of plain text; empty at the end of the file or after a failed read. A line
    // longer than any record counts as a failed read: the file is damaged, and reading on
    // through it would only fill memory.
    // Valid until the next call.
    std::string_view next();

    // "" unless a read failed after open().
    const QString &error() const { return m_error; }
    qint64 bytesRead() const { return m_bytesRead; }

private:
    QFile m_file;
    QByteArray m_piece;
    QString m_error;
    qint64 m_bytesRead = 0;
    bool m_missing = false;
    qint64 m_openLine = 0; // bytes of the line that the last piece left open
};

} // namespace pellomar
