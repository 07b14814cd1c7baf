// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/click_label.h"

#include <QMouseEvent>

namespace pellomar {

// Links show addresses from the command line and from the server: never markup.
ClickLabel::ClickLabel(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

ClickLabel::ClickLabel(const QString &text, QWidget *parent)
    : ClickLabel(parent)
{
    setText(text);
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    // Like a button: the click counts only when the pointer is released over the label.
    const bool click = m_pressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        Q_EMIT clicked();
}

} // namespace pellomar
