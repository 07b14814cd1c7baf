// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The two reference file readers on arbitrary bytes, with a lookup round trip.
#include "reference/reference_table.h"
#include "reference/text_fields.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {
void check(const pellomar::ReferenceFile &file)
{
    if (file.table.rows().size() > file.table.capacity())
        std::abort();
    for (const auto &row : file.table.rows()) {
        // The first row carrying a name and a code answers the lookup, so it can never miss;
        // empty keys match nothing, and a name without a code is not in the list.
        const bool both
            = !pellomar::LowerTrim(row.name).empty() && !pellomar::LowerTrim(row.code).empty();
        if (both && !file.table.codeForName(row.name))
            std::abort();
        if (!pellomar::LowerTrim(row.code).empty() && !file.table.nameForCode(row.code))
            std::abort();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    check(pellomar::parseCountries(bytes));
    check(pellomar::parseLocationTypes(bytes));
    return 0;
}
