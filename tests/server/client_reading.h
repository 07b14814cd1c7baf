#pragma once

#include "reference/text_fields.h"

#include <string>
#include <vector>

namespace pellomar::test {

// A search reply body as the client turns it into record lines: every CR LF pair removed,
// every "END" made a line break, lines that are empty or "-" skipped.
inline std::vector<std::string> clientRecordLines(std::string body)
{
    std::string joined;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] == '\r' && i + 1 < body.size() && body[i + 1] == '\n')
            ++i;
        else
            joined += body[i];
    }
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const auto end = joined.find("END", start);
        const std::string line(
            Trim(joined.substr(start, end == std::string::npos ? end : end - start)));
        if (!line.empty() && line != "-")
            lines.push_back(line);
        if (end == std::string::npos)
            return lines;
        start = end + 3;
    }
}

// The 17 fields of a record line, read with the client's own field rule.
inline std::vector<std::string> clientFields(const std::string &line)
{
    std::vector<std::string> fields;
    for (int n = 1; n <= 17; ++n)
        fields.push_back(GetField(line, n, ","));
    return fields;
}

} // namespace pellomar::test
