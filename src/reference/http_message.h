// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <string_view>

// What every exchange with the directory shares, the search and the picture download alike: a
// GET of HTTP/1.0 and the status of its reply.
namespace pellomar {

// UTF-8 bytes in the query's form: RFC 3986 unreserved characters and those in `alsoKept` as
// they are, every other byte (a space included) as "%XX". A "%" in `alsoKept` keeps only an
// escape already made ("%" and two hex digits).
std::string percentEncoded(std::string_view value, std::string_view alsoKept = {});

// The request of one exchange: the request line, the Host line and an empty line, each
// ending in CR LF, nothing else.
std::string requestBytes(std::string_view path, std::string_view hostHeader);

// The code of a status line ("HTTP/1.0 200 OK" gives 200); nothing when it is no HTTP status line.
std::optional<int> statusCode(std::string_view statusLine);

} // namespace pellomar
