// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFile>
#include <malloc.h>

namespace pellomar::test {

// Resident memory of this process in KiB, after free heap pages are handed back: what the
// program retains, not what the allocator keeps for later. -1 where it cannot be read.
inline qint64 residentKiB()
{
    malloc_trim(0);
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    // The file reports a size of 0: read it whole rather than line by line up to atEnd().
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

} // namespace pellomar::test
