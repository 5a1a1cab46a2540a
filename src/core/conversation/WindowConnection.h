#pragma once

#include <string>

// The direct connection a conversation window shows (DirectConnect in the
// program, owned by the DCC code): the chat of a DCC chat window, or the
// transfer last started from the window.
class WindowConnection
{
public:
    virtual bool IsChat() const = 0;
    // Chat text typed into the window; false when it cannot be sent.
    virtual bool SendChat(const std::string &text) = 0;
    // Releases everything without a message (a newer chat replaces this one).
    virtual void Shutdown() = 0;
    // The window was closed: the connection ends, and its owner may let it go.
    virtual void OwnerWindowClosed() = 0;

protected:
    ~WindowConnection() = default;
};
