#pragma once

#include <string>

// What our DCC offers announce, and whether they ask the peer to listen
// instead (a passive offer). Chosen from, in order:
//   the setting "DCC Address"            announced as it is
//   the address the server sees us at    (learned from the server; same family as the connection)
//   the local address of the server connection
// When the server sees us at a public address but our connection leaves from
// one that is not public, we are behind a NAT that nobody can connect
// through: the offer goes passive.
struct OfferAddress
{
    std::string announced;
    bool passive = false;

    static OfferAddress Choose(const std::string &setting, const std::string &learned, const std::string &local);
    // Whether text can be the setting "DCC Address": empty, or an IPv4 or IPv6 address.
    static bool IsValidSetting(const std::string &text);

    // The address as an offer carries it: IPv4 as the unsigned 32-bit number
    // ("2130706433"), IPv6 in its text form ("2001:db8::5"); empty for
    // anything else.
    static std::string OfferWord(const std::string &address);
};
