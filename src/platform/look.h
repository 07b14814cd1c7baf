// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QRect>

namespace pellomar {

// Window layouts are designed in twips; 15 twips make one logical pixel. Qt's device-pixel
// ratio takes care of high-density screens.
constexpr int twips(int value)
{
    return value >= 0 ? (value + 7) / 15 : -((-value + 7) / 15);
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

// The designed typeface, at a size in points; Verdana stands for DejaVu Sans where it is
// missing (see installFontSubstitutions()).
QFont verdana(double pointSize, bool bold = false, bool underline = false);

// Registers DejaVu Sans as the stand-in for Verdana, so layouts hold without Verdana.
void installFontSubstitutions();

} // namespace pellomar
