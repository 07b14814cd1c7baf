// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/save_dialog.h"

#include "platform/file_io.h"
#include "platform/message_box.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace pellomar::SaveDialog {

namespace {
Responder &responder()
{
    static Responder instance;
    return instance;
}
} // namespace

QString getSaveFileName(QWidget *parent, const QString &filter, QString *selectedFilter)
{
    const Request request { filter };
    if (responder()) {
        if (selectedFilter)
            *selectedFilter = filter.section(QStringLiteral(";;"), 0, 0);
        return responder()(request);
    }
    return QFileDialog::getSaveFileName(parent, QString(), QString(), request.filter,
        selectedFilter, QFileDialog::DontConfirmOverwrite);
}

void setResponder(Responder answer)
{
    responder() = std::move(answer);
}

} // namespace pellomar::SaveDialog

namespace pellomar {

SaveOutcome saveChosenFile(QWidget *parent, const QString &fileName, const QByteArray &bytes,
    const QString &savedTitle, const QString &saved, const QString &failed)
{
    SaveOutcome outcome;
    // A folder of that name is no file to replace: the write says why it fails.
    const QFileInfo existing(fileName);
    if (existing.exists() && !existing.isDir()
        && MessageBox::show(parent, QMessageBox::Critical, QString(),
               QCoreApplication::translate(
                   "pellomar::SaveDialog", "File exists... would you like to overwrite?"),
               QMessageBox::Yes | QMessageBox::No)
            != QMessageBox::Yes)
        return outcome;
    outcome.error = writeFileAtomically(fileName, bytes);
    if (!outcome.error.isEmpty()) {
        MessageBox::show(parent, QMessageBox::Critical, QString(), failed + outcome.error);
        return outcome;
    }
    outcome.saved = true;
    MessageBox::show(parent, QMessageBox::Information, savedTitle, saved);
    return outcome;
}

} // namespace pellomar
