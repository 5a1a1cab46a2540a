#pragma once

#include <cstdint>
#include <string>

class Conversation;

// Whoever keeps what conversations print (the logs of the program): told of
// every line a conversation shows, with the text as the window gets it, and
// of a window that closes. Given to the sessions by the one who builds the
// program; every call comes on the UI thread.
class LineRecorder
{
public:
    // time: seconds since 1970, 0 = now.
    virtual void Record(const Conversation &conversation, const std::string &text, int textClass, int64_t time) = 0;
    virtual void WindowClosed(const Conversation &conversation) = 0;
    // Whether the conversation's record already holds the line (the same
    // second, nick and text), as Record would have kept it.
    virtual bool HasLine(const Conversation &conversation, const std::string &text, int textClass, int64_t time)
    {
        (void)conversation;
        (void)text;
        (void)textClass;
        (void)time;
        return false;
    }

protected:
    ~LineRecorder() = default;
};
