// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reference/text_fields.h"

#include "reference/text_encoding.h"

#include <algorithm>

namespace pellomar {

namespace {

// Shared scan of GetField and GetCommaField on already trimmed text.
std::string_view fieldOf(std::string_view text, int index, char delimiter)
{
    if (index < 1)
        return {};
    int field = 1;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != delimiter)
            continue;
        if (field == index)
            return text.substr(start, i - start);
        ++field;
        start = i + 1;
    }
    return field == index ? text.substr(start) : std::string_view {};
}

// Letters outside ASCII fold as the display reads the text: in UTF-8 text the Latin-1 letters
// (C3 80..C3 9E upper, C3 A0..C3 BE lower), in any other text the Latin-1 bytes C0..DE and
// E0..FE. So "ÅLAND" and "åland" match in either encoding, and a Latin-1 text whose bytes
// happen to look like a UTF-8 lead byte is not damaged.
constexpr bool isLatin1Upper(unsigned char c)
{
    return c >= 0xC0 && c <= 0xDE && c != 0xD7;
}
constexpr bool isLatin1Lower(unsigned char c)
{
    return c >= 0xE0 && c <= 0xFE && c != 0xF7;
}

template<bool Upper> std::string foldCase(std::string_view text)
{
    std::string out(text);
    const bool utf8 = isValidUtf8(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c < 0x80) {
            if (Upper ? (c >= 'a' && c <= 'z') : (c >= 'A' && c <= 'Z'))
                out[i] = static_cast<char>(c ^ 0x20);
        } else if (!utf8) {
            if (Upper ? isLatin1Lower(c) : isLatin1Upper(c))
                out[i] = static_cast<char>(c ^ 0x20);
        } else if (c == 0xC3 && i + 1 < out.size()) {
            // The second byte carries the letter: C3 xx is U+00C0 + (xx - 0x80).
            const auto next = static_cast<unsigned char>(out[i + 1]);
            const auto letter = static_cast<unsigned char>(next + 0x40);
            if (Upper ? isLatin1Lower(letter) : isLatin1Upper(letter))
                out[i + 1] = static_cast<char>(next ^ 0x20);
            ++i;
        }
    }
    return out;
}

} // namespace

std::string_view trim(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string GetField(std::string_view text, int index, std::string_view delimiter)
{
    if (delimiter == ",")
        delimiter = "<";
    const std::string_view body = trim(text);
    const std::string delim = LowerTrim(delimiter);

    std::string_view piece;
    if (delim.size() != 1 || body.find(delim[0]) == std::string_view::npos)
        piece = index == 1 ? body : std::string_view {};
    else
        piece = fieldOf(body, index, delim[0]);

    std::string result;
    result.reserve(piece.size());
    for (char c : piece) {
        if (c != '>')
            result.push_back(c);
    }
    return result;
}

std::string GetCommaField(std::string_view text, int index)
{
    return std::string(fieldOf(trim(text), index, ','));
}

std::string LowerTrim(std::string_view text)
{
    return foldCase<false>(trim(text));
}

std::string upperTrim(std::string_view text)
{
    return foldCase<true>(trim(text));
}

} // namespace pellomar
