#pragma once

#include <string>

// A script loaded into a conversation window, as the window holds it (Script
// in the program): the window offers it the lines issued there and tells it
// when the window goes away.
class WindowScript
{
public:
    virtual ~WindowScript() = default;

    // A command line issued from the window; true when the script took it.
    virtual bool OfferCommand(const std::string &line) = 0;
    // The window is going away: the script reaches it no more.
    virtual void DetachOwner() = 0;
};
