#pragma once

#include <string>
#include <vector>

// The favourite channels of one favourite server: section "Channels Group "
// + server name, one line per channel ("#name 1" joins it after connecting),
// and the channel's key in "Passwords" under "server - #name".
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
    static FavouriteChannel Read(const std::string &server, const std::string &name);

    // Whether a channel name can be a line of its group: not empty, no blank
    // (the record is blank-separated), no "=" and no line break.
    static bool CanStoreName(const std::string &name);

    // Writes the channel to the group of server. oldServer/oldName name the
    // line being edited (empty for a new channel): a renamed channel's old
    // line goes, its old key in "Passwords" stays. An empty key deletes the
    // channel's key. false, with nothing written, when the name cannot be
    // stored or the file cannot be written.
    static bool Write(const std::string &server, const FavouriteChannel &channel, const std::string &oldServer = {},
                      const std::string &oldName = {});
    // Deletes the channel's line; its key stays.
    static bool Remove(const std::string &server, const std::string &name);
};
