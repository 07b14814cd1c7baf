// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "rules/hotspot.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pellomar {
class ReferenceTable;
}

namespace pellomar::directory {

// One input of the home page's submission form.
struct FormField {
    std::string_view key;
    std::string_view label;
    std::size_t maxLength;
    bool required;
};

// The form's inputs in the order the page shows them.
const std::vector<FormField> &submissionFields();

using FormValues = std::map<std::string, std::string, std::less<>>;

struct SubmissionCheck {
    // Set when every value is acceptable; its id is left for the store to assign.
    std::optional<Hotspot> hotspot;
    // One sentence per refused value, in form order.
    std::vector<std::string> errors;
};

// Checks a submitted form. Values arrive as request bytes (UTF-8, or Latin-1 from old
// clients); they are stored as UTF-8, trimmed of spaces.
SubmissionCheck checkSubmission(
    const FormValues &form, const ReferenceTable &countries, const ReferenceTable &locationTypes);

} // namespace pellomar::directory
