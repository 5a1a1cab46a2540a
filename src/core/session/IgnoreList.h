#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "session/IgnoreEntry.h"

class Session;

// The ignore list of a session: one IgnoreEntry per ignored address, new
// entries at the tail. The list itself is Session::Ignores(); these functions
// work on it.
class IgnoreList
{
public:
    // Flag values of an entry. 0 is a value of its own: everything.
    enum Flags { Everything = 0, ChannelText = 1, PrivateText = 2, Ctcp = 4 };
    // What "/ignore add nick" ignores without further words.
    static constexpr int kDefaultFlags = PrivateText | Ctcp;

    // Whether a received line (the raw server line, prefix first) is to be
    // dropped before it is dispatched. ownNick is the session's nick: it
    // tells private text from channel text. Lines of 3 words or fewer (JOIN,
    // NICK, ...) are never dropped.
    static bool IsIgnored(const std::vector<IgnoreEntry> &list, const std::string &ownNick, const std::string &line);
    // The same against the session's list and nick.
    static bool IsIgnored(const Session &session, const std::string &line);

    // Enters host with flags: an entry for the same host (any case) is
    // replaced by one that ORs both flags and starts its clock at now. An
    // empty host, or one with a blank, is not entered.
    static void Add(std::vector<IgnoreEntry> &list, const std::string &host, int flags, int minutes, int64_t now);
    // Removes the first entry for this address (any case); false when none.
    static bool Remove(std::vector<IgnoreEntry> &list, const std::string &address);
    // Removes every entry whose time (minutes other than 0) is over at now;
    // returns how many went.
    static int Expire(std::vector<IgnoreEntry> &list, int64_t now);

    // Gives the entry of this address (any case) new flags and minutes; its
    // start time stays. false when there is no such entry.
    static bool Change(std::vector<IgnoreEntry> &list, const std::string &address, int flags, int minutes);
    // The entry of this address (any case), or null.
    static const IgnoreEntry *Find(const std::vector<IgnoreEntry> &list, const std::string &address);

    // The kinds of traffic an entry's flags ignore, as the ignore dialog
    // shows them: "Text", "Súkromný text", "Priame spojenia" joined with
    // ", ", or "Všetko" for 0.
    static std::string FlagsText(int flags);
};
