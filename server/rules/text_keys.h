#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pellomar::directory {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view bytes);

// Query and form values arrive as bytes: UTF-8 from browsers and most clients, but a client
// that sends what a Western Windows code page typed arrives as Latin-1. Valid UTF-8 is kept;
// anything else is read as Latin-1 and converted.
std::string utf8FromRequestBytes(std::string_view bytes);

// Number of characters of valid UTF-8 text (bytes for invalid text).
std::size_t utf8Length(std::string_view text);

// The form in which names are compared: spaces around removed, letters lower-cased and
// Latin accents dropped, so "MÜNCHEN", "münchen" and "Munchen" find the same city.
std::string searchKey(std::string_view utf8Text);

// The form in which postal codes are compared: spaces removed, ASCII letters upper-cased,
// so "sw1a1aa" finds "SW1A 1AA".
std::string postalKey(std::string_view text);

// ASCII letters upper-cased, spaces around removed: how codes are compared.
std::string codeKey(std::string_view text);

// The letters and digits of a name in lower-case ASCII, for host names and SSIDs.
std::string asciiSlug(std::string_view utf8Text);

} // namespace pellomar::directory
