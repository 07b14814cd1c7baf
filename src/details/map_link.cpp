#include "details/map_link.h"

#include <charconv>

namespace pellomar {

namespace {

struct Coordinate {
    std::string text; // as it goes into the address: no '+', no spaces
    double value = 0;
};

std::string_view trimSpaces(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Optional sign, digits, optional point and digits, at least one digit in all. Stricter than
// from_chars on purpose: "inf", "nan", exponents and hexadecimal are no coordinates, and the
// text is copied into the address as it stands.
std::optional<Coordinate> parseCoordinate(std::string_view text, double limit)
{
    // Far longer than any real coordinate; keeps the address short.
    constexpr std::size_t MaxLength = 24;
    text = trimSpaces(text);
    if (text.empty() || text.size() > MaxLength)
        return std::nullopt;
    std::string_view body = text;
    bool negative = false;
    if (body.front() == '+' || body.front() == '-') {
        negative = body.front() == '-';
        body.remove_prefix(1);
    }
    int digits = 0;
    int points = 0;
    for (const char c : body) {
        if (isDigit(c))
            ++digits;
        else if (c == '.' && ++points == 1)
            continue;
        else
            return std::nullopt;
    }
    if (digits == 0)
        return std::nullopt;

    double magnitude = 0;
    const auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), magnitude);
    if (error != std::errc() || end != body.data() + body.size() || magnitude > limit)
        return std::nullopt;
    Coordinate coordinate;
    coordinate.value = negative ? -magnitude : magnitude;
    coordinate.text = (negative ? "-" : "") + std::string(body);
    return coordinate;
}

} // namespace

std::optional<std::string> MapAddress(std::string_view latitude, std::string_view longitude)
{
    const auto lat = parseCoordinate(latitude, 90);
    const auto lon = parseCoordinate(longitude, 180);
    if (!lat || !lon || (lat->value == 0 && lon->value == 0))
        return std::nullopt;
    return "https://www.openstreetmap.org/?mlat=" + lat->text + "&mlon=" + lon->text + "#map=17/"
        + lat->text + '/' + lon->text;
}

} // namespace pellomar
