#include "config/WelcomeChoice.h"

#include "config/Config.h"
#include "config/FavouriteServers.h"

#include <vector>

namespace {

// The server of the choice over what an entry of that name already holds.
ServerEntry EntryOf(const WelcomeChoice &choice, ServerEntry entry)
{
    entry.name = choice.serverName;
    entry.host = choice.host;
    entry.port = static_cast<int>(choice.port.port);
    entry.tls = choice.port.tls;
    entry.autoConnect = true;
    return entry;
}

} // namespace

ServerEntryProblem CheckWelcomeServer(const WelcomeChoice &choice)
{
    return CheckServerEntry(EntryOf(choice, ServerEntry{}));
}

bool SaveWelcomeChoice(const WelcomeChoice &choice)
{
    FavouriteServers servers;
    servers.Load();
    ServerEntry entry = EntryOf(choice, servers.ForEditing(choice.serverName));
    if (entry.ownIdentity) {
        entry.nick = choice.nick;
        entry.fullName = choice.fullName;
    }
    if (CheckServerEntry(entry) != ServerEntryProblem::None)
        return false;
    servers.Put(entry, choice.serverName);
    return servers.Save() && WriteString(kBaseSection, "Default Server", choice.serverName)
        && WriteString(kBaseSection, "Nick", choice.nick)
        && WriteString(kBaseSection, "User Full Name", choice.fullName);
}

bool HasNoFavouriteServer()
{
    std::vector<std::string> servers;
    return ReadSectionKeys("Servers", servers) == 0;
}
