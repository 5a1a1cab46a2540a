#pragma once

#include <string>
#include <string_view>
#include <vector>

class Session;

// The handlers of Session::DispatchServerLine, by theme. Each takes the
// session and the whole server line (prefix first) and returns 1 when the
// line was handled, 0 when a numeric line is to be shown raw. Each first
// changes state (nick lists, topics, modes, session fields), then prints,
// then runs follow-up commands. A missing word is empty text.
namespace Dispatch {

// The fixed threshold of automatic WHO requests: after a NAMES list, and
// the away poll of a channel window, go out only below this many nicks.
constexpr int kWhoNickLimit = 300;

// Prefix-less lines (DispatchPrefixless.cpp).
int Ping(Session &session, const std::string &line);
int ServerNotice(Session &session, const std::string &line);
int Error(Session &session, const std::string &line);
// 464, 465: shown as ErrorReply shows them; no reconnection follows.
int RefusedForGood(Session &session, const std::string &line);

// Channel membership and state (DispatchChannel.cpp).
int Join(Session &session, const std::string &line);
int Part(Session &session, const std::string &line);
int Quit(Session &session, const std::string &line);
int Kick(Session &session, const std::string &line);
int Mode(Session &session, const std::string &line);
int Topic(Session &session, const std::string &line);
int TopicReply(Session &session, const std::string &line);   // 332, 333
int ChannelModes(Session &session, const std::string &line); // 324
int Names(Session &session, const std::string &line);        // 353
int NamesEnd(Session &session, const std::string &line);     // 366
int BanList(Session &session, const std::string &line);      // 367, 368

// Messages (DispatchMessages.cpp).
int Notice(Session &session, const std::string &line);
int Privmsg(Session &session, const std::string &line);
int AwayReply(Session &session, const std::string &line); // 305, 306

// Numeric replies (DispatchReplies.cpp).
int Welcome(Session &session, const std::string &line);     // 001, all but clearing `connecting`
int ErrorReply(Session &session, const std::string &line);  // 400 to 600
int ChannelList(Session &session, const std::string &line); // 321 to 323
int WhoisReply(Session &session, const std::string &line);  // 301, 311, 312, 317, 318, 319
int WhoReply(Session &session, const std::string &line);    // 352, 315

// IRCv3 (DispatchCapabilities.cpp).
int Cap(Session &session, const std::string &line);
int UnknownCommand(Session &session, const std::string &line); // 421: silent for CAP, else ErrorReply
int AwayNotify(Session &session, const std::string &line);     // AWAY of a member (away-notify)
int Account(Session &session, const std::string &line);        // ACCOUNT (account-notify)
int ChangeHost(Session &session, const std::string &line);     // CHGHOST
int Batch(Session &session, const std::string &line);          // BATCH +ref type / -ref

// ---- helpers shared by the handlers ----

// The decimal value of a command word made only of digits (at most nine);
// 0 for any other word.
int NumericValue(std::string_view word);
// The text after the first colon of the line; empty without a colon.
std::string AfterFirstColon(const std::string &line);
// "[ %04d ] %s" of an unhandled numeric with the text from word 4 on.
std::string RawNumericText(int value, const std::string &line);
// "%d.%m.%Y %H:%M" in local time of decimal seconds; empty for 0 or junk.
std::string TopicTimeText(std::string_view seconds);

} // namespace Dispatch
