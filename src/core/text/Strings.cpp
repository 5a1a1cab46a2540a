#include "text/Strings.h"

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
    {Str::YouLeft, "* Odišiel si z kanála %s"},
    {Str::SettingsCaption, "Konfigurácia ..."},
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
    {Str::ChannelNameColumn, "Názov ( Meno )"},
    {Str::SettingsTakeEffectLater, "Niektoré zmenené nastavenia v programe sa prejavia až po ďalšom spustení"},
    {Str::UnknownCommand, "* Príkaz: %s neexistuje"},
    {Str::HelpCommandHint, "* Pre zoznam príkazov zadaj: /help"},
    {Str::HelpTitle, "Pomocník"},
    {Str::ConnectionLost, "* Spojenie prerušené"},
    {Str::Reconnecting, "* Pokúšam sa o znovupripojenie"},
    {Str::SendMessageTitle, "Poslať správu ..."},
    {Str::SendMessagePrompt, "Napíš správu, ktorú chceš odoslať"},
    {Str::WhoisAddress, "%s používa adresu %s, a má celé meno %s"},
    {Str::WhoisChannels, "%s je na kanáloch %s"},
    {Str::WhoisServer, "%s používa server %s"},
    {Str::WhoisIdle, "%s je aktívny %s, a pripojil sa %s"},
    {Str::WhoisAway, "%s je neprítomný: %s"},
    {Str::CannotClose, "* Nedá sa zavrieť: %s"},
    {Str::NotChannelOperator, "* Nie si operátor kanálu"},
    {Str::NickInUse, "* Prezývka %s sa už používa"},
    {Str::NickCommandHint, "* Zadaj: /nick nová prezývka"},
    {Str::NoTextToServer, "* Nie je možné poslať text serveru"},
    {Str::QuoteCommandHint, "* Použi príkaz /quote, alebo zadaj /help"},
    {Str::ClickToQuery, "Klikni a budeš si písať s %s súkromne"},
    {Str::ClickToJoin, "Klikni a vstúpiš na kanál %s"},
    {Str::NewScriptTitle, "Nový skript"},
    {Str::ScriptFileFilter, "Súbory typu Tcl (*.tcl)|*.tcl|Textové Súbory (*.txt)|*.txt|Všetky Súbory (*.*)|*.*||"},
    {Str::ScriptLoaded, "* Skript %s je zavedený"},
    {Str::ScriptUnloaded, "* Skript %s je odstránený"},
    {Str::ScriptLoadFailed, "* Skript %s sa nepodarilo nahrať"},
    {Str::CommandMisused, "* Nesprávne použitý príkaz %s , použi: /help"},
    {Str::DccChatOffer, "%s* %s si chce s tebou súkromne písať %s"},
    {Str::DccChatAcceptLink, "%s* ak si s ním chceš písať aj ty, klikni sem %s"},
    {Str::DccConnecting, "* Pokúšam sa o priame spojenie s %s"},
    {Str::DccError, "* Chyba v priamom spojení ( %d )"},
    {Str::DccConnected, "* Priame spojenie je úspešné"},
    {Str::DccFileOffer, "%s* %s ti posiela súbor %s (%s)%s"},
    {Str::DccFileAcceptLink, "%s* ak chceš súbor prijať, klikni sem%s"},
    {Str::DccTransferStarting, "* Pokúšam sa o prenos súboru"},
    {Str::DccTransferDone, "* Prenos súboru je úspešný"},
    {Str::DccDirection, "Od %s Do %s"},
    {Str::DccClosed, "* Priame spojenie s %s je ukončené"},
    {Str::IgnoreKindsColumn, "Ignorovať"},
    {Str::IgnoreSinceColumn, "Od"},
    {Str::IgnoreHowLongColumn, "Ako Dlho"},
    {Str::IgnoreHostColumn, "Hosť ( Adresa )"},
    {Str::ScriptNowhereToRun, "Skript nemá kde bežať\nPripoj sa a skús to znovu"},
    {Str::NoScripts, "Žiadne Skripty ..."},
    {Str::IgnoreEverything, "Všetko"},
    {Str::IgnoreChannelText, "Text"},
    {Str::IgnorePrivateText, "Súkromný text"},
    {Str::IgnoreDirect, "Priame spojenia"},
    {Str::ScriptSupportMissing, "Chýba podpora pre skripty"},
    {Str::ScriptSupportHelp, "Viac sa dočítaš v pomocníkovi, kolonka Skripty"},
    {Str::BanMaskColumn, "Užívateľ / Adresa"},
    {Str::BanSetterColumn, "Zákaz od"},
    {Str::BanTimeColumn, "Od čas"},
    {Str::BanDurationColumn, "Ako dlho"},
    {Str::BanForever, "Vždy"},
    {Str::BanMinutes, "(minút)"},
    {Str::PrivateChatRequestCaption, "Žiadosť o súkromné písanie od %s ..."},
    {Str::DccChatRequestCaption, "Žiadosť o súkromné spojenie od %s ..."},
    {Str::PrivateChatRequest, "Užívateľ %s z adresy %s si chce s tebou súkromne písať"},
    {Str::DccChatRequest, "Užívateľ %s z adresy %s si chce s tebou písať na súkromnej linke"},
    {Str::DccFileRequest, "Užívateľ %s z adresy %s ti posiela súbor \"%s\", veľkosti %s"},
    {Str::VersionReply, "%s používa klienta %s"},
    {Str::TimeReply, "%s má čas %s"},
    {Str::PingReply, "Rýchlosť spojenia z %s je %d sekund"},
    {Str::ScriptErrorLine, "* Chyba v skripte, riadok %d"},
    {Str::SearchWarning,
     "Vyhľadávanie je náročnejšia operácia a niekedy trvá aj niekoľko minút, počas ktorých nie je možné písať atď "
     "...\r\nNiekedy môže nastať rozpojenie zo serverom.\r\n\r\nPokračovať ?"},
    {Str::SearchCloseRefused, "Vyhľadávanie nie je možné zavrieť počas chodu ..."},
    {Str::NoCommandDescription, "K príkazu nie je popis."},
    {Str::ScriptMark, "skript"},
    {Str::CommandListHelp, "Nápoveda a menší pomocník ku IRC príkazom a Brimo aliasom"},
    {Str::ScriptEditorStatus, "Súbor %s riadok: %d celkom riadkov: %d veľkosť: %d ..."},
    {Str::DefaultAwayMessage, "Momentálne tu nie som ..."},
    {Str::PropertiesCaption, "%s - Vlastnosti"},
    {Str::AskedVersion, "Užívateľ %s sa informoval o tvojej verzii klienta"},
    {Str::AskedTime, "Užívateľ %s sa informoval o tvojej časovej zóne "},
    {Str::AskedPing, "Užívateľ %s sa informoval o rýchlosti spojenia s tebou"},
    {Str::TrayGroup, "System Tray"},
    {Str::TrayGroupHelp, "Ikona programu v oblasti oznámení a balóny so správami"},
    {Str::EnableTray, "Zobraziť Tray Ikonu"},
    {Str::EnableTrayHelp, "Zobrazí ikonu programu v oblasti oznámení vedľa hodín"},
    {Str::ShowBalloon, "Zobrazovať balón"},
    {Str::ShowBalloonHelp, "Pri novej správe zobrazí pri ikone balón s jej textom"},
    {Str::BasicGroup, "Základné nastavenia"},
    {Str::BasicGroupHelp, "Základné správanie programu"},
    {Str::BeepOnMessage, "Oznamovať zvukom"},
    {Str::BeepOnMessageHelp, "Pri novej správe v neaktívnom okne zaznie zvuk"},
    {Str::IdentServer, "Ident Server"},
    {Str::IdentServerHelp, "Odpovedá na dotazy ident, ktoré niektoré IRC servery vyžadujú pri pripájaní"},
    {Str::MessagesGroup, "Správy"},
    {Str::MessagesGroupHelp, "Texty, ktoré program posiela pri odchode, príchode a na tvoj pokyn"},
    {Str::QuitMessage, "Ukončenie"},
    {Str::QuitMessageHelp, "Správa, ktorá sa pošle pri odpojení zo servera"},
    {Str::PartMessage, "Odchod"},
    {Str::PartMessageHelp, "Správa, ktorá sa pošle pri odchode z kanála"},
    {Str::JoinMessage, "Príchod"},
    {Str::JoinMessageHelp, "Pozdrav, ktorý sa pošle ako akcia pri vstupe na kanál"},
    {Str::UserText, "Užívateľská %d"},
    {Str::UserTextHelp, "Vlastný text, ktorý môžeš rýchlo vložiť do správy"},
    {Str::BalloonSound, "Oznámiť zvukom"},
    {Str::BalloonSoundHelp, "Zvuk, ktorý zaznie pri zobrazení balóna"},
    {Str::Highlighting, "Zvýraznenie"},
    {Str::HighlightingHelp, "Farebne zvýrazní tvoj text, dôležité správy a kontakty"},
    {Str::MyTextColour, "Môj text"},
    {Str::MyTextColourHelp, "Farba tvojho vlastného textu"},
    {Str::HiTextColour, "Dôležité"},
    {Str::HiTextColourHelp, "Farba správ, v ktorých sa spomína tvoja prezývka"},
    {Str::ContactColour, "Kontakty"},
    {Str::ContactColourHelp, "Farba prezývok z adresára kontaktov"},
    {Str::NoticesToWindow, "Oddeliť NOTICE"},
    {Str::NoticesToWindowHelp, "Správy NOTICE sa budú zobrazovať v samostatnom okne"},
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
    {Str::ContactNickColumn, "Prezývka"},
    {Str::ContactAddressColumn, "Adresa"},
    {Str::ContactDescriptionColumn, "Popis"},
    {Str::ContactNotifyColumn, "Upozorniť"},
    {Str::NotifyNever, "Nie"},
    {Str::NotifyQuiet, "Stále ticho"},
    {Str::NotifyLoud, "Stále hlučne"},
    {Str::NickStatusWords,
     "Status: Operátor Polo-Operátor Moderátor, Prítomný, Neprítomný Kontakt Viac sa dozvieš vo vlastnostich "
     "uživateľa"},
    {Str::NotifyPrivateQuiet, "Len pri súkromnom a ticho"},
    {Str::NotifyPrivateLoud, "Len pri súkromnom a hlučne"},
    {Str::DccFileIncomplete, "* Súbor %s je neúplný: prišlo %s z %s, druhá strana spojenie ukončila"},
    {Str::DccNoIpv6Offer, "* Priame spojenie sa ponúka len cez spojenie so serverom na IPv4"},
    {Str::DccNotConnected, "* Priame spojenie sa dá ponúknuť len počas spojenia so serverom"},
    {Str::DccFileUnreadable, "* Súbor %s sa nedá poslať: nie je to súbor, ktorý sa dá čítať"},
    {Str::DccOfferExpired, "* Ponuka priameho spojenia pre %s vypršala, nikto ju neprijal"},
    {Str::DccBadTarget, "* Priame spojenie s %s na porte %s sa nedá: neplatná adresa alebo port"},
    {Str::ScriptCommandsTooDeep, "* Skripty do seba vnárajú príkazy priveľmi hlboko (%d), príkaz %s sa nevykoná"},
    {Str::ScriptExitRefused, "Skript nemôže ukončiť program (exit)"},
    {Str::ScriptParseOk, "Parse OK"},
    {Str::ScriptParseError, "Parse ERROR (%d), Error Line: %d\n%s"},
    {Str::ScriptFileTooBig, "File is big"},
    {Str::FileOverwrite, "Súbor %s už existuje.\nChceš ho prepísať?"},
    {Str::ScriptWriteFailed, "Súbor %s sa nepodarilo uložiť"},
    {Str::ScriptRunOnTitle, "Spustiť skript"},
    {Str::ScriptRunOnLabel, "Skript nahrať do okna:"},
    {Str::ScriptTimedOut, "* Skript %s bežal dlhšie ako %d ms, a tak bol zastavený: %s"},
    {Str::ScriptFailed, "* Chyba v skripte %s (%s): %s"},
    {Str::ScriptSaveChanges, "Skript %s bol zmenený. Uložiť zmeny?"},
    {Str::SearchFilterLabel, "Hľadať:"},
    {Str::SearchStart, "Spustiť"},
    {Str::SearchStop, "Zastaviť"},
    {Str::SearchInNames, "v názvoch"},
    {Str::SearchInTopics, "v témach"},
    {Str::SearchInEither, "v názvoch alebo témach"},
    {Str::SearchMinimumLabel, "Najmenej užívateľov:"},
    {Str::SearchListFilter, "Text (*.Txt)|*.Txt||"},
    {Str::FavouriteNotStored, "Kanál %s sa nedá uložiť medzi obľúbené."},
    {Str::ChannelListNotSaved, "Zoznam kanálov sa nepodarilo uložiť do súboru %s."},
    {Str::ReplaceFavouriteServer, "Server %s už je medzi obľúbenými. Nahradiť ho?"},
    {Str::FavouriteChannelsTitle, "Obľúbené kanály"},
    {Str::ServerLabel, "&Server:"},
    {Str::AddButton, "&Pridať ..."},
    {Str::EditButton, "&Upraviť ..."},
    {Str::DeleteButton, "&Odstrániť"},
    {Str::FavouriteChannelTitle, "Obľúbený kanál"},
    {Str::ChannelNameLabel, "&Názov kanála:"},
    {Str::AutoJoinLabel, "&Vstúpiť automaticky po pripojení"},
    {Str::ChannelKeyLabel, "&Kľúč kanála:"},
    {Str::AddressBookTitle, "Adresár"},
    {Str::ContactTitle, "Kontakt"},
    {Str::ContactNickLabel, "&Prezývka:"},
    {Str::ContactAddressLabel, "&Adresa:"},
    {Str::ContactDescriptionLabel, "P&opis:"},
    {Str::ContactNotifyLabel, "&Upozorniť:"},
    {Str::IgnoreListTitle, "Ignorované adresy"},
    {Str::ChangeButton, "Z&meniť ..."},
    {Str::IgnoreChangeTitle, "Zmeniť ignorovanie"},
    {Str::IgnoreWhatLabel, "Ignorovať:"},
    {Str::ChannelBansTitle, "Zakázaní užívatelia na kanáli %s"},
    {Str::BanChangeTitle, "Zmeniť zákaz"},
    {Str::MinutesLabel, "&Ako dlho (minút, 0 = vždy):"},
    {Str::NoticesTitle, "Oznamy"},
    {Str::DeleteMenuItem, "Odstrániť"},
    {Str::ChangeMenuItem, "Zmeniť"},
    {Str::SessionLabel, "&Server:"},
    {Str::LinkNotUnderstood, "Odkaz %s nie je platná adresa IRC servera alebo kanála."},
    {Str::AlreadyRunning, "Brimo s týmito nastaveniami už beží, ale neodpovedá."},
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
    {Str::WelcomeTitle, "Vitajte v programe Brimo"},
    {Str::WelcomeIntro,
     "Zvoľte si prezývku a IRC sieť, ku ktorej sa chcete pripojiť. Všetko sa dá neskôr zmeniť "
     "v menu Pripojiť > Konfigurácia."},
    {Str::WelcomeNickLabel, "&Prezývka:"},
    {Str::WelcomeFullNameLabel, "&Celé meno:"},
    {Str::WelcomeNetworkChoice, "&Sieť zo zoznamu:"},
    {Str::WelcomeServerChoice, "&Vlastný server:"},
    {Str::WelcomeHostLabel, "&Adresa:"},
    {Str::WelcomePortLabel, "P&ort:"},
    {Str::WelcomeTlsBox, "Za&bezpečené spojenie (TLS)"},
    {Str::WelcomeConnectButton, "Pripo&jiť"},
    {Str::WelcomeCancelButton, "&Zrušiť"},
    {Str::WelcomeBadNick,
     "Prezývka musí začínať písmenom a môže mať len písmená bez diakritiky, číslice "
     "a znaky - _ [ ] { } \\ | ^ ` (bez medzier a úvodzoviek)."},
    {Str::WelcomeBadHost, "Napíšte adresu servera (bez medzier)."},
    {Str::NotConnectedTitle, "Nepripojené"},
    {Str::NotConnectedHint,
     "* Nie ste pripojený k žiadnemu serveru. Napíšte sem /server adresa port "
     "(napríklad /server irc.libera.chat +6697, znak + znamená zabezpečené spojenie) "
     "alebo zvoľte Pripojiť > Vítací sprievodca ..."},
    {Str::ConnectFailed, "* Nepodarilo sa pripojiť k %s:%s: %s"},
    {Str::ConnectRetryHint,
     "* Skontrolujte adresu, port a pripojenie k sieti a skúste to znova: /reconnect, "
     "/server adresa port alebo Pripojiť > Vítací sprievodca ..."},
    {Str::WelcomeNotSaved, "Nastavenia sa nepodarilo zapísať do súboru %s."},
    {Str::UserMessageNotSet, "Správa %d nie je nastavená: Konfigurácia > Rozšírené > Správy > Užívateľská %d"},
    {Str::SearchStartTip, "Načítať zo servera zoznam kanálov siete"},
    {Str::SearchStopTip, "Zastaviť načítanie zoznamu, už načítané kanály zostanú"},
    {Str::TextStyleTip, "Štýl a farby písaného textu: tučné, podčiarknuté, farba písma a pozadia"},
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
