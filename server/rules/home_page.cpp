// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rules/home_page.h"

#include "reference/reference_table.h"
#include "reference/text_fields.h"

namespace pellomar::directory {

namespace {

std::string escapeHtml(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string valueOr(const FormValues &values, std::string_view key, std::string_view fallback)
{
    const auto it = values.find(key);
    return it == values.end() ? std::string(fallback) : it->second;
}

std::string option(std::string_view value, std::string_view text, std::string_view selected)
{
    std::string html = "<option value=\"" + escapeHtml(value) + "\"";
    if (upperTrim(value) == upperTrim(selected))
        html += " selected";
    return html + ">" + escapeHtml(text) + "</option>";
}

std::string label(const FormField &field)
{
    std::string html = "<label for=\"" + std::string(field.key) + "\">" + escapeHtml(field.label);
    if (field.required)
        html += " <span class=\"req\">*</span>";
    return html + "</label>";
}

std::string textInput(const FormField &field, const FormValues &values)
{
    std::string html = "<input type=\"text\" id=\"" + std::string(field.key) + "\" name=\""
        + std::string(field.key) + "\" maxlength=\"" + std::to_string(field.maxLength)
        + "\" value=\"" + escapeHtml(valueOr(values, field.key, "")) + "\"";
    if (field.required)
        html += " required";
    return html + ">";
}

std::string selectInput(const FormField &field, const std::vector<std::string> &options,
    const FormValues &values, std::string_view fallback)
{
    const std::string selected = valueOr(values, field.key, fallback);
    std::string html = "<select id=\"" + std::string(field.key) + "\" name=\""
        + std::string(field.key) + "\"" + (field.required ? " required" : "") + ">";
    if (selected.empty())
        html += "<option value=\"\" selected>Choose...</option>";
    for (std::size_t i = 0; i + 1 < options.size(); i += 2)
        html += option(options[i], options[i + 1], selected);
    return html + "</select>";
}

std::vector<std::string> referenceOptions(const std::vector<ReferenceRow> *rows)
{
    std::vector<std::string> options;
    if (rows == nullptr)
        return options;
    for (const auto &row : *rows) {
        options.push_back(row.code);
        options.push_back(row.name);
    }
    return options;
}

constexpr std::string_view Style = R"(
body { font-family: Verdana, "DejaVu Sans", sans-serif; font-size: 14px; margin: 0;
       background: #f3f5f8; color: #1d2733; }
header { background: #1f4e79; color: #fff; padding: 18px 32px; }
header h1 { margin: 0; font-size: 24px; }
main { max-width: 760px; margin: 0 auto; padding: 16px 32px 40px; }
.figures { font-size: 15px; }
form { background: #fff; border: 1px solid #c8d1dc; padding: 16px 20px; }
.row { display: flex; align-items: center; margin: 6px 0; }
.row label { width: 170px; font-weight: bold; }
.row input, .row select, .row textarea { flex: 1; padding: 4px; font: inherit; }
.req { color: #b00020; }
.errors { background: #fdecee; border: 1px solid #b00020; color: #7a0016; padding: 8px 16px; }
.notice { background: #e8f5e9; border: 1px solid #2e7d32; color: #1b5e20; padding: 8px 16px; }
button { margin-top: 10px; padding: 6px 18px; font: inherit; font-weight: bold; }
code { background: #e6ebf1; padding: 1px 4px; }
)";

} // namespace

std::string renderHomePage(const HomePage &page)
{
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<title>Pellomar hotspot directory</title>\n<style>";
    html += Style;
    html += "</style>\n</head>\n<body>\n<header><h1>Pellomar hotspot directory</h1>"
            "<div>Public Wi-Fi hotspots around the world</div></header>\n<main>\n";
    html += "<p class=\"figures\" id=\"figures\">The directory lists <b>"
        + std::to_string(page.figures.hotspots) + "</b> hotspots in <b>"
        + std::to_string(page.figures.cities) + "</b> cities of <b>"
        + std::to_string(page.figures.countries) + "</b> countries.</p>\n";
    if (page.credit) {
        // The date comes from the extract's file: text from outside like any other.
        html += "<p class=\"credit\" id=\"credit\"><b>" + std::to_string(page.credit->hotspots)
            + "</b> of them come from <a href=\"https://www.openstreetmap.org/copyright\">"
              "OpenStreetMap</a>: &copy; OpenStreetMap contributors, available under the <a "
              "href=\"https://opendatacommons.org/licenses/odbl/\">Open Database License "
              "(ODbL)</a>. Extract of "
            + (page.credit->extractDate.empty()
                    ? std::string("an unknown date")
                    : escapeHtml(page.credit->extractDate.substr(0, 10)))
            + ".</p>\n";
    }
    html += "<p>Search it with the Pellomar program, or ask the directory directly, for "
            "example <a href=\"/browse-app.php?country=GB&amp;city=London&amp;type=1\">"
            "<code>/browse-app.php?country=GB&amp;city=London&amp;type=1</code></a>.</p>\n";

    if (!page.notice.empty())
        html += "<p class=\"notice\" id=\"notice\">" + escapeHtml(page.notice) + "</p>\n";
    if (!page.errors.empty()) {
        html += "<div class=\"errors\" id=\"errors\"><p><b>The hotspot was not added:</b></p><ul>";
        for (const auto &error : page.errors)
            html += "<li>" + escapeHtml(error) + "</li>";
        html += "</ul></div>\n";
    }

    if (page.submissionsClosed) {
        html += "<h2>Submit a hotspot</h2>\n<p class=\"errors\" id=\"closed\">Submissions are "
                "closed on this copy of the directory: it only answers searches. Please submit "
                "hotspots at the directory's main address.</p>\n</main>\n</body>\n</html>\n";
        return html;
    }
    html += "<h2>Submit a hotspot</h2>\n<p>Fields marked <span class=\"req\">*</span> are "
            "required. Values may not contain &lt; or &gt;, nor the capital letters END.</p>\n";
    html += "<form method=\"post\" action=\"" + std::string(SubmitPath)
        + "\" accept-charset=\"UTF-8\" id=\"submit-form\">\n";
    const std::vector<std::string> accessOptions
        = { "1", "free", "2", "free (with registration)", "3", "commercial" };
    const std::vector<std::string> technologyOptions
        = { "1", "802.11b", "2", "802.11b/g", "3", "802.11g" };
    for (const auto &field : submissionFields()) {
        html += "<div class=\"row\">" + label(field);
        if (field.key == "type") {
            html += selectInput(field, accessOptions, page.values, "1");
        } else if (field.key == "technology") {
            html += selectInput(field, technologyOptions, page.values, "2");
        } else if (field.key == "loctype") {
            html += selectInput(field, referenceOptions(page.locationTypes), page.values, "");
        } else if (field.key == "country") {
            html += selectInput(field, referenceOptions(page.countries), page.values, "");
        } else if (field.key == "description") {
            html += "<textarea id=\"description\" name=\"description\" rows=\"3\" maxlength=\""
                + std::to_string(field.maxLength) + "\">"
                + escapeHtml(valueOr(page.values, field.key, "")) + "</textarea>";
        } else {
            html += textInput(field, page.values);
        }
        html += "</div>\n";
    }
    html += "<button type=\"submit\" id=\"submit\">Submit hotspot</button>\n</form>\n"
            "</main>\n</body>\n</html>\n";
    return html;
}

} // namespace pellomar::directory
