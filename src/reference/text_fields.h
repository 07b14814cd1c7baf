// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>

// The field helpers every parser of the program goes through. Text is a byte string, one
// character per byte of the file or reply it came from; "trim" removes spaces (code 32) only.
namespace pellomar {

// Field `index` (1-based) of `text` split at `delimiter`. The delimiter "," stands for the
// record separator "<"; a delimiter that is not one character after trimming never splits.
// Every ">" is removed from the result.
std::string GetField(std::string_view text, int index, std::string_view delimiter);

// Field `index` of a comma-separated line; unlike GetField, ">" is kept.
std::string GetCommaField(std::string_view text, int index);

// Lower-cased, then trimmed: the form in which names and codes are compared.
std::string LowerTrim(std::string_view text);

// Upper-cased, then trimmed: the form in which codes go to the server and names to the list.
std::string upperTrim(std::string_view text);

// Leading and trailing spaces removed; tabs and other white space stay.
std::string_view trim(std::string_view text);

// The number the whole of `text` writes in decimal digits (a sign only where Number has one);
// nothing when the text is empty, holds anything else, or does not fit.
template<typename Number> std::optional<Number> wholeNumber(std::string_view text)
{
    Number value {};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace pellomar
