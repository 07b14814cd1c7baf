#include "request_log.h"

#include <iostream>

namespace pellomar::directory {

void RequestLog::write(std::string_view line)
{
    std::cerr << line << std::endl;
}

} // namespace pellomar::directory
