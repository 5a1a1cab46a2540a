#include "session/IgnoreList.h"

#include <algorithm>

#include "session/Session.h"
#include "text/CaseFold.h"
#include "text/Strings.h"
#include "text/Words.h"

namespace {

// The text of a PRIVMSG starts after the colon of word 4: a CTCP message has
// the byte 1 right there.
bool IsCtcpText(const std::string &line)
{
    const std::string first = GetWord(line, 4);
    return first.size() > 1 && first[1] == '\x01';
}

// The first entry of the address in a list, const or not.
template <typename List>
auto EntryOf(List &list, const std::string &address)
{
    return std::find_if(list.begin(), list.end(), [&](const IgnoreEntry &entry) { return entry.IsFor(address); });
}

} // namespace

bool IgnoreList::IsIgnored(const std::vector<IgnoreEntry> &list, const std::string &ownNick, const std::string &line)
{
    if (list.empty() || CountWords(line) <= 3)
        return false;
    // Server lines carry no address; an entry can never stand for them.
    const std::string address = HostFromPrefix(GetWord(line, 1));
    if (address.empty())
        return false;
    const IgnoreEntry *match = Find(list, address);
    if (!match)
        return false;

    const int flags = match->flags;
    if (flags == Everything)
        return true;
    if (GetWord(line, 2) != "PRIVMSG")
        return false;
    const bool ctcp = IsCtcpText(line);
    const bool toMe = EqualIgnoringCase(GetWord(line, 3), ownNick);
    if ((flags & ChannelText) && !toMe && !ctcp)
        return true;
    if ((flags & PrivateText) && toMe && !ctcp)
        return true;
    return (flags & Ctcp) && ctcp;
}

bool IgnoreList::IsIgnored(const Session &session, const std::string &line)
{
    return IsIgnored(session.Ignores(), session.Nick(), line);
}

void IgnoreList::Add(std::vector<IgnoreEntry> &list, const std::string &host, int flags, int minutes, int64_t now)
{
    if (host.empty() || host.find(' ') != std::string::npos)
        return;
    const auto old = EntryOf(list, host);
    if (old != list.end()) {
        flags |= old->flags;
        list.erase(old);
    }
    list.push_back({host, flags, minutes, now});
}

bool IgnoreList::Remove(std::vector<IgnoreEntry> &list, const std::string &address)
{
    const auto entry = EntryOf(list, address);
    if (entry == list.end())
        return false;
    list.erase(entry);
    return true;
}

int IgnoreList::Expire(std::vector<IgnoreEntry> &list, int64_t now)
{
    return static_cast<int>(std::erase_if(list, [now](const IgnoreEntry &entry) { return entry.IsOver(now); }));
}

bool IgnoreList::Change(std::vector<IgnoreEntry> &list, const std::string &address, int flags, int minutes)
{
    const auto entry = EntryOf(list, address);
    if (entry == list.end())
        return false;
    entry->flags = flags;
    entry->minutes = minutes;
    return true;
}

const IgnoreEntry *IgnoreList::Find(const std::vector<IgnoreEntry> &list, const std::string &address)
{
    const auto entry = EntryOf(list, address);
    return entry == list.end() ? nullptr : &*entry;
}

std::string IgnoreList::FlagsText(int flags)
{
    if (flags == Everything)
        return Strings::Get(Str::IgnoreEverything);
    static const struct
    {
        int flag;
        StrText text;
    } kKinds[] = {
        {ChannelText, Str::IgnoreChannelText}, {PrivateText, Str::IgnorePrivateText}, {Ctcp, Str::IgnoreDirect}};
    std::string text;
    for (const auto &kind : kKinds) {
        if (!(flags & kind.flag))
            continue;
        if (!text.empty())
            text += ", ";
        text += Strings::Get(kind.text);
    }
    return text;
}
