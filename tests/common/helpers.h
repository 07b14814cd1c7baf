// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/message_box.h"
#include "reference/reference_table.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <string>
#include <sys/resource.h>

// What the window, file and network tests share: the program's own reference files, message
// boxes answered instead of a user, record builders, and ways to make a disk refuse writes.
namespace pellomar::test {

// The folder the build put the program, the demo directory and the reference files in.
QString binDir();
ReferenceTable shippedCountries();

// Every message box, recorded and answered with `answer` instead of a user, for the object's
// life.
class RecordedBoxes {
public:
    RecordedBoxes();
    ~RecordedBoxes();
    RecordedBoxes(const RecordedBoxes &) = delete;
    RecordedBoxes &operator=(const RecordedBoxes &) = delete;

    QList<MessageBox::Request> boxes;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    // A user reading each box this long: events go on meanwhile, in a loop of their own as
    // under a real box.
    int readingTimeMs = 0;
    // The titles of the boxes so far, in order.
    QStringList titles() const;
};

// A record line of 17 fields joined by "<>": the given ones (field number from 1, text), the
// others empty.
std::string recordOf(std::initializer_list<std::pair<int, std::string>> fields);
// A record that tells its number in every field a row shows.
std::string recordLine(int n);
// `count` records as the search writes them: each followed by a line "-".
std::string resultFileText(int count, int firstNumber = 1);

// Replaces a file's bytes as they are (no temporary file, no scrambling); false on failure.
bool putFile(const QString &path, const QByteArray &bytes);
// A file's bytes; empty when it cannot be read.
QByteArray fileBytes(const QString &path);
// The file stored as the program stores its result file: scrambled.
bool putScrambled(const QString &path, const std::string &plain);

// Every file this process writes is limited to `bytes` while the object lives, as on a full
// disk: writes past the limit fail (SIGXFSZ is ignored meanwhile). The tests run as root,
// which permissions do not stop.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    bool active() const { return m_active; }

private:
    rlimit m_saved {};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

// Files a fault must leave alone (the previous result file, a hotspot saved earlier), with
// their SHA-256 taken when they were kept.
class KeptFiles {
public:
    void keep(const QString &path);
    // "" when every kept file is byte for byte as it was, else the names of those that changed.
    QString changed() const;

private:
    QList<std::pair<QString, QByteArray>> m_files;
};

} // namespace pellomar::test
