// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>
#include <QStringList>
#include <QWidget>

namespace pellomar::test {

// The labels of `window` that show text but would read it as markup.
inline QStringList labelsReadingMarkup(const QWidget *window)
{
    QStringList found;
    for (const QLabel *label : window->findChildren<QLabel *>()) {
        if (!label->text().isEmpty() && label->textFormat() != Qt::PlainText)
            found << label->objectName();
    }
    return found;
}

} // namespace pellomar::test
