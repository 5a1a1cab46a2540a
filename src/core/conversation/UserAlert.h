// Something the user should notice while looking at another window.
#pragma once

#include <string>

// A private message, a line that names the user (nick or highlight word) or
// an offer (a DCC chat or file), as the core hands it to Shell::AlertUser.
struct UserAlert
{
    enum class Kind { PrivateMessage, Mention, Offer };

    Kind kind = Kind::PrivateMessage;
    std::string sessionKey;
    std::string window; // the conversation that shows it; the session key for the status window
    std::string sender; // the nick
    std::string text;   // as received, formatting codes and all
};
