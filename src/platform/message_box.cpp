// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/message_box.h"

namespace pellomar::MessageBox {

namespace {
Responder &responder()
{
    static Responder instance;
    return instance;
}
} // namespace

QString applicationTitle()
{
    return QStringLiteral("Pellomar");
}

QMessageBox::StandardButton show(QWidget *parent, QMessageBox::Icon icon, const QString &title,
    const QString &text, QMessageBox::StandardButtons buttons)
{
    const Request request { icon, title.isEmpty() ? applicationTitle() : title, text, buttons };
    if (responder())
        return responder()(request);
    QMessageBox box(request.icon, request.title, request.text, request.buttons, parent);
    // Texts carry file names and server replies: never markup.
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void setResponder(Responder answer)
{
    responder() = std::move(answer);
}

} // namespace pellomar::MessageBox
