// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace pellomar::directory {

// The whole content of one of the directory's own files (reference tables, dataset, pictures);
// nothing when it cannot be read.
std::optional<std::string> readFileBytes(const std::filesystem::path &path);

} // namespace pellomar::directory
