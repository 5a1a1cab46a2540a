#include "session/WhoActions.h"

#include <cstdlib>
#include <ctime>

#include "session/IgnoreList.h"
#include "session/Session.h"
#include "text/CaseFold.h"
#include "text/StrPrintf.h"
#include "text/Words.h"

namespace {

// Whether the entry's first word (its mask) names the nick. Kept cheap: the
// queue may hold thousands of entries that every reply is checked against.
bool IsEntryForNick(const std::string &entry, const std::string &nick)
{
    const std::string_view mask = std::string_view(entry).substr(0, entry.find(' '));
    return EqualIgnoringCase(mask, nick);
}

void CarryOut(Session &session, const std::string &entry, const std::string &host)
{
    // The user asked for the ban and the kick: they do not wait behind the WHO polls.
    Session::UserLines user(session);
    const std::string option = GetWord(entry, 2);
    const std::string argument = GetWord(entry, 3);
    const bool ban = EqualIgnoringAsciiCase(option, "-ban");
    const bool banKick = EqualIgnoringAsciiCase(option, "-bankick");
    if (ban || banKick)
        session.SendLine(StrPrintf("MODE %s +b *!*@%s", argument.c_str(), host.c_str()));
    if (banKick) {
        session.SendLine(
            StrPrintf("KICK %s %s :\"%s\"", argument.c_str(), GetWord(entry, 1).c_str(), GetRest(entry, 4).c_str()));
    }
    if (EqualIgnoringAsciiCase(option, "-ignore")) {
        const int flags = std::atoi(argument.c_str());
        const int minutes = std::atoi(GetWord(entry, 4).c_str());
        IgnoreList::Add(session.Ignores(), host, flags, minutes, static_cast<int64_t>(std::time(nullptr)));
    }
}

} // namespace

std::string WhoActions::MakeEntry(const std::string &commandLine)
{
    const int count = CountWords(commandLine);
    if (count < 3)
        return std::string();
    const std::string word3 = GetWord(commandLine, 3);
    const bool banOption = EqualIgnoringAsciiCase(word3, "-ban") || EqualIgnoringAsciiCase(word3, "-bankick");
    const bool recognised = (banOption && count >= 4) || EqualIgnoringAsciiCase(word3, "-ignore");
    const std::string option = recognised ? word3 : std::string();
    const std::string argument = recognised ? GetWord(commandLine, 4) : std::string();
    const std::string rest = recognised ? GetRest(commandLine, 5) : std::string();
    return StrPrintf("%s %s %s %s", GetWord(commandLine, 2).c_str(), option.c_str(), argument.c_str(), rest.c_str());
}

int WhoActions::RunReply(Session &session, const std::string &replyLine)
{
    const std::string host = GetWord(replyLine, 6);
    const std::string nick = GetWord(replyLine, 8);
    if (nick.empty())
        return 0;

    // Take the entries out first, then act: acting may send and print, and
    // must not see the queue half-scanned.
    const std::vector<std::string> due =
        session.TakeWhoActions([&nick](const std::string &entry) { return IsEntryForNick(entry, nick); });
    if (!host.empty()) {
        for (const std::string &entry : due)
            CarryOut(session, entry, host);
    }
    return static_cast<int>(due.size());
}
