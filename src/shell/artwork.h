// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

// The program's pictures, drawn by code so that no image file has to ship with it.
namespace pellomar {

// The logo of the main window's search panel (177 x 89 logical pixels).
QPixmap logoPixmap();

// A banner of any size: the message panel and the About window use it.
QPixmap bannerPixmap(QSize size);

// The window icon, in the sizes desktops ask for.
QIcon programIcon();

} // namespace pellomar
