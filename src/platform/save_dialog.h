// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class QWidget;

namespace pellomar {

// The Save As dialog, in one place so that tests can answer it instead of a user.
namespace SaveDialog {

struct Request {
    QString filter; // e.g. "Text Files (*.txt)", several separated by ";;"
};

// Asks for a file name to save to; "" when the user cancels. The name comes back exactly as
// chosen: no extension is added, and no overwrite question is asked (callers ask their own).
// `selectedFilter`, when given, receives the filter the user left chosen.
QString getSaveFileName(QWidget *parent, const QString &filter, QString *selectedFilter = nullptr);

// Tests: while set, every request is handed to `answer` instead of showing the dialog; the
// chosen filter is then the first one.
using Responder = std::function<QString(const Request &)>;
void setResponder(Responder answer);

} // namespace SaveDialog

// How saving a file the user chose went: written, or why not ("" when the user said No).
struct SaveOutcome {
    bool saved = false;
    QString error;
};

// Writes `bytes` to `fileName`, a file the user chose: asks before replacing a file that exists,
// writes it whole where the user pointed, then tells the user how it went: `failed` followed by
// the reason, or `saved` in a box titled `savedTitle`.
SaveOutcome saveChosenFile(QWidget *parent, const QString &fileName, const QByteArray &bytes,
    const QString &savedTitle, const QString &saved, const QString &failed = {});

} // namespace pellomar
