#include "dataset/dataset_generator.h"

#include "reference/reference_table.h"
#include "rules/text_keys.h"
#include "rules/wire_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <map>
#include <numbers>
#include <span>
#include <string_view>

namespace pellomar::directory {

namespace {

using Words = std::span<const std::string_view>;

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
    std::string_view pick(Words words)
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

struct LanguageKit {
    std::string_view code;
    Words streets;
    Words streetFormats;
    Words words;
    Words surnames;
    // A sentence in the local language for some descriptions; empty for English.
    Words localSentences;
};

// Street and venue vocabulary per language, so addresses and names look like the country's.
constexpr std::string_view EnStreets[]
    = { "Market", "High", "King", "Queen", "Church", "Park", "Station", "Victoria", "George", "Elm",
          "Oak", "Mill", "Bridge", "Harbour", "Maple", "Lincoln", "Main" };
constexpr std::string_view EnFormats[]
    = { "{n} {s} Street", "{n} {s} Road", "{n} {s} Avenue", "{n} {s} Lane", "{n} {s} Boulevard" };
constexpr std::string_view EnWords[]
    = { "Corner", "Harbour", "Maple", "Lantern", "Copper", "Willow", "Union", "Liberty",
          "Riverside", "Summit", "Beacon", "Meadow", "Blue Door", "Foxglove" };
constexpr std::string_view EnSurnames[] = { "Smith", "Taylor", "Brown", "Walker", "Murphy",
    "O'Brien", "Johnson", "Carter", "Hughes", "Bennett" };

constexpr std::string_view DeStreets[] = { "Goethe", "Schiller", "Bahnhof", "Markt", "Linden",
    "Kirch", "Mühlen", "Königs", "Rosen", "Garten", "Friedrich", "Brunnen" };
constexpr std::string_view DeFormats[]
    = { "{s}straße {n}", "{s}platz {n}", "{s}weg {n}", "{s}allee {n}" };
constexpr std::string_view DeWords[] = { "Grüner Baum", "Löwen", "Sonne", "Brücke", "Alte Post",
    "Stern", "Krone", "Lindenhof", "Mühle", "Schwan", "Bärenhof", "Kastanie" };
constexpr std::string_view DeSurnames[] = { "Müller", "Schmidt", "Schneider", "Fischer", "Weber",
    "Becker", "Schäfer", "Koch", "Krüger", "Hoffmann" };
constexpr std::string_view DeSentences[] = { "Kostenloses WLAN für Gäste, Passwort an der Theke.",
    "Gemütliche Sitzecke mit Steckdosen.", "Im Sommer auch draußen gut zu empfangen." };

constexpr std::string_view FrStreets[]
    = { "de la Paix", "Victor Hugo", "de la République", "du Château", "des Écoles", "Saint-Honoré",
          "de Rivoli", "Émile Zola", "du Général Leclerc", "des Lilas", "Pasteur", "Jean Jaurès" };
constexpr std::string_view FrFormats[]
    = { "{n} rue {s}", "{n} avenue {s}", "{n} boulevard {s}", "{n} place {s}" };
constexpr std::string_view FrWords[] = { "Lumière", "Étoile", "Château", "Belle Époque", "Marché",
    "Soleil", "Rivière", "Forêt", "Jardin", "Côte", "Pêcheurs", "Cœur" };
constexpr std::string_view FrSurnames[] = { "Martin", "Bernard", "Dubois", "Lefèvre", "Moreau",
    "Girard", "Rousseau", "Lemaître", "Fournier", "Mercier" };
constexpr std::string_view FrSentences[] = { "Accès gratuit pour les clients, code à la caisse.",
    "Terrasse couverte, prises électriques à disposition.",
    "Idéal pour travailler au calme le matin." };

constexpr std::string_view EsStreets[]
    = { "Mayor", "del Sol", "de Alcalá", "San Martín", "de la Constitución", "Real", "de Colón",
          "del Carmen", "de la Reina", "Bolívar", "Juárez", "de los Ángeles" };
constexpr std::string_view EsFormats[]
    = { "Calle {s} {n}", "Avenida {s} {n}", "Plaza {s} {n}", "Paseo {s} {n}" };
constexpr std::string_view EsWords[] = { "Sol", "Luna", "Jardín", "Olivo", "Peña", "Mar Azul",
    "Alegría", "Estrella", "Niño", "Rincón", "Pájaro", "Montaña" };
constexpr std::string_view EsSurnames[] = { "García", "Fernández", "López", "Martínez", "Sánchez",
    "Pérez", "Gómez", "Rodríguez", "Díaz", "Muñoz" };
constexpr std::string_view EsSentences[] = { "Wi-Fi gratis para clientes, contraseña en la barra.",
    "Terraza con buena señal y enchufes.", "Abierto también los domingos por la tarde." };

constexpr std::string_view PtStreets[] = { "Augusta", "da Liberdade", "do Comércio", "São Bento",
    "das Flores", "Dom Pedro", "da Conceição", "Paulista", "do Ouvidor", "da Glória" };
constexpr std::string_view PtFormats[]
    = { "Rua {s}, {n}", "Avenida {s}, {n}", "Praça {s}, {n}", "Travessa {s}, {n}" };
constexpr std::string_view PtWords[] = { "Coração", "Saudade", "Açores", "Jardim", "Sol Nascente",
    "Estação", "Limão", "Pão Quente", "Gaivota", "Cais" };
constexpr std::string_view PtSurnames[] = { "Silva", "Santos", "Ferreira", "Pereira", "Oliveira",
    "Costa", "Rodrigues", "Gonçalves", "Araújo", "Magalhães" };
constexpr std::string_view PtSentences[] = { "Wi-Fi grátis para clientes, senha no balcão.",
    "Esplanada com boa cobertura e tomadas.", "Ótimo lugar para trabalhar com calma." };

constexpr std::string_view ItStreets[] = { "Roma", "Garibaldi", "Mazzini", "Dante", "Cavour",
    "Verdi", "XX Settembre", "Vittorio Emanuele", "della Repubblica", "dei Mille" };
constexpr std::string_view ItFormats[]
    = { "Via {s} {n}", "Piazza {s} {n}", "Corso {s} {n}", "Viale {s} {n}" };
constexpr std::string_view ItWords[] = { "Sole", "Luna", "Giardino", "Piazzetta", "Gelato",
    "Fontana", "Campanile", "Caffè", "Oliva", "Stella", "Città" };
constexpr std::string_view ItSurnames[] = { "Rossi", "Russo", "Ferrari", "Esposito", "Bianchi",
    "Romano", "Colombo", "Ricci", "Marino", "Conti" };
constexpr std::string_view ItSentences[] = { "Wi-Fi gratuito per i clienti, password alla cassa.",
    "Tavolini all'aperto con buona copertura.", "Più tranquillo nelle ore del mattino." };

constexpr std::string_view NlStreets[] = { "Keizers", "Heren", "Prinsen", "Kerk", "Molen", "Linden",
    "Bloemen", "Haven", "Markt", "Kastanje" };
constexpr std::string_view NlFormats[]
    = { "{s}straat {n}", "{s}gracht {n}", "{s}plein {n}", "{s}weg {n}" };
constexpr std::string_view NlWords[] = { "Molen", "Tulp", "Gouden Leeuw", "Fiets", "Haven",
    "Zonnebloem", "Kroon", "Ooievaar", "Brug", "Koffiehuis" };
constexpr std::string_view NlSurnames[]
    = { "de Jong", "Jansen", "de Vries", "van den Berg", "Bakker", "Visser", "Smit", "Meijer" };

constexpr std::string_view SvStreets[] = { "Drottning", "Kungs", "Stor", "Hamn", "Skepps",
    "Järnvägs", "Björk", "Sjö", "Kyrk", "Ström" };
constexpr std::string_view SvFormats[] = { "{s}gatan {n}", "{s}vägen {n}", "{s}torget {n}" };
constexpr std::string_view SvWords[]
    = { "Kaffestugan", "Björken", "Fyren", "Ängen", "Sjöboden", "Älgen", "Måsen", "Solsidan" };
constexpr std::string_view SvSurnames[] = { "Andersson", "Johansson", "Karlsson", "Nilsson",
    "Eriksson", "Larsson", "Öberg", "Åkesson" };

constexpr std::string_view DaStreets[]
    = { "Nørre", "Vester", "Øster", "Kongens", "Havne", "Kirke", "Skov", "Strand" };
constexpr std::string_view DaFormats[] = { "{s}gade {n}", "{s}vej {n}", "{s}torv {n}" };
constexpr std::string_view DaWords[]
    = { "Hygge", "Fyrtårnet", "Ålekroen", "Kronen", "Bølgen", "Æblehaven", "Søen" };
constexpr std::string_view DaSurnames[]
    = { "Jensen", "Nielsen", "Hansen", "Pedersen", "Sørensen", "Møller" };

constexpr std::string_view NoStreets[]
    = { "Kongens", "Dronningens", "Torg", "Havne", "Fjord", "Bjørke", "Skole", "Strand" };
constexpr std::string_view NoFormats[] = { "{s}gata {n}", "{s}veien {n}", "{s}gate {n}" };
constexpr std::string_view NoWords[]
    = { "Fjordkafé", "Nordlys", "Bryggen", "Bjørnen", "Måken", "Fyret", "Tårnet" };
constexpr std::string_view NoSurnames[]
    = { "Hansen", "Johansen", "Olsen", "Larsen", "Berg", "Haugen", "Bakken", "Dahl" };

constexpr std::string_view FiStreets[]
    = { "Mannerheimin", "Aleksanterin", "Kauppa", "Satama", "Koulu", "Puisto", "Rauta", "Kirkko" };
constexpr std::string_view FiFormats[] = { "{s}katu {n}", "{s}tie {n}" };
constexpr std::string_view FiWords[]
    = { "Aalto", "Revontuli", "Järvi", "Kuusi", "Lokki", "Sauna", "Mökki" };
constexpr std::string_view FiSurnames[]
    = { "Korhonen", "Virtanen", "Mäkinen", "Nieminen", "Mäkelä", "Hämäläinen" };

constexpr std::string_view PlStreets[] = { "Marszałkowska", "Długa", "Floriańska", "Piotrkowska",
    "Świętojańska", "Mickiewicza", "Kościuszki", "Grodzka", "Szewska", "Żeromskiego" };
constexpr std::string_view PlFormats[] = { "ul. {s} {n}", "al. {s} {n}", "pl. {s} {n}" };
constexpr std::string_view PlWords[]
    = { "Pod Różą", "Żuraw", "Złota Kaczka", "Łąka", "Smok", "Wisła", "Bursztyn", "Pierogarnia" };
constexpr std::string_view PlSurnames[]
    = { "Nowak", "Kowalski", "Wiśniewski", "Wójcik", "Kamiński", "Lewandowski", "Zieliński" };

constexpr std::string_view CsStreets[] = { "Národní", "Václavské náměstí", "Karlova", "Celetná",
    "Nerudova", "Vodičkova", "Masarykova", "Husova" };
constexpr std::string_view CsFormats[] = { "{s} {n}" };
constexpr std::string_view CsWords[]
    = { "U Černého Koně", "Lípa", "Hvězda", "U Mostu", "Zámeček", "Modrá Kočka" };
constexpr std::string_view CsSurnames[]
    = { "Novák", "Svoboda", "Dvořák", "Černý", "Procházka", "Kučera" };

constexpr std::string_view HuStreets[] = { "Andrássy", "Váci", "Kossuth Lajos", "Rákóczi", "Petőfi",
    "Dózsa György", "Szent István", "Bartók Béla" };
constexpr std::string_view HuFormats[] = { "{s} utca {n}", "{s} út {n}", "{s} tér {n}" };
constexpr std::string_view HuWords[]
    = { "Aranyhal", "Napfény", "Kék Duna", "Cukrászda", "Szőlőskert", "Hajó" };
constexpr std::string_view HuSurnames[] = { "Nagy", "Kovács", "Tóth", "Szabó", "Horváth", "Varga" };

constexpr std::string_view TrStreets[]
    = { "İstiklal", "Atatürk", "Cumhuriyet", "Bağdat", "Gazi", "Kızılay", "Barbaros", "Çiçek" };
constexpr std::string_view TrFormats[]
    = { "{s} Caddesi No:{n}", "{s} Sokak No:{n}", "{s} Bulvarı No:{n}" };
constexpr std::string_view TrWords[]
    = { "Çınaraltı", "Güneş", "Lale", "Boğaz", "Deniz", "Şahin", "Kahve Köşesi" };
constexpr std::string_view TrSurnames[] = { "Yılmaz", "Kaya", "Demir", "Şahin", "Çelik", "Öztürk" };

constexpr std::string_view JaStreets[] = { "Marunouchi", "Ginza", "Shibuya", "Shinjuku", "Umeda",
    "Namba", "Sakae", "Tenjin", "Kawaramachi", "Chuo" };
constexpr std::string_view JaFormats[] = { "{m}-{n} {s}" };
constexpr std::string_view JaWords[]
    = { "Sakura", "Midori", "Hikari", "Tsubame", "Momiji", "Kaze", "Hoshi", "Yume" };
constexpr std::string_view JaSurnames[]
    = { "Sato", "Suzuki", "Takahashi", "Tanaka", "Watanabe", "Ito" };

constexpr std::string_view ViStreets[] = { "Lê Lợi", "Trần Hưng Đạo", "Nguyễn Huệ", "Hai Bà Trưng",
    "Lý Thái Tổ", "Đồng Khởi", "Hàng Bài" };
constexpr std::string_view ViFormats[] = { "{n} {s}", "{n} Đường {s}" };
constexpr std::string_view ViWords[]
    = { "Sen", "Phở Ngon", "Cà Phê Sữa", "Hoa Mai", "Bến Thành", "Sông Hồng" };
constexpr std::string_view ViSurnames[] = { "Nguyễn", "Trần", "Lê", "Phạm", "Hoàng" };

constexpr std::string_view IntlStreets[] = { "Central", "Harbour", "Garden", "Station", "Palm",
    "Lotus", "Jade", "Pearl", "Riverside", "Liberty", "Unity", "Cedar" };
constexpr std::string_view IntlFormats[]
    = { "{n} {s} Road", "{n} {s} Avenue", "{n} {s} Street", "{s} Boulevard {n}" };
constexpr std::string_view IntlWords[] = { "Jade", "Lotus", "Pearl", "Orchid", "Cedar", "Oasis",
    "Silk Road", "Amber", "Coral", "Horizon" };
constexpr std::string_view IntlSurnames[]
    = { "Lee", "Chen", "Kim", "Singh", "Patel", "Cohen", "Haddad", "Ivanov", "Novak", "Costa" };

const std::array<LanguageKit, 18> &languageKits()
{
    static const std::array<LanguageKit, 18> kits = { {
        { "en", EnStreets, EnFormats, EnWords, EnSurnames, {} },
        { "de", DeStreets, DeFormats, DeWords, DeSurnames, DeSentences },
        { "fr", FrStreets, FrFormats, FrWords, FrSurnames, FrSentences },
        { "es", EsStreets, EsFormats, EsWords, EsSurnames, EsSentences },
        { "pt", PtStreets, PtFormats, PtWords, PtSurnames, PtSentences },
        { "it", ItStreets, ItFormats, ItWords, ItSurnames, ItSentences },
        { "nl", NlStreets, NlFormats, NlWords, NlSurnames, {} },
        { "sv", SvStreets, SvFormats, SvWords, SvSurnames, {} },
        { "da", DaStreets, DaFormats, DaWords, DaSurnames, {} },
        { "no", NoStreets, NoFormats, NoWords, NoSurnames, {} },
        { "fi", FiStreets, FiFormats, FiWords, FiSurnames, {} },
        { "pl", PlStreets, PlFormats, PlWords, PlSurnames, {} },
        { "cs", CsStreets, CsFormats, CsWords, CsSurnames, {} },
        { "hu", HuStreets, HuFormats, HuWords, HuSurnames, {} },
        { "tr", TrStreets, TrFormats, TrWords, TrSurnames, {} },
        { "ja", JaStreets, JaFormats, JaWords, JaSurnames, {} },
        { "vi", ViStreets, ViFormats, ViWords, ViSurnames, {} },
        { "intl", IntlStreets, IntlFormats, IntlWords, IntlSurnames, {} },
    } };
    return kits;
}

const LanguageKit &kitFor(std::string_view language)
{
    for (const auto &kit : languageKits()) {
        if (kit.code == language)
            return kit;
    }
    return languageKits().back();
}

// Venue names per location type code: {w} a local word, {p} a surname, {c} the city,
// {d} a small number.
const std::map<std::string_view, std::vector<std::string_view>> &venueTemplates()
{
    static const std::map<std::string_view, std::vector<std::string_view>> templates = {
        { "AIR",
            { "{c} International Airport", "{c} Airport Terminal {d}", "Skyline Lounge {c}" } },
        { "BOOK", { "{p} Books", "{w} Bookshop", "The Reading Room {w}" } },
        { "CAFE", { "Café {w}", "{w} Coffee House", "{w} Espresso Bar", "Café {p}" } },
        { "CAMP", { "Camping {w}", "{w} Campground", "{w} Holiday Park" } },
        { "CONV", { "{c} Convention Centre", "{c} Exhibition Hall", "{w} Congress Centre" } },
        { "FAST", { "{w} Burger", "Quick Bite {w}", "{w} Pizza Express" } },
        { "GAS", { "{w} Service Station", "FuelStop {c} {d}", "{w} Fuel Station" } },
        { "HOSP", { "{c} General Hospital", "{p} Medical Centre", "Hospital {w}" } },
        { "HOTEL", { "Hotel {w}", "{w} Suites", "Grand Hotel {c}", "{p} Inn" } },
        { "NETCAFE", { "{w} Internet Café", "NetZone {c} {d}", "Cyber {w}" } },
        { "LIB", { "{c} Central Library", "{p} Public Library", "{w} Library" } },
        { "MARINA", { "{w} Marina", "{c} Yacht Harbour", "Port {w}" } },
        { "MUSEUM", { "{c} Museum of Art", "Museum {w}", "{c} History Museum" } },
        { "PARK", { "{p} Park", "{w} Gardens", "{c} City Park" } },
        { "PUB", { "The {w} Tavern", "{w} Bar", "{p}'s Pub" } },
        { "REST", { "Restaurant {w}", "{p}'s Kitchen", "Bistro {w}", "Trattoria {w}" } },
        { "MALL", { "{w} Shopping Centre", "{c} Mall", "{w} Galleria" } },
        { "STADIUM", { "{c} Stadium", "{w} Arena", "{c} Sports Ground" } },
        { "TRAIN", { "{c} Central Station", "{c} {w} Station", "{w} Railway Station" } },
        { "BUS", { "{c} Bus Terminal", "{w} Coach Station", "{c} Central Bus Station" } },
        { "UNIV", { "University of {c}", "{c} Technical University", "{w} College" } },
        { "COWORK", { "{w} Works", "The {w} Hub", "{w} Coworking" } },
        { "SQUARE", { "{w} Square", "{c} Town Square", "Plaza {w}" } },
        { "FERRY", { "{c} Ferry Terminal", "Pier {d} {c}", "{w} Ferry Port" } },
    };
    return templates;
}

const std::map<std::string_view, std::vector<std::string_view>> &venueSentences()
{
    static const std::map<std::string_view, std::vector<std::string_view>> sentences = {
        { "AIR",
            { "Coverage at all gates and in the lounges.",
                "First 30 minutes free, then a day pass." } },
        { "BOOK", { "Reading corner with sofas and a coffee bar." } },
        { "CAFE",
            { "Wi-Fi for customers; ask for the code at the counter.",
                "Quiet tables upstairs with power sockets." } },
        { "CAMP", { "Signal strongest around the reception building." } },
        { "CONV", { "Coverage in every hall during fairs and congresses." } },
        { "FAST", { "Free access with any purchase." } },
        { "GAS", { "Access in the shop and at the picnic tables." } },
        { "HOSP", { "Guest network for patients and visitors." } },
        { "HOTEL",
            { "Coverage in the lobby, the rooms and the meeting rooms.",
                "Guests receive a code at check-in." } },
        { "NETCAFE", { "Computers and printers for rent by the hour." } },
        { "LIB", { "Bring your library card to log on." } },
        { "MARINA", { "Coverage on all pontoons and in the harbour office." } },
        { "MUSEUM", { "Audio guide available over the network." } },
        { "PARK", { "Access points near the playground and the pond." } },
        { "PUB", { "Live sport on big screens, Wi-Fi at every table." } },
        { "REST", { "Ask the waiter for the network key." } },
        { "MALL", { "Coverage on all floors and in the food court." } },
        { "STADIUM", { "Network can be slow on match days." } },
        { "TRAIN", { "Coverage on the platforms and in the waiting hall." } },
        { "BUS", { "Coverage in the waiting hall and at the bays." } },
        { "UNIV", { "Open guest network besides the campus network." } },
        { "COWORK", { "Day passes include fast fibre and meeting rooms." } },
        { "SQUARE", { "Public city network around the fountain." } },
        { "FERRY", { "Coverage in the terminal and on board some ferries." } },
    };
    return sentences;
}

constexpr std::string_view GeneralSentences[] = {
    "Open daily from 7 am to 11 pm.",
    "Power sockets at most tables.",
    "Signal reaches the terrace too.",
    "Time limit of 2 hours per session.",
    "Best signal near the entrance.",
    "Accessible for wheelchairs.",
    "Opening hours may differ on public holidays.",
    "Staff can help with connecting.",
};

constexpr std::string_view Operators[] = {
    "SkyLink Wireless",
    "OpenAir Networks",
    "CityWave",
    "NetSpot",
    "FreeBeam",
    "Orbit Wi-Fi",
    "WaveRider Telecom",
    "Hotspotter",
    "BlueSky Broadband",
    "Zenith Wireless",
};

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
        if (!isWireSafe(fields[i]) || fields[i].find('\t') != std::string::npos)
            problems.push_back("hotspot " + std::to_string(h.id) + " field " + std::to_string(i + 1)
                + ": " + fields[i]);
    }
}

} // namespace

GeneratedDataset generateDataset(
    const WorldTable &world, const ReferenceTable &countries, const ReferenceTable &locationTypes)
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
        const WorldCountry *country = world.country(city.countryCode);
        const LanguageKit &kit = kitFor(country->language);
        Random random(hashText(city.countryCode + "|" + city.name));
        const std::string citySlug = asciiSlug(city.name);

        for (int k = 0; k < city.hotspots; ++k) {
            Hotspot h;
            h.id = nextId++;
            // The first hotspots of the directory walk through every location type once.
            const auto typeIndex = static_cast<std::size_t>(h.id - 1) < types.size()
                ? static_cast<std::size_t>(h.id - 1)
                : static_cast<std::size_t>(random.below(static_cast<int>(types.size())));
            const auto &type = types[typeIndex];
            h.locationTypeCode = codeKey(type.code);

            const std::map<char, std::string> venue = {
                { 'w', std::string(random.pick(kit.words)) },
                { 'p', std::string(random.pick(kit.surnames)) },
                { 'c', city.name },
                { 'd', std::to_string(1 + random.below(9)) },
            };
            const auto templates = venueTemplates().find(h.locationTypeCode);
            if (templates != venueTemplates().end())
                h.locationName = fill(random.pick(templates->second), venue);
            else
                h.locationName = fill("{w} ", venue) + type.name;
            const std::string venueSlug = asciiSlug(h.locationName);

            const int operatorRoll = random.below(100);
            const bool municipal = operatorRoll < 12;
            if (municipal)
                h.operatorName = city.name + " Free Wi-Fi";
            else if (operatorRoll < 30)
                h.operatorName = h.locationName;
            else
                h.operatorName = random.pick(Operators);
            h.accessType = accessTypeFor(h.locationTypeCode, municipal, random);

            const int webRoll = random.below(100);
            if (webRoll < 40)
                h.websiteUrl = "www." + venueSlug + ".example";
            else if (webRoll < 65)
                h.websiteUrl = "http://www." + venueSlug + ".example/";
            else if (webRoll < 80)
                h.websiteUrl = "http://" + venueSlug + ".example/wifi";
            if (random.percent(85)) {
                // One draw per statement: the order of operands of + is not fixed by the
                // language, and the dataset must not depend on the compiler.
                const std::string area = digits(random, 2 + random.below(2));
                const std::string exchange = digits(random, 3);
                const std::string line = digits(random, 4);
                h.phoneNumber
                    = "+" + country->diallingCode + " " + area + " " + exchange + " " + line;
            }
            const int mailRoll = random.below(100);
            if (mailRoll < 55)
                h.emailAddress = "info@" + venueSlug + ".example";
            else if (mailRoll < 70)
                h.emailAddress = "wifi@" + asciiSlug(h.operatorName) + ".example";

            const std::string_view streetFormat = random.pick(kit.streetFormats);
            h.address = fill(streetFormat,
                { { 's', std::string(random.pick(kit.streets)) },
                    { 'n', std::to_string(1 + random.below(180)) },
                    { 'm', std::to_string(1 + random.below(9)) } });
            if (!city.postalCodes.empty())
                h.zip = city.postalCodes[static_cast<std::size_t>(
                    random.below(static_cast<int>(city.postalCodes.size())))];
            h.city = city.name;
            h.countryCode = city.countryCode;
            // Within about 4 km of the centre, less east-west distance per degree nearer the poles.
            const double spread = 0.035;
            const double latitude = city.latitude + (random.unit() - 0.5) * 2 * spread;
            const double longitude = city.longitude
                + (random.unit() - 0.5) * 2 * spread
                    / std::cos(city.latitude * std::numbers::pi / 180.0);
            h.latitude = formatDegrees(latitude);
            h.longitude = formatDegrees(longitude);
            const int technologyRoll = random.below(10);
            h.technologyCode = technologyRoll < 3 ? 1 : (technologyRoll < 7 ? 2 : 3);

            switch (random.below(5)) {
            case 0:
                h.ssidInfo = "SSID: " + venueSlug.substr(0, 16) + "-guest";
                break;
            case 1:
                h.ssidInfo
                    = "SSID " + asciiSlug(h.operatorName).substr(0, 12) + "_free (open network)";
                break;
            case 2:
                h.ssidInfo = "SSID: " + venueSlug.substr(0, 12) + "; password at the counter";
                break;
            case 3:
                h.ssidInfo = "Network " + asciiSlug(h.operatorName).substr(0, 12) + "-"
                    + std::to_string(1 + random.below(9)) + ", voucher from the staff";
                break;
            default:
                h.ssidInfo = "SSID: Free_WiFi_" + citySlug.substr(0, 12);
            }

            const int descriptionRoll = random.below(100);
            if (descriptionRoll < 8) {
                h.description = "-";
            } else if (descriptionRoll < 14) {
                h.description.clear();
            } else {
                const auto sentences = venueSentences().find(h.locationTypeCode);
                if (sentences != venueSentences().end())
                    h.description = random.pick(sentences->second);
                else
                    h.description = "Wi-Fi for visitors.";
                if (!kit.localSentences.empty() && random.percent(50))
                    h.description = random.pick(kit.localSentences);
                if (random.percent(60)) {
                    h.description += ' ';
                    h.description += random.pick(GeneralSentences);
                }
            }

            if (random.percent(PictureShare)) {
                PictureOrder picture;
                picture.format = random.percent(35) ? PictureFormat::Gif : PictureFormat::Jpeg;
                const auto size
                    = PictureSizes[random.below(static_cast<int>(std::size(PictureSizes)))];
                picture.width = size.width;
                picture.height = size.height;
                picture.seed = random.next();
                picture.path = "images/" + std::to_string(h.id)
                    + (picture.format == PictureFormat::Gif ? ".gif" : ".jpg");
                h.imagePath = picture.path;
                dataset.pictures.push_back(std::move(picture));
            }

            checkValues(h, type.name, dataset.problems);
            dataset.hotspots.push_back(std::move(h));
        }
    }
    return dataset;
}

} // namespace pellomar::directory
