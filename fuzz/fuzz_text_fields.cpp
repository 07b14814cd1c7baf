// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Field helpers on arbitrary lines: first byte picks the index, second the delimiter.
#include "reference/text_fields.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int index = static_cast<int>(static_cast<std::int8_t>(data[0]));
    static constexpr std::string_view delimiters[] = { ",", "|", " ", "", "<>", "<", ">" };
    const std::string_view delimiter = delimiters[data[1] % std::size(delimiters)];
    const std::string_view text(reinterpret_cast<const char *>(data + 2), size - 2);

    const std::string field = pellomar::GetField(text, index, delimiter);
    if (field.find('>') != std::string::npos || field.size() > text.size())
        std::abort();
    const std::string comma = pellomar::GetCommaField(text, index);
    if (comma.size() > text.size())
        std::abort();
    const std::string lower = pellomar::LowerTrim(text);
    // Folding case never changes the length, and trimming twice changes nothing more.
    if (pellomar::LowerTrim(lower) != lower || pellomar::upperTrim(text).size() != lower.size())
        std::abort();
    return 0;
}
