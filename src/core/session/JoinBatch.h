#pragma once

#include <string>
#include <vector>

// The channels a session joins at once (the favourites and the open channels
// after connecting), sent as few "JOIN #a,#b,... keyA,keyB" lines: the
// channels with keys first, their keys in the same order, each line within
// the protocol's 512 bytes with its CR LF. A channel named twice (the case
// of its name aside) is joined once, with the first key given for it.
class JoinBatch
{
public:
    // A channel with its key (empty: none). A comma list ("#a,#b" and
    // "keyA,keyB") adds each channel with the key at its place.
    void Add(const std::string &channels, const std::string &keys = std::string());
    bool IsEmpty() const { return m_channels.empty(); }
    size_t Size() const { return m_channels.size(); }
    // The JOIN lines, without CR LF. A channel whose name alone is too long
    // for a line gets a line of its own (which the sending refuses).
    std::vector<std::string> Lines() const;
    void Clear() { m_channels.clear(); }

private:
    struct Channel
    {
        std::string name;
        std::string key;
    };
    void AddOne(const std::string &name, const std::string &key);

    std::vector<Channel> m_channels;
};
