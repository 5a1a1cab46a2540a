#pragma once

#include <cstdint>
#include <string>

#include "conversation/Question.h"

// A private message or a DCC offer of a session that waits for the user's
// answer to the question about it.
struct PendingRequest
{
    Question::Kind kind = Question::PrivateChat; // PrivateChat, DccChat or DccFile
    int64_t time = 0;                            // when it came, seconds since 1970
    std::string nick;                            // the sender
    std::string text;                            // the message, or the command that accepts the offer
    std::string fileName;                        // the file a file offer sends; empty otherwise

    // Whether the answer to the question settles this request: the same kind
    // and nick (any case) and, for a file offer, the same file.
    bool IsSettledBy(const Question &question) const;

    bool operator==(const PendingRequest &other) const = default;
};
