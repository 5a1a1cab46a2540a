#include "LogGenerator.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <vector>

#include "history/LogWriter.h"

namespace {

constexpr std::array<std::string_view, 3> kNetworks = {"Libera", "OFTC", "IRCnet"};

constexpr std::string_view kWords[] = {
    "a",          "je",       "to",       "sa",       "na",          "v",          "že",         "som",
    "ale",        "aj",       "tak",      "ja",       "si",          "už",         "ako",        "len",
    "ty",         "no",       "čo",       "by",       "mi",          "ešte",       "teraz",      "tu",
    "ok",         "the",      "is",       "and",      "it",          "ten",        "toho",       "keď",
    "asi",        "máš",      "viem",     "dobre",    "lol",         "hej",        "nie",        "áno",
    "ahoj",       "čau",      "dobrý",    "večer",    "ráno",        "deň",        "zajtra",     "včera",
    "dnes",       "správa",   "sprava",   "server",   "kanál",       "klient",     "verzia",     "chyba",
    "oprava",     "súbor",    "program",  "systém",   "internet",    "sieť",       "počítač",    "disk",
    "pamäť",      "jadro",    "linux",    "debian",   "ubuntu",      "windows",    "kompilácia", "test",
    "testy",      "build",    "release",  "commit",   "vetva",       "merge",      "konflikt",   "patch",
    "kód",        "funkcia",  "trieda",   "premenná", "pivo",        "káva",       "čaj",        "obed",
    "večera",     "víkend",   "práca",    "škola",    "mesto",       "Bratislava", "Košice",     "Žilina",
    "Nitra",      "vlak",     "autobus",  "auto",     "počasie",     "prší",       "sneh",       "zima",
    "leto",       "futbal",   "hokej",    "zápas",    "gól",         "film",       "seriál",     "hudba",
    "koncert",    "kniha",    "hra",      "mačka",    "pes",         "byt",        "dom",        "nákup",
    "obchod",     "peniaze",  "euro",     "cena",     "lacné",       "drahé",      "rýchlo",     "pomaly",
    "ďakujem",    "prosím",   "prepáč",   "super",    "fajn",        "hrozné",     "neviem",     "možno",
    "určite",     "pravda",   "otázka",   "odpoveď",  "problém",     "riešenie",   "nápad",      "plán",
    "stretnutie", "termín",   "hodina",   "minúta",   "týždeň",      "mesiac",     "rok",        "telefón",
    "mobil",      "email",    "heslo",    "účet",     "prihlásenie", "odhlásenie", "nastavenie", "konfigurácia",
    "záznam",     "register", "hľadanie", "výsledok", "okno",        "tlačidlo",   "menu",       "ikona",
    "obrázok",    "farba",    "písmo",    "text",     "riadok",      "stĺpec",     "tabuľka",    "databáza",
    "index",      "dotaz",    "rýchlosť", "výkon",    "benchmark",   "meranie",    "graf",       "čísla",
    "štatistika", "ľudia",    "kamarát",  "kolega",   "šéf",         "firma",      "projekt",    "úloha",
    "chcem",      "musím",    "môžem",    "treba",    "netreba",     "ideme",      "poďme",      "počkaj",
    "pozri",      "vidíš",    "počuješ",  "napíš",    "zavolaj",     "pošli",      "príď",       "odíď",
    "zostaň",     "what",     "why",      "how",      "yes",         "no",         "maybe",      "good",
    "bad",        "thanks",   "please",   "sorry",    "great",       "cool",       "nice",       "bug",
    "fix",        "feature",  "release",  "update",   "upgrade",     "install",    "uninstall",  "package",
    "library",    "version",  "kernel",   "driver",   "network",     "channel",    "nick",
};
constexpr size_t kWordCount = sizeof kWords / sizeof kWords[0];

// A small, fast generator: the same lines on every run.
class Random
{
public:
    uint64_t Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return m_state;
    }
    uint32_t Below(uint32_t limit) { return uint32_t(Next() % limit); }
    // Mostly small numbers, now and then a large one (word ranks).
    uint32_t Skewed(uint32_t limit)
    {
        const double u = double(Next() >> 11) / double(uint64_t(1) << 53);
        return std::min(limit - 1, uint32_t(limit * u * u * u));
    }

private:
    uint64_t m_state = 0x9E3779B97F4A7C15ull;
};

std::string Nick(uint32_t k)
{
    static constexpr std::string_view kStems[] = {"bob",  "ann",   "eve",  "jano",  "zuzka", "peter", "mato", "lucia",
                                                  "dodo", "katka", "miro", "tomas", "vlado", "ivana", "robo", "sona"};
    std::string nick(kStems[k % 16]);
    if (k >= 16)
        nick += std::to_string(k / 16);
    return nick;
}

void AppendTime(std::string &out, int64_t second)
{
    char stamp[16];
    std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d ", int(second / 3600), int(second / 60 % 60), int(second % 60));
    out += stamp;
}

void AppendWords(std::string &out, Random &random)
{
    const uint32_t count = 1 + random.Below(18);
    for (uint32_t k = 0; k < count; ++k) {
        if (k > 0)
            out += ' ';
        out += kWords[random.Skewed(kWordCount)];
        if (random.Below(40) == 0)
            out += random.Below(2) ? "?" : ",";
    }
    if (random.Below(30) == 0)
        out += " https://example.sk/" + std::to_string(random.Below(100000));
}

void AppendLine(std::string &out, Random &random, int64_t second, uint32_t nicks)
{
    AppendTime(out, second);
    const std::string nick = Nick(random.Below(nicks));
    const uint32_t kind = random.Below(100);
    if (kind < 4) {
        out += "-- Teraz tu je aj " + nick;
    } else if (kind < 7) {
        out += "-- Od teraz tu nieje " + nick;
    } else if (kind < 8) {
        out += "-- " + nick + " sa teraz volá " + Nick(random.Below(nicks)) + "_";
    } else if (kind < 12) {
        out += "* " + nick + " ";
        AppendWords(out, random);
    } else {
        out += "<" + nick + "> ";
        if (random.Below(8) == 0)
            out += Nick(random.Below(nicks)) + ": ";
        AppendWords(out, random);
    }
    out += '\n';
}

std::string Day(int k)
{
    char day[16];
    std::snprintf(day, sizeof day, "2026-11-%02d", 1 + k);
    return day;
}

} // namespace

int64_t LogGenerator::Write(const std::string &folder, int64_t lines)
{
    Random random;
    int64_t bytes = 0;
    const int64_t files = int64_t(kWindows) * kDays;
    std::string out;
    for (int window = 0; window < kWindows; ++window) {
        const std::string network(kNetworks[size_t(window % 3)]);
        // Seven in ten are channels with many people, the rest private conversations.
        const bool channel = window % 10 < 7;
        const std::string name = channel ? "#kanal" + std::to_string(window) : Nick(uint32_t(window));
        const uint32_t nicks = channel ? 40 + uint32_t(window) * 3 : 2;
        const std::string windowFolder = folder + "/" + network + "/" + name;
        MakeFoldersOf(windowFolder + "/x");
        for (int day = 0; day < kDays; ++day) {
            const int64_t file = int64_t(window) * kDays + day;
            const int64_t count = lines / files + (file < lines % files ? 1 : 0);
            out.clear();
            for (int64_t k = 0; k < count; ++k)
                AppendLine(out, random, k * 86399 / std::max<int64_t>(1, count), nicks);
            std::FILE *log = std::fopen((windowFolder + "/" + Day(day) + ".log").c_str(), "wb");
            if (!log)
                return -1;
            std::fwrite(out.data(), 1, out.size(), log);
            std::fclose(log);
            bytes += int64_t(out.size());
        }
    }
    return bytes;
}
