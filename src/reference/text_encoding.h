// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

// Text from files and replies is read as UTF-8 when it is valid UTF-8, otherwise as Latin-1
// (one character per byte). The rules and the display agree on this, so a name read from a
// file compares equal to the same name typed or picked by the user.
namespace pellomar {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view text);

// Latin-1 bytes as UTF-8; ASCII stays as it is.
std::string latin1ToUtf8(std::string_view text);

// The text as UTF-8: unchanged when it is valid UTF-8, else read as Latin-1.
std::string asUtf8(std::string_view text);

} // namespace pellomar
