// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "search/kept_search.h"

#include <QDialog>
#include <vector>

class QTreeWidget;

namespace pellomar {

class RecentSearches;

// The searches kept for use without the network, newest first: where, what, when and how many
// rows. Open shows one in the list; "Forget all" empties them after a question.
class RecentSearchesDialog : public QDialog {
    Q_OBJECT

public:
    RecentSearchesDialog(const RecentSearches &kept, QWidget *parent);

Q_SIGNALS:
    void opened(const pellomar::KeptSearch &search);

private:
    void fill();
    void openCurrent();
    void forgetAll();

    const RecentSearches &m_kept;
    std::vector<KeptSearch> m_searches;
    QTreeWidget *m_list = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_forget = nullptr;
};

} // namespace pellomar
