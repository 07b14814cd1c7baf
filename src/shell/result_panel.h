// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QWidget;

namespace pellomar {

class ReferenceTable;
class ResultListView;

// The main window's result panel, placed as designed on the window's client area: its
// heading, the column headings, the filter and the result list.
class ResultPanel : public QObject {
    Q_OBJECT

public:
    // `countries` names the list's country column and must outlive the panel; the panel's
    // controls follow `previous` in the tab order.
    ResultPanel(QWidget *client, const ReferenceTable &countries, QWidget *previous);

    ResultListView *list() const { return m_list; }

Q_SIGNALS:
    // The heading was clicked: it leads to the directory web site.
    void siteClicked();

private:
    ResultListView *m_list = nullptr;
};

} // namespace pellomar
