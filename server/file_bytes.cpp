// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "file_bytes.h"

#include <fstream>
#include <sstream>

namespace pellomar::directory {

std::optional<std::string> readFileBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in.good() && !in.eof())
        return std::nullopt;
    return bytes.str();
}

} // namespace pellomar::directory
