#include "session/IgnoreList.h"

#include <algorithm>
#include <cstdlib>

#include "session/Session.h"
#include "text/CaseFold.h"
#include "text/StrPrintf.h"
#include "text/Strings.h"
#include "text/Words.h"

namespace {

int EntryFlags(const std::string &entry)
{
    return std::atoi(GetWord(entry, 2).c_str());
}

bool IsEntryFor(const std::string &entry, const std::string &address)
{
    return EqualIgnoringCase(GetWord(entry, 1), address);
}

// The text of a PRIVMSG starts after the colon of word 4: a CTCP message has
// the byte 1 right there.
bool IsCtcpText(const std::string &line)
{
    const std::string first = GetWord(line, 4);
    return first.size() > 1 && first[1] == '\x01';
}

} // namespace

bool IgnoreList::IsIgnored(const std::vector<std::string> &list, const std::string &ownNick, const std::string &line)
{
    if (list.empty() || CountWords(line) <= 3)
        return false;
    // Server lines carry no address; an entry can never stand for them.
    const std::string address = HostFromPrefix(GetWord(line, 1));
    if (address.empty())
        return false;
    auto match =
        std::find_if(list.begin(), list.end(), [&](const std::string &entry) { return IsEntryFor(entry, address); });
    if (match == list.end())
        return false;

    const int flags = EntryFlags(*match);
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

void IgnoreList::Add(std::vector<std::string> &list, const std::string &host, int flags, int minutes, int64_t now)
{
    if (host.empty() || host.find(' ') != std::string::npos)
        return;
    auto old =
        std::find_if(list.begin(), list.end(), [&](const std::string &entry) { return IsEntryFor(entry, host); });
    if (old != list.end()) {
        flags |= EntryFlags(*old);
        list.erase(old);
    }
    list.push_back(FormatEntry(host, flags, minutes, now));
}

bool IgnoreList::Remove(std::vector<std::string> &list, const std::string &address)
{
    auto entry = std::find_if(list.begin(), list.end(), [&](const std::string &e) { return IsEntryFor(e, address); });
    if (entry == list.end())
        return false;
    list.erase(entry);
    return true;
}

int IgnoreList::Expire(std::vector<std::string> &list, int64_t now)
{
    const size_t before = list.size();
    list.erase(std::remove_if(list.begin(), list.end(),
                              [now](const std::string &entry) {
                                  const int64_t minutes = std::atoll(GetWord(entry, 3).c_str());
                                  const int64_t since = std::atoll(GetWord(entry, 4).c_str());
                                  return minutes != 0 && now > since + minutes * 60;
                              }),
               list.end());
    return static_cast<int>(before - list.size());
}

bool IgnoreList::Change(std::vector<std::string> &list, const std::string &address, int flags, int minutes)
{
    auto entry = std::find_if(list.begin(), list.end(), [&](const std::string &e) { return IsEntryFor(e, address); });
    if (entry == list.end())
        return false;
    const int64_t since = std::atoll(GetWord(*entry, 4).c_str());
    *entry = FormatEntry(GetWord(*entry, 1), flags, minutes, since);
    return true;
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

std::string IgnoreList::FormatEntry(const std::string &host, int flags, int minutes, int64_t since)
{
    return StrPrintf("%s %d %d %lld", host.c_str(), flags, minutes, static_cast<long long>(since));
}
