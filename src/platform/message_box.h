// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

namespace pellomar {

// Modal message boxes, in one place so that tests can answer them instead of a user.
namespace MessageBox {

struct Request {
    QMessageBox::Icon icon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
};

// Shows a modal box and returns the button chosen.
QMessageBox::StandardButton show(QWidget *parent, QMessageBox::Icon icon, const QString &title,
    const QString &text, QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// The application's title, used by boxes that carry no title of their own.
QString applicationTitle();

// Tests: while set, every box is handed to `answer` instead of being shown.
using Responder = std::function<QMessageBox::StandardButton(const Request &)>;
void setResponder(Responder answer);

} // namespace MessageBox

} // namespace pellomar
