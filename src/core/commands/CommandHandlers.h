#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class Conversation;
class Session;

// The built-in handlers of the command table (CommandDispatcher). Each takes
// the session, the issuing window's name (may be empty) and the whole line,
// and returns 1 when it did its work or 0 when the line has too few words or
// an unusable argument. Words count the command word as word 1.
namespace Commands {

// Conversation commands (ConversationCommands.cpp).
int Join(Session &session, const std::string &window, const std::string &line);
int Msg(Session &session, const std::string &window, const std::string &line);
int Notice(Session &session, const std::string &window, const std::string &line);
int Action(Session &session, const std::string &window, const std::string &line);
int Query(Session &session, const std::string &window, const std::string &line);
int Topic(Session &session, const std::string &window, const std::string &line);
int Mode(Session &session, const std::string &window, const std::string &line);
int Away(Session &session, const std::string &window, const std::string &line);
int Quote(Session &session, const std::string &window, const std::string &line);
int Nick(Session &session, const std::string &window, const std::string &line);
int Who(Session &session, const std::string &window, const std::string &line);
int Whois(Session &session, const std::string &window, const std::string &line);
// "/log on|off": the window's lines are logged or not; without a word, says which.
int Log(Session &session, const std::string &window, const std::string &line);

// Connection commands (ConnectionCommands.cpp).
int Server(Session &session, const std::string &window, const std::string &line);
int Quit(Session &session, const std::string &window, const std::string &line);
int Close(Session &session, const std::string &window, const std::string &line);
int RegUser(Session &session, const std::string &window, const std::string &line);
int Timer(Session &session, const std::string &window, const std::string &line);
// A new connection attempt at once, whatever waited or refused before.
int Reconnect(Session &session, const std::string &window, const std::string &line);

// List commands (ListCommands.cpp).
int Ignore(Session &session, const std::string &window, const std::string &line);
int Favorite(Session &session, const std::string &window, const std::string &line);

// The application's windows (WindowCommands.cpp).
int Search(Session &session, const std::string &window, const std::string &line);
int Debug(Session &session, const std::string &window, const std::string &line);
int Help(Session &session, const std::string &window, const std::string &line);

// Scripts (ScriptCommands.cpp).
int Load(Session &session, const std::string &window, const std::string &line);
int Unload(Session &session, const std::string &window, const std::string &line);

// Links (LinkCommand.cpp).
int Link(Session &session, const std::string &window, const std::string &line);
// The address "/link" opens for a text: "www." gets "http://"; only http,
// https, ftp and mailto addresses without control bytes are opened. Empty:
// refused.
std::string LinkAddress(const std::string &text);

// ---- helpers shared by the handlers ----

// The value of the leading decimal digits of a word; 0 without digits.
// Values past `limit` come back as limit + 1 (no overflow).
int64_t LeadingNumber(std::string_view word, int64_t limit = 2147483646);
// Seconds since 1970.
int64_t Now();
// Shows the conversation's window in front of the others.
void BringToFront(Conversation &window);

} // namespace Commands
