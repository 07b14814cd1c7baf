// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "details/image_request.h"

#include "reference/http_message.h"
#include "reference/text_fields.h"

namespace pellomar {

std::optional<std::string> imagePathOf(std::string_view imageField)
{
    const std::string_view path = trim(imageField);
    if (path.size() <= 5 || path.size() > MaxImagePathBytes)
        return std::nullopt;
    return "/" + std::string(path);
}

std::string imageRequestPath(std::string_view imagePath)
{
    std::string path(imagePath);
    std::erase(path, ',');
    // What a path and query may hold besides the unreserved characters (RFC 3986 pchar, "/"
    // and "?"), so ordinary paths go out byte for byte.
    return percentEncoded(path, "/?:@!$&'()*+;=%");
}

std::optional<std::string_view> imageReplyBody(std::string_view reply)
{
    const auto separator = reply.find("\r\n\r\n");
    if (separator == std::string_view::npos)
        return std::nullopt;
    // A server's error page may well be a picture of its own; it is not the place's.
    const auto status = statusCode(reply.substr(0, reply.find("\r\n")));
    if (!status || *status < 200 || *status > 299)
        return std::nullopt;
    return reply.substr(separator + 4);
}

} // namespace pellomar
