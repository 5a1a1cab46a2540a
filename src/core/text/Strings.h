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
inline constexpr StrFormat<const char *> YouLeft{1017};                  // channel

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
inline constexpr StrText SendMessageTitle{57373};
inline constexpr StrText SendMessagePrompt{57374};
inline constexpr StrText SearchCloseRefused{57467};
// The search bar and the list commands.
inline constexpr StrText SearchFilterLabel{63300};
inline constexpr StrText SearchStart{63301};
inline constexpr StrText SearchStop{63302};
inline constexpr StrText SearchInNames{63303};
inline constexpr StrText SearchInTopics{63304};
inline constexpr StrText SearchInEither{63305};
inline constexpr StrText SearchMinimumLabel{63306};
inline constexpr StrText SearchListFilter{63307};
inline constexpr StrFormat<const char *> FavouriteNotStored{63308};  // channel
inline constexpr StrFormat<const char *> ChannelListNotSaved{63309}; // file

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

inline constexpr StrFormat<const char *> CannotClose{57384}; // window or session name
inline constexpr StrText NotChannelOperator{57387};
inline constexpr StrFormat<const char *> NickInUse{57388};
inline constexpr StrText NickCommandHint{57389};
inline constexpr StrText NoTextToServer{57390};
inline constexpr StrText QuoteCommandHint{57391};
inline constexpr StrFormat<const char *> ClickToQuery{57392};
inline constexpr StrFormat<const char *> ClickToJoin{57393};
// Scripts and their editor.
inline constexpr StrText NewScriptTitle{57394};
inline constexpr StrText ScriptFileFilter{57395};
inline constexpr StrFormat<const char *> ScriptLoaded{57396};     // script name
inline constexpr StrFormat<const char *> ScriptUnloaded{57397};   // script name
inline constexpr StrFormat<const char *> ScriptLoadFailed{57398}; // path
inline constexpr StrText ScriptNowhereToRun{57421};
inline constexpr StrText ScriptSupportMissing{57430};
inline constexpr StrText ScriptSupportHelp{57431};
inline constexpr StrFormat<int> ScriptErrorLine{57465};
inline constexpr StrFormat<const char *, int, int, int> ScriptEditorStatus{57472}; // path, caret line, lines, length
inline constexpr StrFormat<int, const char *> ScriptCommandsTooDeep{63200};        // depth, command line
inline constexpr StrText ScriptExitRefused{63201};
inline constexpr StrText ScriptParseOk{63202};
inline constexpr StrFormat<int, int, const char *> ScriptParseError{63203}; // Tcl result code, error line, message
inline constexpr StrText ScriptFileTooBig{63204};
inline constexpr StrFormat<const char *> FileOverwrite{63205};     // path
inline constexpr StrFormat<const char *> ScriptWriteFailed{63206}; // path
inline constexpr StrText ScriptRunOnTitle{63207};
inline constexpr StrText ScriptRunOnLabel{63208};
inline constexpr StrFormat<const char *, int, const char *> ScriptTimedOut{63209}; // script, limit in ms, what ran
inline constexpr StrFormat<const char *, const char *, const char *> ScriptFailed{63210}; // script, what ran, error
inline constexpr StrFormat<const char *> ScriptSaveChanges{63211};                        // script caption
inline constexpr StrFormat<const char *> CommandMisused{57399};

// DCC offers in the server window. The first and the last argument open and
// close the clickable part; between them the nick, and the file and its size.
inline constexpr StrFormat<const char *, const char *, const char *> DccChatOffer{57400};
inline constexpr StrFormat<const char *, const char *> DccChatAcceptLink{57401};
inline constexpr StrFormat<const char *, const char *, const char *, const char *, const char *> DccFileOffer{57405};
inline constexpr StrFormat<const char *, const char *> DccFileAcceptLink{57406};

// Direct connections (chats and file transfers).
inline constexpr StrFormat<const char *> DccConnecting{57402}; // peer
inline constexpr StrText DccConnected{57404};
inline constexpr StrText DccTransferStarting{57407};
inline constexpr StrText DccTransferDone{57408};
inline constexpr StrFormat<const char *, const char *> DccDirection{57409};                    // from, to
inline constexpr StrFormat<const char *> DccClosed{57413};                                     // peer
inline constexpr StrText DccNoIpv6Offer{63101};
inline constexpr StrText DccNotConnected{63102};
inline constexpr StrFormat<const char *> DccFileUnreadable{63103};          // path
inline constexpr StrFormat<const char *> DccOfferExpired{63104};            // nick
inline constexpr StrFormat<const char *, const char *> DccBadTarget{63105}; // host, port

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

// The settings sheet.
inline constexpr StrText SettingsCaption{57346};
inline constexpr StrText SettingsTakeEffectLater{57366};
inline constexpr StrFormat<const char *> ReplaceFavouriteServer{63400}; // server name
// Captions and descriptions of the advanced page's property tree.
inline constexpr StrText TrayGroup{57490};
inline constexpr StrText TrayGroupHelp{57491};
inline constexpr StrText EnableTray{57492};
inline constexpr StrText EnableTrayHelp{57493};
inline constexpr StrText ShowBalloon{57494};
inline constexpr StrText ShowBalloonHelp{57495};
inline constexpr StrText BasicGroup{57496};
inline constexpr StrText BasicGroupHelp{57497};
inline constexpr StrText BeepOnMessage{57498};
inline constexpr StrText BeepOnMessageHelp{57499};
inline constexpr StrText IdentServer{57500};
inline constexpr StrText IdentServerHelp{57501};
inline constexpr StrText MessagesGroup{57502};
inline constexpr StrText MessagesGroupHelp{57503};
inline constexpr StrText QuitMessage{57504};
inline constexpr StrText QuitMessageHelp{57505};
inline constexpr StrText PartMessage{57507};
inline constexpr StrText PartMessageHelp{57508};
inline constexpr StrText JoinMessage{57510};
inline constexpr StrText JoinMessageHelp{57511};
inline constexpr StrFormat<int> UserText{57512}; // 1 .. 5
inline constexpr StrText UserTextHelp{57513};
inline constexpr StrText BalloonSound{57514};
inline constexpr StrText BalloonSoundHelp{57515};
inline constexpr StrText Highlighting{57516};
inline constexpr StrText HighlightingHelp{57517};
inline constexpr StrText MyTextColour{57518};
inline constexpr StrText MyTextColourHelp{57519};
inline constexpr StrText HiTextColour{57520};
inline constexpr StrText HiTextColourHelp{57521};
inline constexpr StrText ContactColour{57522};
inline constexpr StrText ContactColourHelp{57523};
inline constexpr StrText NoticesToWindow{57524};
inline constexpr StrText NoticesToWindowHelp{57525};

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
// Favourites, address book, ignore and ban dialogs.
inline constexpr StrText ChannelNameColumn{57361};
inline constexpr StrText IgnoreKindsColumn{57415};
inline constexpr StrText IgnoreSinceColumn{57418};
inline constexpr StrText IgnoreHowLongColumn{57419};
inline constexpr StrText IgnoreHostColumn{57420};
inline constexpr StrText IgnoreEverything{57426};
inline constexpr StrText IgnoreChannelText{57427};
inline constexpr StrText IgnorePrivateText{57428};
inline constexpr StrText IgnoreDirect{57429};
inline constexpr StrText BanMaskColumn{57436};
inline constexpr StrText BanSetterColumn{57437};
inline constexpr StrText BanTimeColumn{57438};
inline constexpr StrText BanDurationColumn{57439};
inline constexpr StrText BanForever{57441};
inline constexpr StrText BanMinutes{57442};
inline constexpr StrText ContactNickColumn{62023};
inline constexpr StrText ContactAddressColumn{62024};
inline constexpr StrText ContactDescriptionColumn{62025};
inline constexpr StrText ContactNotifyColumn{62026};
inline constexpr StrText NotifyNever{62027};
inline constexpr StrText NotifyQuiet{62028};
inline constexpr StrText NotifyLoud{62029};
inline constexpr StrText NotifyPrivateQuiet{62034};
inline constexpr StrText NotifyPrivateLoud{62035};
inline constexpr StrText FavouriteChannelsTitle{63500};
inline constexpr StrText ServerLabel{63501};
inline constexpr StrText AddButton{63502};
inline constexpr StrText EditButton{63503};
inline constexpr StrText DeleteButton{63504};
inline constexpr StrText FavouriteChannelTitle{63505};
inline constexpr StrText ChannelNameLabel{63506};
inline constexpr StrText AutoJoinLabel{63507};
inline constexpr StrText ChannelKeyLabel{63508};
inline constexpr StrText AddressBookTitle{63509};
inline constexpr StrText ContactTitle{63510};
inline constexpr StrText ContactNickLabel{63511};
inline constexpr StrText ContactAddressLabel{63512};
inline constexpr StrText ContactDescriptionLabel{63513};
inline constexpr StrText ContactNotifyLabel{63514};
inline constexpr StrText IgnoreListTitle{63515};
inline constexpr StrText ChangeButton{63516};
inline constexpr StrText IgnoreChangeTitle{63517};
inline constexpr StrText IgnoreWhatLabel{63518};
inline constexpr StrFormat<const char *> ChannelBansTitle{63519}; // channel
inline constexpr StrText BanChangeTitle{63520};
inline constexpr StrText MinutesLabel{63521};
inline constexpr StrText NoticesTitle{63522};
inline constexpr StrText DeleteMenuItem{63523};
inline constexpr StrText ChangeMenuItem{63524};
inline constexpr StrText SessionLabel{63525};
// Links handed to the program on its command line.
inline constexpr StrFormat<const char *> LinkNotUnderstood{63600};
inline constexpr StrText AlreadyRunning{63601};

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
// The first start: the welcome dialog, the status window without a server and
// a connection that fails.
inline constexpr StrText WelcomeTitle{63800};
inline constexpr StrText WelcomeIntro{63801};
inline constexpr StrText WelcomeNickLabel{63802};
inline constexpr StrText WelcomeFullNameLabel{63803};
inline constexpr StrText WelcomeNetworkChoice{63804};
inline constexpr StrText WelcomeServerChoice{63805};
inline constexpr StrText WelcomeHostLabel{63806};
inline constexpr StrText WelcomePortLabel{63807};
inline constexpr StrText WelcomeTlsBox{63808};
inline constexpr StrText WelcomeConnectButton{63809};
inline constexpr StrText WelcomeCancelButton{63810};
inline constexpr StrText NotConnectedTitle{63814};
inline constexpr StrText NotConnectedHint{63815};
inline constexpr StrFormat<const char *, const char *, const char *> ConnectFailed{63816}; // host, port, reason
inline constexpr StrText ConnectRetryHint{63817};
inline constexpr StrFormat<const char *> WelcomeNotSaved{63818}; // file
// Tool tip of a channel's user-message button without a message.
inline constexpr StrFormat<int, int> UserMessageNotSet{63900}; // number, number
// Tool tips of the channel search's start button, idle and running.
inline constexpr StrText SearchStartTip{63901};
inline constexpr StrText SearchStopTip{63902};
// Tool tip of the style button beside the input line.
inline constexpr StrText TextStyleTip{63903};
// Logs of the conversations.
inline constexpr StrFormat<const char *, const char *> LogWriteFailed{64000}; // folder, reason
inline constexpr StrText LogGroup{64001};
inline constexpr StrText LogGroupHelp{64002};
inline constexpr StrText LogEnabled{64003};
inline constexpr StrText LogEnabledHelp{64004};
inline constexpr StrText LogFolder{64005};
inline constexpr StrText LogFolderHelp{64006};
inline constexpr StrText LogReplayLines{64007};
inline constexpr StrText LogReplayLinesHelp{64008};
inline constexpr StrText LogWindowOn{64009};
inline constexpr StrText LogWindowOff{64010};
inline constexpr StrText ServerLoggingOff{64011};
// Why a value typed into a dialog is refused (config/ValueChecks.h).
inline constexpr StrText NickEmpty{64100};
inline constexpr StrText NickBadStart{64101};
inline constexpr StrText NickBadCharacter{64102};
inline constexpr StrText HostEmpty{64103};
inline constexpr StrText HostBadCharacter{64104};
inline constexpr StrText PortNotNumber{64105};
inline constexpr StrText PortOutOfRange{64106};
inline constexpr StrText EmailBadCharacter{64107};
inline constexpr StrText ServerNameBad{64108};
inline constexpr StrText ChannelNameBad{64109};
inline constexpr StrText ContactNickBad{64110};
inline constexpr StrText ContactFieldBad{64111};
// Questions and reports of the favourites and the address book.
inline constexpr StrFormat<const char *> ReplaceFavouriteChannel{64112};    // channel
inline constexpr StrFormat<const char *> ReplaceContact{64113};             // nick
inline constexpr StrFormat<const char *> ChannelAlreadyFavourite{64114};    // channel
inline constexpr StrFormat<const char *> FavouriteChannelNotWritten{64115}; // file
inline constexpr StrFormat<const char *> ContactNotWritten{64116};          // file
// The settings file that cannot be read or written.
inline constexpr StrFormat<const char *> ServersNotWritten{64117};              // file
inline constexpr StrFormat<const char *> SettingsNotWritten{64118};             // file
inline constexpr StrFormat<const char *, const char *> ConfigUnreadable{64119}; // file, why
inline constexpr StrText ConfigNoPermission{64120};
inline constexpr StrText ConfigTooLarge{64121};
inline constexpr StrText ConfigNotAFile{64122};
inline constexpr StrFormat<const char *> ConfigNotWritten{64123}; // file
// The menus: the menu bar's menus and submenus, and the commands' items (Str::Command...),
// shared by the main menu, the window and nick list menus and the tool bars.
inline constexpr StrText MenuConnect{64200};
inline constexpr StrText MenuEdit{64201};
inline constexpr StrText MenuView{64202};
inline constexpr StrText MenuChannel{64203};
inline constexpr StrText MenuUser{64204};
inline constexpr StrText MenuWindow{64205};
inline constexpr StrText MenuScript{64206};
inline constexpr StrText MenuHelp{64207};
inline constexpr StrText MenuServers{64208};
inline constexpr StrText MenuFavouriteChannels{64209};
inline constexpr StrText MenuChannelSearch{64210};
inline constexpr StrText MenuTextColour{64211};
inline constexpr StrText MenuBackgroundColour{64212};
inline constexpr StrText MenuAdvanced{64213};
inline constexpr StrText MenuRemoveScript{64214};
inline constexpr StrText NoFavouriteServers{64215};
inline constexpr StrText NoFavouriteChannels{64216};
inline constexpr StrText CommandConnect{64217};
inline constexpr StrText CommandWelcome{64218};
inline constexpr StrText CommandReconnect{64219};
inline constexpr StrText CommandFavourites{64220};
inline constexpr StrText CommandChannelSearch{64221};
inline constexpr StrText CommandSearchJoin{64222};
inline constexpr StrText CommandSearchAddFavourite{64223};
inline constexpr StrText CommandSearchShowUsers{64224};
inline constexpr StrText CommandSearchSendMessage{64225};
inline constexpr StrText CommandSearchSaveList{64226};
inline constexpr StrText CommandAddressBook{64227};
inline constexpr StrText CommandIgnoreList{64228};
inline constexpr StrText CommandAwayOn{64229};
inline constexpr StrText CommandAwayOff{64230};
inline constexpr StrText CommandSettings{64231};
inline constexpr StrText CommandExit{64232};
inline constexpr StrText CommandEditUndo{64233};
inline constexpr StrText CommandEditRedo{64234};
inline constexpr StrText CommandEditCut{64235};
inline constexpr StrText CommandEditCopy{64236};
inline constexpr StrText CommandEditPaste{64237};
inline constexpr StrText CommandEditPasteSpecial{64238};
inline constexpr StrText CommandBold{64239};
inline constexpr StrText CommandUnderline{64240};
inline constexpr StrText CommandPlain{64241};
inline constexpr StrText CommandInverse{64242};
inline constexpr StrText CommandTextColourMenu{64243};
inline constexpr StrText CommandBackgroundColourMenu{64244};
inline constexpr StrText CommandShowMainBar{64245};
inline constexpr StrText CommandShowWindowBar{64246};
inline constexpr StrText CommandShowEditBar{64247};
inline constexpr StrText CommandViewTimeStamps{64248};
inline constexpr StrText CommandViewAutoScroll{64249};
inline constexpr StrText CommandViewFullAddress{64250};
inline constexpr StrText CommandViewSmileys{64251};
inline constexpr StrText CommandViewShowAway{64252};
inline constexpr StrText CommandViewSource{64253};
inline constexpr StrText CommandViewSaveAs{64254};
inline constexpr StrText CommandChannelTopic{64255};
inline constexpr StrText CommandModeTopicOps{64256};
inline constexpr StrText CommandModeNoExternal{64257};
inline constexpr StrText CommandModeInviteOnly{64258};
inline constexpr StrText CommandModeModerated{64259};
inline constexpr StrText CommandModePrivate{64260};
inline constexpr StrText CommandModeSecret{64261};
inline constexpr StrText CommandModeKey{64262};
inline constexpr StrText CommandModeLimit{64263};
inline constexpr StrText CommandChannelBans{64264};
inline constexpr StrText CommandChannelRefresh{64265};
inline constexpr StrText CommandChannelAddFavourite{64266};
inline constexpr StrText CommandProperties{64267};
inline constexpr StrText CommandChannelSearchHere{64268};
inline constexpr StrText CommandLoadScript{64269};
inline constexpr StrText CommandUserQuery{64270};
inline constexpr StrText CommandUserWhois{64271};
inline constexpr StrText CommandUserAddContact{64272};
inline constexpr StrText CommandUserDccChat{64273};
inline constexpr StrText CommandUserDccSend{64274};
inline constexpr StrText CommandUserOp{64275};
inline constexpr StrText CommandUserDeop{64276};
inline constexpr StrText CommandUserVoice{64277};
inline constexpr StrText CommandUserDevoice{64278};
inline constexpr StrText CommandUserKick{64279};
inline constexpr StrText CommandUserKickReason{64280};
inline constexpr StrText CommandUserBan{64281};
inline constexpr StrText CommandUserBanKick{64282};
inline constexpr StrText CommandUserBanKickReason{64283};
inline constexpr StrText CommandUserIgnore{64284};
inline constexpr StrText CommandWindowCascade{64285};
inline constexpr StrText CommandWindowTile{64286};
inline constexpr StrText CommandNextWindow{64287};
inline constexpr StrText CommandPreviousWindow{64288};
inline constexpr StrText CommandNewScript{64289};
inline constexpr StrText CommandOpenScript{64290};
inline constexpr StrText CommandScriptSave{64291};
inline constexpr StrText CommandScriptSaveAs{64292};
inline constexpr StrText CommandScriptClose{64293};
inline constexpr StrText CommandScriptParse{64294};
inline constexpr StrText CommandScriptRun{64295};
inline constexpr StrText CommandHelp{64296};
inline constexpr StrText CommandToggleDonating{64297};
inline constexpr StrText CommandDonationPage{64298};
inline constexpr StrText CommandAbout{64299};
// The find-everywhere window, the index of the logs and its queries.
inline constexpr StrText FindEverywhereTitle{64500};
inline constexpr StrText FindEverywhereMenu{64501};
inline constexpr StrText FindQueryPlaceholder{64502};
inline constexpr StrText FindQueryHelp{64503};
inline constexpr StrText FindButton{64504};
inline constexpr StrText FindMoreButton{64505};
inline constexpr StrText FindRebuilding{64506};
inline constexpr StrFormat<int> FindEverywhereCount{64507};     // lines found
inline constexpr StrFormat<int> FindEverywhereCountMore{64508}; // lines found so far
inline constexpr StrText FindNothing{64509};
inline constexpr StrText FindSearching{64510};
inline constexpr StrText FindLogsOff{64511};
inline constexpr StrFormat<const char *, const char *, const char *, int> FindGroup{64512}; // network, window, day, lines
inline constexpr StrFormat<const char *, const char *, const char *> LogDayTitle{64513};   // network, window, day
inline constexpr StrFormat<const char *> LogIndexFailed{64514};                            // reason
inline constexpr StrFormat<const char *> LogQueryEmptyField{64515};                        // field name
inline constexpr StrFormat<const char *> LogQueryBadDay{64516};                            // the text given
inline constexpr StrText LogQueryDaysReversed{64517};
inline constexpr StrText LogQueryNeedsWord{64518};
inline constexpr StrFormat<const char *> LogDayUnreadable{64519}; // file
// Labels, buttons and titles of the dialogs and property pages.
inline constexpr StrText NickFieldLabel{64600};
inline constexpr StrText AddressFieldLabel{64601};
inline constexpr StrText FullNameFieldLabel{64602};
inline constexpr StrText ChannelsFieldLabel{64603};
inline constexpr StrText ServerFieldLabel{64604};
inline constexpr StrText AwayFieldLabel{64605};
inline constexpr StrText SignedOnFieldLabel{64606};
inline constexpr StrText BasicTab{64607};
inline constexpr StrText AppearanceTab{64608};
inline constexpr StrText MessagesTab{64609};
inline constexpr StrText AdvancedTab{64610};
inline constexpr StrText FontTitle{64611};
inline constexpr StrText FontFaceLabel{64612};
inline constexpr StrText FontSizeLabel{64613};
inline constexpr StrText PrivateMessagesGroup{64614};
inline constexpr StrText ShowPingBox{64615};
inline constexpr StrText OpenQueryBox{64616};
inline constexpr StrText QueryDialogBox{64617};
inline constexpr StrText DccOffersGroup{64618};
inline constexpr StrText DccAskChoice{64619};
inline constexpr StrText DccNoAskChoice{64620};
inline constexpr StrText SettingColumn{64621};
inline constexpr StrText ValueColumn{64622};
inline constexpr StrText AskVersionButton{64623};
inline constexpr StrText AskTimeButton{64624};
inline constexpr StrText AskPingButton{64625};
inline constexpr StrText ClientFieldLabel{64626};
inline constexpr StrText TimeFieldLabel{64627};
inline constexpr StrText SpeedFieldLabel{64628};
inline constexpr StrText InvisibleBox{64629};
inline constexpr StrText KeepChangedNickBox{64630};
inline constexpr StrText AutoChangeNickBox{64631};
inline constexpr StrText ServersGroup{64632};
inline constexpr StrText DefaultServerLabel{64633};
inline constexpr StrText ServersSavedOnOk{64634};
inline constexpr StrText IdentityGroup{64635};
inline constexpr StrText FullNameLabel{64636};
inline constexpr StrText EmailLabel{64637};
inline constexpr StrText NickLabel{64638};
inline constexpr StrText NewServerTitle{64639};
inline constexpr StrText EditServerTitle{64640};
inline constexpr StrText ServerPortTip{64641};
inline constexpr StrText StandardPortBox{64642};
inline constexpr StrText AutoConnectBox{64643};
inline constexpr StrText UsePasswordBox{64644};
inline constexpr StrText OwnIdentityBox{64645};
inline constexpr StrText ServerKeepChangedNickBox{64646};
inline constexpr StrText ServerNameLabel{64647};
inline constexpr StrText PortLabel{64648};
inline constexpr StrText ServerNickLabel{64649};
inline constexpr StrText ChannelTab{64650};
inline constexpr StrText UserTab{64651};
inline constexpr StrText UserAdvancedTab{64652};
inline constexpr StrText ChannelFieldLabel{64653};
inline constexpr StrText TopicFieldLabel{64654};
inline constexpr StrText UserCountFieldLabel{64655};
inline constexpr StrText ColoursGroup{64656};
inline constexpr StrText ChangeFontButton{64657};
inline constexpr StrText InfoColourLabel{64658};
inline constexpr StrText TextColourLabel{64659};
inline constexpr StrText HighColourLabel{64660};
inline constexpr StrText ErrorColourLabel{64661};
inline constexpr StrText TimeColourLabel{64662};
inline constexpr StrText NickListColourLabel{64663};
inline constexpr StrText AcceptButton{64664};
inline constexpr StrText DeclineButton{64665};
inline constexpr StrText IgnoreButton{64666};
inline constexpr StrText AcceptOnceButton{64667};
inline constexpr StrText AcceptAlwaysButton{64668};
inline constexpr StrText CancelTransferButton{64669};
// The application: its about box, the help window, the view's banner and save filters.
inline constexpr StrText AppTagline{64670};
inline constexpr StrFormat<const char *, const char *> AboutText{64671}; // version, AppTagline
inline constexpr StrFormat<const char *> HelpPagesMissing{64672};        // file
inline constexpr StrText BannerAlt{64673};
inline constexpr StrText HtmlFileFilter{64674};
inline constexpr StrText TextFileFilter{64675};
// Reports of the sessions and commands; the texts of socket errors.
inline constexpr StrFormat<const char *> ConnectError{64676};            // reason
inline constexpr StrFormat<int, int> LineNotSent{64677};                 // bytes, most bytes
inline constexpr StrFormat<const char *, int> SenderRequestsFull{64678}; // nick, count
inline constexpr StrFormat<int> RequestsFull{64679};                     // count
inline constexpr StrFormat<int, const char *> IdentServerDown{64680};    // port, reason
inline constexpr StrFormat<const char *> LinkRefused{64681};             // address
inline constexpr StrFormat<const char *> BadPort{64682};                 // port
inline constexpr StrText ServerClosedConnection{64683};
inline constexpr StrText ConnectionRefused{64684};
inline constexpr StrText ConnectTimedOut{64685};
inline constexpr StrText HostNotFound{64686};
inline constexpr StrText NetworkUnreachable{64687};
inline constexpr StrText AccessDenied{64688};
inline constexpr StrText AddressInUse{64689};
inline constexpr StrText AddressNotAvailable{64690};
inline constexpr StrText ConnectionReset{64691};
inline constexpr StrText ConnectionAborted{64692};
// Behind a bouncer: its played-back lines and the password of its networks.
inline constexpr StrText PlaybackSeparator{64700};
inline constexpr StrFormat<int, int, int> PlaybackDay{64701}; // day, month, year of the lines that follow
inline constexpr StrText BouncerPasswordHint{64702};
// Lines shown again from a window's log, and the place where the reader stopped.
inline constexpr StrFormat<int, int, int> ShownAgainUntil{64300}; // day, month, year of the last line
inline constexpr StrText JumpToUnread{64301};
// The find bar of a window.
inline constexpr StrText FindPlaceholder{64400};
inline constexpr StrText FindCaseSensitive{64401};
inline constexpr StrText FindWholeWord{64402};
inline constexpr StrText FindRegularExpression{64403};
inline constexpr StrFormat<int, int> FindCount{64404};    // current hit, hits
inline constexpr StrFormat<int> FindBadExpression{64405}; // character
inline constexpr StrText FindPreviousTip{64406};
inline constexpr StrText FindNextTip{64407};
inline constexpr StrText FindCloseTip{64408};
// Menu items of the find bar and the mentions window.
inline constexpr StrText MenuFind{64410};
inline constexpr StrText MenuFindNext{64411};
inline constexpr StrText MenuFindPrevious{64412};
inline constexpr StrText MenuMentions{64413};
// The mentions window.
inline constexpr StrText MentionsTitle{64420};
inline constexpr StrFormat<int> MentionsTitleUnread{64421}; // unread lines
inline constexpr StrText MentionsTime{64422};
inline constexpr StrText MentionsNetwork{64423};
inline constexpr StrText MentionsWindow{64424};
inline constexpr StrText MentionsNick{64425};
inline constexpr StrText MentionsText{64426};
inline constexpr StrText MentionsHint{64427};
inline constexpr StrText MentionsMarkAllRead{64428};
// The highlight words of the settings.
inline constexpr StrText HighlightWords{64430};
inline constexpr StrText HighlightWordsHelp{64431};
// Desktop notifications and the secret store.
inline constexpr StrFormat<const char *, const char *> AlertInWindow{65000}; // sender, window
inline constexpr StrText NotificationsGroup{65001};
inline constexpr StrText DesktopNotificationsBox{65002};
inline constexpr StrText AlertShowAction{65003};
inline constexpr StrFormat<const char *> SecretsInFile{65010}; // why the store did not answer
inline constexpr StrFormat<int> SecretsMoved{65011};
inline constexpr StrFormat<const char *> SecretUnreadable{65012}; // the key of the password
// Direct connections: how they end, where offers lead, resuming, the own address.
inline constexpr StrFormat<const char *, const char *, const char *> DccTransferFailed{64800}; // file, peer, reason
inline constexpr StrFormat<const char *, const char *> DccChatFailed{64801};                    // peer, reason
inline constexpr StrText DccReasonRefused{64802};
inline constexpr StrText DccReasonTimedOut{64803};
inline constexpr StrFormat<int, const char *, const char *> DccReasonPeerClosed{64804}; // percent, done, size
inline constexpr StrText DccReasonDiskFull{64805};
inline constexpr StrText DccReasonFolderNotWritable{64806};
inline constexpr StrText DccReasonFileVanished{64807};
inline constexpr StrText DccReasonCancelled{64808};
inline constexpr StrFormat<const char *, const char *, const char *, const char *> DccChatOfferAt{64810}; // open, nick, where, close
inline constexpr StrFormat<const char *, const char *, const char *, const char *, const char *, const char *>
    DccFileOfferAt{64811};                                                         // open, nick, file, size, where, close
inline constexpr StrFormat<const char *, const char *> DccAddressWarning{64812}; // where, kind of address
inline constexpr StrText AddressLoopback{64813};
inline constexpr StrText AddressPrivate{64814};
inline constexpr StrText AddressLinkLocal{64815};
inline constexpr StrText AddressMulticast{64816};
inline constexpr StrText AddressBroadcast{64817};
inline constexpr StrText AddressReserved{64818};
inline constexpr StrFormat<const char *, const char *, const char *> DccConfirmTarget{64819}; // nick, where, kind
inline constexpr StrFormat<const char *, const char *, const char *> DccChatRequestAt{64820}; // nick, address, where
inline constexpr StrFormat<const char *, const char *, const char *, const char *, const char *>
    DccFileRequestAt{64821}; // nick, address, file, size, where
inline constexpr StrFormat<const char *, const char *> DccRequestWarning{64822}; // where, kind of address
inline constexpr StrFormat<const char *, const char *, const char *> DccResumeQuestion{64830}; // path, has, size
inline constexpr StrText ResumeButton{64831};
inline constexpr StrText OverwriteButton{64832};
inline constexpr StrText CancelButton{64833};
inline constexpr StrFormat<const char *, const char *, const char *> DccResumeAsked{64834};    // nick, file, offset
inline constexpr StrFormat<const char *, const char *, const char *> DccResumeAnswered{64835}; // nick, file, offset
inline constexpr StrText DccChatEnded{64840};
inline constexpr StrText DccOwnAddressLabel{64850};
inline constexpr StrText DccPortRangeLabel{64851};
inline constexpr StrFormat<const char *> DccBadOwnAddress{64852}; // address
inline constexpr StrFormat<const char *> DccBadPortRange{64853};  // range
inline constexpr StrText DccNetworkGroup{64854};
inline constexpr StrFormat<const char *> DccPassiveOffered{64860}; // nick
inline constexpr StrFormat<const char *> DccPassiveWhere{64861};   // the offer's address
// Typing and sending: the pace of the lines sent, the paste question, spell checking.
inline constexpr StrText SendingGroup{65100};
inline constexpr StrText SendingGroupHelp{65101};
inline constexpr StrText SendInterval{65102};
inline constexpr StrText SendIntervalHelp{65103};
inline constexpr StrText SpellCheck{65104};
inline constexpr StrText SpellCheckHelp{65105};
inline constexpr StrText SpellLanguage{65106};
inline constexpr StrText SpellLanguageHelp{65107};
inline constexpr StrText SpellNoDictionary{65108};
inline constexpr StrText PasteTitle{65110};
inline constexpr StrFormat<int> PastePrompt{65111};   // number of lines
inline constexpr StrFormat<int> PasteSendLines{65112}; // number of lines
inline constexpr StrText PasteJoinLines{65113};
inline constexpr StrText PasteCancel{65114};
inline constexpr StrText SpellAddToDictionary{65120};
inline constexpr StrText SpellNoSuggestions{65121};
// The transfers window and its rows.
inline constexpr StrText MenuTransfers{64900};
inline constexpr StrText TransfersTitle{64901};
inline constexpr StrText TransferDirectionColumn{64902};
inline constexpr StrText TransferNickColumn{64903};
inline constexpr StrText TransferFileColumn{64904};
inline constexpr StrText TransferSizeColumn{64905};
inline constexpr StrText TransferProgressColumn{64906};
inline constexpr StrText TransferSpeedColumn{64907};
inline constexpr StrText TransferTimeLeftColumn{64908};
inline constexpr StrText TransferStateColumn{64909};
inline constexpr StrText TransferReceive{64910};
inline constexpr StrText TransferSend{64911};
inline constexpr StrText TransferWaiting{64912};
inline constexpr StrText TransferRunning{64913};
inline constexpr StrText TransferDone{64914};
inline constexpr StrFormat<const char *> TransferFailed{64915}; // reason
inline constexpr StrFormat<const char *> TransferSpeed{64916};  // size
inline constexpr StrText TransferCancelButton{64920};
inline constexpr StrText TransferResumeButton{64921};
inline constexpr StrText TransferOpenFileButton{64922};
inline constexpr StrText TransferOpenFolderButton{64923};
inline constexpr StrText TransferClearButton{64924};
inline constexpr StrText TransferResumeTip{64925};
// Why a transfer ended without its whole file.
inline constexpr StrText TransferCancelled{64930};
// A connected chat that a newer chat with the same nick replaces.
inline constexpr StrFormat<const char *> DccChatReplaced{64940}; // nick
// The folder received files are saved in (the settings).
inline constexpr StrText DccFolderLabel{64941};
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
