// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "details/hotspot_details.h"

#include <string>

namespace pellomar {

// The text file a user saves from a detail window: 21 labelled lines, each ending in CR LF,
// and one more CR LF at the end. The values are written as received.
std::string savedHotspotText(const HotspotDetails &details);

} // namespace pellomar
