// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/result_loader.h"

#include "platform/message_box.h"
#include "resultfile/result_file.h"
#include "resultfile/result_format.h"
#include "results/result_list_model.h"

#include <QWidget>

namespace pellomar {

ResultLoader::ResultLoader(ResultListModel &rows, QWidget *list)
    : QObject(list)
    , m_rows(rows)
    , m_list(list)
{
}

LoadSummary ResultLoader::loadFile(const QString &path, LimitMessage message)
{
    return load(path, nullptr, message);
}

LoadSummary ResultLoader::loadFile(const QString &path, std::string_view text, LimitMessage message)
{
    return load(path, &text, message);
}

LoadSummary ResultLoader::load(
    const QString &path, const std::string_view *text, LimitMessage message)
{
    // Only the limit's message box runs events in the middle of a load; a load asked for
    // meanwhile (a search reply arriving) must not pull the list out from under this one.
    if (m_loading) {
        m_reloadPending = true;
        m_reloadMessage = message;
        LoadSummary deferred;
        deferred.deferred = true;
        return deferred;
    }
    m_loading = true;
    LoadSummary summary;
    do {
        m_reloadPending = false;
        summary = loadOnce(path, text);
        if (summary.limitReached && message == LimitMessage::Show) {
            Q_EMIT limitMessageShowing();
            MessageBox::show(m_list->window(), QMessageBox::Information, tr("Max Results"),
                tr("More then 300 hotspots were found that match your query.\r\n\r\n"
                   "Please narrow your search"));
        }
        text = nullptr;
        message = m_reloadMessage;
    } while (m_reloadPending);
    m_loading = false;
    return summary;
}

LoadSummary ResultLoader::loadOnce(const QString &path, const std::string_view *text)
{
    LoadSummary summary;
    ResultFileReader reader(MaxResults);
    if (text) {
        if (reader.feed(*text) == text->size())
            reader.finish();
        summary.bytesRead = qint64(text->size());
    } else {
        ResultFileInput input(path);
        summary.error = input.open();
        if (!summary.error.isEmpty()) {
            summary.rows = m_rows.count();
            return summary;
        }
        while (!reader.full()) {
            const std::string_view piece = input.next();
            if (piece.empty())
                break;
            reader.feed(piece);
        }
        summary.error = input.error();
        // A line cut short by a failed read is no record.
        if (summary.error.isEmpty())
            reader.finish();
        summary.bytesRead = input.bytesRead();
    }
    m_rows.setRecords(reader.takeRecords());
    summary.rows = m_rows.count();
    summary.limitReached = reader.full();
    return summary;
}

} // namespace pellomar
