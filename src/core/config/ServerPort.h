#pragma once

#include <string>
#include <string_view>

// A server's port as users write it, in the "Servers" record, "/server" and
// "/connect": "6667" is a plain connection, "+6697" one over TLS, and "+"
// alone TLS on the usual port 6697.
struct ServerPort
{
    // The usual ports of a plain and of a secure connection.
    static constexpr unsigned kDefaultPort = 6667;
    static constexpr unsigned kDefaultTlsPort = 6697;
    // Ports above this are out of range; Parse caps larger numbers at it + 1.
    static constexpr unsigned kHighestPort = 65535;

    unsigned port = 0; // 0 when the word has no number
    bool tls = false;

    // Reads the leading "+" and the digits that follow (as far as they go).
    static ServerPort Parse(std::string_view word);
    // "+6697" or "6667", as a record stores it.
    std::string Text() const;
    bool IsValid() const { return port >= 1 && port <= kHighestPort; }
};
