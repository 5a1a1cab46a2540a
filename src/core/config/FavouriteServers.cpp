#include "config/FavouriteServers.h"

#include "config/Config.h"
#include "config/ServerPort.h"
#include "platform/Profile.h"
#include "text/CaseFold.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

const char *const kServers = "Servers";
const char *const kServersData = "Servers Data";
const char *const kLoggingOff = "Logging Off";
const char *const kDefaultServer = "Default Server";

std::string ChannelGroup(const std::string &server)
{
    return "Channels Group " + server;
}

// The "Passwords" key of a favourite channel's key.
std::string ChannelKeyPrefix(const std::string &server)
{
    return server + " - ";
}

bool HasBlank(const std::string &text)
{
    return text.find_first_of(" \t") != std::string::npos;
}

bool HasLineBreak(const std::string &text)
{
    return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

std::string RecordOf(const ServerEntry &entry)
{
    const ServerPort port{static_cast<unsigned>(entry.port), entry.tls};
    return entry.host + " " + port.Text() + " " + (entry.autoConnect ? "1" : "0");
}

std::string IdentityRecordOf(const ServerEntry &entry)
{
    return entry.nick + " " + entry.email + " " + (entry.invisible ? "1" : "0") + " " + (entry.updateNick ? "1" : "0")
        + " " + entry.fullName;
}

using KeyValues = std::vector<std::pair<std::string, std::string>>;

// What a renamed entry takes along: its favourite channels and their keys,
// read before anything is deleted so that renames in a chain (B to C, then
// A to B) each carry their own.
struct Favourites
{
    std::string from, to;
    KeyValues channels;    // key, value of the channel group
    KeyValues channelKeys; // channel, key from "Passwords"
};

Favourites ReadFavourites(const std::string &from, const std::string &to)
{
    Favourites favourites{from, to, {}, {}};
    std::vector<std::string> keys;
    ReadSectionKeys(ChannelGroup(from), keys);
    for (const std::string &key : keys)
        favourites.channels.emplace_back(key, ReadString(ChannelGroup(from), key));
    const std::string prefix = ChannelKeyPrefix(from);
    ReadSectionKeys(kPasswordsSection, keys);
    for (const std::string &key : keys)
        if (key.size() > prefix.size() && EqualIgnoringCase(key.substr(0, prefix.size()), prefix))
            favourites.channelKeys.emplace_back(key.substr(prefix.size()), ReadPassword(key));
    return favourites;
}

bool DeleteFavourites(const Favourites &favourites)
{
    bool ok = true;
    for (const auto &[key, value] : favourites.channels)
        ok = WriteString(ChannelGroup(favourites.from), key) && ok;
    for (const auto &[channel, key] : favourites.channelKeys)
        ok = WriteString(kPasswordsSection, ChannelKeyPrefix(favourites.from) + channel) && ok;
    return ok;
}

bool WriteFavourites(const Favourites &favourites)
{
    bool ok = true;
    for (const auto &[key, value] : favourites.channels)
        ok = WriteString(ChannelGroup(favourites.to), key, value) && ok;
    for (const auto &[channel, key] : favourites.channelKeys)
        ok = WriteString(kPasswordsSection, ChannelKeyPrefix(favourites.to) + channel, key) && ok;
    return ok;
}

} // namespace

ServerEntryProblem CheckServerEntry(const ServerEntry &entry)
{
    if (!Profile::IsStorableKey(entry.name) || !Profile::IsStorableSection(ChannelGroup(entry.name))
        || HasLineBreak(entry.name))
        return ServerEntryProblem::BadName;
    if (entry.host.empty() || HasBlank(entry.host) || HasLineBreak(entry.host))
        return ServerEntryProblem::BadHost;
    if (entry.port < 1 || entry.port > 65535)
        return ServerEntryProblem::BadPort;
    if (entry.ownIdentity && (HasBlank(entry.nick) || HasLineBreak(entry.nick)))
        return ServerEntryProblem::BadNick;
    if (entry.ownIdentity && (HasBlank(entry.email) || HasLineBreak(entry.email)))
        return ServerEntryProblem::BadEmail;
    return ServerEntryProblem::None;
}

void FavouriteServers::Load()
{
    m_items.clear();
    ReadSectionKeys(kServers, m_loadedNames);
    for (const std::string &name : m_loadedNames) {
        Item item;
        item.fileName = name;
        ServerEntry &entry = item.entry;
        entry.name = name;
        const std::string record = ReadString(kServers, name);
        entry.host = RecordField(record, 1);
        const ServerPort port = ServerPort::Parse(RecordField(record, 2));
        entry.port = static_cast<int>(port.port);
        entry.tls = port.tls;
        entry.autoConnect = std::atoi(RecordField(record, 3).c_str()) == 1;
        entry.password = ReadPassword(name);
        entry.usePassword = !entry.password.empty();
        const std::string identity = ReadString(kServersData, name);
        entry.ownIdentity = !identity.empty();
        if (entry.ownIdentity) {
            entry.nick = RecordField(identity, 1);
            entry.email = RecordField(identity, 2);
            entry.invisible = RecordField(identity, 3) == "1";
            entry.updateNick = RecordField(identity, 4) == "1";
            entry.fullName = RecordRest(identity, 5);
        }
        entry.logging = !ReadBool(kLoggingOff, name);
        m_items.push_back(std::move(item));
    }
}

std::vector<std::string> ServerEntriesWithLoggingOff()
{
    std::vector<std::string> keys;
    ReadSectionKeys(kLoggingOff, keys);
    std::erase_if(keys, [](const std::string &key) { return !ReadBool(kLoggingOff, key); });
    return keys;
}

std::vector<std::string> FavouriteServers::Names() const
{
    std::vector<std::string> names;
    for (const Item &item : m_items)
        names.push_back(item.entry.name);
    return names;
}

bool FavouriteServers::Contains(const std::string &name) const
{
    return Find(name) != nullptr;
}

ServerEntry FavouriteServers::ForEditing(const std::string &name) const
{
    const Item *item = Find(name);
    ServerEntry entry = item ? item->entry : ServerEntry();
    if (!entry.ownIdentity) {
        entry.nick = ReadString("Nick");
        entry.email = ReadString("User E-Mail");
        entry.invisible = ReadBool("InVisible");
        entry.fullName = ReadString("User Full Name");
        entry.updateNick = ReadBool("Update Nick");
    }
    return entry;
}

void FavouriteServers::Put(const ServerEntry &entry, const std::string &oldName)
{
    Item *edited = oldName.empty() ? nullptr : Find(oldName);
    Item *sameName = Find(entry.name);
    if (edited && sameName && sameName != edited) {
        const std::string keep = edited->entry.name;
        m_items.erase(m_items.begin() + (sameName - m_items.data()));
        edited = Find(keep);
    } else if (!edited) {
        edited = sameName;
    }
    if (!edited) {
        m_items.push_back(Item());
        edited = &m_items.back();
    }
    edited->entry = entry;
    edited->changed = true;
}

void FavouriteServers::Remove(const std::string &name)
{
    if (const Item *item = Find(name))
        m_items.erase(m_items.begin() + (item - m_items.data()));
}

bool FavouriteServers::Save()
{
    const std::string defaultServer = ReadString(kDefaultServer);
    std::string newDefault = defaultServer;
    std::vector<Favourites> moves;
    for (const Item &item : m_items)
        if (!item.fileName.empty() && item.fileName != item.entry.name) {
            moves.push_back(ReadFavourites(item.fileName, item.entry.name));
            if (EqualIgnoringCase(defaultServer, item.fileName))
                newDefault = item.entry.name;
        }

    bool ok = true;
    for (const Favourites &move : moves)
        ok = DeleteFavourites(move) && ok;
    // Names of the file that no entry has any more: deleted or renamed away.
    for (const std::string &name : m_loadedNames)
        if (!IsNameInUse(name))
            ok = DeleteKeys(name) && ok;
    for (const Item &item : m_items)
        if (item.changed)
            ok = WriteEntry(item.entry) && ok;
    for (const Favourites &move : moves)
        ok = WriteFavourites(move) && ok;
    if (newDefault != defaultServer)
        ok = WriteString(kBaseSection, kDefaultServer, newDefault) && ok;
    Load();
    return ok;
}

FavouriteServers::Item *FavouriteServers::Find(const std::string &name)
{
    auto it = std::find_if(m_items.begin(), m_items.end(),
                           [&](const Item &item) { return EqualIgnoringCase(item.entry.name, name); });
    return it == m_items.end() ? nullptr : &*it;
}

const FavouriteServers::Item *FavouriteServers::Find(const std::string &name) const
{
    return const_cast<FavouriteServers *>(this)->Find(name);
}

bool FavouriteServers::IsNameInUse(const std::string &name) const
{
    return Find(name) != nullptr;
}

bool FavouriteServers::WriteEntry(const ServerEntry &entry)
{
    if (CheckServerEntry(entry) != ServerEntryProblem::None)
        return false;
    bool ok = WriteString(kServers, entry.name, RecordOf(entry));
    if (entry.usePassword && !entry.password.empty())
        ok = WriteString(kPasswordsSection, entry.name, entry.password) && ok;
    else
        ok = WriteString(kPasswordsSection, entry.name) && ok;
    if (entry.ownIdentity)
        ok = WriteString(kServersData, entry.name, IdentityRecordOf(entry)) && ok;
    else
        ok = WriteString(kServersData, entry.name) && ok;
    if (entry.logging)
        ok = WriteString(kLoggingOff, entry.name) && ok;
    else
        ok = WriteBool(kLoggingOff, entry.name, true) && ok;
    return ok;
}

bool FavouriteServers::DeleteKeys(const std::string &name)
{
    bool ok = WriteString(kServers, name);
    ok = WriteString(kServersData, name) && ok;
    ok = WriteString(kLoggingOff, name) && ok;
    return WriteString(kPasswordsSection, name) && ok;
}
