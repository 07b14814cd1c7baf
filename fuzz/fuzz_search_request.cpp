// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Building the request from whatever the user may type into the five search fields.
#include "reference/http_message.h"
#include "search/search_request.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {
bool allowedInPath(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9')
        || std::string_view("-._~%?&=/").find(c) != std::string_view::npos;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Fields are separated by NUL bytes in the input.
    std::string fields[5];
    std::size_t f = 0;
    for (std::size_t i = 0; i < size && f < 5; ++i) {
        if (data[i] == 0)
            ++f;
        else
            fields[f].push_back(static_cast<char>(data[i]));
    }
    const pellomar::SearchFields form { fields[0], fields[1], fields[2], fields[3], fields[4] };
    const auto lookup = [](std::string_view name) { return std::string(name.substr(0, 3)); };
    const pellomar::SearchRequest request = pellomar::buildRequestPath(form, lookup, lookup);
    // Typed text can never add a parameter or break the request line.
    int equals = 0;
    for (char c : request.path) {
        if (!allowedInPath(c))
            std::abort();
        equals += c == '=';
    }
    if (equals > 5)
        std::abort();
    const std::string bytes = pellomar::requestBytes(request.path, "example.org");
    if (bytes.find("\r\n\r\n") != bytes.size() - 4)
        std::abort();
    (void)pellomar::GetTypeCode(fields[4]);
    return 0;
}
