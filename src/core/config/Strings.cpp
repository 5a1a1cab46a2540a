#include "config/Strings.h"

#include "text/StrPrintf.h"

#include <algorithm>
#include <cstdarg>
#include <iterator>

namespace {

using Entry = Strings::Entry;

// The string table, sorted by number. Texts are UTF-8 and keep their printf
// conversions exactly as the program formats them. A text the code uses is
// entered under its name, so that the table knows its conversions.
constexpr Entry kStrings[] = {
    {Str::ConnectingTo, "* Pripájam sa k %s : %d"},
    {Str::YouJoined, "* Si na kanály %s"},
    {Str::NickChanged, "* %s je odteraz %s"},
    {Str::UserJoined, "* Teraz tu je aj %s"},
    {Str::UserLeft, "* Od teraz tu nieje %s"},
    {Str::ModeChanged, "* Nový mód %s od %s"},
    {Str::UserKicked, "* %s vykopol %s"},
    {Str::UserKickedWithReason, "* %s vykopol %s (%s)"},
    {Str::PingPong, "PING? PONG!"},
    {Str::PingPongFrom, "PING? PONG! (%s)"},
    {Str::UserQuit, "* %s koniec"},
    {1012, "* Chyba pri pripájaní (%d)"},
    {Str::TopicIs, "* Téma je %s"},
    {Str::TopicChanged, "* %s zvolil novú tému: %s"},
    {Str::ModeParameters, " pre %s"},
    {Str::TopicSetBy, "* Tému zvolil %s %s"},
    {57346, "Konfigurácia ..."},
    {Str::KickTitle, "Vykopnutie užívateľa ..."},
    {Str::KickPrompt, "Napíš dôvod prečo ho vykopneš"},
    {Str::TopicTitle, "Zvoliť tému ..."},
    {Str::TopicPrompt, "Napíš novú tému pre kanál ..."},
    {Str::KeyTitle, "Uzamknúť kanál na klúč ..."},
    {Str::KeyPrompt, "Napíšte klúč, ktorým bude kanál uzamknutý.\r\nPoužívajte znaky a-z, 0-9."},
    {Str::LimitTitle, "Obmedziť počet užívateľov ..."},
    {Str::LimitPrompt, "Napíšte na koľkých užívateľov má byť kanál obmedzený."},
    {Str::SearchProgress, "Hľadanie kanálov v sieti %s, najdených %d z %d ..."},
    {Str::SearchChannelColumn, "Kanál"},
    {Str::SearchTopicColumn, "Téma"},
    {Str::SearchUsersColumn, "Užívateľov"},
    {57361, "Názov ( Meno )"},
    {57366, "Niektoré zmenené nastavenia v programe sa prejavia až po ďalšom spustení"},
    {Str::UnknownCommand, "* Príkaz: %s neexistuje"},
    {Str::HelpCommandHint, "* Pre zoznam príkazov zadaj: /help"},
    {Str::HelpTitle, "Pomocník"},
    {Str::ConnectionLost, "* Spojenie prerušené"},
    {Str::Reconnecting, "* Pokúšam sa o znovupripojenie"},
    {57373, "Poslať správu ..."},
    {57374, "Napíš správu, ktorú chceš odoslať"},
    {Str::WhoisAddress, "%s používa adresu %s, a má celé meno %s"},
    {Str::WhoisChannels, "%s je na kanáloch %s"},
    {Str::WhoisServer, "%s používa server %s"},
    {Str::WhoisIdle, "%s je aktívny %s, a pripojil sa %s"},
    {Str::WhoisAway, "%s je neprítomný: %s"},
    {Str::WindowTextCleared, "* Okno obsahovalo viac ako %d Bytov, starý text bol zmazaný"},
    {Str::WindowTextTooLong, "* Okno obsahuje príliš veľa textu, bude vyčistené"},
    {Str::NotChannelOperator, "* Nie si operátor kanálu"},
    {Str::NickInUse, "* Prezývka %s sa už používa"},
    {Str::NickCommandHint, "* Zadaj: /nick nová prezývka"},
    {Str::NoTextToServer, "* Nie je možné poslať text serveru"},
    {Str::QuoteCommandHint, "* Použi príkaz /quote, alebo zadaj /help"},
    {Str::ClickToQuery, "Klikni a budeš si písať s %s súkromne"},
    {Str::ClickToJoin, "Klikni a vstúpiš na kanál %s"},
    {57394, "Nový skript"},
    {Str::ScriptFileFilter, "Súbory typu Tcl (*.tcl)|*.tcl|Textové Súbory (*.txt)|*.txt|Všetky Súbory (*.*)|*.*||"},
    {57396, "* Skript %s je zavedený"},
    {57397, "* Skript %s je odstránený"},
    {57398, "* Skript %s sa nepodarilo nahrať"},
    {Str::CommandMisused, "* Nesprávne použitý príkaz %s , použi: /help"},
    {Str::DccChatOffer, "%s* %s si chce s tebou súkromne písať %s"},
    {Str::DccChatAcceptLink, "%s* ak si s ním chceš písať aj ty, klikni sem %s"},
    {57402, "* Pokúšam sa o priame spojenie s %s"},
    {57403, "* Chyba v priamom spojení ( %d )"},
    {57404, "* Priame spojenie je úspešné"},
    {Str::DccFileOffer, "%s* %s ti posiela súbor %s (%s)%s"},
    {Str::DccFileAcceptLink, "%s* ak chceš súbor prijať, klikni sem%s"},
    {57407, "* Pokúšam sa o prenos súboru"},
    {57408, "* Prenos súboru je úspešný"},
    {57409, "Od %s Do %s"},
    {57413, "* Priame spojenie s %s je ukončené"},
    {57415, "Ignorovať"},
    {57418, "Od"},
    {57419, "Ako Dlho"},
    {57420, "Hosť ( Adresa )"},
    {57421, "Skript nemá kde bežať\nPripoj sa a skús to znovu"},
    {Str::NoScripts, "Žiadne Skripty ..."},
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
    {Str::PrivateChatRequestCaption, "Žiadosť o súkromné písanie od %s ..."},
    {Str::DccChatRequestCaption, "Žiadosť o súkromné spojenie od %s ..."},
    {Str::PrivateChatRequest, "Užívateľ %s z adresy %s si chce s tebou súkromne písať"},
    {Str::DccChatRequest, "Užívateľ %s z adresy %s si chce s tebou písať na súkromnej linke"},
    {Str::DccFileRequest, "Užívateľ %s z adresy %s ti posiela súbor \"%s\", veľkosti %s"},
    {Str::VersionReply, "%s používa klienta %s"},
    {Str::TimeReply, "%s má čas %s"},
    {Str::PingReply, "Rýchlosť spojenia z %s je %d sekund"},
    {57465, "* Chyba v skripte, riadok %d"},
    {Str::SearchWarning,
     "Vyhľadávanie je náročnejšia operácia a niekedy trvá aj niekoľko minút, počas ktorých nie je možné písať atď "
     "...\r\nNiekedy môže nastať rozpojenie zo serverom.\r\n\r\nPokračovať ?"},
    {57467, "Vyhľadávanie nie je možné zavrieť počas chodu ..."},
    {Str::NoCommandDescription, "K príkazu nie je popis."},
    {Str::ScriptMark, "skript"},
    {Str::CommandListHelp, "Nápoveda a menší pomocník ku IRC príkazom a Brimo aliasom"},
    {57472, "Súbor %s riadok: %d celkom riadkov: %d veľkosť: %d ..."},
    {Str::DefaultAwayMessage, "Momentálne tu nie som ..."},
    {Str::PropertiesCaption, "%s - Vlastnosti"},
    {Str::AskedVersion, "Užívateľ %s sa informoval o tvojej verzii klienta"},
    {Str::AskedTime, "Užívateľ %s sa informoval o tvojej časovej zóne "},
    {Str::AskedPing, "Užívateľ %s sa informoval o rýchlosti spojenia s tebou"},
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
    {Str::ConnectTip, "Pripojiť sa do IRC siete"},
    {Str::FavouritesTip, "Vstup na kanál alebo manažovanie obľúbených"},
    {Str::ChannelSearchTip, "Hľadať kanály v sieti IRC"},
    {Str::SettingsTip, "Nastavenia programu Brimo"},
    {Str::AboutTip, "O programe Brimo"},
    {Str::NoDescriptionTip, "Bez  popisu ..."},
    {Str::AwayOnTip, "Zapnúť neprítomnosť pre všetky servery"},
    {Str::AwayOffTip, "Vypnúť neprítomnosť pre všetky servery"},
    {Str::IgnoreListTip, "Ignorované adresy ..."},
    {Str::NickChangedAutomatically, "* Automaticky mením tvoju prezývku na %s"},
    {Str::NickRejected, "* Prezývka %s je zakázaná, neplatná alebo obsahuje zakázané znaky"},
    {Str::YourNickChanged, "* Tvoja prezývka je odteraz %s"},
    {Str::ChannelAddedToFavourites, "* Kanál %s bol pridaný k obľúbeným"},
    {Str::ServerAddedToFavourites, "* Server %s bol pridaný k obľúbeným"},
    {62023, "Prezývka"},
    {62024, "Adresa"},
    {62025, "Popis"},
    {62026, "Upozorniť"},
    {62027, "Nie"},
    {62028, "Stále ticho"},
    {62029, "Stále hlučne"},
    {Str::NickStatusWords,
     "Status: Operátor Polo-Operátor Moderátor, Prítomný, Neprítomný Kontakt Viac sa dozvieš vo vlastnostich "
     "uživateľa"},
    {62034, "Len pri súkromnom a ticho"},
    {62035, "Len pri súkromnom a hlučne"},
    {Str::SecureConnection, "* Zabezpečené spojenie: %s, %s"},
    {Str::CertificateCaption, "Certifikát servera %s"},
    {Str::CertificateQuestion,
     "Certifikát servera %s sa nedá overiť:\n%s\n\nOdtlačok SHA-256:\n%s\n\nOdmietnuť ho, prijať ho raz, "
     "alebo ho prijať vždy?"},
    {Str::CertificateNotVerified, "* Certifikát servera %s sa nedá overiť (%s), čakám na tvoje rozhodnutie"},
    {Str::CertificateRefused, "* Certifikát servera %s bol odmietnutý, nepripájam sa"},
    {Str::ClientCertificateUnreadable, "* Klientsky certifikát %s sa nedá načítať"},
    {Str::CapabilitiesAgreed, "* Rozšírenia servera: %s"},
    {Str::SaslStarting, "* Prihlasujem sa k účtu %s (SASL %s)"},
    {Str::SaslLoggedIn, "* Si prihlásený k účtu %s"},
    {Str::SaslSucceeded, "* Prihlásenie SASL sa podarilo"},
    {Str::SaslFailed, "* Prihlásenie SASL zlyhalo (%d): %s"},
    {Str::SaslMechanisms, "* Server pozná tieto spôsoby prihlásenia SASL: %s"},
    {Str::SaslRequiredStop, "* Prihlásenie SASL je povinné a nepodarilo sa, odpájam sa a nepripájam sa znova"},
    {Str::SaslNotOffered, "* Server neponúka prihlásenie SASL %s"},
    {Str::SaslUnexpected, "* Server poslal nečakanú výzvu prihlásenia SASL, prihlásenie prerušené"},
    {Str::SaslLoggedOut, "* Už nie si prihlásený k účtu"},
    {Str::RefusedForGood, "* Server nás odmietol, znova sa sám nepripájam (/reconnect to skúsi hneď)"},
};

constexpr bool IsSortedById()
{
    for (size_t i = 1; i < std::size(kStrings); ++i) {
        if (kStrings[i - 1].number >= kStrings[i].number)
            return false;
    }
    return true;
}
static_assert(IsSortedById(), "the string table must stay sorted by number without duplicates");

const Entry *FindEntry(int number)
{
    const auto *end = std::end(kStrings);
    const auto *entry = std::lower_bound(std::begin(kStrings), end, number,
                                         [](const Entry &e, int wanted) { return e.number < wanted; });
    return entry != end && entry->number == number ? entry : nullptr;
}

} // namespace

const char *Strings::Get(StrId id)
{
    const Entry *entry = FindEntry(id.number);
    return entry ? entry->text : "";
}

bool Strings::Has(StrId id)
{
    return FindEntry(id.number) != nullptr;
}

std::span<const Strings::Entry> Strings::Table()
{
    return kStrings;
}

std::string Strings::FormatNumber(int number, ...)
{
    va_list args;
    va_start(args, number);
    std::string text = VStrPrintf(Get(StrId(number)), args);
    va_end(args);
    return text;
}
