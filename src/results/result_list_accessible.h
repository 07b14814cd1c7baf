// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

namespace pellomar {

// Makes the painted result list a table for assistive technology (rows of cells read from
// the list model, in screen order, the framed row selected) and the column headings buttons
// that sort it. Safe to call more than once.
void installResultListAccessibility();

// For the constructors of the list and of the headings: makes sure the widget is seen
// through its own interface, also when assistive technology asked for it while the widget
// was still being built.
void adoptAccessibleInterface(QWidget *widget);

} // namespace pellomar
