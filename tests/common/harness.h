// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "common/helpers.h"
#include "platform/app_context.h"
#include "shell/frm_main.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>

class QPushButton;

namespace pellomar::test {

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

} // namespace pellomar::test
