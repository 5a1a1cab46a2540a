#pragma once

#include <cstdint>
#include <string>

class LineRecorder;

// What a conversation asks of the session that owns it (Session in the
// program): the session's key, the time of the line being handled, the
// running of a command line issued from the conversation's window, and the
// recorder of its lines.
class ConversationOwner
{
public:
    virtual const std::string &Key() const = 0;
    // The server's time of the line being handled (seconds since 1970), 0: now.
    virtual int64_t LineTime() const = 0;
    // Whether the line being handled was played back by a bouncer: said
    // while nobody was attached, and sent again now.
    virtual bool IsPlayedBack() const { return false; }
    // The server's id of the line being handled ("msgid"), empty without one.
    virtual std::string LineId() const { return std::string(); }
    // Runs a command line of the window of that name: 1 done, 0 unknown or misused.
    virtual int Command(const std::string &window, int kind, const std::string &line) = 0;
    // Where the conversation's printed lines are recorded; null: nowhere.
    virtual LineRecorder *Recorder() const { return nullptr; }

protected:
    ~ConversationOwner() = default;
};
