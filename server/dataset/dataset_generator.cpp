// SPDX-FileCopyrightText: 2026 The Pellomar developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dataset/dataset_generator.h"

#include "reference/reference_table.h"
#include "reference/text_fields.h"
#include "rules/search_keys.h"
#include "rules/text_keys.h"
#include "rules/wire_format.h"

#include <charconv>
#include <cmath>
#include <map>
#include <numbers>
#include <optional>

namespace pellomar::directory {

namespace {

// SplitMix64: small, fast and defined to the bit, so the dataset is the same everywhere (the
// standard library's distributions are not).
class Random {
public:
    explicit Random(std::uint64_t seed)
        : m_state(seed)
    {
    }

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    int below(int bound) { return static_cast<int>(next() % static_cast<std::uint64_t>(bound)); }
    bool percent(int chance) { return below(100) < chance; }
    double unit() { return static_cast<double>(next() >> 11) / 9007199254740992.0; }
    const std::string &pick(std::span<const std::string> words)
    {
        return words[static_cast<std::size_t>(below(static_cast<int>(words.size())))];
    }

private:
    std::uint64_t m_state;
};

std::uint64_t hashText(std::string_view text)
{
    std::uint64_t h = 1469598103934665603ULL;
    for (char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ULL;
    }
    return h;
}

struct PictureSize {
    int width;
    int height;
};
constexpr PictureSize PictureSizes[] = { { 120, 90 }, { 160, 120 }, { 200, 150 }, { 240, 180 },
    { 180, 240 }, { 320, 240 }, { 400, 300 }, { 480, 360 } };
constexpr int PictureShare = 25; // percent of hotspots with a picture

std::string fill(std::string_view pattern, const std::map<char, std::string> &values)
{
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}') {
            if (const auto it = values.find(pattern[i + 1]); it != values.end()) {
                out += it->second;
                i += 2;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

std::string formatDegrees(double value)
{
    char buffer[32];
    const auto [end, ec]
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    return ec == std::errc() ? std::string(buffer, end) : std::string();
}

std::string digits(Random &random, int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += static_cast<char>('0' + random.below(10));
    return out;
}

int accessTypeFor(std::string_view locationType, bool municipal, Random &random)
{
    if (municipal)
        return 1;
    int freeShare = 50;
    int registrationShare = 25;
    if (locationType == "AIR" || locationType == "HOTEL" || locationType == "CONV"
        || locationType == "TRAIN" || locationType == "NETCAFE" || locationType == "COWORK") {
        freeShare = 20;
        registrationShare = 30;
    } else if (locationType == "LIB" || locationType == "PARK" || locationType == "SQUARE"
        || locationType == "MUSEUM" || locationType == "UNIV") {
        freeShare = 65;
        registrationShare = 27;
    }
    const int roll = random.below(100);
    if (roll < freeShare)
        return 1;
    return roll < freeShare + registrationShare ? 2 : 3;
}

void checkValues(const Hotspot &h, const std::string &typeName, std::vector<std::string> &problems)
{
    const auto fields = recordFields(h, typeName);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (unsafeTextIn(fields[i]) != UnsafeText::None
            || fields[i].find('\t') != std::string::npos)
            problems.push_back("hotspot " + std::to_string(h.id) + " field " + std::to_string(i + 1)
                + ": " + fields[i]);
    }
}

// The hotspots of one city, each drawn in turn from the city's own random numbers: the draws
// follow one another in a fixed order, so every step below keeps its place.
class CityHotspots {
public:
    CityHotspots(const WordLists &words, const WorldCountry &country, const WorldCity &city)
        : m_words(words)
        , m_country(country)
        , m_city(city)
        , m_language(words.list(country.language, "streets").empty() ? "intl" : country.language)
        , m_citySlug(asciiSlug(city.name))
        , m_random(hashText(city.countryCode + "|" + city.name))
    {
    }

    // The name of a list every hotspot draws from that is missing or empty; nothing when all are
    // there.
    std::optional<std::string> missingList() const
    {
        for (const char *list : { "streets", "street formats", "words", "surnames" }) {
            if (local(list).empty())
                return m_language + " " + list;
        }
        for (const char *list : { "operators", "sentences" }) {
            if (m_words.list("everywhere", list).empty())
                return std::string("everywhere ") + list;
        }
        return std::nullopt;
    }

    Hotspot make(std::int64_t id, std::span<const ReferenceRow> types, GeneratedDataset &dataset)
    {
        Hotspot h;
        h.id = id;
        // The first hotspots of the directory walk through every location type once.
        const std::size_t typeIndex = static_cast<std::size_t>(id - 1) < types.size()
            ? static_cast<std::size_t>(id - 1)
            : static_cast<std::size_t>(m_random.below(static_cast<int>(types.size())));
        const ReferenceRow &type = types[typeIndex];
        h.locationTypeCode = codeKey(type.code);
        nameVenue(h, type.name);
        const std::string venueSlug = asciiSlug(h.locationName);
        chooseOperator(h);
        addContacts(h, venueSlug);
        placeInCity(h);
        const int technologyRoll = m_random.below(10);
        h.technologyCode = technologyRoll < 3 ? 1 : (technologyRoll < 7 ? 2 : 3);
        describeNetwork(h, venueSlug);
        describe(h);
        if (m_random.percent(PictureShare))
            dataset.pictures.push_back(orderPicture(h));
        checkValues(h, type.name, dataset.problems);
        return h;
    }

private:
    std::span<const std::string> local(const std::string &list) const
    {
        return m_words.list(m_language, list);
    }

    void nameVenue(Hotspot &h, const std::string &typeName)
    {
        const std::map<char, std::string> venue = {
            { 'w', m_random.pick(local("words")) },
            { 'p', m_random.pick(local("surnames")) },
            { 'c', m_city.name },
            { 'd', std::to_string(1 + m_random.below(9)) },
        };
        const auto names = m_words.list(h.locationTypeCode, "names");
        h.locationName
            = names.empty() ? fill("{w} ", venue) + typeName : fill(m_random.pick(names), venue);
    }

    void chooseOperator(Hotspot &h)
    {
        const int operatorRoll = m_random.below(100);
        const bool municipal = operatorRoll < 12;
        if (municipal)
            h.operatorName = m_city.name + " Free Wi-Fi";
        else if (operatorRoll < 30)
            h.operatorName = h.locationName;
        else
            h.operatorName = m_random.pick(m_words.list("everywhere", "operators"));
        h.accessType = accessTypeFor(h.locationTypeCode, municipal, m_random);
    }

    void addContacts(Hotspot &h, const std::string &venueSlug)
    {
        const int webRoll = m_random.below(100);
        if (webRoll < 40)
            h.websiteUrl = "www." + venueSlug + ".example";
        else if (webRoll < 65)
            h.websiteUrl = "http://www." + venueSlug + ".example/";
        else if (webRoll < 80)
            h.websiteUrl = "http://" + venueSlug + ".example/wifi";
        if (m_random.percent(85)) {
            // One draw per statement: the order of operands of + is not fixed by the language,
            // and the dataset must not depend on the compiler.
            const std::string area = digits(m_random, 2 + m_random.below(2));
            const std::string exchange = digits(m_random, 3);
            const std::string line = digits(m_random, 4);
            h.phoneNumber = "+" + m_country.diallingCode + " " + area + " " + exchange + " " + line;
        }
        const int mailRoll = m_random.below(100);
        if (mailRoll < 55)
            h.emailAddress = "info@" + venueSlug + ".example";
        else if (mailRoll < 70)
            h.emailAddress = "wifi@" + asciiSlug(h.operatorName) + ".example";
    }

    void placeInCity(Hotspot &h)
    {
        const std::string &streetFormat = m_random.pick(local("street formats"));
        h.address = fill(streetFormat,
            { { 's', m_random.pick(local("streets")) },
                { 'n', std::to_string(1 + m_random.below(180)) },
                { 'm', std::to_string(1 + m_random.below(9)) } });
        const auto &postalCodes = m_city.postalCodes;
        if (!postalCodes.empty())
            h.zip = postalCodes[static_cast<std::size_t>(
                m_random.below(static_cast<int>(postalCodes.size())))];
        h.city = m_city.name;
        h.countryCode = m_city.countryCode;
        // Within about 4 km of the centre, less east-west distance per degree nearer the poles.
        const double spread = 0.035;
        const double latitude = m_city.latitude + (m_random.unit() - 0.5) * 2 * spread;
        const double longitude = m_city.longitude
            + (m_random.unit() - 0.5) * 2 * spread
                / std::cos(m_city.latitude * std::numbers::pi / 180.0);
        h.latitude = formatDegrees(latitude);
        h.longitude = formatDegrees(longitude);
    }

    void describeNetwork(Hotspot &h, const std::string &venueSlug)
    {
        const std::string operatorSlug = asciiSlug(h.operatorName).substr(0, 12);
        switch (m_random.below(5)) {
        case 0:
            h.ssidInfo = "SSID: " + venueSlug.substr(0, 16) + "-guest";
            break;
        case 1:
            h.ssidInfo = "SSID " + operatorSlug + "_free (open network)";
            break;
        case 2:
            h.ssidInfo = "SSID: " + venueSlug.substr(0, 12) + "; password at the counter";
            break;
        case 3:
            h.ssidInfo = "Network " + operatorSlug + "-" + std::to_string(1 + m_random.below(9))
                + ", voucher from the staff";
            break;
        default:
            h.ssidInfo = "SSID: Free_WiFi_" + m_citySlug.substr(0, 12);
        }
    }

    void describe(Hotspot &h)
    {
        const int descriptionRoll = m_random.below(100);
        if (descriptionRoll < 8) {
            h.description = "-";
            return;
        }
        if (descriptionRoll < 14)
            return;
        const auto sentences = m_words.list(h.locationTypeCode, "sentences");
        h.description = sentences.empty() ? "Wi-Fi for visitors." : m_random.pick(sentences);
        if (!local("sentences").empty() && m_random.percent(50))
            h.description = m_random.pick(local("sentences"));
        if (m_random.percent(60))
            h.description += ' ' + m_random.pick(m_words.list("everywhere", "sentences"));
    }

    PictureOrder orderPicture(Hotspot &h)
    {
        PictureOrder picture;
        picture.format = m_random.percent(35) ? PictureFormat::Gif : PictureFormat::Jpeg;
        const auto size = PictureSizes[m_random.below(static_cast<int>(std::size(PictureSizes)))];
        picture.width = size.width;
        picture.height = size.height;
        picture.seed = m_random.next();
        picture.path = "images/" + std::to_string(h.id)
            + (picture.format == PictureFormat::Gif ? ".gif" : ".jpg");
        h.imagePath = picture.path;
        return picture;
    }

    const WordLists &m_words;
    const WorldCountry &m_country;
    const WorldCity &m_city;
    const std::string m_language;
    const std::string m_citySlug;
    Random m_random;
};

} // namespace

GeneratedDataset generateDataset(const WorldTable &world, const WordLists &words,
    const ReferenceTable &countries, const ReferenceTable &locationTypes)
{
    GeneratedDataset dataset;
    const auto &types = locationTypes.rows();
    if (types.empty()) {
        dataset.problems.push_back("no location types");
        return dataset;
    }
    std::int64_t nextId = 1;
    for (const auto &city : world.cities) {
        if (!countries.nameForCode(city.countryCode))
            dataset.problems.push_back("unknown country code " + city.countryCode);
        CityHotspots hotspots(words, *world.country(city.countryCode), city);
        if (const auto missing = hotspots.missingList()) {
            dataset.problems.push_back("no list " + *missing + " in the words");
            return dataset;
        }
        for (int k = 0; k < city.hotspots; ++k)
            dataset.hotspots.push_back(hotspots.make(nextId++, types, dataset));
    }
    return dataset;
}

} // namespace pellomar::directory
