#include "text_fields.h"

namespace pellomar {

namespace {

// Shared scan of GetField and GetCommaField on already trimmed text.
std::string_view fieldOf(std::string_view text, int index, char delimiter)
{
    if (index < 1)
        return {};
    int field = 1;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != delimiter)
            continue;
        if (field == index)
            return text.substr(start, i - start);
        ++field;
        start = i + 1;
    }
    return field == index ? text.substr(start) : std::string_view {};
}

// Letters are compared case-blind in ASCII and in the Latin-1 range written as UTF-8
// (two bytes, C3 80..C3 9E upper and C3 A0..C3 BE lower), so "ÅLAND" and "åland" match.
template<bool Upper> std::string foldCase(std::string_view text)
{
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        auto c = static_cast<unsigned char>(out[i]);
        if constexpr (Upper) {
            if (c >= 'a' && c <= 'z')
                out[i] = static_cast<char>(c - 32);
        } else {
            if (c >= 'A' && c <= 'Z')
                out[i] = static_cast<char>(c + 32);
        }
        if (c == 0xC3 && i + 1 < out.size()) {
            auto next = static_cast<unsigned char>(out[i + 1]);
            if constexpr (Upper) {
                if (next >= 0xA0 && next <= 0xBE && next != 0xB7)
                    out[i + 1] = static_cast<char>(next - 0x20);
            } else {
                if (next >= 0x80 && next <= 0x9E && next != 0x97)
                    out[i + 1] = static_cast<char>(next + 0x20);
            }
            ++i;
        }
    }
    return out;
}

} // namespace

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string GetField(std::string_view text, int index, std::string_view delimiter)
{
    if (delimiter == ",")
        delimiter = "<";
    const std::string_view body = Trim(text);
    const std::string delim = LowerTrim(delimiter);

    std::string_view piece;
    if (delim.size() != 1 || body.find(delim[0]) == std::string_view::npos)
        piece = index == 1 ? body : std::string_view {};
    else
        piece = fieldOf(body, index, delim[0]);

    std::string result;
    result.reserve(piece.size());
    for (char c : piece) {
        if (c != '>')
            result.push_back(c);
    }
    return result;
}

std::string GetCommaField(std::string_view text, int index)
{
    return std::string(fieldOf(Trim(text), index, ','));
}

std::string LowerTrim(std::string_view text)
{
    return foldCase<false>(Trim(text));
}

std::string UpperTrim(std::string_view text)
{
    return foldCase<true>(Trim(text));
}

} // namespace pellomar
