// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace pellomar::directory {

// The form in which city names are compared: spaces around removed, Latin letters spelled
// without their accents, every letter case-folded, so "MÜNCHEN", "münchen" and "Munchen" find
// the same city.
std::string searchKey(std::string_view utf8Text);

// The form in which postal codes are compared: without spaces, upper-cased, so "sw1a1aa" finds
// "SW1A 1AA".
std::string postalKey(std::string_view text);

// The letters and digits of a name in lower-case ASCII, for host names and SSIDs.
std::string asciiSlug(std::string_view utf8Text);

} // namespace pellomar::directory
