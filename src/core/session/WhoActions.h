#pragma once

#include <string>
#include <vector>

class Session;

// The queue of actions that wait for a WHO reply: "/who nick -ban #chan",
// "/who nick -bankick #chan reason..." and "/who nick -ignore flags minutes"
// learn the user's host from the reply (numeric 352) and then ban, kick or
// ignore it. The queue is Session::QueuedWhoActions(); each entry is the line
// "mask option argument rest" (option, argument and rest may be empty).
class WhoActions
{
public:
    // The entry a "/who" command line queues; empty when the line has fewer
    // than 3 words (a plain "/who mask" queues nothing).
    static std::string MakeEntry(const std::string &commandLine);

    // A WHO reply line ":server 352 me channel user host server nick ...":
    // carries out, in queue order, every queued action for the reply's nick
    // (any case) and removes it from the queue. Actions with an empty or
    // unknown option are removed without effect. Returns how many actions
    // were removed. Entries for other nicks stay queued; one call costs one
    // pass over the queue however long it is.
    static int RunReply(Session &session, const std::string &replyLine);
};
