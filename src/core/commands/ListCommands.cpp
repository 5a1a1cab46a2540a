// The ignore list and the favourites.
#include <vector>

#include "commands/CommandHandlers.h"
#include "config/Config.h"
#include "config/FavouriteChannels.h"
#include "config/FavouriteServers.h"
#include "session/IgnoreList.h"
#include "session/Session.h"
#include "text/CaseFold.h"
#include "text/StrPrintf.h"
#include "text/Strings.h"
#include "text/TextClass.h"
#include "text/Words.h"

namespace {

// A missing or empty word gives the default.
int NumberOr(const std::string &word, int fallback)
{
    return word.empty() ? fallback : static_cast<int>(Commands::LeadingNumber(word));
}

int IgnoreAdd(Session &session, const std::string &line)
{
    const std::string nick = GetWord(line, 3);
    if (nick.empty())
        return 0;
    const int flags = NumberOr(GetWord(line, 4), IgnoreList::kDefaultFlags);
    const int minutes = NumberOr(GetWord(line, 5), 0);
    session.Command("", 0, StrPrintf("/who %s -ignore %d %d", nick.c_str(), flags, minutes));
    return 1;
}

int PrintIgnoreList(Session &session)
{
    // A copy: printing may run code that edits the list.
    const std::vector<IgnoreEntry> entries = session.Ignores();
    for (const IgnoreEntry &entry : entries)
        session.PrintStatus("%s", entry.Format().c_str());
    return 1;
}

// "krnl:<n>:<host>:<port>": the host is everything between the second and
// the last colon (so an IPv6 address stays whole).
bool SplitSessionKey(const std::string &key, std::string &host, std::string &port)
{
    const size_t first = key.find(':');
    const size_t second = first == std::string::npos ? first : key.find(':', first + 1);
    const size_t last = key.rfind(':');
    if (second == std::string::npos || last <= second)
        return false;
    host = key.substr(second + 1, last - second - 1);
    port = key.substr(last + 1);
    return !host.empty();
}

void AddFavouriteChannel(Session &session, const std::string &channel)
{
    // The group of the server's configuration name: the one read when the
    // session joins its favourite channels after the welcome. A favourite
    // already there keeps its auto-join flag and key.
    switch (FavouriteChannels::Add(session.ConfName(), channel, true)) {
    case FavouriteChannels::AddResult::Added:
        session.PrintTo("", TextClass::Info, Strings::Format(Str::ChannelAddedToFavourites, channel.c_str()));
        break;
    case FavouriteChannels::AddResult::AlreadyThere:
        session.PrintTo("", TextClass::Info, Strings::Format(Str::ChannelAlreadyFavourite, channel.c_str()));
        break;
    case FavouriteChannels::AddResult::Refused:
        break;
    }
}

void AddFavouriteServer(Session &session)
{
    std::string host, port;
    if (!SplitSessionKey(session.Key(), host, port) || FavouriteServers::HasHost(host))
        return;
    // A TLS session's port is stored as users write it, "+6697".
    const ServerPort serverPort = ServerPort::Parse((session.IsTls() ? "+" : "") + port);
    if (FavouriteServers::AddHost(host, serverPort))
        session.PrintTo("", TextClass::Info, Strings::Format(Str::ServerAddedToFavourites, host.c_str()));
}

} // namespace

namespace Commands {

int Ignore(Session &session, const std::string &, const std::string &line)
{
    if (CountWords(line) < 3)
        return 0;
    const std::string sub = GetWord(line, 2);
    if (EqualIgnoringAsciiCase(sub, "a") || EqualIgnoringAsciiCase(sub, "add"))
        return IgnoreAdd(session, line);
    if (EqualIgnoringAsciiCase(sub, "d") || EqualIgnoringAsciiCase(sub, "delete")) {
        IgnoreList::Remove(session.Ignores(), GetWord(line, 3));
        return 1;
    }
    if (EqualIgnoringAsciiCase(sub, "l") || EqualIgnoringAsciiCase(sub, "list"))
        return PrintIgnoreList(session);
    return 0;
}

int Favorite(Session &session, const std::string &, const std::string &line)
{
    if (CountWords(line) < 3)
        return 0;
    const std::string sub = GetWord(line, 2);
    const std::string name = GetWord(line, 3);
    if (EqualIgnoringAsciiCase(sub, "add")) {
        if (!name.empty() && name != session.Key())
            AddFavouriteChannel(session, name);
        AddFavouriteServer(session);
        return 1;
    }
    // Removing favourites is the favourites dialogs' work; accepted here.
    if (EqualIgnoringAsciiCase(sub, "rem") || EqualIgnoringAsciiCase(sub, "del"))
        return 1;
    return 0;
}

} // namespace Commands
