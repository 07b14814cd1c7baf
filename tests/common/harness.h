// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/app_context.h"
#include "platform/message_box.h"
#include "reference/reference_table.h"
#include "shell/frm_main.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <sys/resource.h>

class QPushButton;

// What the window, file and network tests share: the program's own reference files, message
// boxes answered instead of a user, the main window over a data folder of its own, record
// builders, and ways to make a disk refuse writes.
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

// The main window as the program opens it, shown, over a temporary data folder of its own,
// with its message boxes recorded.
class MainWindowHarness {
public:
    // `previousResults`: the plain text of a result file already stored, or none. Its time is
    // set to `stored` when that is valid. Waits for the start-up reload.
    explicit MainWindowHarness(const ServerAddress &server,
        const std::string *previousResults = nullptr, const QDateTime &stored = {});
    ~MainWindowHarness();
    // Closes the window and opens it again over the same data folder, as the next start does.
    void reopen();

    frmMain &window() const { return *m_window; }
    const AppContext &context() const { return m_window->context(); }
    QString dataDir() const { return m_dir.path(); }
    RecordedBoxes &boxes() { return m_boxes; }

    // The control of that object name; a warning when there is none.
    template<typename T> T *control(const QString &name) const
    {
        T *found = m_window->findChild<T *>(name);
        if (!found)
            qWarning("no control %s", qPrintable(name));
        return found;
    }
    QString status() const;
    ResultListView *list() const;
    QPushButton *searchButton() const;
    // The search form's five fields, as a user types or picks them.
    void fill(const QString &country, const QString &city = {}, const QString &zip = {},
        const QString &locationType = QStringLiteral("All"),
        const QString &accessType = QStringLiteral("All"));
    // Clicks "Search hotspots!" and waits until the reply is stored or the search failed (or
    // the time-out passed, with a warning). True when it was stored.
    bool search(int timeoutMs = 10000);
    // The result file unscrambled; empty when it cannot be read.
    QByteArray resultText() const;

private:
    RecordedBoxes m_boxes;
    QTemporaryDir m_dir;
    AppContext m_context;
    std::unique_ptr<frmMain> m_window;
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
