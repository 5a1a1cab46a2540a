#pragma once

#include <span>
#include <string>
#include <type_traits>

// The number of a text in the program's string table. Code names its texts
// with the constants of namespace Str below, never with bare numbers.
struct StrId
{
    constexpr StrId() = default;
    constexpr explicit StrId(int number) : number(number) {}
    int number = 0;
};

// The printf conversion that fills an argument of type T. A type without a
// specialisation cannot be an argument of a numbered format.
template <typename T>
struct StrArgument;
template <>
struct StrArgument<const char *>
{
    static constexpr char kConversion = 's';
};
template <>
struct StrArgument<int>
{
    static constexpr char kConversion = 'd';
};

// The number of a text that is a printf format whose conversions take Args,
// in order. Strings::Format accepts exactly these arguments, so a caller
// cannot hand "%s" a std::string or an int; the string table's test checks
// that the text's conversions are the ones Args name.
template <typename... Args>
struct StrFormat : StrId
{
    using StrId::StrId;
    // One conversion letter per argument ("sd" for a text and a number).
    static constexpr char kConversions[] = {StrArgument<Args>::kConversion..., '\0'};
};

// The number of a text without conversions, shown as it is.
using StrText = StrFormat<>;

// The numbered texts the program uses, named for what they say.
namespace Str {
// Server and channel events.
inline constexpr StrFormat<const char *, int> ConnectingTo{1000};         // host, port
inline constexpr StrFormat<const char *> YouJoined{1002};                 // channel
inline constexpr StrFormat<const char *, const char *> NickChanged{1003}; // old nick, new nick
inline constexpr StrFormat<const char *> UserJoined{1004};
inline constexpr StrFormat<const char *> UserLeft{1005};
inline constexpr StrFormat<const char *, const char *> ModeChanged{1006}; // modes, by whom
inline constexpr StrFormat<const char *, const char *> UserKicked{1007};  // by whom, whom
inline constexpr StrFormat<const char *, const char *, const char *> UserKickedWithReason{1008};
inline constexpr StrText PingPong{1009};
inline constexpr StrFormat<const char *> PingPongFrom{1010};
inline constexpr StrFormat<const char *> UserQuit{1011};
inline constexpr StrFormat<const char *> TopicIs{1013};
inline constexpr StrFormat<const char *, const char *> TopicChanged{1014}; // by whom, topic
inline constexpr StrFormat<const char *> ModeParameters{1015};
inline constexpr StrFormat<const char *, const char *> TopicSetBy{1016}; // nick, time

// Prompts of the channel and nick list menus.
inline constexpr StrText KickTitle{57347};
inline constexpr StrText KickPrompt{57348};
inline constexpr StrText TopicTitle{57349};
inline constexpr StrText TopicPrompt{57350};
inline constexpr StrText KeyTitle{57351};
inline constexpr StrText KeyPrompt{57352};
inline constexpr StrText LimitTitle{57353};
inline constexpr StrText LimitPrompt{57354};

// The channel search window.
inline constexpr StrFormat<const char *, int, int> SearchProgress{57355}; // network, found, total
inline constexpr StrText SearchChannelColumn{57356};
inline constexpr StrText SearchTopicColumn{57357};
inline constexpr StrText SearchUsersColumn{57358};

inline constexpr StrFormat<const char *> UnknownCommand{57367};
inline constexpr StrText HelpCommandHint{57368};
inline constexpr StrText HelpTitle{57369};
inline constexpr StrText ConnectionLost{57370};
inline constexpr StrText Reconnecting{57372};

// WHOIS replies; the first argument is the nick.
inline constexpr StrFormat<const char *, const char *, const char *> WhoisAddress{57378}; // address, name
inline constexpr StrFormat<const char *, const char *> WhoisChannels{57379};
inline constexpr StrFormat<const char *, const char *> WhoisServer{57380};
inline constexpr StrFormat<const char *, const char *, const char *> WhoisIdle{57381}; // idle, signed on
inline constexpr StrFormat<const char *, const char *> WhoisAway{57382};

inline constexpr StrFormat<int> WindowTextCleared{57385}; // bytes
inline constexpr StrText WindowTextTooLong{57386};
inline constexpr StrText NotChannelOperator{57387};
inline constexpr StrFormat<const char *> NickInUse{57388};
inline constexpr StrText NickCommandHint{57389};
inline constexpr StrText NoTextToServer{57390};
inline constexpr StrText QuoteCommandHint{57391};
inline constexpr StrFormat<const char *> ClickToQuery{57392};
inline constexpr StrFormat<const char *> ClickToJoin{57393};
inline constexpr StrText ScriptFileFilter{57395};
inline constexpr StrFormat<const char *> CommandMisused{57399};

// DCC offers in the server window. The first and the last argument open and
// close the clickable part; between them the nick, and the file and its size.
inline constexpr StrFormat<const char *, const char *, const char *> DccChatOffer{57400};
inline constexpr StrFormat<const char *, const char *> DccChatAcceptLink{57401};
inline constexpr StrFormat<const char *, const char *, const char *, const char *, const char *> DccFileOffer{57405};
inline constexpr StrFormat<const char *, const char *> DccFileAcceptLink{57406};

inline constexpr StrText NoScripts{57422};

// The questions about incoming requests: captions take the nick, texts the
// nick and address.
inline constexpr StrFormat<const char *> PrivateChatRequestCaption{57446};
inline constexpr StrFormat<const char *> DccChatRequestCaption{57447};
inline constexpr StrFormat<const char *, const char *> PrivateChatRequest{57448};
inline constexpr StrFormat<const char *, const char *> DccChatRequest{57449};
inline constexpr StrFormat<const char *, const char *, const char *, const char *> DccFileRequest{57450}; // +file, size

// CTCP replies and requests.
inline constexpr StrFormat<const char *, const char *> VersionReply{57461}; // nick, client
inline constexpr StrFormat<const char *, const char *> TimeReply{57462};    // nick, time
inline constexpr StrFormat<const char *, int> PingReply{57463};             // nick, seconds
inline constexpr StrFormat<const char *> AskedVersion{57485};
inline constexpr StrFormat<const char *> AskedTime{57486};
inline constexpr StrFormat<const char *> AskedPing{57487};

inline constexpr StrText SearchWarning{57466};
inline constexpr StrText NoCommandDescription{57468};
inline constexpr StrText ScriptMark{57469};
inline constexpr StrText CommandListHelp{57470};
inline constexpr StrText DefaultAwayMessage{57479};
inline constexpr StrFormat<const char *> PropertiesCaption{57484}; // nick

// Tool bar tips.
inline constexpr StrText ConnectTip{62000};
inline constexpr StrText FavouritesTip{62001};
inline constexpr StrText ChannelSearchTip{62002};
inline constexpr StrText SettingsTip{62003};
inline constexpr StrText AboutTip{62004};
inline constexpr StrText NoDescriptionTip{62005};
inline constexpr StrText AwayOnTip{62006};
inline constexpr StrText AwayOffTip{62007};
inline constexpr StrText IgnoreListTip{62008};

inline constexpr StrFormat<const char *> NickChangedAutomatically{62016};
inline constexpr StrFormat<const char *> NickRejected{62017};
inline constexpr StrFormat<const char *> YourNickChanged{62018};
inline constexpr StrFormat<const char *> ChannelAddedToFavourites{62019};
inline constexpr StrFormat<const char *> ServerAddedToFavourites{62020};
inline constexpr StrText NickStatusWords{62032};

// Secure connections, capabilities, SASL and reconnection.
// SecureConnection: protocol, cipher. CertificateQuestion: host:port,
// reasons, fingerprint. CertificateNotVerified: host:port, reasons.
inline constexpr StrFormat<const char *, const char *> SecureConnection{63700};
inline constexpr StrFormat<const char *> CertificateCaption{63701}; // host:port
inline constexpr StrFormat<const char *, const char *, const char *> CertificateQuestion{63702};
inline constexpr StrFormat<const char *, const char *> CertificateNotVerified{63703};
inline constexpr StrFormat<const char *> CertificateRefused{63704};          // host:port
inline constexpr StrFormat<const char *> ClientCertificateUnreadable{63705}; // file
inline constexpr StrFormat<const char *> CapabilitiesAgreed{63710};          // names
inline constexpr StrFormat<const char *, const char *> SaslStarting{63720};  // account, mechanism
inline constexpr StrFormat<const char *> SaslLoggedIn{63721};                // account
inline constexpr StrText SaslSucceeded{63722};
inline constexpr StrFormat<int, const char *> SaslFailed{63723}; // numeric, the server's words
inline constexpr StrFormat<const char *> SaslMechanisms{63724};  // the server's list
inline constexpr StrText SaslRequiredStop{63725};
inline constexpr StrFormat<const char *> SaslNotOffered{63726}; // mechanism
inline constexpr StrText SaslUnexpected{63727};
inline constexpr StrText SaslLoggedOut{63728};
inline constexpr StrText RefusedForGood{63730};
} // namespace Str

// The program's numbered Slovak texts (UTF-8), looked up by number. Many are
// printf formats and keep their conversions exactly.
class Strings
{
public:
    // One text of the table.
    struct Entry
    {
        // A text the code uses by name: its conversions are known.
        template <typename... Args>
        constexpr Entry(StrFormat<Args...> name, const char *text)
            : number(name.number), conversions(StrFormat<Args...>::kConversions), text(text)
        {}
        // A text no code uses: nothing is known about its conversions.
        constexpr Entry(int number, const char *text) : number(number), text(text) {}

        int number;
        // The conversion letters its name declares, null for a text no code uses.
        const char *conversions = nullptr;
        const char *text;
    };

    // The text of id; "" for an unknown id, never null.
    static const char *Get(StrId id);
    // The text of format filled printf-style with the arguments.
    template <typename... Args>
    static std::string Format(StrFormat<Args...> format, std::type_identity_t<Args>... arguments)
    {
        return FormatNumber(format.number, arguments...);
    }
    // Whether the table has a text for id.
    static bool Has(StrId id);
    // Every text of the table, sorted by number.
    static std::span<const Entry> Table();

private:
    static std::string FormatNumber(int number, ...);
};
