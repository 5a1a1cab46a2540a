#pragma once

#include <string>

class Session;
struct Question;

// The answers of the question dialog, carried out on the session's list of
// pending requests.
namespace RequestAnswer {

// A private chat: opens the private window ("/query nick") and prints the
// waiting messages of that nick there with their own time (those requests
// are removed). A DCC chat or file: runs the accepting command of the newest
// request the question settles only (for a file, an offer of the question's
// file); every request it settles is removed.
void AcceptRequest(Session &session, const Question &question);
// Removes the requests AcceptRequest would take, running nothing: a declined
// private chat takes the sender's waiting messages with it.
void RejectRequest(Session &session, const Question &question);

} // namespace RequestAnswer
