#pragma once

#include <cstdint>
#include <string>

// What a conversation asks of the session that owns it (Session in the
// program): the session's key, the time of the line being handled, and the
// running of a command line issued from the conversation's window.
class ConversationOwner
{
public:
    virtual const std::string &Key() const = 0;
    // The server's time of the line being handled (seconds since 1970), 0: now.
    virtual int64_t LineTime() const = 0;
    // Runs a command line of the window of that name: 1 done, 0 unknown or misused.
    virtual int Command(const std::string &window, int kind, const std::string &line) = 0;

protected:
    ~ConversationOwner() = default;
};
