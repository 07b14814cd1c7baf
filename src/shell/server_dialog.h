// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/app_context.h"

#include <QDialog>

class QLineEdit;

namespace pellomar {

// Options > Directory server: the host (and port) of the directory to search, checked as
// --server checks it. `inUse` is the server of this run; `fromCommandLine` when --server named
// it, which then stays for this run.
class ServerDialog : public QDialog {
    Q_OBJECT

public:
    ServerDialog(const ServerAddress &inUse, bool fromCommandLine, QWidget *parent);

Q_SIGNALS:
    // A usable address was given and kept in the settings.
    void chosen(const pellomar::ServerAddress &server);

private:
    void accept() override;

    QLineEdit *m_host = nullptr;
};

} // namespace pellomar
