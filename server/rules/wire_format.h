// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "reference/record_format.h"
#include "rules/hotspot.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pellomar::directory {

// The values of one search reply record, in the order of HotspotField.
constexpr std::size_t RecordFieldCount = HotspotFieldCount;
using RecordFields = std::array<std::string, RecordFieldCount>;

RecordFields recordFields(const Hotspot &hotspot, std::string_view locationTypeName);

// Why a value cannot travel in a reply record: the client cuts fields at "<" and drops ">",
// ends a record at every upper-case "END", and a line break would end the stored line.
enum class UnsafeText { None, AngleBracket, EndMarker, ControlCharacter };
UnsafeText unsafeTextIn(std::string_view value);

// The body of a search reply: each record's fields joined by "<>" and followed by "END".
// CR LF pairs are put in at varying places between and inside records, never inside "<>" or
// "END" nor inside a UTF-8 character, because the client must not depend on where lines break.
std::string encodeRecords(const std::vector<RecordFields> &records);

} // namespace pellomar::directory
