#include "config/WelcomeChoice.h"

#include "config/AppSettings.h"
#include "config/Config.h"
#include "config/ConfigChanges.h"
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

ServerEntryCheck CheckWelcomeServer(const WelcomeChoice &choice)
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
    if (CheckServerEntry(entry).field != ServerEntryProblem::None)
        return false;
    servers.Put(entry, choice.serverName);
    servers.SetDefault(choice.serverName);
    if (!servers.Save())
        return false;
    AppSettings identity;
    identity.m_nick = choice.nick;
    identity.m_fullName = choice.fullName;
    ConfigChanges changes;
    AddIdentityChanges(changes, identity);
    return changes.Write();
}

bool HasNoFavouriteServer()
{
    // A file that cannot be read may well hold servers: no first start.
    return IsConfigReadable() && FavouriteServers::SavedNames().empty();
}
