// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/app_context.h"

#include <QString>
#include <optional>

namespace pellomar {

// The directory server chosen in the window, kept in the settings ("directory/server") for
// every later start; nothing when none is kept, or what is kept is no usable address.
std::optional<ServerAddress> chosenServer();
// Keeps `server` in the settings; returns why it could not be kept, else an empty string.
QString keepChosenServer(const ServerAddress &server);

} // namespace pellomar
