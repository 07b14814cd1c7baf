// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QString>

namespace pellomar {

// The About window, shown modally from the main window's menu and made afresh each time.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    // `siteUrl`: the home address of the directory web site of the server in use.
    explicit frmAbout(const QString &siteUrl, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
};

} // namespace pellomar
