#pragma once

#include <string>

class Session;

// The answers of the question dialog, carried out on the session's list of
// pending requests (entries "%d %ld %s %s": kind, time, nick, text or the
// command that accepts a DCC offer).
namespace RequestAnswer {

// Kind 1: opens the private window ("/query nick") and prints the waiting
// messages of that nick there with their own time (those entries are
// removed). Kinds 2 and 4: runs the stored accepting command of the newest
// matching offer only (for 4 an offer of the file named data); every
// matching entry is removed.
void AcceptRequest(Session &session, int kind, const std::string &from, const std::string &data);
// Removes the entries AcceptRequest would take, running nothing: a declined
// private chat takes the sender's waiting messages with it.
void RejectRequest(Session &session, int kind, const std::string &from, const std::string &data);

// Whether a pending entry belongs to the request (kind, nick and, for file
// offers, the file name after the offer's size).
bool Matches(const std::string &entry, int kind, const std::string &nick, const std::string &data);

} // namespace RequestAnswer
