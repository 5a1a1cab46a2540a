#include "config/FavouriteChannels.h"

#include "config/Config.h"
#include "text/StrPrintf.h"

#include <cstdlib>

namespace {

constexpr const char *kGroupPrefix = "Channels Group ";

} // namespace

std::string FavouriteChannels::GroupSection(const std::string &server)
{
    return kGroupPrefix + server;
}

std::string FavouriteChannels::PasswordKey(const std::string &server, const std::string &channel)
{
    return StrPrintf("%s - %s", server.c_str(), channel.c_str());
}

std::vector<std::string> FavouriteChannels::Names(const std::string &server)
{
    std::vector<std::string> names;
    ReadSectionKeys(GroupSection(server), names);
    return names;
}

FavouriteChannel FavouriteChannels::Read(const std::string &server, const std::string &name)
{
    FavouriteChannel channel;
    channel.name = name;
    channel.autoJoin = std::atoi(RecordField(ReadString(GroupSection(server), name), 2).c_str()) != 0;
    channel.key = ReadPassword(PasswordKey(server, name));
    return channel;
}

bool FavouriteChannels::CanStoreName(const std::string &name)
{
    return !name.empty() && name.find_first_of(std::string(" \t\r\n=\0", 6)) == std::string::npos;
}

bool FavouriteChannels::Write(const std::string &server, const FavouriteChannel &channel, const std::string &oldServer,
                              const std::string &oldName)
{
    if (!CanStoreName(channel.name) || server.empty())
        return false;
    const std::string section = GroupSection(server);
    const std::string record = StrPrintf("%s %d", channel.name.c_str(), channel.autoJoin ? 1 : 0);
    if (!WriteString(section, channel.name, record))
        return false;
    const bool moved = !oldName.empty() && (oldName != channel.name || (!oldServer.empty() && oldServer != server));
    if (moved)
        WriteString(GroupSection(oldServer.empty() ? server : oldServer), oldName);
    const std::string passwordKey = PasswordKey(server, channel.name);
    if (channel.key.empty())
        return WriteString(kPasswordsSection, passwordKey);
    return WriteString(kPasswordsSection, passwordKey, channel.key);
}

bool FavouriteChannels::Remove(const std::string &server, const std::string &name)
{
    return WriteString(GroupSection(server), name);
}
