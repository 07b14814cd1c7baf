#include "image_request.h"

#include "text_fields.h"

namespace pellomar {

std::optional<std::string> ImagePathOf(std::string_view imageField)
{
    const std::string_view path = Trim(imageField);
    if (path.size() <= 5)
        return std::nullopt;
    return "/" + std::string(path);
}

std::string ImageRequest(std::string_view imageUrl, std::string_view hostHeader)
{
    std::string request = "GET ";
    for (char c : imageUrl) {
        if (c != ',')
            request.push_back(c);
    }
    request += " HTTP/1.0\r\nHost: ";
    request += hostHeader;
    request += "\r\n\r\n";
    return request;
}

std::optional<std::string_view> ImageReplyBody(std::string_view reply)
{
    const auto separator = reply.find("\r\n\r\n");
    if (separator == std::string_view::npos)
        return std::nullopt;
    return reply.substr(separator + 4);
}

} // namespace pellomar
