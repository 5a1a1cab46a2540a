#pragma once

#include <string>

#include "text/Strings.h"

// Where an IP address leads, as far as the address alone tells: the public
// network, or one of the ranges that stay on this machine or a local network
// (IPv4 and IPv6; an IPv4 address mapped into IPv6 counts as IPv4).
//
//   "8.8.4.4", "2a00:1450::1"          Public
//   "127.0.0.1", "::1"                 Loopback
//   "10.1.2.3", "192.168.0.5", "fd00::1" Private
//   "169.254.1.1", "fe80::1"           LinkLocal
//   "224.0.0.1", "ff02::1"             Multicast
//   "255.255.255.255"                  Broadcast
//   "0.0.0.0", "240.0.0.1", "192.0.2.1", "2001:db8::1", "not an address"  Reserved
class AddressScope
{
public:
    enum Kind { Public, Loopback, Private, LinkLocal, Multicast, Broadcast, Reserved };

    static Kind Of(const std::string &address);
    // The kind in words for the user ("súkromná"); Public has none.
    static StrText Name(Kind kind);

    // Whether connecting to target needs a warning and a second confirmation:
    // it does not lead to the public network, while the server connection
    // (its address server) does. A peer on the same local network as the
    // server is then not what an offer from the network should point at.
    static bool NeedsWarning(const std::string &target, const std::string &server);

    // "203.0.113.5:5000", "[2001:db8::5]:5000": an address and port as the user reads them.
    static std::string WithPort(const std::string &address, unsigned port);
};
