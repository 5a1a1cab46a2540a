#include "config/Strings.h"

#include "text/StrPrintf.h"

#include <algorithm>
#include <cstdarg>
#include <iterator>

namespace {

struct StringEntry
{
    int id;
    const char *text;
};

// The string table, sorted by number. Texts are UTF-8 and keep their printf
// conversions exactly as the program formats them.
constexpr StringEntry kStrings[] = {
    {1000, "* Pripájam sa k %s : %d"},
    {1002, "* Si na kanály %s"},
    {1003, "* %s je odteraz %s"},
    {1004, "* Teraz tu je aj %s"},
    {1005, "* Od teraz tu nieje %s"},
    {1006, "* Nový mód %s od %s"},
    {1007, "* %s vykopol %s"},
    {1008, "* %s vykopol %s (%s)"},
    {1009, "PING? PONG!"},
    {1010, "PING? PONG! (%s)"},
    {1011, "* %s koniec"},
    {1012, "* Chyba pri pripájaní (%d)"},
    {1013, "* Téma je %s"},
    {1014, "* %s zvolil novú tému: %s"},
    {1015, " pre %s"},
    {1016, "* Tému zvolil %s %s"},
    {57346, "Konfigurácia ..."},
    {57347, "Vykopnutie užívateľa ..."},
    {57348, "Napíš dôvod prečo ho vykopneš"},
    {57349, "Zvoliť tému ..."},
    {57350, "Napíš novú tému pre kanál ..."},
    {57351, "Uzamknúť kanál na klúč ..."},
    {57352, "Napíšte klúč, ktorým bude kanál uzamknutý.\r\nPoužívajte znaky a-z, 0-9."},
    {57353, "Obmedziť počet užívateľov ..."},
    {57354, "Napíšte na koľkých užívateľov má byť kanál obmedzený."},
    {57355, "Hľadanie kanálov v sieti %s, najdených %d z %d ..."},
    {57356, "Kanál"},
    {57357, "Téma"},
    {57358, "Užívateľov"},
    {57361, "Názov ( Meno )"},
    {57366, "Niektoré zmenené nastavenia v programe sa prejavia až po ďalšom spustení"},
    {57367, "* Príkaz: %s neexistuje"},
    {57368, "* Pre zoznam príkazov zadaj: /help"},
    {57369, "Pomocník"},
    {57370, "* Spojenie prerušené"},
    {57372, "* Pokúšam sa o znovupripojenie"},
    {57373, "Poslať správu ..."},
    {57374, "Napíš správu, ktorú chceš odoslať"},
    {57378, "%s používa adresu %s, a má celé meno %s"},
    {57379, "%s je na kanáloch %s"},
    {57380, "%s používa server %s"},
    {57381, "%s je aktívny %s, a pripojil sa %s"},
    {57382, "%s je neprítomný: %s"},
    {57385, "* Okno obsahovalo viac ako %d Bytov, starý text bol zmazaný"},
    {57386, "* Okno obsahuje príliš veľa textu, bude vyčistené"},
    {57387, "* Nie si operátor kanálu"},
    {57388, "* Prezývka %s sa už používa"},
    {57389, "* Zadaj: /nick nová prezývka"},
    {57390, "* Nie je možné poslať text serveru"},
    {57391, "* Použi príkaz /quote, alebo zadaj /help"},
    {57392, "Klikni a budeš si písať s %s súkromne"},
    {57393, "Klikni a vstúpiš na kanál %s"},
    {57394, "Nový skript"},
    {57395, "Súbory typu Tcl (*.tcl)|*.tcl|Textové Súbory (*.txt)|*.txt|Všetky Súbory (*.*)|*.*||"},
    {57396, "* Skript %s je zavedený"},
    {57397, "* Skript %s je odstránený"},
    {57398, "* Skript %s sa nepodarilo nahrať"},
    {57399, "* Nesprávne použitý príkaz %s , použi: /help"},
    {57400, "%s* %s si chce s tebou súkromne písať %s"},
    {57401, "%s* ak si s ním chceš písať aj ty, klikni sem %s"},
    {57402, "* Pokúšam sa o priame spojenie s %s"},
    {57403, "* Chyba v priamom spojení ( %d )"},
    {57404, "* Priame spojenie je úspešné"},
    {57405, "%s* %s ti posiela súbor %s (%s)%s"},
    {57406, "%s* ak chceš súbor prijať, klikni sem%s"},
    {57407, "* Pokúšam sa o prenos súboru"},
    {57408, "* Prenos súboru je úspešný"},
    {57409, "Od %s Do %s"},
    {57413, "* Priame spojenie s %s je ukončené"},
    {57415, "Ignorovať"},
    {57418, "Od"},
    {57419, "Ako Dlho"},
    {57420, "Hosť ( Adresa )"},
    {57421, "Skript nemá kde bežať\nPripoj sa a skús to znovu"},
    {57422, "Žiadne Skripty ..."},
    {57426, "Všetko"},
    {57427, "Text"},
    {57428, "Súkromný text"},
    {57429, "Priame spojenia"},
    {57430, "Chýba podpora pre skripty"},
    {57431, "Viac sa dočítaš v pomocníkovi, kolonka Skripty"},
    {57436, "Užívateľ / Adresa"},
    {57437, "Zákaz od"},
    {57438, "Od čas"},
    {57439, "Ako dlho"},
    {57441, "Vždy"},
    {57442, "(minút)"},
    {57446, "Žiadosť o súkromné písanie od %s ..."},
    {57447, "Žiadosť o súkromné spojenie od %s ..."},
    {57448, "Užívateľ %s z adresy %s si chce s tebou súkromne písať"},
    {57449, "Užívateľ %s z adresy %s si chce s tebou písať na súkromnej linke"},
    {57450, "Užívateľ %s z adresy %s ti posiela súbor \"%s\", veľkosti %s"},
    {57461, "%s používa klienta %s"},
    {57462, "%s má čas %s"},
    {57463, "Rýchlosť spojenia z %s je %d sekund"},
    {57465, "* Chyba v skripte, riadok %d"},
    {57466, "Vyhľadávanie je náročnejšia operácia a niekedy trvá aj niekoľko minút, počas ktorých nie je možné písať atď ...\r\nNiekedy môže nastať rozpojenie zo serverom.\r\n\r\nPokračovať ?"},
    {57467, "Vyhľadávanie nie je možné zavrieť počas chodu ..."},
    {57468, "K príkazu nie je popis."},
    {57469, "skript"},
    {57470, "Nápoveda a menší pomocník ku IRC príkazom a Brimo aliasom"},
    {57472, "Súbor %s riadok: %d celkom riadkov: %d veľkosť: %d ..."},
    {57479, "Momentálne tu nie som ..."},
    {57484, "%s - Vlastnosti"},
    {57485, "Užívateľ %s sa informoval o tvojej verzii klienta"},
    {57486, "Užívateľ %s sa informoval o tvojej časovej zóne "},
    {57487, "Užívateľ %s sa informoval o rýchlosti spojenia s tebou"},
    {57490, "System Tray"},
    {57491, "Ikona programu v oblasti oznámení a balóny so správami"},
    {57492, "Zobraziť Tray Ikonu"},
    {57493, "Zobrazí ikonu programu v oblasti oznámení vedľa hodín"},
    {57494, "Zobrazovať balón"},
    {57495, "Pri novej správe zobrazí pri ikone balón s jej textom"},
    {57496, "Základné nastavenia"},
    {57497, "Základné správanie programu"},
    {57498, "Oznamovať zvukom"},
    {57499, "Pri novej správe v neaktívnom okne zaznie zvuk"},
    {57500, "Ident Server"},
    {57501, "Odpovedá na dotazy ident, ktoré niektoré IRC servery vyžadujú pri pripájaní"},
    {57502, "Správy"},
    {57503, "Texty, ktoré program posiela pri odchode, príchode a na tvoj pokyn"},
    {57504, "Ukončenie"},
    {57505, "Správa, ktorá sa pošle pri odpojení zo servera"},
    {57507, "Odchod"},
    {57508, "Správa, ktorá sa pošle pri odchode z kanála"},
    {57510, "Príchod"},
    {57511, "Pozdrav, ktorý sa pošle ako akcia pri vstupe na kanál"},
    {57512, "Užívateľská %d"},
    {57513, "Vlastný text, ktorý môžeš rýchlo vložiť do správy"},
    {57514, "Oznámiť zvukom"},
    {57515, "Zvuk, ktorý zaznie pri zobrazení balóna"},
    {57516, "Zvýraznenie"},
    {57517, "Farebne zvýrazní tvoj text, dôležité správy a kontakty"},
    {57518, "Môj text"},
    {57519, "Farba tvojho vlastného textu"},
    {57520, "Dôležité"},
    {57521, "Farba správ, v ktorých sa spomína tvoja prezývka"},
    {57522, "Kontakty"},
    {57523, "Farba prezývok z adresára kontaktov"},
    {57524, "Oddeliť NOTICE"},
    {57525, "Správy NOTICE sa budú zobrazovať v samostatnom okne"},
    {62000, "Pripojiť sa do IRC siete"},
    {62001, "Vstup na kanál alebo manažovanie obľúbených"},
    {62002, "Hľadať kanály v sieti IRC"},
    {62003, "Nastavenia programu Brimo"},
    {62004, "O programe Brimo"},
    {62005, "Bez  popisu ..."},
    {62006, "Zapnúť neprítomnosť pre všetky servery"},
    {62007, "Vypnúť neprítomnosť pre všetky servery"},
    {62008, "Ignorované adresy ..."},
    {62016, "* Automaticky mením tvoju prezývku na %s"},
    {62017, "* Prezývka %s je zakázaná, neplatná alebo obsahuje zakázané znaky"},
    {62018, "* Tvoja prezývka je odteraz %s"},
    {62019, "* Kanál %s bol pridaný k obľúbeným"},
    {62020, "* Server %s bol pridaný k obľúbeným"},
    {62023, "Prezývka"},
    {62024, "Adresa"},
    {62025, "Popis"},
    {62026, "Upozorniť"},
    {62027, "Nie"},
    {62028, "Stále ticho"},
    {62029, "Stále hlučne"},
    {62032, "Status: Operátor Polo-Operátor Moderátor, Prítomný, Neprítomný Kontakt Viac sa dozvieš vo vlastnostich uživateľa"},
    {62034, "Len pri súkromnom a ticho"},
    {62035, "Len pri súkromnom a hlučne"},
};

constexpr bool IsSortedById()
{
    for (size_t i = 1; i < std::size(kStrings); ++i) {
        if (kStrings[i - 1].id >= kStrings[i].id)
            return false;
    }
    return true;
}
static_assert(IsSortedById(), "the string table must stay sorted by number without duplicates");

const StringEntry *FindEntry(int id)
{
    const auto *end = std::end(kStrings);
    const auto *entry = std::lower_bound(std::begin(kStrings), end, id,
                                         [](const StringEntry &e, int wanted) { return e.id < wanted; });
    return entry != end && entry->id == id ? entry : nullptr;
}

} // namespace

const char *Strings::Get(int id)
{
    const StringEntry *entry = FindEntry(id);
    return entry ? entry->text : "";
}

bool Strings::Has(int id)
{
    return FindEntry(id) != nullptr;
}

std::string Strings::Format(int id, ...)
{
    va_list args;
    va_start(args, id);
    std::string text = VStrPrintf(Get(id), args);
    va_end(args);
    return text;
}
