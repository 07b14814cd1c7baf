// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "rules/directory_figures.h"
#include "rules/submission.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pellomar {
struct ReferenceRow;
}

namespace pellomar::directory {

// What the home page shows: the directory's figures and the submission form, refilled with
// what the visitor typed when the form comes back with errors.
struct HomePage {
    DirectoryFigures figures;
    const std::vector<ReferenceRow> *countries = nullptr;
    const std::vector<ReferenceRow> *locationTypes = nullptr;
    // Shown when the directory holds imported places; their licence asks for the credit.
    std::optional<DataCredit> credit;
    FormValues values;
    std::vector<std::string> errors;
    // A confirmation shown above the form after a hotspot was added.
    std::string notice;
    // On a replica that only answers searches: a notice in place of the form.
    bool submissionsClosed = false;
};

std::string renderHomePage(const HomePage &page);

// The form submission's address.
constexpr std::string_view SubmitPath = "/submit-hotspot";

} // namespace pellomar::directory
