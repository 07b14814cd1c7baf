// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rules/search_keys.h"

#include "reference/text_fields.h"
#include "rules/text_keys.h"

namespace pellomar::directory {

SearchKeys keysOf(const KeyedText &text)
{
    return { codeKey(text.countryCode), codeKey(text.locationTypeCode), searchKey(text.city),
        postalKey(text.zip) };
}

SearchKeys keysOf(const Hotspot &hotspot)
{
    return keysOf(
        KeyedText { hotspot.countryCode, hotspot.locationTypeCode, hotspot.city, hotspot.zip });
}

std::string codeKey(std::string_view code)
{
    return upperTrim(code);
}

} // namespace pellomar::directory
