// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pellomar {

// The directory's reply to a search, reduced to the result file's layout, or why it cannot
// be used.
struct SearchReply {
    std::string body; // one record a line, a line "-" after each record; spaces trimmed
    std::string error; // empty when the reply is usable
    int status = 0; // the HTTP status code, when the status line could be read

    bool ok() const { return error.empty(); }
};

// Checks the status line (HTTP/x.y 2xx), that no transfer coding is announced and, when the
// headers name a Content-Length, that the whole body arrived; then drops the headers, removes every
// CR LF pair, ends each record at its "END" marker with CR LF "-" CR LF and trims spaces. A body
// that is neither records nor one line of plain text (a sign-in page, an empty page) is refused.
SearchReply processReply(std::string_view reply);

// The body without its headers, reduced as processReply does, without any check.
std::string normalisedBody(std::string_view body);

// True when the reduced body is a message for the user rather than records: at least two
// characters (CR LF pairs and surrounding spaces aside) and no "<>" field separator.
bool IsMessageReply(std::string_view body);

} // namespace pellomar
