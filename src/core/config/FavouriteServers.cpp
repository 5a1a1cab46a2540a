#include "config/FavouriteServers.h"

#include "config/AppSettings.h"
#include "config/Config.h"
#include "config/ConfigChanges.h"
#include "config/FavouriteChannels.h"
#include "config/ServerPort.h"
#include "config/StoredSecrets.h"
#include "text/CaseFold.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

const char *const kServers = "Servers";
const char *const kServersData = "Servers Data";
const char *const kLoggingOff = "Logging Off";
const char *const kDefaultServer = "Default Server";

std::string RecordOf(const ServerEntry &entry)
{
    const ServerPort port{static_cast<unsigned>(entry.port), entry.tls};
    return entry.host + " " + port.Text() + " " + (entry.autoConnect ? "1" : "0");
}

std::string IdentityRecordOf(const ServerIdentity &identity)
{
    return identity.nick + " " + identity.email + " " + (identity.invisible ? "1" : "0") + " "
        + (identity.updateNick ? "1" : "0") + " " + identity.fullName;
}

ServerIdentity IdentityOf(const ServerEntry &entry)
{
    return {entry.nick, entry.email, entry.invisible, entry.updateNick, entry.fullName};
}

ServerRecord ParseRecord(const std::string &record)
{
    ServerRecord parsed;
    parsed.host = RecordField(record, 1);
    parsed.port = ServerPort::Parse(RecordField(record, 2));
    parsed.autoConnect = std::atoi(RecordField(record, 3).c_str()) == 1;
    return parsed;
}

ServerIdentity ParseIdentity(const std::string &record)
{
    ServerIdentity identity;
    identity.nick = RecordField(record, 1);
    identity.email = RecordField(record, 2);
    identity.invisible = RecordField(record, 3) == "1";
    identity.updateNick = RecordField(record, 4) == "1";
    identity.fullName = RecordRest(record, 5);
    return identity;
}

ServerEntryCheck Refused(ServerEntryProblem field, Refusal reason)
{
    return {field, reason};
}

} // namespace

ServerEntryCheck CheckServerEntry(const ServerEntry &entry)
{
    // The host before the name: the welcome names a server typed in after its host.
    if (Refusal reason = CheckHost(entry.host))
        return Refused(ServerEntryProblem::BadHost, reason);
    if (Refusal reason = CheckPort(ServerPort{static_cast<unsigned>(std::max(entry.port, 0)), entry.tls}.Text()))
        return Refused(ServerEntryProblem::BadPort, reason);
    if (Refusal reason = CheckServerName(entry.name))
        return Refused(ServerEntryProblem::BadName, reason);
    if (!entry.ownIdentity)
        return {};
    // The record is blank-separated and read back trimmed: an empty nick
    // would shift every later field.
    if (Refusal reason = CheckNick(entry.nick))
        return Refused(ServerEntryProblem::BadNick, reason);
    if (Refusal reason = CheckEmail(entry.email))
        return Refused(ServerEntryProblem::BadEmail, reason);
    return {};
}

std::vector<std::string> FavouriteServers::SavedNames()
{
    std::vector<std::string> names;
    ReadSectionKeys(kServers, names);
    return names;
}

std::optional<ServerRecord> FavouriteServers::Record(const std::string &name)
{
    const std::string record = name.empty() ? std::string() : ReadString(kServers, name);
    if (record.empty())
        return std::nullopt;
    return ParseRecord(record);
}

std::string FavouriteServers::NameAt(const std::string &host, unsigned port, bool tls)
{
    std::string found;
    // The last one of the file, as sessions have always been named.
    for (const std::string &name : SavedNames()) {
        const ServerRecord record = ParseRecord(ReadString(kServers, name));
        if (EqualIgnoringCase(record.host, host) && record.port.port == port && record.port.tls == tls)
            found = name;
    }
    return found;
}

bool FavouriteServers::HasHost(const std::string &host)
{
    for (const std::string &name : SavedNames())
        if (EqualIgnoringCase(ParseRecord(ReadString(kServers, name)).host, host))
            return true;
    return false;
}

bool FavouriteServers::AddHost(const std::string &host, const ServerPort &port)
{
    ConfigChanges changes;
    changes.Set(kServers, host, host + " " + port.Text() + " 1");
    return changes.Write();
}

std::optional<ServerIdentity> FavouriteServers::Identity(const std::string &name)
{
    const std::string record = name.empty() ? std::string() : ReadString(kServersData, name);
    if (record.empty())
        return std::nullopt;
    return ParseIdentity(record);
}

bool FavouriteServers::SetIdentityNick(const std::string &name, const std::string &nick)
{
    std::optional<ServerIdentity> identity = Identity(name);
    if (!identity || CheckNick(nick))
        return false;
    identity->nick = nick;
    ConfigChanges changes;
    changes.Set(kServersData, name, IdentityRecordOf(*identity));
    return changes.Write();
}

std::string FavouriteServers::Password(const std::string &name)
{
    return name.empty() ? std::string() : ReadPassword(name);
}

std::string FavouriteServers::DefaultServer()
{
    return ReadString(kDefaultServer);
}

void FavouriteServers::Load()
{
    m_items.clear();
    m_default.clear();
    ReadSectionKeys(kServers, m_loadedNames);
    for (const std::string &name : m_loadedNames) {
        Item item;
        item.fileName = name;
        ServerEntry &entry = item.entry;
        entry.name = name;
        const ServerRecord record = ParseRecord(ReadString(kServers, name));
        entry.host = record.host;
        entry.port = static_cast<int>(record.port.port);
        entry.tls = record.port.tls;
        entry.autoConnect = record.autoConnect;
        entry.password = StoredSecrets::ForEditing(ReadString(kPasswordsSection, name));
        entry.usePassword = !entry.password.empty();
        const std::optional<ServerIdentity> identity = Identity(name);
        entry.ownIdentity = identity.has_value();
        if (identity) {
            entry.nick = identity->nick;
            entry.email = identity->email;
            entry.invisible = identity->invisible;
            entry.updateNick = identity->updateNick;
            entry.fullName = identity->fullName;
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
        AppSettings base;
        LoadBehaviour(base);
        entry.nick = base.m_nick;
        entry.email = base.m_email;
        entry.invisible = base.m_invisible;
        entry.fullName = base.m_fullName;
        entry.updateNick = base.m_updateNick;
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

void FavouriteServers::SetDefault(const std::string &name)
{
    m_default = name;
}

bool FavouriteServers::Save()
{
    for (const Item &item : m_items)
        if (item.changed && CheckServerEntry(item.entry).field != ServerEntryProblem::None)
            return false;
    const std::string defaultServer = DefaultServer();
    std::string newDefault = m_default.empty() ? defaultServer : m_default;
    std::vector<FavouriteChannels::GroupMove> moves;
    for (const Item &item : m_items)
        if (!item.fileName.empty() && item.fileName != item.entry.name) {
            moves.emplace_back(item.fileName, item.entry.name);
            if (EqualIgnoringCase(newDefault, item.fileName))
                newDefault = item.entry.name;
        }

    ConfigChanges changes;
    for (const FavouriteChannels::GroupMove &move : moves)
        move.AddDeletions(changes);
    // Names of the file that no entry has any more: deleted or renamed away.
    for (const std::string &name : m_loadedNames)
        if (!IsNameInUse(name))
            AddDeletions(changes, name);
    for (const Item &item : m_items)
        if (item.changed)
            AddEntryWrites(changes, item.entry);
    for (const FavouriteChannels::GroupMove &move : moves)
        move.AddWrites(changes);
    if (newDefault != defaultServer)
        changes.Set(kBaseSection, kDefaultServer, newDefault);
    const bool written = changes.Write();
    if (written)
        StoredSecrets::PasswordsWritten();
    Load();
    return written;
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

void FavouriteServers::AddEntryWrites(ConfigChanges &changes, const ServerEntry &entry)
{
    changes.Set(kServers, entry.name, RecordOf(entry));
    if (entry.usePassword && !entry.password.empty())
        changes.Set(kPasswordsSection, entry.name, entry.password);
    else
        changes.Delete(kPasswordsSection, entry.name);
    if (entry.ownIdentity)
        changes.Set(kServersData, entry.name, IdentityRecordOf(IdentityOf(entry)));
    else
        changes.Delete(kServersData, entry.name);
    if (entry.logging)
        changes.Delete(kLoggingOff, entry.name);
    else
        changes.SetBool(kLoggingOff, entry.name, true);
}

void FavouriteServers::AddDeletions(ConfigChanges &changes, const std::string &name)
{
    changes.Delete(kServers, name);
    changes.Delete(kServersData, name);
    changes.Delete(kLoggingOff, name);
    changes.Delete(kPasswordsSection, name);
}
