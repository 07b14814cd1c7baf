#include "rules/text_keys.h"

#include <cstdint>
#include <optional>

namespace pellomar::directory {

namespace {

struct Decoded {
    char32_t codePoint;
    std::size_t length;
};

std::optional<Decoded> decodeAt(std::string_view s, std::size_t i)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80)
        return Decoded { b0, 1 };
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2;
        cp = b0 & 0x1F;
        minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3;
        cp = b0 & 0x0F;
        minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4;
        cp = b0 & 0x07;
        minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (i + length > s.size())
        return std::nullopt;
    for (std::size_t k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return std::nullopt;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return std::nullopt;
    return Decoded { cp, length };
}

void appendUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Base letters of U+00C0..U+00FF; '*' marks the two-letter ones and the signs × and ÷.
constexpr std::string_view Latin1Base = "aaaaaa*ceeeeiiiidnooooo*ouuuuy**"
                                        "aaaaaa*ceeeeiiiidnooooo*ouuuuy*y";
// Base letters of U+0100..U+017F (Latin Extended-A); '*' marks Ĳ ĳ Œ œ.
constexpr std::string_view LatinExtABase
    = "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiii**jjkkk"
      "llllllllllnnnnnnnnnoooooo**rrrrrrsssssssstttttt"
      "uuuuuuuuuuuuwwyyyzzzzzzs";
static_assert(Latin1Base.size() == 64);
static_assert(LatinExtABase.size() == 128);

void appendFolded(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp >= 'A' && cp <= 'Z' ? cp + 32 : cp);
        return;
    }
    char base = 0;
    if (cp >= 0xC0 && cp <= 0xFF)
        base = Latin1Base[cp - 0xC0];
    else if (cp >= 0x100 && cp <= 0x17F)
        base = LatinExtABase[cp - 0x100];
    if (base != 0 && base != '*') {
        out += base;
        return;
    }
    switch (cp) {
    case 0xC6:
    case 0xE6:
        out += "ae";
        return;
    case 0xDE:
    case 0xFE:
        out += "th";
        return;
    case 0xDF:
        out += "ss";
        return;
    case 0x132:
    case 0x133:
        out += "ij";
        return;
    case 0x152:
    case 0x153:
        out += "oe";
        return;
    default:
        appendUtf8(out, cp);
    }
}

std::string_view trimSpaces(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const auto d = decodeAt(bytes, i);
        if (!d)
            return false;
        i += d->length;
    }
    return true;
}

std::string utf8FromRequestBytes(std::string_view bytes)
{
    if (isValidUtf8(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes)
        appendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

std::size_t utf8Length(std::string_view text)
{
    if (!isValidUtf8(text))
        return text.size();
    std::size_t count = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    }
    return count;
}

std::string searchKey(std::string_view utf8Text)
{
    const std::string text = utf8FromRequestBytes(trimSpaces(utf8Text));
    std::string key;
    key.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto d = decodeAt(text, i);
        appendFolded(key, d->codePoint);
        i += d->length;
    }
    return key;
}

std::string postalKey(std::string_view text)
{
    std::string key;
    for (char c : text) {
        if (c == ' ')
            continue;
        key += c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    }
    return key;
}

std::string codeKey(std::string_view text)
{
    std::string key(trimSpaces(text));
    for (char &c : key) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    }
    return key;
}

std::string asciiSlug(std::string_view utf8Text)
{
    std::string slug;
    for (char c : searchKey(utf8Text)) {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            slug += c;
    }
    return slug;
}

} // namespace pellomar::directory
