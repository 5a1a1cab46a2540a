#pragma once

#include <cstdint>
#include <string>

// One channel of a network's channel list as the search window keeps it:
// the name, the user count and the topic as the server sent them, the topic
// as shown (IRC codes removed) and the keys the list sorts by.
struct ChannelListEntry
{
    enum Column { ChannelColumn = 0, UsersColumn = 1, TopicColumn = 2 };

    std::string channel;
    uint32_t users = 0;
    std::string topic;      // as received
    std::string shownTopic; // without colour and style codes
    std::string channelKey; // the name folded to one case
    std::string topicKey;   // the first word of the shown topic, folded

    static ChannelListEntry Make(std::string channel, uint32_t users, std::string topic);

    // Orders two entries by a column: users by number, the channel by name
    // and the topic by its first word, both without regard to case.
    // Negative, 0 or positive.
    static int Compare(Column column, const ChannelListEntry &a, const ChannelListEntry &b);

    // The entry as a line of the saved list: the channel padded to 15
    // characters, the user count right-aligned in 3, the shown topic, CR LF.
    // "#a", 5, "hello" gives "#a" + 13 blanks + " " + "  5" + " hello\r\n".
    std::string SavedLine() const;

    // Whether the name stands for this one channel in a command: a name
    // with "," would name several ("#a,0" joins #a and leaves every channel).
    bool IsSingleChannel() const;
};
