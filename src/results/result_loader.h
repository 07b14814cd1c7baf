// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <string_view>

class QWidget;

namespace pellomar {

class ResultListModel;

// Whether a load that reaches the list's limit says so with the "Max Results" message.
enum class LimitMessage { Show, Quiet };

// How a load of the result file went.
struct LoadSummary {
    int rows = 0; // rows on the list afterwards
    bool limitReached = false; // the file held the most records the list takes, or more
    // A load was already running (its message box open): it reloads once it is done, and its
    // own call reports the outcome. Nothing else of this summary is set.
    bool deferred = false;
    QString error; // "" when the file was read as far as needed
    qint64 bytesRead = 0;
};

// Fills the list from the result file (scrambled on disk, and left so): up to 300 records,
// with the "Max Results" message at the limit.
class ResultLoader : public QObject {
    Q_OBJECT

public:
    // `list` shows the rows and owns the message box.
    ResultLoader(ResultListModel &rows, QWidget *list);

    // A missing file gives an empty list. A file that cannot be opened leaves the list as it
    // was; a read that fails later keeps the records read so far.
    LoadSummary loadFile(const QString &path, LimitMessage message = LimitMessage::Show);
    // The same for a result file just written, from its plain `text` already in memory, so the
    // file is not read back and unscrambled at once. A reload that waited for a running load
    // reads the file at `path`.
    LoadSummary loadFile(
        const QString &path, std::string_view text, LimitMessage message = LimitMessage::Show);

Q_SIGNALS:
    // The "Max Results" message is about to wait for the user, in the middle of a load: the
    // only time a load lets other events run.
    void limitMessageShowing();

private:
    LoadSummary load(const QString &path, const std::string_view *text, LimitMessage message);
    LoadSummary loadOnce(const QString &path, const std::string_view *text);

    ResultListModel &m_rows;
    QWidget *m_list;
    bool m_loading = false;
    bool m_reloadPending = false;
    LimitMessage m_reloadMessage = LimitMessage::Show; // for the reload that waits
};

} // namespace pellomar
