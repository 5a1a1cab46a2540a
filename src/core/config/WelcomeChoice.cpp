#include "config/WelcomeChoice.h"

#include "config/Config.h"
#include "config/FavouriteServers.h"

#include <vector>

bool SaveWelcomeChoice(const WelcomeChoice &choice)
{
    FavouriteServers servers;
    servers.Load();
    ServerEntry entry = servers.ForEditing(choice.serverName);
    entry.name = choice.serverName;
    entry.host = choice.host;
    entry.port = static_cast<int>(choice.port.port);
    entry.tls = choice.port.tls;
    entry.autoConnect = true;
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
