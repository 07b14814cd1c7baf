// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shell/server_dialog.h"

#include "platform/message_box.h"
#include "shell/server_choice.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace pellomar {

ServerDialog::ServerDialog(const ServerAddress &inUse, bool fromCommandLine, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmServer"));
    setWindowTitle(tr("Directory server"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *caption = new QLabel(tr("The hotspot &directory to search, HOST or HOST:PORT:"), this);
    m_host = new QLineEdit(inUse.hostHeader(), this);
    m_host->setObjectName(QStringLiteral("txtServer"));
    m_host->setMaxLength(300);
    caption->setBuddy(m_host);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(m_host);
    if (fromCommandLine) {
        auto *note = new QLabel(tr("This run searches %1, named on the command line "
                                   "(--server). The server chosen here is searched "
                                   "from the next start on.")
                                    .arg(inUse.hostHeader()),
            this);
        note->setObjectName(QStringLiteral("lblCommandLine"));
        note->setTextFormat(Qt::PlainText);
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &ServerDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setMinimumWidth(420);
}

void ServerDialog::accept()
{
    const QString text = m_host->text().trimmed();
    const auto server = ServerAddress::parse(text);
    const QString problem = server ? keepChosenServer(*server) : ServerAddress::problemWith(text);
    if (!problem.isEmpty()) {
        MessageBox::show(this, QMessageBox::Critical, tr("Error"), problem);
        return;
    }
    Q_EMIT chosen(*server);
    QDialog::accept();
}

} // namespace pellomar
