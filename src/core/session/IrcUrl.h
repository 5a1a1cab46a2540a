#pragma once

#include "config/ServerPort.h"

#include <optional>
#include <string>

// An irc:// or ircs:// link as desktops hand it to the program:
// scheme://host[:port][/channel[,needkey]][?key]. A channel written without
// its leading sign (irc://host/brimo) or with it escaped (%23brimo) means
// "#brimo"; one written as a fragment (irc://host/#brimo) is understood too.
struct IrcUrl
{
    bool tls = false;
    std::string host;
    unsigned port = ServerPort::kDefaultPort;
    std::string channel; // empty when the link names only a server
    std::string key;     // the channel key of "?key", when given

    // Nothing when text is not such a link or names something that could
    // not be sent safely in a command (blanks, commas, control characters).
    static std::optional<IrcUrl> Parse(const std::string &text);
};
