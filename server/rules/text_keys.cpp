// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rules/text_keys.h"

#include "reference/text_fields.h"

#include <algorithm>
#include <memory>
#include <unicode/translit.h>

namespace pellomar::directory {

namespace {

// Nothing when ICU lacks the rules; the text then stays as it is.
std::unique_ptr<icu::Transliterator> transliterator(const char16_t *id)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> made(
        icu::Transliterator::createInstance(icu::UnicodeString(id), UTRANS_FORWARD, status));
    return U_SUCCESS(status) ? std::move(made) : nullptr;
}

icu::UnicodeString transliterated(const icu::Transliterator *rules, std::string_view utf8Text)
{
    auto text = icu::UnicodeString::fromUTF8(
        icu::StringPiece(utf8Text.data(), static_cast<std::int32_t>(utf8Text.size())));
    if (rules)
        rules->transliterate(text);
    return text;
}

} // namespace

std::string searchKey(std::string_view utf8Text)
{
    // Plain ASCII, as most searches are, only needs its letters lower-cased: a transliteration
    // costs about 2 µs, a good part of answering a search whose reply is kept.
    if (std::all_of(utf8Text.begin(), utf8Text.end(),
            [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return LowerTrim(utf8Text);
    // Latin-ASCII drops accents and spells ß, æ, ø, ł, þ and œ in ASCII; limited to Latin
    // letters, so that signs such as × and « stay what they are. Made once: making a
    // transliterator reads ICU's rule data.
    static const auto latinInAscii = transliterator(u"NFC; [:Latin:] Latin-ASCII");
    std::string key;
    return transliterated(latinInAscii.get(), trim(utf8Text)).foldCase().toUTF8String(key);
}

std::string postalKey(std::string_view text)
{
    std::string key = upperTrim(text);
    std::erase(key, ' ');
    return key;
}

std::string asciiSlug(std::string_view utf8Text)
{
    // Letters past U+017F (Vietnamese ộ, Romanian ș) are dropped, not spelled, which keeps the
    // host names of the dataset as they are.
    static const auto latinInAscii
        = transliterator(u"[[:Latin:]&[\\u0000-\\u017F]] Latin-ASCII; Lower");
    std::string spelled;
    transliterated(latinInAscii.get(), utf8Text).toUTF8String(spelled);
    std::erase_if(
        spelled, [](char c) { return !(c >= 'a' && c <= 'z') && !(c >= '0' && c <= '9'); });
    return spelled;
}

} // namespace pellomar::directory
