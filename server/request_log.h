#pragma once

#include <string_view>

namespace pellomar::directory {

// The request log on standard error, one line a request.
class RequestLog {
public:
    void write(std::string_view line);
};

} // namespace pellomar::directory
