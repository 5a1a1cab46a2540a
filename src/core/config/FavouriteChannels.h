#pragma once

#include "config/ValueChecks.h"

#include <string>
#include <utility>
#include <vector>

class ConfigChanges;

// The favourite channels of one favourite server: section "Channels Group "
// + server name, one line per channel ("#name 1" joins it after connecting),
// and the channel's key in "Passwords" under "server - #name". The only
// reader and writer of those sections and keys.
struct FavouriteChannel
{
    std::string name;
    bool autoJoin = false;
    std::string key; // empty: none
};

class FavouriteChannels
{
public:
    static std::string GroupSection(const std::string &server);
    // "server - channel", the channel's key in "Passwords".
    static std::string PasswordKey(const std::string &server, const std::string &channel);

    // The channel names of a server's group in file order.
    static std::vector<std::string> Names(const std::string &server);
    // Whether the group holds the channel (names compared without regard to case).
    static bool Contains(const std::string &server, const std::string &name);
    static FavouriteChannel Read(const std::string &server, const std::string &name);

    // Writes the channel to the group of server, as one replacement of the
    // file. oldServer/oldName name the line being edited (empty for a new
    // channel): a renamed channel's old line goes, first, and a rename by
    // case only keeps the line in its place; the old key in "Passwords"
    // stays. A line of
    // the new name already there is replaced (the caller asks first). An
    // empty key deletes the channel's key. false, with nothing written, when
    // the name cannot be stored or the file cannot be written.
    static bool Write(const std::string &server, const FavouriteChannel &channel, const std::string &oldServer = {},
                      const std::string &oldName = {});

    // Adds a channel that is not a favourite yet; a favourite already there
    // keeps its auto-join flag and key.
    enum class AddResult { Added, AlreadyThere, Refused };
    static AddResult Add(const std::string &server, const std::string &name, bool autoJoin);

    // Deletes the channel's line; its key stays.
    static bool Remove(const std::string &server, const std::string &name);

    // A server's channels and their keys on their way to the server's new
    // name, read from the file when made; a rename of the server puts the
    // deletions of every move before any of the writes, so renames in a
    // chain (B to C, then A to B) each carry their own.
    class GroupMove
    {
    public:
        GroupMove(const std::string &from, const std::string &to);
        void AddDeletions(ConfigChanges &changes) const;
        void AddWrites(ConfigChanges &changes) const;

    private:
        std::string m_from, m_to;
        std::vector<std::pair<std::string, std::string>> m_lines; // channel, record
        std::vector<std::pair<std::string, std::string>> m_keys;  // channel, key
    };
};
