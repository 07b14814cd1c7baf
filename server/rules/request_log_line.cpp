#include "rules/request_log_line.h"

#include <cstdio>

namespace pellomar::directory {

std::string requestLogLine(std::string_view method, std::string_view target, int status,
    std::size_t bytes, double milliseconds)
{
    std::string line(method);
    line += ' ';
    for (char c : target) {
        const auto u = static_cast<unsigned char>(c);
        if (u > 0x20 && u < 0x7F) {
            line += c;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", u);
            line += escaped;
        }
    }
    char tail[64];
    std::snprintf(tail, sizeof tail, " %d %zu %.1fms", status, bytes, milliseconds);
    return line + tail;
}

} // namespace pellomar::directory
