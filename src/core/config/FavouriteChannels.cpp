#include "config/FavouriteChannels.h"

#include "config/Config.h"
#include "config/ConfigChanges.h"
#include "config/StoredSecrets.h"
#include "text/CaseFold.h"
#include "text/StrPrintf.h"

#include <cstdlib>

namespace {

constexpr const char *kGroupPrefix = "Channels Group ";

std::string RecordOf(const FavouriteChannel &channel)
{
    return StrPrintf("%s %d", channel.name.c_str(), channel.autoJoin ? 1 : 0);
}

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

bool FavouriteChannels::Contains(const std::string &server, const std::string &name)
{
    return !name.empty() && !ReadString(GroupSection(server), name).empty();
}

FavouriteChannel FavouriteChannels::Read(const std::string &server, const std::string &name)
{
    FavouriteChannel channel;
    channel.name = name;
    channel.autoJoin = std::atoi(RecordField(ReadString(GroupSection(server), name), 2).c_str()) != 0;
    channel.key = StoredSecrets::ForEditing(ReadString(kPasswordsSection, PasswordKey(server, name)));
    return channel;
}

bool FavouriteChannels::Write(const std::string &server, const FavouriteChannel &channel, const std::string &oldServer,
                              const std::string &oldName)
{
    if (CheckChannelName(channel.name) || server.empty())
        return false;
    ConfigChanges changes;
    // The file compares keys without regard to case: a rename by case only
    // replaces the line in place, any other one deletes the old line first.
    const std::string fromServer = oldServer.empty() ? server : oldServer;
    if (!oldName.empty() && (!EqualIgnoringCase(oldName, channel.name) || !EqualIgnoringCase(fromServer, server)))
        changes.Delete(GroupSection(fromServer), oldName);
    changes.Set(GroupSection(server), channel.name, RecordOf(channel));
    const std::string passwordKey = PasswordKey(server, channel.name);
    if (channel.key.empty())
        changes.Delete(kPasswordsSection, passwordKey);
    else
        changes.Set(kPasswordsSection, passwordKey, channel.key);
    if (!changes.Write())
        return false;
    StoredSecrets::PasswordsWritten();
    return true;
}

FavouriteChannels::AddResult FavouriteChannels::Add(const std::string &server, const std::string &name, bool autoJoin)
{
    if (Contains(server, name))
        return AddResult::AlreadyThere;
    if (CheckChannelName(name) || server.empty())
        return AddResult::Refused;
    ConfigChanges changes;
    changes.Set(GroupSection(server), name, RecordOf({name, autoJoin, {}}));
    return changes.Write() ? AddResult::Added : AddResult::Refused;
}

bool FavouriteChannels::Remove(const std::string &server, const std::string &name)
{
    ConfigChanges changes;
    changes.Delete(GroupSection(server), name);
    return changes.Write();
}

FavouriteChannels::GroupMove::GroupMove(const std::string &from, const std::string &to) : m_from(from), m_to(to)
{
    // Only the keys of the group's own channels: "A - B - #x" belongs to
    // server "A - B", not to a channel "B - #x" of server A.
    for (const std::string &channel : Names(from)) {
        m_lines.emplace_back(channel, ReadString(GroupSection(from), channel));
        // As the file has it: a reference to the secret store moves as it is.
        const std::string key = ReadString(kPasswordsSection, PasswordKey(from, channel));
        if (!key.empty())
            m_keys.emplace_back(channel, key);
    }
}

void FavouriteChannels::GroupMove::AddDeletions(ConfigChanges &changes) const
{
    for (const auto &[channel, record] : m_lines)
        changes.Delete(GroupSection(m_from), channel);
    for (const auto &[channel, key] : m_keys)
        changes.Delete(kPasswordsSection, PasswordKey(m_from, channel));
}

void FavouriteChannels::GroupMove::AddWrites(ConfigChanges &changes) const
{
    for (const auto &[channel, record] : m_lines)
        changes.Set(GroupSection(m_to), channel, record);
    for (const auto &[channel, key] : m_keys)
        changes.Set(kPasswordsSection, PasswordKey(m_to, channel), key);
}
