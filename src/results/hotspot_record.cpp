// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/hotspot_record.h"

#include "reference/text_fields.h"

namespace pellomar {

std::string HotspotRecord::field(HotspotField which) const
{
    return GetField(m_line, fieldNumber(which), ",");
}

} // namespace pellomar
