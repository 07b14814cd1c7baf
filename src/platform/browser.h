// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <functional>

namespace pellomar {

// Hands a web address to the desktop's browser without waiting for it. Only http:// and
// https:// addresses are opened; anything else (a "file:" address, text with quotes) is
// refused and false is returned. No command line is ever built from the address.
bool OpenInBrowser(const QString &address);

// Tests: while set, accepted addresses go to `opener` instead of the desktop.
void setBrowserOpener(std::function<void(const QString &)> opener);

} // namespace pellomar
