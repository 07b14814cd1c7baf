// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/result_layout.h"

#include <algorithm>

namespace pellomar::ResultLayout {

namespace {

int floorDiv(int a, int b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

int ceilDiv(int a, int b)
{
    return -floorDiv(-a, b);
}

} // namespace

int scrollMaximum(int rows)
{
    return std::max(0, floorDiv(canvasHeight(rows) - ScrollReserve, ScrollStep));
}

int scrollValueShowing(int row, int current, int maximum)
{
    const Rect band = selectionRect(row);
    const int top = std::min(band.top, rowTop(row));
    const int bottom = band.top + band.height;
    int value = current;
    if (bottom > value * ScrollStep + Frame.height)
        value = ceilDiv(bottom - Frame.height, ScrollStep);
    if (top < value * ScrollStep)
        value = floorDiv(top, ScrollStep);
    return std::clamp(value, 0, std::max(0, maximum));
}

int navigatedRow(int current, int count, Key key)
{
    if (count <= 0)
        return 0;
    int row = current;
    switch (key) {
    case Key::Up:
        row = current - 1;
        break;
    case Key::Down:
        row = current + 1;
        break;
    case Key::PageUp:
        row = current - RowsPerPage;
        break;
    case Key::PageDown:
        row = current + RowsPerPage;
        break;
    case Key::Home:
        row = 1;
        break;
    case Key::End:
        row = count;
        break;
    }
    return std::clamp(row, 1, count);
}

} // namespace pellomar::ResultLayout
